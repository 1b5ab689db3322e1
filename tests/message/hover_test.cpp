// Balloon help.  The real cursor is put where the mouse is said to be, as
// the balloon timer asks which window is under it.
#include <gtest/gtest.h>

#include "testapp.h"

using namespace tstest;

namespace {

void Pump(DWORD ms) {
    MSG m;
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
}

HWND Balloon() { return FindWindowA(VW_CLASS_BALLOON, nullptr); }

RECT RectOf(HWND h) {
    RECT rc = {};
    GetWindowRect(h, &rc);
    return rc;
}

struct Hover : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "hover", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 0, 0, 400, 300, FALSE);
        Add(1, "@DSL(Help for the customer id)@BDSL");  // 24 characters
        Add(2, "@DSL(Help for the customer ids)@BDSL");  // 25 characters
        Add(3, "@DSL(No balloon here)");
        vwShowView(view.get());
        SetForegroundWindow(view->hWnd);
        Park();
    }
    void Add(LONG id, const char* directives) {
        vwSetFieldEx(view.get(), id, "edit", "", WS_VISIBLE, 0, 10, 40 * id, 120, 20, nullptr, nullptr);
        vwSetFieldString(view.get(), id, directives);
    }
    HWND W(LONG id) { return vwGetFieldWindow(view.get(), id); }
    // The mouse rests inside the field (the real cursor's own move first).
    void MoveInto(LONG id) {
        SetCursorPos(RectOf(W(id)).left + 5, RectOf(W(id)).top + 5);
        Pump(50);
        SendMessageA(W(id), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    }
    // The field holding the capture sees the mouse outside.
    void MoveOutOf(LONG id) { SendMessageA(W(id), WM_MOUSEMOVE, 0, MAKELPARAM(5, 0xFFF0)); }
    void Park() {
        SetCursorPos(300, 280);
        Pump(50);
    }
    ViewGuard view;
};

} // namespace

TEST_F(Hover, TheFirstBalloonWaitsASecondAndGoesWithAClick) {
    MoveInto(1);
    Pump(700);
    EXPECT_EQ(Balloon(), nullptr);
    Pump(600);
    HWND b = Balloon();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(TextOf(b), "Help for the customer id");
    EXPECT_EQ(GetCapture(), W(1));
    EXPECT_EQ(RectOf(b).left, RectOf(W(1)).left);
    EXPECT_EQ(RectOf(b).top, RectOf(W(1)).bottom + 6);
    EXPECT_EQ(GetWindowLongA(b, VWBL_STYLE), VWB_PIXELS | VWB_COLORS | VWB_SQUARE | VWB_CLICKCLOSE | VWB_SINGLELINE);
    EXPECT_EQ(GetWindowLongA(b, VWBL_BKCOLOR), 0x80FFFF);
    SendMessageA(W(1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(IsWindow(b));
    SendMessageA(W(1), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));  // the edit's own capture ends
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Hover, WhileUpTheBalloonFollowsTheMouseAtOnce) {
    MoveInto(1);
    Pump(1300);
    HWND first = Balloon();
    ASSERT_NE(first, nullptr);
    const int oneLine = RectOf(first).bottom - RectOf(first).top;
    MoveOutOf(1);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetCapture(), nullptr);
    MoveInto(2);
    HWND second = Balloon();
    ASSERT_NE(second, nullptr);  // no waiting
    EXPECT_EQ(GetCapture(), W(2));
    EXPECT_LE(RectOf(second).right - RectOf(second).left, 104);  // 25 characters wrap in 100 pixels
    EXPECT_GT(RectOf(second).bottom - RectOf(second).top, oneLine);
    MoveOutOf(2);
    MoveInto(3);  // no "@BDSL": all over
    Pump(1300);
    EXPECT_EQ(Balloon(), nullptr);
}

TEST_F(Hover, NoBalloonWhenTheCursorIsElsewhereOrHelpSuspended) {
    SendMessageA(W(1), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // the cursor stays parked
    Pump(1300);
    EXPECT_EQ(Balloon(), nullptr);
    vwSetViewStatus(view.get(), 0, VWST_NOBALLOONS);
    MoveInto(1);
    Pump(1300);
    EXPECT_EQ(Balloon(), nullptr);
}

TEST_F(Hover, TheViewUnderTheMouseDisarmsOrLeaves) {
    MoveInto(1);
    SendMessageA(view->hWnd, WM_NCHITTEST, 0, 0);  // armed: disarmed
    Pump(1300);
    EXPECT_EQ(Balloon(), nullptr);
    MoveInto(1);
    Pump(1300);
    ASSERT_NE(Balloon(), nullptr);
    SendMessageA(view->hWnd, WM_NCHITTEST, 0, 0);  // shown: gone, the next field shows at once
    EXPECT_EQ(Balloon(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    MoveInto(2);
    EXPECT_NE(Balloon(), nullptr);
}
