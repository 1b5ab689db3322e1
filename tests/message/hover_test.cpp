// Balloon help: the balloon of a field with "@BDSL" comes up after the mouse
// has rested on it, follows the mouse from field to field while it is up,
// and goes with a click or when the mouse leaves for the view.  The real
// cursor is placed where the mouse is said to be, as the balloon timer
// checks the window under it.
#include <gtest/gtest.h>

#include <cstring>

#include "testapp.h"

using namespace tstest;

namespace {

// Dispatches messages for the given time.
void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG m;
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
}

struct FindBalloon {
    HWND found = nullptr;
    static BOOL CALLBACK Each(HWND h, LPARAM l) {
        char cls[32] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (std::strcmp(cls, VW_CLASS_BALLOON) == 0 && IsWindowVisible(h)) {
            reinterpret_cast<FindBalloon*>(l)->found = h;
            return FALSE;
        }
        return TRUE;
    }
};

// The visible balloon of this thread, if any.
HWND Balloon() {
    FindBalloon f;
    EnumThreadWindows(GetCurrentThreadId(), FindBalloon::Each, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

RECT WindowRectOf(HWND h) {
    RECT rc = {};
    GetWindowRect(h, &rc);
    return rc;
}

struct Hover : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "hover", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 0, 0, 400, 300, FALSE);
        Add(1, 10, "@DSL(Help for the customer id)@BDSL");       // 24 characters
        Add(2, 50, "@DSL(Help for the customer ids)@BDSL");      // 25 characters
        Add(3, 90, "@DSL(No balloon here)");
        vwShowView(view.get());
        SetForegroundWindow(view->hWnd);
        SetActiveWindow(view->hWnd);
        Park();
        Pump(50);
    }
    void TearDown() override {
        // leave through the view so that no balloon outlives the test
        SendMessageA(view->hWnd, WM_NCHITTEST, 0, 0);
        SendMessageA(view->hWnd, WM_NCHITTEST, 0, 0);
        Park();
        Pump(600);
    }
    void Add(LONG id, int y, const char* directives) {
        vwSetFieldEx(view.get(), id, "edit", "", WS_VISIBLE, 0, 10, y, 120, 20, nullptr, nullptr);
        vwSetFieldString(view.get(), id, directives);
    }
    HWND W(LONG id) { return vwGetFieldWindow(view.get(), id); }
    // The mouse comes to rest inside the field.  Moving the real cursor
    // sends a move of its own; it is let through first.
    void MoveInto(LONG id) {
        RECT rc = WindowRectOf(W(id));
        SetCursorPos(rc.left + 5, rc.top + 5);
        Pump(50);
        SendMessageA(W(id), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    }
    // The mouse leaves a field that holds the capture (coordinates outside).
    void MoveOutOf(LONG id) { SendMessageA(W(id), WM_MOUSEMOVE, 0, MAKELPARAM(5, 0xFFF0)); }
    // The cursor rests on the view, away from every field.
    void Park() {
        SetCursorPos(300, 250);
        Pump(50);
    }
    ViewGuard view;
};

} // namespace

TEST_F(Hover, TheFirstBalloonWaitsASecondThenSitsBelowTheField) {
    MoveInto(1);
    Pump(700);
    EXPECT_EQ(Balloon(), nullptr);
    Pump(600);
    HWND b = Balloon();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(TextOf(b), "Help for the customer id");
    EXPECT_EQ(GetCapture(), W(1));
    const RECT field = WindowRectOf(W(1)), rc = WindowRectOf(b);
    EXPECT_EQ(rc.left, field.left);
    EXPECT_EQ(rc.top, field.bottom + 6);
    EXPECT_EQ(GetWindowLongA(b, VWBL_STYLE), VWB_PIXELS | VWB_COLORS | VWB_SQUARE | VWB_CLICKCLOSE | VWB_SINGLELINE);
    EXPECT_EQ(GetWindowLongA(b, VWBL_BKCOLOR), 0x80FFFF);
    EXPECT_EQ(GetWindowLongA(b, VWBL_TEXTCOLOR), 0);
    // a click takes it down (the edit control captures the mouse itself
    // until the button is up)
    SendMessageA(W(1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(IsWindow(b));
    SendMessageA(W(1), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Hover, WhileUpTheBalloonFollowsTheMouseAtOnce) {
    MoveInto(1);
    Pump(1300);
    HWND first = Balloon();
    ASSERT_NE(first, nullptr);
    const int oneLine = WindowRectOf(first).bottom - WindowRectOf(first).top;
    MoveOutOf(1);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetCapture(), nullptr);
    MoveInto(2);
    HWND second = Balloon();
    ASSERT_NE(second, nullptr);  // no waiting
    EXPECT_EQ(TextOf(second), "Help for the customer ids");
    // 25 characters are wrapped within 100 pixels
    EXPECT_FALSE(GetWindowLongA(second, VWBL_STYLE) & VWB_SINGLELINE);
    const RECT rc = WindowRectOf(second);
    EXPECT_LE(rc.right - rc.left, 104);
    EXPECT_GT(rc.bottom - rc.top, oneLine);
    EXPECT_EQ(GetCapture(), W(2));
    // a field without "@BDSL" ends it all
    MoveOutOf(2);
    MoveInto(3);
    EXPECT_EQ(Balloon(), nullptr);
    Pump(1300);
    EXPECT_EQ(Balloon(), nullptr);
}

TEST_F(Hover, TheTimerShowsNothingWhenTheCursorIsElsewhere) {
    SendMessageA(W(1), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // the cursor stays parked
    Pump(1300);
    EXPECT_EQ(Balloon(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Hover, TheViewUnderTheMouseDisarmsOrLeaves) {
    // armed, then over the view: no balloon comes
    MoveInto(1);
    SendMessageA(view->hWnd, WM_NCHITTEST, 0, 0);
    Pump(1300);
    EXPECT_EQ(Balloon(), nullptr);
    // shown, then over the view: gone, and the next field shows at once
    MoveInto(1);
    Pump(1300);
    ASSERT_NE(Balloon(), nullptr);
    SendMessageA(view->hWnd, WM_NCHITTEST, 0, 0);
    EXPECT_EQ(Balloon(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    MoveInto(2);
    EXPECT_NE(Balloon(), nullptr);
}

TEST_F(Hover, SuspendedViewsShowNoBalloons) {
    vwSetViewStatus(view.get(), 0, VWST_NOBALLOONS);
    MoveInto(1);
    Pump(1300);
    EXPECT_EQ(Balloon(), nullptr);
    vwSetViewStatus(view.get(), 0, VWST_RESUMEBALLOONS);
}
