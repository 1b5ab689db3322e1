// Dialog units, view placement and view fonts.
#include <gtest/gtest.h>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

struct Base {
    int x, y;
};
Base BaseUnits() {
    LONG b = GetDialogBaseUnits();
    return {LOWORD(b), HIWORD(b)};
}

// The conversion back: value x k / u without overflow, truncated.
LONG Back(LONG v, int k, int u) { return (v % u) * k / u + (v / u) * k; }

HVIEW Open(DWORD style, DWORD exStyle = 0, HWND parent = nullptr) {
    HVIEW v = vwOpenView(Instance(), "units", style, parent, nullptr, 0);
    if (v && exStyle) vwSetViewExStyle(v, exStyle);
    return v;
}

SIZE WindowSize(HWND h) {
    RECT rc;
    GetWindowRect(h, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

} // namespace

TEST(Units, DialogBaseUnitConversions) {
    Base u = BaseUnits();
    LONG r[4] = {10, 10, 100, 50};
    vwDialogToScreen(r);
    EXPECT_EQ(r[0], 10 * u.x / 4);
    EXPECT_EQ(r[1], 10 * u.y / 8);
    EXPECT_EQ(r[2], 100 * u.x / 4);
    EXPECT_EQ(r[3], 50 * u.y / 8);
    LONG px[4] = {r[0], r[1], r[2], r[3]};
    vwScreenToDialog(r);
    EXPECT_EQ(r[0], Back(px[0], 4, u.x));
    EXPECT_EQ(r[3], Back(px[3], 8, u.y));
    // the window mapping adds one pixel first; with no window it uses the base units
    LONG m[4] = {px[0], px[1], px[2], px[3]};
    vwMapScreenToDialog(nullptr, m);
    EXPECT_EQ(m[0], Back(px[0] + 1, 4, u.x));
    EXPECT_EQ(m[1], Back(px[1] + 1, 8, u.y));
    LONG neg[4] = {-3, -1, -7, 0};
    vwDialogToScreen(neg);
    EXPECT_EQ(neg[0], -3 * u.x / 4);  // toward zero
    EXPECT_EQ(neg[1], -1 * u.y / 8);
}

TEST(Units, WindowFontUnitsUnlessAnOldRecordIsBeingRead) {
    ViewGuard v(Open(WS_POPUP));
    // the view measures its font: words 20 and 22 of the window
    vwSetViewFont(v.get(), "Arial", 20, 0, FALSE);
    int fx = GetWindowWord(v->hWnd, VWW_CHARWIDTH), fy = GetWindowWord(v->hWnd, VWW_CHARHEIGHT);
    Base u = BaseUnits();
    ASSERT_NE(fx, u.x);
    LONG r[4] = {8, 8, 8, 8};
    vwMapDialogToScreen(v->hWnd, r);
    EXPECT_EQ(r[0], 8 * fx / 4);
    EXPECT_EQ(r[1], 8 * fy / 8);
    vwSetTSFlags(VWTS_VERSION, 30);
    LONG old[4] = {8, 8, 8, 8};
    vwMapDialogToScreen(v->hWnd, old);
    EXPECT_EQ(old[0], 8 * u.x / 4);
    EXPECT_EQ(old[1], 8 * u.y / 8);
    vwSetTSFlags(0, 42);  // without bit 0x1 nothing changes
    LONG still[4] = {8, 8, 8, 8};
    vwMapDialogToScreen(v->hWnd, still);
    EXPECT_EQ(still[0], 8 * u.x / 4);
    vwSetTSFlags(VWTS_VERSION, 0);
    // a window whose units are 0 falls back to the base units
    HWND plain = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, Instance(), nullptr);
    LONG p[4] = {8, 8, 8, 8};
    vwMapDialogToScreen(plain, p);
    EXPECT_EQ(p[0], 8 * u.x / 4);
    DestroyWindow(plain);
}

