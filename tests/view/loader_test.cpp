// Building views from dialog templates and view-definition records; dialog
// units, placement and view fonts.  The figures are worked out for the test
// machine: dialog base units of 8 x 16 pixels, 96 dots per inch (8 points
// are 11 pixels, 10 points 13, 12 points 16), and 8-point bold "MS Sans
// Serif" of 7 x 13 pixels a character.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imports.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

using Quad = std::vector<LONG>;

std::string ViewString(HVIEW v) {
    char buf[512] = {};
    return vwGetViewString(v, buf, sizeof buf), buf;
}
std::string Name(HVIEW v) {
    char buf[32] = {};
    return vwGetViewResourceName(v, buf), buf;
}

// Height, weight, italic, underline, strikeout, pitch and family, character set.
Quad Font(HFONT f) {
    const LOGFONTA lf = FontOf(f);
    return {lf.lfHeight, lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfPitchAndFamily, lf.lfCharSet};
}
HFONT WindowFont(HWND h) { return reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)); }
LONG Shows(HVIEW v, LONG id) { return StyleOf(GetDlgItem(v->hWnd, id)) & (WS_VISIBLE | WS_TABSTOP); }

// Left, top, width and height of a window on the screen.
Quad Placed(HWND h) {
    RECT rc;
    GetWindowRect(h, &rc);
    return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

HVIEW Open(DWORD style, DWORD exStyle = 0, HWND parent = nullptr) {
    EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(8, 16));
    HVIEW v = vwOpenView(Instance(), "units", style, parent, nullptr, 0);
    if (v && exStyle) vwSetViewExStyle(v, exStyle);
    return v;
}

void* WINAPI NoLock(HGLOBAL) { return nullptr; }

} // namespace

