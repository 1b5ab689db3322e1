// Field errors shown by message box or status line, and the focus, clicks
// and icons of a view.
#include <gtest/gtest.h>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

struct Shown : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "shown", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 0, 0, 300, 160, FALSE);
        vwSetFieldEx(view.get(), 101, "edit", "first", WS_VISIBLE | WS_TABSTOP, 0, 4, 4, 60, 12, nullptr, nullptr);
        vwSetFieldEx(view.get(), 102, "edit", "second", WS_VISIBLE | WS_TABSTOP, 0, 4, 20, 60, 12, nullptr, nullptr);
        vwSetFieldEx(view.get(), 103, "combobox", "", WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0, 4, 40, 60, 60,
                     nullptr, nullptr);
        vwShowView(view.get());
        other = CreateWindowA("edit", "", WS_POPUP | WS_VISIBLE, 400, 0, 50, 20, nullptr, nullptr, Instance(), nullptr);
    }
    void TearDown() override { DestroyWindow(other); }
    HWND W(LONG id) { return vwGetFieldWindow(view.get(), id); }
    LRESULT ShowError(const char* directives, LONG_PTR kind = 0, LONG_PTR code = 0) {
        char text[] = "Amount must be positive";
        VWERRORREC rec = {};
        rec.hField = W(101);
        rec.fieldId = 101;
        rec.kind = kind;
        rec.code = code;
        rec.directives = directives;
        rec.text = text;
        rec.caption = "Error";
        return SendMessageA(view->hWnd, VWM_SHOWERROR, 101, reinterpret_cast<LPARAM>(&rec));
    }
    ViewGuard view;
    HWND other = nullptr;
};

} // namespace

TEST_F(Shown, ErrorsByMessageBoxOrStatusLineWarningsAndAcknowledgements) {
    MessageBoxCapture boxes;
    EXPECT_EQ(ShowError("@MBOX@WARN"), VWSE_HANDLED | VWSE_WARNING);
    EXPECT_EQ(ShowError("@MBOX"), VWSE_HANDLED);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Error");
    EXPECT_EQ(boxes.boxes()[0].text, "Amount must be positive");
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);  // done once shown
    HWND status = CreateWindowA("STATIC", "", WS_CHILD, 0, 140, 100, 10, view->hWnd, nullptr, Instance(), nullptr);
    vwSetDSLWindow(view.get(), status);
    EXPECT_EQ(ShowError("@STAT"), VWSE_HANDLED);
    EXPECT_EQ(TextOf(status), "Amount must be positive");
    vwSetDSLWindow(view.get(), nullptr);
    // pending until acknowledged; kind 4 with code 600 is only acknowledged
    EXPECT_EQ(SendMessageA(view->hWnd, VWM_SHOWERROR, 101, 0), 1);
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), -1);
    EXPECT_EQ(SendMessageA(view->hWnd, VWM_ERRORDONE, 101, 0), 0);
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);
    EXPECT_EQ(ShowError("@MBOX", 4, 600), 0);
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), -1);
    EXPECT_EQ(boxes.boxes().size(), 2u);
}

TEST_F(Shown, TheFocusReturnsToTheCurrentFieldUnlessItIsProtected) {
    SetFocus(W(102));
    SendMessageA(W(102), EM_SETSEL, 0, 0);
    SetFocus(other);
    SendMessageA(view->hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(vwIsViewActive(view.get()), 0);
    SendMessageA(view->hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(vwIsViewActive(view.get()), 1);
    EXPECT_EQ(GetFocus(), W(102));
    SetFocus(other);
    SendMessageA(view->hWnd, WM_SETFOCUS, 0, 0);  // with the whole text selected
    EXPECT_EQ(GetFocus(), W(102));
    DWORD from = 1, to = 0;
    SendMessageA(W(102), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(std::vector<DWORD>({from, to}), (std::vector<DWORD>{0, 6}));
    vwProtectField(view.get(), 102);
    SetFocus(other);
    SendMessageA(view->hWnd, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), other);
    vwUnprotectField(view.get(), 102);
    SendMessageA(view->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150));  // a click on the view itself
    EXPECT_EQ(GetFocus(), W(102));
    // a click on the frame closes the list of the current combo box
    SendMessageA(W(103), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    SetFocus(W(103));
    SendMessageA(W(103), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(SendMessageA(W(103), CB_GETDROPPEDSTATE, 0, 0));
    SendMessageA(view->hWnd, WM_NCLBUTTONDOWN, HTNOWHERE, 0);
    EXPECT_FALSE(SendMessageA(W(103), CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(Shown, IconsAreTheViewIconOrTheApplicationIcon) {
    HICON standard = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    HICON own = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_QUESTION));
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(view->hWnd, WM_QUERYDRAGICON, 0, 0)), standard);
    vwSetViewIcon(view.get(), own);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(view->hWnd, WM_QUERYDRAGICON, 0, 0)), own);
    SetClassLongPtrA(view->hWnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(standard));
    SendMessageA(view->hWnd, WM_PAINTICON, 0, 0);
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(view->hWnd, GCLP_HICON)), own);
    SetClassLongPtrA(view->hWnd, GCLP_HICON, 0);
    EXPECT_EQ(SendMessageA(view->hWnd, VWM_DRAG2, 0, 0), 1);
}
