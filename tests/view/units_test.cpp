// Dialog units, view placement and view fonts.  The figures are worked out
// for the dialog base units of the test machine, 8 x 16 pixels, and a screen
// of 96 dots per inch.
#include <gtest/gtest.h>

#include <vector>

#include "testapp.h"

using namespace tstest;

namespace {

HVIEW Open(DWORD style, DWORD exStyle = 0, HWND parent = nullptr) {
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(8, 16));
    HVIEW v = vwOpenView(Instance(), "units", style, parent, nullptr, 0);
    if (v && exStyle) vwSetViewExStyle(v, exStyle);
    return v;
}

using Quad = std::vector<LONG>;

// Left, top, width and height of a window on the screen.
Quad Placed(HWND h) {
    RECT rc;
    GetWindowRect(h, &rc);
    return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

} // namespace

TEST(Units, DialogUnitsTruncateBothWaysAndFollowTheViewFontUnlessAnOldRecordIsRead) {
    ViewGuard v(Open(WS_POPUP));
    auto toScreen = [](Quad r) { return vwDialogToScreen(r.data()), r; };
    auto toDialog = [](Quad r) { return vwScreenToDialog(r.data()), r; };
    auto mapBack = [](Quad r) { return vwMapScreenToDialog(nullptr, r.data()), r; };
    auto map = [&](Quad r) { return vwMapDialogToScreen(v->hWnd, r.data()), r; };
    EXPECT_EQ(toScreen({10, 10, 100, 50}), (Quad{20, 20, 200, 100}));
    EXPECT_EQ(toDialog({21, 23, 201, 101}), (Quad{10, 11, 100, 50}));
    EXPECT_EQ(mapBack({20, 22, 200, 100}), (Quad{10, 11, 100, 50}));  // one pixel more first
    EXPECT_EQ(map({4, 8, 8, 16}), (Quad{8, 16, 16, 32}));             // no font yet: the base units

    vwSetViewFont(v.get(), "Arial", 20, 0, FALSE);
    TEXTMETRICA tm = {};
    HDC dc = GetDC(v->hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(v->hWnd, WM_GETFONT, 0, 0)));
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(v->hWnd, dc);
    const LONG x = tm.tmAveCharWidth + tm.tmOverhang, y = tm.tmHeight;
    ASSERT_NE(x, 8);
    // 4 horizontal and 8 vertical units are one character of the font
    EXPECT_EQ(map({4, 8, 8, 16}), (Quad{x, y, 2 * x, 2 * y}));
    vwSetTSFlags(VWTS_VERSION, 30);
    EXPECT_EQ(map({4, 8, 8, 16}), (Quad{8, 16, 16, 32}));
    vwSetTSFlags(VWTS_VERSION, 0);
}

TEST(Placement, TheClientSizeGrowsByTheFrameOfEachStyle) {
    const int cxB = GetSystemMetrics(SM_CXBORDER), cyB = GetSystemMetrics(SM_CYBORDER);
    const int cxD = GetSystemMetrics(SM_CXDLGFRAME), cyD = GetSystemMetrics(SM_CYDLGFRAME);
    const int cap = GetSystemMetrics(SM_CYCAPTION);
    const struct {
        DWORD style, exStyle;
        int dx, dy;
    } cases[] = {
        {WS_POPUP | WS_BORDER | WS_VSCROLL, 0, 2 * cxB + GetSystemMetrics(SM_CXVSCROLL), 2 * cyB},
        {WS_POPUP | WS_CAPTION | WS_HSCROLL, 0, 2 * cxB, cap + 2 * cyB + GetSystemMetrics(SM_CYHSCROLL) - 1},
        {WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, 2 * cxD, cap + 2 * cyD},
        {WS_POPUP, WS_EX_DLGMODALFRAME, 2 * cxD + 2 * cxB, 2 * cyD + 2 * cyB},
        {WS_POPUP | WS_THICKFRAME, 0, 2 * GetSystemMetrics(SM_CXFRAME), 2 * GetSystemMetrics(SM_CYFRAME)},
    };
    for (const auto& c : cases) {
        ViewGuard v(Open(c.style, c.exStyle));
        vwSetViewPosition(v.get(), 4, 8, 100, 24, VWP_DIALOGUNITS | VWP_ABSOLUTE);
        EXPECT_EQ(Placed(v->hWnd), (Quad{8, 16, 200 + c.dx, 48 + c.dy})) << std::hex << c.style;
    }
    ViewGuard m(Open(WS_POPUP));  // a menu adds its bar
    SetMenu(m->hWnd, CreateMenu());
    vwSetViewPosition(m.get(), 0, 0, 40, 24, VWP_DIALOGUNITS | VWP_ABSOLUTE);
    EXPECT_EQ(Placed(m->hWnd)[3], 48 + GetSystemMetrics(SM_CYMENU));
}

