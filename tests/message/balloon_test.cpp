// Balloons: placement, size fitted to the text, painting, closing by click,
// and the error balloons of VWM_SHOWERROR.
#include <gtest/gtest.h>

#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

RECT WindowRectOf(HWND h) {
    RECT rc = {};
    GetWindowRect(h, &rc);
    return rc;
}

// The size DrawText gives a text in the balloons' default font.
SIZE TextSize(const char* text) {
    HFONT font = vwCreateFont("Helv", 8, 0);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r = {0, 0, 0, 0};
    DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return {r.right, r.bottom};
}

COLORREF PixelOf(HWND h, int x, int y) {
    HDC dc = GetDC(h);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
}

struct Balloons : ::testing::Test {
    void SetUp() override {
        RegisterTestClass("tsowner", DefWindowProcA);
        owner = CreateWindowA("tsowner", "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr,
                              Instance(), nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }
    HWND owner = nullptr;
};

} // namespace

TEST_F(Balloons, FittedToOneLineBelowTheOwnerOrigin) {
    const char* text = "Customer name";
    HWND b = vwBalloonMsg(owner, text, 10, 20, 0, 0, nullptr, RGB(1, 2, 3), RGB(4, 5, 6),
                          VWB_PIXELS | VWB_SQUARE | VWB_COLORS | VWB_SINGLELINE);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(ClassOf(b), VW_CLASS_BALLOON);
    EXPECT_EQ(TextOf(b), text);
    EXPECT_FALSE(StyleOf(b) & WS_CHILD);
    EXPECT_EQ(GetWindow(b, GW_OWNER), owner);
    EXPECT_TRUE(IsWindowVisible(b));
    EXPECT_NE(GetActiveWindow(), b);
    const SIZE t = TextSize(text);
    const RECT rc = WindowRectOf(b);
    EXPECT_EQ(rc.left, 110);
    EXPECT_EQ(rc.top, 120);
    EXPECT_EQ(rc.right - rc.left, 4 * 4 + t.cx);  // left margin in the measure, three more around
    EXPECT_EQ(rc.bottom - rc.top, 3 * 4 + t.cy);
    EXPECT_EQ(GetWindowLongA(b, VWBL_TEXTCOLOR), RGB(1, 2, 3));
    EXPECT_EQ(GetWindowLongA(b, VWBL_BKCOLOR), RGB(4, 5, 6));
    EXPECT_EQ(GetWindowLongA(b, VWBL_STYLE), VWB_PIXELS | VWB_SQUARE | VWB_COLORS | VWB_SINGLELINE);
    EXPECT_EQ(GetWindowLongPtrA(b, VWBL_FONT), 0);
    DestroyWindow(b);
}

TEST_F(Balloons, DialogUnitsCentringAndScreenEdges) {
    // without pixels everything is in dialog units; width 0 is 100
    HWND b = vwBalloonMsg(owner, "x", 8, 16, 0, 40, nullptr, 0, 0, VWB_SQUARE);
    LONG r[4] = {8, 16, 100, 40};
    vwDialogToScreen(r);
    RECT rc = WindowRectOf(b);
    EXPECT_EQ(rc.left, 100 + r[0]);
    EXPECT_EQ(rc.top, 100 + r[1]);
    EXPECT_EQ(rc.right - rc.left, r[2]);
    EXPECT_EQ(rc.bottom - rc.top, r[3]);
    DestroyWindow(b);
    // centred on the owner when fitted
    b = vwBalloonMsg(owner, "centre", 0, 0, 0, 0, nullptr, 0, 0, VWB_PIXELS | VWB_SQUARE | VWB_CENTER);
    rc = WindowRectOf(b);
    EXPECT_EQ(rc.left - 100, (300 - (rc.right - rc.left)) / 2);
    EXPECT_EQ(rc.top - 100, (200 - (rc.bottom - rc.top)) / 2);
    DestroyWindow(b);
    // a balloon beyond the right or bottom edge ends exactly at it
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    b = vwBalloonMsg(nullptr, "edge", cx - 20, cy - 5, 100, 30, nullptr, 0, 0, VWB_PIXELS | VWB_SCREEN);
    rc = WindowRectOf(b);
    EXPECT_EQ(rc.left, cx - 100);
    EXPECT_EQ(rc.right, cx);
    EXPECT_EQ(rc.bottom, cy);
    DestroyWindow(b);
}

