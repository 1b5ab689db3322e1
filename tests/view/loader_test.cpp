// Building views from dialog templates and view-definition records.  The
// figures are worked out for a screen of 96 dots per inch (8 points are 11
// pixels, 10 points 13, 12 points 16), where a character of 8-point bold
// "MS Sans Serif" is 7 x 13 pixels.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "imports.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

std::string ViewString(HVIEW v) {
    char buf[512] = {};
    vwGetViewString(v, buf, sizeof buf);
    return buf;
}

std::string FieldString(HVIEW v, LONG id) {
    char buf[256] = {};
    vwGetFieldString(v, id, buf, sizeof buf);
    return buf;
}

std::string Name(HVIEW v) {
    char buf[32] = {};
    vwGetViewResourceName(v, buf);
    return buf;
}

// Height, weight, italic and underline of a font.
std::vector<LONG> Font(HFONT f) {
    const LOGFONTA lf = FontOf(f);
    return {lf.lfHeight, lf.lfWeight, lf.lfItalic, lf.lfUnderline};
}
HFONT WindowFont(HWND h) { return reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)); }
LONG Shows(HVIEW v, LONG id) { return StyleOf(GetDlgItem(v->hWnd, id)) & (WS_VISIBLE | WS_TABSTOP); }

} // namespace

TEST(Loader, TheFileOpenRecordMakesAHiddenModalViewOfFourFieldsAndALabel) {
    ViewGuard v(vwCreateView(Instance(), "FileOpen", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    EXPECT_EQ(Name(v.get()), "FileOpen");
    EXPECT_EQ(ViewString(v.get()), "@CTL3D@VIEWNAME(FileOpen)");
    EXPECT_EQ(FieldString(v.get(), 102), "@3D4");
    EXPECT_EQ(vwGetFieldCount(v.get()), 4);
    EXPECT_EQ(GetDlgItem(v->hWnd, 200), nullptr);  // the view draws the label itself
    char label[64] = {};
    vwGetTextFieldText(v.get(), 1, label, 60);
    EXPECT_STREQ(label, "File &name:");
    EXPECT_EQ(vwGetTextFieldLink(v.get(), 1), 200);
    EXPECT_EQ(vwGetOKButton(v.get()), 1u);
    EXPECT_EQ(vwGetCancelButton(v.get()), 2);
    EXPECT_EQ(ClassOf(v->hWnd), "tsModalView32");
    EXPECT_TRUE(vwGetViewExStyle(v.get()) & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(IsWindowVisible(v->hWnd));
    // The procedures are named, not taken as addresses: in constant data an
    // i686 build stores the address of the program's import stub instead.
    HMODULE library = GetModuleHandleA("tscore32.dll");
    for (const auto& [id, proc] :
         {std::pair{102, "DefEditProc"}, std::pair{103, "DefListBoxProc"}, std::pair{1, "DefButtonProc"}})
        EXPECT_EQ(reinterpret_cast<FARPROC>(vwGetDefFieldProc(v.get(), id)), GetProcAddress(library, proc)) << proc;
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
    EXPECT_EQ(Font(WindowFont(bare->hWnd)), (std::vector<LONG>{-11, FW_BOLD, 0, 0}));
    char buf[8] = "x";
    EXPECT_EQ(vwGetViewString(bare.get(), buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(vwGetOKButton(bare.get()), 0u);
    ViewGuard byId(vwCreateView(Instance(), MAKEINTRESOURCEA(101), nullptr, nullptr, 0));
    EXPECT_EQ(Name(byId.get()), "101");

    // the 16-byte record keeps the template's visibility and tab stops; a
    // template without a font gets 8-point bold "MS Sans Serif"
    ViewGuard cut(vwCreateView(Instance(), "LONGNAME1234", parent, nullptr, 0));
    ASSERT_TRUE(cut);
    EXPECT_EQ(Name(cut.get()), "LONGNAME123");
    EXPECT_EQ(Shows(cut.get(), 102), 0);
    EXPECT_EQ(Shows(cut.get(), 103), WS_VISIBLE);
    EXPECT_EQ(Font(WindowFont(cut->hWnd)), (std::vector<LONG>{-11, FW_BOLD, 0, 0}));
    EXPECT_STREQ(FontOf(WindowFont(cut->hWnd)).lfFaceName, "MS Sans Serif");

    // both are laid out in units of that font: (20, 10, 100, 40) is (35, 16,
    // 175, 65), on the parent's client area unless the template says DS_ABSALIGN
    POINT at = {0, 0};
    ClientToScreen(parent, &at);
    RECT rc;
    GetWindowRect(bare->hWnd, &rc);
    EXPECT_EQ(std::vector<LONG>({rc.left, rc.top, rc.right, rc.bottom}),
              (std::vector<LONG>{at.x + 35, at.y + 16, at.x + 210, at.y + 81}));
    GetWindowRect(cut->hWnd, &rc);
    EXPECT_EQ(std::vector<LONG>({rc.left, rc.top}), (std::vector<LONG>{35, 16}));
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
    EXPECT_EQ(Font(WindowFont(GetDlgItem(v->hWnd, 102))), (std::vector<LONG>{-13, FW_BOLD, 1, 0}));
    EXPECT_EQ(Font(vwGetTextFieldFont(v.get(), 1)), (std::vector<LONG>{-16, FW_BOLD, 0, 1}));
    EXPECT_EQ(Font(WindowFont(GetDlgItem(v4->hWnd, 102))), (std::vector<LONG>{10, 0, 0, 0}));
    EXPECT_EQ(Font(vwGetTextFieldFont(v4.get(), 1)), (std::vector<LONG>{12, 0, 0, 0}));
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
    EXPECT_EQ(vwGetTextFieldColors(v.get(), 1, &c[0], &c[1]), 1);
    EXPECT_EQ(std::vector<COLORREF>(c, c + 2), (std::vector<COLORREF>{0x112233, 0x445566}));
}

namespace {
void* WINAPI NoLock(HGLOBAL) { return nullptr; }
} // namespace

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
    const std::string missing = "Tessarine is unable to find resource: ";
    const std::string check = ". \nCheck resource file for this dialog resource";
    ASSERT_EQ(boxes.boxes().size(), 5u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Program Error");
    EXPECT_EQ(boxes.boxes()[0].text, "NULL Instance handle passed to vwCreateView");
    EXPECT_EQ(boxes.boxes()[1].caption, "Program Error");
    EXPECT_EQ(boxes.boxes()[1].text, missing + "Nope" + check);
    EXPECT_EQ(boxes.boxes()[2].text, missing + "4242" + check);
    EXPECT_EQ(boxes.boxes()[3].text.substr(0, missing.size() + 100), missing + std::string(100, 'n'));
    EXPECT_EQ(boxes.boxes()[4].caption, "Tessarine");
    EXPECT_EQ(boxes.boxes()[4].text, "Low memory condition:1003\nClose application or free other resources.");
}