TEST(Placement, FrameGrowthForEachFrameKind) {
    const int cxBorder = GetSystemMetrics(SM_CXBORDER), cyBorder = GetSystemMetrics(SM_CYBORDER);
    const int cxDlg = GetSystemMetrics(SM_CXDLGFRAME), cyDlg = GetSystemMetrics(SM_CYDLGFRAME);
    const int cyCaption = GetSystemMetrics(SM_CYCAPTION);
    struct Case {
        const char* what;
        DWORD style, exStyle;
        int dx, dy;
    };
    const Case cases[] = {
        {"plain popup", WS_POPUP, 0, 0, 0},
        {"border", WS_POPUP | WS_BORDER, 0, 2 * cxBorder, 2 * cyBorder},
        {"caption", WS_POPUP | WS_CAPTION, 0, 2 * cxBorder, cyCaption + 2 * cyBorder},
        {"caption, modal frame", WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, 2 * cxDlg, cyCaption + 2 * cyDlg},
        {"dialog frame", WS_POPUP | WS_DLGFRAME, 0, 2 * cxDlg + 2 * cxBorder, 2 * cyDlg + 2 * cyBorder},
        {"modal frame", WS_POPUP, WS_EX_DLGMODALFRAME, 2 * cxDlg + 2 * cxBorder, 2 * cyDlg + 2 * cyBorder},
        {"thick frame", WS_POPUP | WS_THICKFRAME, 0, 2 * GetSystemMetrics(SM_CXFRAME),
         2 * GetSystemMetrics(SM_CYFRAME)},
        {"caption, thick frame", WS_POPUP | WS_CAPTION | WS_THICKFRAME, 0, 2 * GetSystemMetrics(SM_CXFRAME),
         cyCaption + 2 * GetSystemMetrics(SM_CYFRAME)},
        {"scroll bars", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, GetSystemMetrics(SM_CXVSCROLL),
         GetSystemMetrics(SM_CYHSCROLL) - 1},
    };
    Base u = BaseUnits();
    for (const Case& c : cases) {
        ViewGuard v(Open(c.style, c.exStyle));
        ASSERT_TRUE(v) << c.what;
        vwSetViewPosition(v.get(), 4, 8, 100, 24, VWP_DIALOGUNITS | VWP_ABSOLUTE);
        SIZE s = WindowSize(v->hWnd);
        EXPECT_EQ(s.cx, 100 * u.x / 4 + c.dx) << c.what;  // wider than a resizable minimum
        EXPECT_EQ(s.cy, 24 * u.y / 8 + c.dy) << c.what;
        EXPECT_EQ(vwGetViewXPos(v.get()), 4 * u.x / 4) << c.what;
    }
    // a menu adds its bar
    ViewGuard m(Open(WS_POPUP));
    SetMenu(m->hWnd, CreateMenu());
    vwSetViewPosition(m.get(), 0, 0, 40, 24, VWP_DIALOGUNITS | VWP_ABSOLUTE);
    EXPECT_EQ(WindowSize(m->hWnd).cy, 24 * u.y / 8 + GetSystemMetrics(SM_CYMENU));
}

TEST(Placement, FillCentreRelativeAndOnScreen) {
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 50, 60, 300, 200, nullptr, nullptr, Instance(),
                                nullptr);
    ViewGuard popup(Open(WS_POPUP, 0, parent));
    ViewGuard child(Open(WS_CHILD, 0, parent));
    ASSERT_TRUE(popup && child);
    vwSetViewPosition(popup.get(), 1, 1, 1, 1, VWP_FILLPARENT);
    EXPECT_EQ(vwGetViewXPos(popup.get()), 50);
    EXPECT_EQ(vwGetViewWidth(popup.get()), 300);
    vwSetViewPosition(child.get(), 1, 1, 1, 1, VWP_FILLPARENT);
    RECT rc;
    GetWindowRect(child->hWnd, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.bottom, 200);

    ViewGuard orphan(Open(WS_POPUP));
    vwSetViewPosition(orphan.get(), 5, 5, 5, 5, VWP_FILLPARENT);
    EXPECT_EQ(vwGetViewWidth(orphan.get()), 200);
    EXPECT_EQ(vwGetViewHeight(orphan.get()), 100);
    // centred at the current size, halved toward zero
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    MoveWindow(orphan->hWnd, 0, 0, 101, 51, FALSE);
    vwSetViewPosition(orphan.get(), 0, 0, 0, 0, VWP_CENTER);
    EXPECT_EQ(vwGetViewXPos(orphan.get()), (sw - 101) / 2);
    EXPECT_EQ(vwGetViewYPos(orphan.get()), (sh - 51) / 2);
    EXPECT_EQ(vwGetViewWidth(orphan.get()), 101);

    // dialog units: relative to the parent's client origin, kept on the screen
    Base u = BaseUnits();
    vwSetViewPosition(popup.get(), 4, 8, 40, 16, VWP_DIALOGUNITS);
    EXPECT_EQ(vwGetViewXPos(popup.get()), 50 + 4 * u.x / 4);
    EXPECT_EQ(vwGetViewYPos(popup.get()), 60 + 8 * u.y / 8);
    vwSetViewPosition(popup.get(), 4000, 8, 40, 16, VWP_DIALOGUNITS);
    EXPECT_EQ(vwGetViewXPos(popup.get()), sw - 40 * u.x / 4);
    popup.reset();
    child.reset();
    DestroyWindow(parent);
}

