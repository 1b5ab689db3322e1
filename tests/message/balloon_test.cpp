// Balloons: placement and size, painting, closing by click, and the error
// balloons of VWM_SHOWERROR.
#include <gtest/gtest.h>

#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

RECT RectOf(HWND h) {
    RECT rc = {};
    GetWindowRect(h, &rc);
    return rc;
}

// The one-line size of a text in the balloons' default font.
SIZE TextSize(const char* text) {
    HFONT font = vwCreateFont("Helv", 8, 0);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r = {0, 0, 0, 0};
    DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
    DeleteObject(SelectObject(dc, old));
    ReleaseDC(nullptr, dc);
    return {r.right, r.bottom};
}

} // namespace

TEST(Balloons, PlacedFittedAndShifted) {
    RegisterTestClass("tsowner", DefWindowProcA);
    HWND owner = CreateWindowA("tsowner", "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr, Instance(), nullptr);
    const UINT style = VWB_PIXELS | VWB_SQUARE | VWB_COLORS | VWB_SINGLELINE;
    HWND b = vwBalloonMsg(owner, "Customer name", 10, 20, 0, 0, nullptr, RGB(1, 2, 3), RGB(4, 5, 6), style);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(GetWindow(b, GW_OWNER), owner);
    const SIZE t = TextSize("Customer name");
    RECT rc = RectOf(b);
    EXPECT_EQ(rc.left, 110);  // offsets from the owner's corner
    EXPECT_EQ(rc.top, 120);
    EXPECT_EQ(rc.right - rc.left, 4 * 4 + t.cx);  // 4-pixel margins: one in the measure, three around
    EXPECT_EQ(rc.bottom - rc.top, 3 * 4 + t.cy);
    EXPECT_EQ(GetWindowLongA(b, VWBL_BKCOLOR), RGB(4, 5, 6));
    EXPECT_EQ(static_cast<UINT>(GetWindowLongA(b, VWBL_STYLE)), style);
    DestroyWindow(b);
    // dialog units unless pixels are asked for; width 0 is 100
    b = vwBalloonMsg(owner, "x", 8, 16, 0, 40, nullptr, 0, 0, VWB_SQUARE);
    LONG r[4] = {8, 16, 100, 40};
    vwDialogToScreen(r);
    rc = RectOf(b);
    EXPECT_EQ(rc.left - 100, r[0]);
    EXPECT_EQ(rc.top - 100, r[1]);
    EXPECT_EQ(rc.right - rc.left, r[2]);
    EXPECT_EQ(rc.bottom - rc.top, r[3]);
    DestroyWindow(b);
    DestroyWindow(owner);
    // beyond the right and bottom screen edges: moved to end exactly there
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    b = vwBalloonMsg(nullptr, "edge", cx - 20, cy - 5, 100, 30, nullptr, 0, 0, VWB_PIXELS | VWB_SCREEN);
    EXPECT_EQ(RectOf(b).left, cx - 100);
    EXPECT_EQ(RectOf(b).bottom, cy);
    DestroyWindow(b);
}

TEST(Balloons, PaintingAndClicks) {
    HWND b = vwBalloonMsg(nullptr, "", 50, 50, 60, 40, nullptr, 0, RGB(0, 0, 255),
                          VWB_PIXELS | VWB_SCREEN | VWB_SQUARE | VWB_COLORS);
    HWND plain = vwBalloonMsg(nullptr, "", 150, 50, 60, 40, nullptr, 0, RGB(0, 0, 255),
                              VWB_PIXELS | VWB_SCREEN | VWB_SQUARE | VWB_NOSHADOW | VWB_CLICKCLOSE);
    PumpMessages();
    // body 0..56 x 0..36 outlined in black; the shadow 4 pixels right and down
    EXPECT_EQ(PixelAt(b, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(b, 20, 20), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(b, 58, 38), RGB(128, 128, 128));
    EXPECT_EQ(PixelAt(plain, 20, 20), RGB(255, 255, 255));  // no own colours: the DC's white brush
    EXPECT_NE(PixelAt(plain, 58, 38), RGB(128, 128, 128));
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(plain, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_TRUE(IsWindow(b));
    EXPECT_FALSE(IsWindow(plain));
    DestroyWindow(b);
}

namespace {

struct ErrorBalloon : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "balloons", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        vwSetFieldEx(view.get(), 9, "edit", "", WS_TABSTOP | WS_VISIBLE, 0, 10, 20, 30, 12, nullptr, nullptr);
        vwShowView(view.get());
    }
    LRESULT Show(const char* directives, const char* message) {
        lstrcpyA(text, message);
        VWERRORREC rec = {};
        rec.fieldId = 9;
        rec.directives = directives;
        rec.text = text;
        return SendMessageA(view->hWnd, VWM_SHOWERROR, 9, reinterpret_cast<LPARAM>(&rec));
    }
    char text[256] = {};
    ViewGuard view;
};

// What a timer saw while a warning balloon was up.
HWND g_view, g_warning;
bool g_enabledDuring;
COLORREF g_warningBk;
void CALLBACK LookDuringWarning(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_enabledDuring = IsWindowEnabled(g_view);
    g_warning = vwGetView(g_view)->hBalloon;
    g_warningBk = static_cast<COLORREF>(GetWindowLongA(g_warning, VWBL_BKCOLOR));
}

} // namespace

TEST_F(ErrorBalloon, BelowTheFieldUntilTheNextKeyAndNotReplaced) {
    EXPECT_EQ(Show("", "Amount too large"), VWSE_HANDLED);
    HWND b = view->hBalloon;
    ASSERT_NE(b, nullptr);
    const RECT field = RectOf(vwGetFieldWindow(view.get(), 9)), rc = RectOf(b);
    EXPECT_EQ(rc.left, field.left);
    EXPECT_EQ(rc.top, field.bottom + 2);
    LONG margin[4] = {5, 5, 0, 0};  // rounded corners: 5 dialog units
    vwDialogToScreen(margin);
    const SIZE t = TextSize("Amount too large");
    EXPECT_EQ(rc.right - rc.left, 4 * margin[0] + t.cx);
    EXPECT_EQ(rc.bottom - rc.top, 3 * margin[1] + t.cy);
    EXPECT_EQ(GetWindowLongA(b, VWBL_STYLE), VWB_PIXELS | VWB_SCREEN | VWB_COLORS);
    EXPECT_EQ(GetWindowLongA(b, VWBL_BKCOLOR), RGB(255, 255, 255));  // the view's error colours
    Show("", "Second");
    EXPECT_EQ(view->hBalloon, b);
    EXPECT_EQ(TextOf(b), "Amount too large");
    SendMessageA(view->hWnd, WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(IsWindow(b));
    EXPECT_EQ(vwGetViewErrorStatus(view.get()), 0);
}

TEST_F(ErrorBalloon, AWarningStaysASecondWithTheViewDisabled) {
    g_view = view->hWnd;
    SetTimer(nullptr, 0, 300, LookDuringWarning);
    const DWORD start = GetTickCount();
    EXPECT_EQ(Show("@WARN", "Check the amount"), VWSE_HANDLED | VWSE_WARNING);
    EXPECT_GE(GetTickCount() - start, 900u);
    EXPECT_FALSE(g_enabledDuring);
    EXPECT_EQ(g_warningBk, RGB(255, 255, 0));  // black on yellow
    EXPECT_FALSE(IsWindow(g_warning));
    EXPECT_EQ(view->hBalloon, nullptr);
    EXPECT_TRUE(IsWindowEnabled(view->hWnd));
}
