// Activation, focus, clicks and icons of a view.
#include <gtest/gtest.h>

#include "testapp.h"

using namespace tstest;

namespace {

struct FocusView : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "focus", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
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
    ViewGuard view;
    HWND other = nullptr;
};

} // namespace

TEST_F(FocusView, ActivationAndFocusReturnToTheCurrentField) {
    SetFocus(W(102));
    EXPECT_EQ(vwGetCurrField(view.get()), 102);
    SetFocus(other);
    SendMessageA(view->hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(vwIsViewActive(view.get()), 0);
    SendMessageA(view->hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(vwIsViewActive(view.get()), 1);
    EXPECT_EQ(GetFocus(), W(102));

    // WM_SETFOCUS selects the whole text and passes the focus on ...
    SendMessageA(W(102), EM_SETSEL, 0, 0);
    SetFocus(other);
    SendMessageA(view->hWnd, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), W(102));
    DWORD from = 0, to = 0;
    SendMessageA(W(102), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 6u);
    // ... but not to a protected field
    vwProtectField(view.get(), 102);
    SetFocus(other);
    SendMessageA(view->hWnd, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), other);
    vwUnprotectField(view.get(), 102);

    // a click on the view itself gives the focus to the current field
    SetFocus(other);
    SendMessageA(view->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150));
    EXPECT_EQ(GetFocus(), W(102));
}

TEST_F(FocusView, FrameClicksCloseTheCurrentComboList) {
    SendMessageA(W(103), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    SetFocus(W(103));
    SendMessageA(W(103), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(SendMessageA(W(103), CB_GETDROPPEDSTATE, 0, 0));
    SendMessageA(view->hWnd, WM_NCLBUTTONDOWN, HTNOWHERE, 0);  // no move loop
    EXPECT_FALSE(SendMessageA(W(103), CB_GETDROPPEDSTATE, 0, 0));
}

TEST(ViewIcons, TheViewIconOrTheApplicationIcon) {
    ViewGuard v(vwOpenView(Instance(), "icons", WS_POPUP, nullptr, nullptr, 0));
    MoveWindow(v->hWnd, 0, 0, 32, 32, FALSE);
    HICON standard = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(v->hWnd, WM_QUERYDRAGICON, 0, 0)), standard);
    HICON own = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_QUESTION));
    vwSetViewIcon(v.get(), own);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(v->hWnd, WM_QUERYDRAGICON, 0, 0)), own);
    const LONG_PTR before = GetClassLongPtrA(v->hWnd, GCLP_HICON);
    SendMessageA(v->hWnd, WM_PAINTICON, 0, 0);
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(v->hWnd, GCLP_HICON)), own);
    SetClassLongPtrA(v->hWnd, GCLP_HICON, before);

    // the icon background is the view brush
    vwSetViewBackBrush(v.get(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(GetDC(nullptr), 8, 8);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all{0, 0, 8, 8};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageA(v->hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(mem), 0);
    EXPECT_EQ(GetPixel(mem, 2, 2), RGB(0, 0, 0));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);

    EXPECT_EQ(SendMessageA(v->hWnd, VWM_DRAG2, 0, 0), 1);
}