TEST(Placement, FillCentreRelativeAndOnScreen) {
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 50, 60, 300, 200, nullptr, nullptr, Instance(),
                                nullptr);
    ViewGuard popup(Open(WS_POPUP, 0, parent)), child(Open(WS_CHILD, 0, parent)), orphan(Open(WS_POPUP));
    vwSetViewPosition(popup.get(), 1, 1, 1, 1, VWP_FILLPARENT);
    vwSetViewPosition(child.get(), 1, 1, 1, 1, VWP_FILLPARENT);  // at the parent's (0, 0)
    vwSetViewPosition(orphan.get(), 5, 5, 5, 5, VWP_FILLPARENT);
    EXPECT_EQ(Placed(popup->hWnd), (Quad{50, 60, 300, 200}));
    EXPECT_EQ(Placed(child->hWnd), (Quad{50, 60, 300, 200}));
    EXPECT_EQ(Placed(orphan->hWnd), (Quad{0, 0, 200, 100}));
    // centred at the current size, halved toward zero
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    MoveWindow(orphan->hWnd, 0, 0, 101, 51, FALSE);
    vwSetViewPosition(orphan.get(), 0, 0, 0, 0, VWP_CENTER);
    EXPECT_EQ(Placed(orphan->hWnd), (Quad{(sw - 101) / 2, (sh - 51) / 2, 101, 51}));
    // dialog units: relative to the parent's client origin, kept on the screen
    vwSetViewPosition(popup.get(), 4, 8, 40, 16, VWP_DIALOGUNITS);
    EXPECT_EQ(Placed(popup->hWnd), (Quad{58, 76, 80, 32}));
    vwSetViewPosition(popup.get(), 4000, 8, 40, 16, VWP_DIALOGUNITS);
    EXPECT_EQ(Placed(popup->hWnd)[0], sw - 80);
    popup.reset();
    child.reset();
    DestroyWindow(parent);
}

TEST(ViewFont, PointsStylesFamiliesAndWhoseFontIsDeleted) {
    ViewGuard v(Open(WS_POPUP));
    auto font = [&] { return FontOf(reinterpret_cast<HFONT>(SendMessageA(v->hWnd, WM_GETFONT, 0, 0))); };
    auto seen = [](const LOGFONTA& f) {
        return Quad{f.lfHeight, f.lfWeight, f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfPitchAndFamily, f.lfCharSet};
    };
    EXPECT_EQ(vwSetViewFont(v.get(), "MS Sans Serif", 8, VWFONT_BOLD, FALSE), 1);
    const HFONT first = reinterpret_cast<HFONT>(SendMessageA(v->hWnd, WM_GETFONT, 0, 0));
    EXPECT_EQ(seen(font()), (Quad{-11, FW_BOLD, 0, 0, 0, 0, 0}));
    vwSetViewFont(v.get(), "Terminal", 12, VWFONT_ITALIC | VWFONT_STRIKEOUT, FALSE);
    EXPECT_EQ(GetObjectType(first), 0u);  // the view's own font is replaced and deleted
    EXPECT_EQ(seen(font()), (Quad{-16, FW_NORMAL, 1, 0, 1, 0x30, OEM_CHARSET}));
    HFONT made = vwCreateFont("wingdings", 8, VWFONT_UNDERLINE);
    EXPECT_EQ(seen(FontOf(made)), (Quad{-11, FW_NORMAL, 0, 1, 0, 0x50, SYMBOL_CHARSET}));
    DeleteObject(made);
    // a font the application gives stays its own
    HFONT app = CreateFontA(-15, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SendMessageA(v->hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(app), FALSE);
    vwSetViewFont(v.get(), "Arial", 9, 0, FALSE);
    EXPECT_EQ(GetObjectType(app), static_cast<DWORD>(OBJ_FONT));
    v.reset();
    DeleteObject(app);
}