TEST(ViewFont, PointsRawHeightsAndOwnership) {
    ViewGuard v(Open(WS_POPUP));
    EXPECT_EQ(vwSetViewFont(v.get(), "MS Sans Serif", 8, VWFONT_BOLD, FALSE), 1);
    HFONT first = v->hFont;
    LOGFONTA lf = FontOf(first);
    EXPECT_EQ(lf.lfHeight, PointsToHeight(8));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(v->fontState, VWFS_POINTS);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(v->hWnd, WM_GETFONT, 0, 0)), first);
    // the next font replaces and deletes the view's own
    vwSetViewFont(v.get(), "Arial", 12, VWFONT_ITALIC | VWFONT_STRIKEOUT, FALSE);
    EXPECT_EQ(GetObjectType(first), 0u);
    lf = FontOf(v->hFont);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_TRUE(lf.lfItalic && lf.lfStrikeOut && !lf.lfUnderline);
    // a raw height for old records
    v->fontState = VWFS_RAWHEIGHT;
    vwSetViewFont(v.get(), "MS Sans Serif", 8, 1, FALSE);
    EXPECT_EQ(FontOf(v->hFont).lfHeight, 8);
    EXPECT_EQ(v->fontState, VWFS_POINTS);

    // a font the application set through WM_SETFONT is its own
    HFONT app = CreateFontA(-15, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HFONT held = v->hFont;
    SendMessageA(v->hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(app), FALSE);
    EXPECT_EQ(GetObjectType(held), 0u);  // the view's own went
    EXPECT_EQ(v->fontState, VWFS_NONE);
    vwSetViewFont(v.get(), "Arial", 9, 0, FALSE);
    EXPECT_EQ(GetObjectType(app), static_cast<DWORD>(OBJ_FONT));  // never the application's
    // lParam 999 replaces without deleting
    HFONT mine = v->hFont;
    HFONT other = CreateFontA(-9, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SendMessageA(v->hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(other), 999);
    EXPECT_EQ(GetObjectType(mine), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(reinterpret_cast<HFONT>(GetWindowLongPtrA(v->hWnd, VWL_FONT)), other);
    v.reset();
    DeleteObject(mine);
    DeleteObject(app);
}

TEST(ViewFont, InvalidHandleMakesNoFont) {
    MessageBoxCapture boxes;
    int fake = 0;
    EXPECT_EQ(vwSetViewFont(reinterpret_cast<HVIEW>(&fake), "Arial", 8, 0, FALSE), 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Tessarine Screen Manager");
}

TEST(Fonts, CreateFontAndFaceFlags) {
    HFONT f = vwCreateFont("Terminal", 12, VWFONT_BOLD | VWFONT_UNDERLINE);
    LOGFONTA lf = FontOf(f);
    EXPECT_EQ(lf.lfHeight, PointsToHeight(12));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(lf.lfPitchAndFamily, 0x30);
    EXPECT_EQ(lf.lfCharSet, OEM_CHARSET);
    DeleteObject(f);

    struct Row {
        const char* face;
        BYTE pitch, charset;
    };
    const Row rows[] = {
        {"Modern", 0x30, 255},   {"script", 0x40, 255},    {"ROMAN", 0x10, 255},
        {"WingDings", 0x50, 2},  {"Symbol", 0x50, 2},      {"Arial", 0, 0},
        {"\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e", 0x31, 128},
        {"\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9", 0x11, 128},
        {"\x95\x57\x8f\x80\x83\x53\x83\x56\x83\x62\x83\x4e", 0, 128},
        {"\x95\x57\x8f\x80\x96\xbe\x92\xa9", 0, 128},
    };
    for (const Row& r : rows) {
        BYTE pitch = 0x77, charset = 0x77;
        EXPECT_EQ(vwGetFontFlags(r.face, &pitch, &charset), 1);
        EXPECT_EQ(pitch, r.pitch) << r.face;
        EXPECT_EQ(charset, r.charset) << r.face;
    }
    // "System" keeps the presets where double-byte characters are off
    BYTE pitch = 0x77, charset = 0x66;
    vwGetFontFlags("System", &pitch, &charset);
    if (!GetSystemMetrics(SM_DBCSENABLED)) {
        EXPECT_EQ(pitch, 0x77);
        EXPECT_EQ(charset, 0x66);
    }
}
