// VWM_SHOWERROR and VWM_ERRORDONE: error records shown by message box or
// status line, warnings, acknowledgements and the pending-error status.
#include <gtest/gtest.h>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

struct ErrorView : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "errors", WS_POPUP, nullptr, nullptr, 0));
        vwSetFieldEx(view.get(), 9, "edit", "", WS_TABSTOP, 0, 0, 0, 40, 10, nullptr, nullptr);
    }
    LRESULT Show(const char* directives, LONG_PTR kind = 0, LONG_PTR code = 0) {
        VWERRORREC rec = {};
        rec.hField = vwGetFieldWindow(view.get(), 9);
        rec.fieldId = 9;
        rec.kind = kind;
        rec.code = code;
        rec.directives = directives;
        rec.text = text;
        rec.caption = "Error";
        return SendMessageA(view->hWnd, VWM_SHOWERROR, 9, reinterpret_cast<LPARAM>(&rec));
    }
    char text[256] = "Amount must be positive";
    ViewGuard view;
};

} // namespace

TEST_F(ErrorView, MessageBoxWarningsAnswerThree) {
    MessageBoxCapture boxes;
    EXPECT_EQ(Show("@MBOX@WARN"), VWSE_HANDLED | VWSE_WARNING);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Error");
    EXPECT_EQ(boxes.boxes()[0].text, "Amount must be positive");
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);  // done once shown
    EXPECT_EQ(Show("@MBOX"), VWSE_HANDLED);
    EXPECT_EQ(boxes.boxes().size(), 2u);
}

TEST_F(ErrorView, PendingStatusAndAcknowledgements) {
    EXPECT_EQ(SendMessageA(view->hWnd, VWM_SHOWERROR, 9, 0), 1);
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), -1);
    EXPECT_EQ(SendMessageA(view->hWnd, VWM_ERRORDONE, 9, 0), 0);
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);
    EXPECT_EQ(Show("@MBOX", 4, 600), 0);  // only acknowledged: no box, still pending
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), -1);
    vwResetViewError(view.get());
    // with editing off nothing is recorded
    vwSetViewEditingOff(view.get());
    SendMessageA(view->hWnd, VWM_SHOWERROR, 9, 0);
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);
    vwSetViewStatus(view.get(), 0, VWST_NOBALLOONS);  // the flag changes all the same
    EXPECT_TRUE(view->flags & VWF_NOBALLOONS);
    vwSetViewEditingOn(view.get());
    vwSetViewStatus(view.get(), 0, VWST_RESUMEBALLOONS);
    EXPECT_FALSE(view->flags & VWF_NOBALLOONS);
}

TEST_F(ErrorView, StatusLineShowsTheText) {
    HWND status = CreateWindowA("STATIC", "", WS_CHILD, 0, 50, 100, 10, view->hWnd, nullptr, Instance(), nullptr);
    view->hDSLWindow = status;
    EXPECT_EQ(Show("@STAT"), VWSE_HANDLED);
    EXPECT_EQ(TextOf(status), "Amount must be positive");
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);
    vwSetViewMessageFile(view.get(), "averylongname.txt");
    EXPECT_STREQ(view->messageFile, "averylongna");
    vwSetViewErrorColors(view.get(), RGB(1, 2, 3), RGB(4, 5, 6));
    COLORREF t, b;
    vwGetViewErrorColors(view.get(), &t, &b);
    EXPECT_EQ(t, RGB(1, 2, 3));
    EXPECT_EQ(b, RGB(4, 5, 6));
    view->hDSLWindow = nullptr;
}