TEST(Loader, TheFileOpenRecordMakesAHiddenModalViewOfFourFieldsAndALabel) {
    ViewGuard v(vwCreateView(Instance(), "FileOpen", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    EXPECT_EQ(Name(v.get()), "FileOpen");
    EXPECT_EQ(ViewString(v.get()), "@CTL3D@VIEWNAME(FileOpen)");
    char buf[64] = {};
    vwGetFieldString(v.get(), 102, buf, sizeof buf);
    EXPECT_STREQ(buf, "@3D4");
    EXPECT_EQ(vwGetFieldCount(v.get()), 4);
    EXPECT_EQ(GetDlgItem(v->hWnd, 200), nullptr);  // the view draws the label itself
    vwGetTextFieldText(v.get(), 1, buf, 60);
    EXPECT_STREQ(buf, "File &name:");
    EXPECT_EQ(vwGetTextFieldLink(v.get(), 1), 200);
    EXPECT_EQ(vwGetOKButton(v.get()), 1u);
    EXPECT_EQ(vwGetCancelButton(v.get()), 2);
    EXPECT_EQ(ClassOf(v->hWnd), "tsModalView32");  // for the modal frame
    EXPECT_FALSE(IsWindowVisible(v->hWnd));
}

TEST(Loader, ViewsWithoutDirectivesTheirNamesAndPlaces) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 80, 300, 200, nullptr, nullptr,
                                  Instance(), nullptr);
    // no record: every field shows, every non-static is a tab stop, and the
    // template's font is in points
    ViewGuard bare(vwCreateView(Instance(), "101", parent, nullptr, 0));
    ASSERT_TRUE(bare);
    EXPECT_EQ(Name(bare.get()), "101");
    EXPECT_EQ(Shows(bare.get(), 102), WS_VISIBLE | WS_TABSTOP);
    EXPECT_EQ(Shows(bare.get(), 103), WS_VISIBLE);
    EXPECT_EQ(Font(WindowFont(bare->hWnd)), (Quad{-11, FW_BOLD, 0, 0, 0, 0, ANSI_CHARSET}));
    char buf[8] = "x";
    EXPECT_EQ(vwGetViewString(bare.get(), buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(vwGetOKButton(bare.get()), 0u);
    // the 16-byte record keeps the template's visibility and tab stops; a
    // template without a font gets 8-point bold "MS Sans Serif"
    ViewGuard cut(vwCreateView(Instance(), "LONGNAME1234", parent, nullptr, 0));
    ASSERT_TRUE(cut);
    EXPECT_EQ(Name(cut.get()), "LONGNAME123");
    EXPECT_EQ(Shows(cut.get(), 102), 0);
    EXPECT_EQ(Shows(cut.get(), 103), WS_VISIBLE);
    EXPECT_EQ(Font(WindowFont(cut->hWnd)), Font(WindowFont(bare->hWnd)));
    EXPECT_STREQ(FontOf(WindowFont(cut->hWnd)).lfFaceName, "MS Sans Serif");
    // both are laid out in units of that font: (20, 10, 100, 40) is (35, 16,
    // 175, 65), on the parent's client area unless the template says DS_ABSALIGN
    POINT at = {0, 0};
    ClientToScreen(parent, &at);
    EXPECT_EQ(Placed(bare->hWnd), (Quad{at.x + 35, at.y + 16, 175, 65}));
    EXPECT_EQ(Placed(cut->hWnd), (Quad{35, 16, 175, 65}));
    // the view's own font replaces its font, which goes; its face decides the family
    const HFONT first = WindowFont(bare->hWnd);
    vwSetViewFont(bare.get(), "Terminal", 12, VWFONT_ITALIC | VWFONT_STRIKEOUT, FALSE);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(Font(WindowFont(bare->hWnd)), (Quad{-16, FW_NORMAL, 1, 0, 1, 0x30, OEM_CHARSET}));
    HFONT made = vwCreateFont("wingdings", 8, VWFONT_UNDERLINE);
    EXPECT_EQ(Font(made), (Quad{-11, FW_NORMAL, 0, 1, 0, 0x50, SYMBOL_CHARSET}));
    DeleteObject(made);
    Quad units = {4, 8, 8, 16};  // one character; while a record before version 42 is read, of the base units
    vwSetTSFlags(VWTS_VERSION, 30);
    vwMapDialogToScreen(bare->hWnd, units.data());
    vwSetTSFlags(VWTS_VERSION, 0);
    EXPECT_EQ(units, (Quad{8, 16, 16, 32}));
    bare.reset();
    cut.reset();
    DestroyWindow(parent);
}

TEST(Loader, RecordFontsAndColoursByVersion) {
    ViewGuard v(vwCreateView(Instance(), "Full41", nullptr, nullptr, 0));
    ViewGuard v4(vwCreateView(Instance(), "Fonts4", nullptr, nullptr, 0));
    ASSERT_TRUE(v && v4);
    EXPECT_EQ(vwGetFieldCount(v.get()), 1);  // "TEXT" in any case is a text field
    // fonts: points and styles after version 4, raw heights before
    EXPECT_EQ(Font(WindowFont(GetDlgItem(v->hWnd, 102))), (Quad{-13, FW_BOLD, 1, 0, 0, 0, DEFAULT_CHARSET}));
    EXPECT_EQ(Font(vwGetTextFieldFont(v.get(), 1)), (Quad{-16, FW_BOLD, 0, 1, 0, 0, DEFAULT_CHARSET}));
    EXPECT_EQ(Font(WindowFont(GetDlgItem(v4->hWnd, 102))), (Quad{10, 0, 0, 0, 0, 0, DEFAULT_CHARSET}));
    EXPECT_EQ(Font(vwGetTextFieldFont(v4.get(), 1)), (Quad{12, 0, 0, 0, 0, 0, DEFAULT_CHARSET}));
    EXPECT_EQ(FontOf(WindowFont(v4->hWnd)).lfHeight, 8);  // the view font of an old record too
    EXPECT_EQ(ViewString(v4.get()), "@3D");               // a Borland dialog class is given "@3D"
    // colours, high word first
    COLORREF c[4] = {};
    vwGetViewDefColors(v.get(), &c[0], &c[1], &c[2], &c[3]);
    EXPECT_EQ(std::vector<COLORREF>(c, c + 4), (std::vector<COLORREF>{0xFF, 0x123456, 0xFF00, 0xABCDEF}));
    LOGBRUSH lb = {};
    ASSERT_TRUE(GetObjectA(vwGetViewBackBrush(v.get()), sizeof lb, &lb));
    EXPECT_EQ(lb.lbColor, 0x123456u);
    EXPECT_EQ(vwGetFieldColors(v.get(), 102, &c[0], &c[1], &c[2], &c[3]), 1);
    EXPECT_EQ(std::vector<COLORREF>(c, c + 4), (std::vector<COLORREF>{0x10203, 0x40506, 0x70809, 0xA0B0C}));
}

TEST(Loader, WhatCannotBeFoundOrLockedIsReported) {
    MessageBoxCapture boxes;
    EXPECT_EQ(vwCreateView(nullptr, "FileOpen", nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(vwCreateView(Instance(), "Nope", nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(vwCreateView(Instance(), MAKEINTRESOURCEA(4242), nullptr, nullptr, 0), nullptr);
    const std::string longName(5000, 'n');
    EXPECT_EQ(vwCreateView(Instance(), longName.c_str(), nullptr, nullptr, 0), nullptr);
    {
        ImportPatch noLock("kernel32.dll", "LockResource", reinterpret_cast<void*>(&NoLock));
        ASSERT_TRUE(noLock.installed());
        EXPECT_EQ(vwCreateView(Instance(), "FileOpen", nullptr, nullptr, 0), nullptr);
    }
    EXPECT_EQ(FindWindowA("tsModalView32", "Open"), nullptr);
    const std::string missing = "Program Error|Tessarine is unable to find resource: ";
    const std::string check = ". \nCheck resource file for this dialog resource";
    std::vector<std::string> shown;
    for (const CapturedBox& box : boxes.boxes()) shown.push_back(box.caption + "|" + box.text.substr(0, 120));
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Program Error|NULL Instance handle passed to vwCreateView", missing + "Nope" + check,
                         missing + "4242" + check, (missing + std::string(120, 'n')).substr(0, 120 + 14),
                         "Tessarine|Low memory condition:1003\nClose application or free other resources."}));
}

TEST(Placement, DialogUnitsTruncateTheClientSizeGrowsByTheFrameAndPlacesAreRelativeCentredOrOnScreen) {
    auto toScreen = [](Quad r) { return vwDialogToScreen(r.data()), r; };
    auto toDialog = [](Quad r) { return vwScreenToDialog(r.data()), r; };
    auto mapBack = [](Quad r) { return vwMapScreenToDialog(nullptr, r.data()), r; };
    EXPECT_EQ(toScreen({10, 10, 100, 50}), (Quad{20, 20, 200, 100}));
    EXPECT_EQ(toDialog({21, 23, 201, 101}), (Quad{10, 11, 100, 50}));
    EXPECT_EQ(mapBack({20, 22, 200, 100}), (Quad{10, 11, 100, 50}));  // one pixel more first
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
        {WS_POPUP | WS_THICKFRAME, 0, 2 * GetSystemMetrics(SM_CXFRAME), 2 * GetSystemMetrics(SM_CYFRAME)},
    };
    for (const auto& c : cases) {
        ViewGuard v(Open(c.style, c.exStyle));
        vwSetViewPosition(v.get(), 4, 8, 100, 24, VWP_DIALOGUNITS | VWP_ABSOLUTE);
        EXPECT_EQ(Placed(v->hWnd), (Quad{8, 16, 200 + c.dx, 48 + c.dy})) << std::hex << c.style;
    }
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 50, 60, 300, 200, nullptr, nullptr, Instance(),
                                nullptr);
    ViewGuard popup(Open(WS_POPUP, 0, parent)), orphan(Open(WS_POPUP));
    SetMenu(popup->hWnd, CreateMenu());  // a menu adds its bar
    vwSetViewPosition(popup.get(), 4, 8, 40, 16, VWP_DIALOGUNITS);  // relative to the parent's client area
    EXPECT_EQ(Placed(popup->hWnd), (Quad{58, 76, 80, 32 + GetSystemMetrics(SM_CYMENU)}));
    vwSetViewPosition(popup.get(), 4000, 8, 40, 16, VWP_DIALOGUNITS);  // kept on the screen
    EXPECT_EQ(Placed(popup->hWnd)[0], GetSystemMetrics(SM_CXSCREEN) - 80);
    vwSetViewPosition(popup.get(), 1, 1, 1, 1, VWP_FILLPARENT);
    EXPECT_EQ(Placed(popup->hWnd), (Quad{50, 60, 300, 200}));
    vwSetViewPosition(orphan.get(), 5, 5, 5, 5, VWP_FILLPARENT);
    EXPECT_EQ(Placed(orphan->hWnd), (Quad{0, 0, 200, 100}));
    MoveWindow(orphan->hWnd, 0, 0, 101, 51, FALSE);  // centred at the current size, halved toward zero
    vwSetViewPosition(orphan.get(), 0, 0, 0, 0, VWP_CENTER);
    EXPECT_EQ(Placed(orphan->hWnd),
              (Quad{(GetSystemMetrics(SM_CXSCREEN) - 101) / 2, (GetSystemMetrics(SM_CYSCREEN) - 51) / 2, 101, 51}));
    popup.reset();
    DestroyWindow(parent);
}