TEST_F(Balloons, PaintsBodyOutlineAndShadow) {
    HWND b = vwBalloonMsg(nullptr, "", 50, 50, 60, 40, nullptr, RGB(0, 0, 0), RGB(0, 0, 255),
                          VWB_PIXELS | VWB_SCREEN | VWB_SQUARE | VWB_COLORS);
    ASSERT_NE(b, nullptr);
    PumpMessages();
    // body 0..56 x 0..36 outlined in black, shadow 4 pixels right and down
    EXPECT_EQ(PixelOf(b, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(b, 20, 20), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(b, 58, 38), RGB(128, 128, 128));
    DestroyWindow(b);
    // without own colours the body is the DC's white brush; no shadow asked
    b = vwBalloonMsg(nullptr, "", 50, 50, 60, 40, nullptr, 0, RGB(0, 0, 255),
                     VWB_PIXELS | VWB_SCREEN | VWB_SQUARE | VWB_NOSHADOW);
    PumpMessages();
    EXPECT_EQ(PixelOf(b, 20, 20), RGB(255, 255, 255));
    EXPECT_NE(PixelOf(b, 58, 38), RGB(128, 128, 128));
    DestroyWindow(b);
}

TEST_F(Balloons, OnlyClickCloseBalloonsGoOnAClick) {
    HWND keep = vwBalloonMsg(owner, "stay", 0, 0, 0, 0, nullptr, 0, 0, VWB_PIXELS);
    HWND close = vwBalloonMsg(owner, "go", 0, 0, 0, 0, nullptr, 0, 0, VWB_PIXELS | VWB_CLICKCLOSE);
    EXPECT_EQ(SendMessageA(keep, WM_LBUTTONDOWN, MK_LBUTTON, 0), 0);
    EXPECT_EQ(SendMessageA(close, WM_RBUTTONDOWN, MK_RBUTTON, 0), 0);
    EXPECT_TRUE(IsWindow(keep));
    EXPECT_FALSE(IsWindow(close));
    DestroyWindow(keep);
}

namespace {

struct ErrorBalloon : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "balloons", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 40, 40, 300, 200, FALSE);
        vwSetFieldEx(view.get(), 9, "edit", "", WS_TABSTOP | WS_VISIBLE, 0, 10, 20, 30, 12, nullptr, nullptr);
        vwShowView(view.get());
    }
    LRESULT Show(const char* directives, const char* message) {
        lstrcpyA(text, message);
        VWERRORREC rec = {};
        rec.hField = vwGetFieldWindow(view.get(), 9);
        rec.fieldId = 9;
        rec.directives = directives;
        rec.text = text;
        rec.caption = "Error";
        return SendMessageA(view->hWnd, VWM_SHOWERROR, 9, reinterpret_cast<LPARAM>(&rec));
    }
    char text[256] = {};
    ViewGuard view;
};

// What a timer saw while a warning balloon was up.
struct DuringWarning {
    bool viewEnabled = true;
    HWND focus = reinterpret_cast<HWND>(1);
    COLORREF bk = 0;
    HWND balloon = nullptr;
} g_during;
HVIEW g_warnView = nullptr;

void CALLBACK LookDuringWarning(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_during.viewEnabled = IsWindowEnabled(g_warnView->hWnd) != 0;
    g_during.focus = GetFocus();
    g_during.balloon = g_warnView->hBalloon;
    if (g_during.balloon) g_during.bk = static_cast<COLORREF>(GetWindowLongA(g_during.balloon, VWBL_BKCOLOR));
}

} // namespace

TEST_F(ErrorBalloon, BelowTheFieldUntilTheNextKeyAndNotReplaced) {
    EXPECT_EQ(Show("", "Amount too large"), VWSE_HANDLED);
    HWND b = view->hBalloon;
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(TextOf(b), "Amount too large");
    RECT field = WindowRectOf(vwGetFieldWindow(view.get(), 9)), rc = WindowRectOf(b);
    EXPECT_EQ(rc.left, field.left);
    EXPECT_EQ(rc.top, field.bottom + 2);
    // rounded corners: margins of 5 dialog units; the text fits on one line
    // of the minimum width, so the balloon is fitted to it
    LONG margin[4] = {5, 5, 0, 0};
    vwDialogToScreen(margin);
    const SIZE t = TextSize("Amount too large");
    EXPECT_EQ(rc.right - rc.left, 4 * margin[0] + t.cx);
    EXPECT_EQ(rc.bottom - rc.top, 3 * margin[1] + t.cy);
    EXPECT_EQ(GetWindowLongA(b, VWBL_STYLE), VWB_PIXELS | VWB_SCREEN | VWB_COLORS);
    EXPECT_EQ(GetWindowLongA(b, VWBL_TEXTCOLOR), RGB(0, 0, 0));  // the view's error colours
    EXPECT_EQ(GetWindowLongA(b, VWBL_BKCOLOR), RGB(255, 255, 255));
    EXPECT_EQ(Show("", "Second"), VWSE_HANDLED);
    EXPECT_EQ(view->hBalloon, b);
    EXPECT_EQ(TextOf(b), "Amount too large");
    SendMessageA(view->hWnd, WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(IsWindow(b));
    EXPECT_EQ(view->hBalloon, nullptr);
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);
    // a long text wraps within 100 dialog units (the field is narrower)
    Show("", "This amount is far larger than any credit limit that the customer has");
    LONG minimum[4] = {100, 0, 0, 0};
    vwMapDialogToScreen(view->hWnd, minimum);
    rc = WindowRectOf(view->hBalloon);
    EXPECT_LE(rc.right - rc.left, minimum[0] + margin[0]);
    EXPECT_GE(rc.bottom - rc.top, 3 * margin[1] + 2 * t.cy);
}

TEST_F(ErrorBalloon, AWarningStaysASecondWithTheViewDisabled) {
    g_warnView = view.get();
    g_during = DuringWarning();
    SetFocus(vwGetFieldWindow(view.get(), 9));
    SetTimer(nullptr, 0, 300, LookDuringWarning);
    const DWORD start = GetTickCount();
    EXPECT_EQ(Show("@WARN", "Check the amount"), VWSE_HANDLED | VWSE_WARNING);
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 900u);
    EXPECT_LT(took, 2000u);
    EXPECT_FALSE(g_during.viewEnabled);
    EXPECT_EQ(g_during.focus, nullptr);
    ASSERT_NE(g_during.balloon, nullptr);
    EXPECT_EQ(g_during.bk, RGB(255, 255, 0));  // black on yellow
    EXPECT_FALSE(IsWindow(g_during.balloon));
    EXPECT_EQ(view->hBalloon, nullptr);
    EXPECT_TRUE(IsWindowEnabled(view->hWnd));
}
