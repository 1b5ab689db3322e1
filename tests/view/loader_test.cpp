// Building views from dialog templates and view-definition records.
#include <gtest/gtest.h>

#include <cstring>

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

} // namespace

TEST(Loader, FileOpenRecordGivesNameViewStringAndFieldDirectives) {
    ViewGuard v(vwCreateView(Instance(), "FileOpen", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    EXPECT_EQ(Name(v.get()), "FileOpen");
    EXPECT_EQ(ViewString(v.get()), "@CTL3D@VIEWNAME(FileOpen)");
    EXPECT_EQ(FieldString(v.get(), 102), "@3D4");
    EXPECT_TRUE(v->flags & VWF_CTL3D);
    // four controls become fields; the "text" item becomes a text field
    EXPECT_EQ(vwGetFieldCount(v.get()), 4);
    EXPECT_EQ(vwGetTextFieldCount(v.get()), 1);
    EXPECT_EQ(GetDlgItem(v->hWnd, 200), nullptr);
    char label[64] = {};
    vwGetTextFieldText(v.get(), 1, label, sizeof label);
    EXPECT_STREQ(label, "File &name:");
    EXPECT_EQ(v->textFields[1]->mnemonic, 'n');
    EXPECT_EQ(vwGetTextFieldLink(v.get(), 1), 200);
    EXPECT_EQ(vwGetOKButton(v.get()), 1u);
    EXPECT_EQ(vwGetCancelButton(v.get()), 2);
    // a caption with a modal frame makes a hidden pop-up of the modal class
    EXPECT_EQ(ClassOf(v->hWnd), "tsModalView32");
    EXPECT_TRUE(v->exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(IsWindowVisible(v->hWnd));
    EXPECT_EQ(v->currentField, 1);
    EXPECT_EQ(vwGetView(vwGetFieldWindow(v.get(), 102)), v.get());
}

TEST(Loader, WithoutRecordFieldsBecomeVisibleAndNonStaticsTabStops) {
    ViewGuard v(vwCreateView(Instance(), "NoRecord", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    HWND edit = vwGetFieldWindow(v.get(), 102), label = vwGetFieldWindow(v.get(), 103);
    EXPECT_TRUE(StyleOf(edit) & WS_VISIBLE);
    EXPECT_TRUE(StyleOf(edit) & WS_TABSTOP);
    EXPECT_TRUE(StyleOf(label) & WS_VISIBLE);
    EXPECT_FALSE(StyleOf(label) & WS_TABSTOP);
    char buf[8] = "x";
    EXPECT_EQ(vwGetViewString(v.get(), buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
}

TEST(Loader, EmptyCurrentRecordKeepsTemplateVisibility) {
    ViewGuard v(vwCreateView(Instance(), "Empty16", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    HWND edit = vwGetFieldWindow(v.get(), 102), label = vwGetFieldWindow(v.get(), 103);
    EXPECT_FALSE(StyleOf(edit) & WS_VISIBLE);
    EXPECT_FALSE(StyleOf(edit) & WS_TABSTOP);
    EXPECT_TRUE(StyleOf(label) & WS_VISIBLE);
    EXPECT_EQ(v->hViewString, nullptr);
}

TEST(Loader, NumericNamesAndLongNames) {
    ViewGuard byText(vwCreateView(Instance(), "101", nullptr, nullptr, 0));
    ASSERT_TRUE(byText);
    EXPECT_EQ(Name(byText.get()), "101");
    ViewGuard byId(vwCreateView(Instance(), MAKEINTRESOURCEA(101), nullptr, nullptr, 0));
    ASSERT_TRUE(byId);
    EXPECT_EQ(Name(byId.get()), "101");
    ViewGuard longName(vwCreateView(Instance(), "LONGNAME1234", nullptr, nullptr, 0));
    ASSERT_TRUE(longName);
    EXPECT_EQ(Name(longName.get()), "LONGNAME123");
}

TEST(Loader, TemplateWithoutFontGetsBoldSansSerif) {
    ViewGuard v(vwCreateView(Instance(), "NoFont", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    LOGFONTA lf = FontOf(v->hFont);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfHeight, PointsToHeight(8));
    // the window measured the font: dialog units follow it
    EXPECT_GT(GetWindowWord(v->hWnd, VWW_CHARWIDTH), 0);
    EXPECT_GT(GetWindowWord(v->hWnd, VWW_CHARHEIGHT), 0);
}

TEST(Loader, Version42FontsAreInPointsWithStyles) {
    ViewGuard v(vwCreateView(Instance(), "Fonts42", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    EXPECT_EQ(vwGetFieldCount(v.get()), 1);  // "TEXT" in any case is a text field
    EXPECT_EQ(vwGetTextFieldCount(v.get()), 1);
    VWFIELD* f = v->fields[1];
    ASSERT_NE(f->hFont, nullptr);
    EXPECT_TRUE(f->flags & VWFF_OWNFONT);
    LOGFONTA lf = FontOf(f->hFont);
    EXPECT_EQ(lf.lfHeight, PointsToHeight(10));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(f->hWnd, WM_GETFONT, 0, 0)), f->hFont);
    // the text-field entry skips a word before its style (5 = bold, underline)
    VWTEXTFIELD* t = v->textFields[1];
    EXPECT_EQ(t->ownsFont, 1);
    LOGFONTA tl = FontOf(t->hFont);
    EXPECT_EQ(tl.lfHeight, PointsToHeight(12));
    EXPECT_EQ(tl.lfWeight, FW_BOLD);
    EXPECT_TRUE(tl.lfUnderline);
    EXPECT_FALSE(tl.lfItalic);
}

TEST(Loader, Version4FontsAreRawHeights) {
    ViewGuard v(vwCreateView(Instance(), "Fonts4", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    LOGFONTA lf = FontOf(v->fields[1]->hFont);
    EXPECT_EQ(lf.lfHeight, 10);
    EXPECT_EQ(lf.lfWeight, 0);
    EXPECT_FALSE(lf.lfItalic);
    LOGFONTA tl = FontOf(v->textFields[1]->hFont);
    EXPECT_EQ(tl.lfHeight, 12);
    EXPECT_EQ(tl.lfWeight, 0);
    // the view font of an old record is a raw height too
    EXPECT_EQ(FontOf(v->hFont).lfHeight, 8);
}

TEST(Loader, Version41ColoursHighWordFirst) {
    ViewGuard v(vwCreateView(Instance(), "Colors41", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    COLORREF t, b, st, sb;
    vwGetViewDefColors(v.get(), &t, &b, &st, &sb);
    EXPECT_EQ(t, 0x000000FFu);
    EXPECT_EQ(b, 0x00123456u);
    EXPECT_EQ(st, 0x0000FF00u);
    EXPECT_EQ(sb, 0x00ABCDEFu);
    EXPECT_EQ(v->ownsBackBrush, 1);
    LOGBRUSH lb = {};
    ASSERT_TRUE(GetObjectA(v->hBackBrush, sizeof lb, &lb));
    EXPECT_EQ(lb.lbColor, 0x00123456u);
    EXPECT_TRUE(v->flags & VWF_SELCOLORS);
    EXPECT_EQ(vwGetFieldColors(v.get(), 102, &t, &b, &st, &sb), 1);
    EXPECT_EQ(t, 0x00010203u);
    EXPECT_EQ(b, 0x00040506u);
    EXPECT_EQ(st, 0x00070809u);
    EXPECT_EQ(sb, 0x000A0B0Cu);
    EXPECT_EQ(vwGetTextFieldColors(v.get(), 1, &t, &b), 1);
    EXPECT_EQ(t, 0x00112233u);
    EXPECT_EQ(b, 0x00445566u);
}

TEST(Loader, SectionCountAboveFieldCountIsNotRead) {
    ViewGuard v(vwCreateView(Instance(), "Counts", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    EXPECT_EQ(FieldString(v.get(), 102), "");
    EXPECT_EQ(v->fields[1]->hDirectives, nullptr);
}

TEST(Loader, TextFieldNumberAboveCountStopsReading) {
    ViewGuard v(vwCreateView(Instance(), "BadText", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    EXPECT_EQ(FieldString(v.get(), 102), "@NUM");  // read before the stop
    EXPECT_EQ(vwIsFieldColored(v.get(), 102), 0);  // after it: not read
    EXPECT_EQ(v->textFields[1]->hFont, nullptr);
}

TEST(Loader, RecordCutShortInsideASection) {
    ViewGuard v(vwCreateView(Instance(), "Cut", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    EXPECT_EQ(Name(v.get()), "Cut");
    EXPECT_EQ(FieldString(v.get(), 102), "");
}

TEST(Loader, PredefinedAtomsChooseTheirFieldProcedures) {
    ViewGuard v(vwCreateView(Instance(), "Atoms", nullptr, nullptr, 0));
    ASSERT_TRUE(v);
    // The procedures are named, not taken as addresses: in constant data an
    // i686 build stores the address of the program's import stub instead.
    struct Expect {
        LONG id;
        const char* cls;
        const char* proc;
    };
    const Expect expected[] = {
        {110, "Button", "DefButtonProc"},   {111, "Edit", "DefEditProc"},       {112, "Static", "DefStaticProc"},
        {113, "ListBox", "DefListBoxProc"}, {114, "ScrollBar", "DefScrollProc"}, {115, "ComboBox", "DefComboBoxProc"},
    };
    HMODULE library = GetModuleHandleA("tscore32.dll");
    for (const Expect& e : expected) {
        HWND h = vwGetFieldWindow(v.get(), e.id);
        ASSERT_NE(h, nullptr) << e.id;
        EXPECT_EQ(_stricmp(ClassOf(h).c_str(), e.cls), 0) << ClassOf(h);
        EXPECT_EQ(reinterpret_cast<FARPROC>(vwGetDefFieldProc(v.get(), e.id)), GetProcAddress(library, e.proc))
            << e.proc;
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC)), vwInterFieldProc);
        EXPECT_TRUE(vwGetFieldDlgCode(v.get(), e.id) & VW_DLGC_FIELD);
    }
    // a Borland dialog class has its view string edited for "@3D", and applied
    EXPECT_NE(ViewString(v.get()).find("@3D"), std::string::npos);
    EXPECT_TRUE(v->flags & VWF_3D);
    EXPECT_TRUE(v->flags & VWF_CTL3D);
}

TEST(Loader, PlacementRelativeToParentUnlessAbsolute) {
    HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 100, 80, 300, 200, nullptr,
                                  nullptr, Instance(), nullptr);
    POINT origin = {0, 0};
    ClientToScreen(parent, &origin);
    ViewGuard rel(vwCreateView(Instance(), "Placed", parent, nullptr, 0));
    ViewGuard abs(vwCreateView(Instance(), "PlacedAbs", parent, nullptr, 0));
    ASSERT_TRUE(rel && abs);
    for (HVIEW v : {rel.get(), abs.get()}) {
        int ux = GetWindowWord(v->hWnd, VWW_CHARWIDTH), uy = GetWindowWord(v->hWnd, VWW_CHARHEIGHT);
        int dx = v == rel.get() ? origin.x : 0, dy = v == rel.get() ? origin.y : 0;
        EXPECT_EQ(vwGetViewXPos(v), 20 * ux / 4 + dx);
        EXPECT_EQ(vwGetViewYPos(v), 10 * uy / 8 + dy);
        RECT client;
        GetClientRect(v->hWnd, &client);
        EXPECT_EQ(client.right, 100 * ux / 4);
        EXPECT_EQ(client.bottom, 40 * uy / 8);
    }
    rel.reset();
    abs.reset();
    DestroyWindow(parent);
}

TEST(Loader, FailureBoxes) {
    MessageBoxCapture boxes;
    EXPECT_EQ(vwCreateView(nullptr, "FileOpen", nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(vwCreateView(Instance(), "Nope", nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(vwCreateView(Instance(), MAKEINTRESOURCEA(4242), nullptr, nullptr, 0), nullptr);
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Program Error");
    EXPECT_EQ(boxes.boxes()[0].text, "NULL Instance handle passed to vwCreateView");
    EXPECT_EQ(boxes.boxes()[1].caption, "Program Error");
    EXPECT_EQ(boxes.boxes()[1].text,
              "Tessarine is unable to find resource: Nope. \nCheck resource file for this dialog resource");
    EXPECT_EQ(boxes.boxes()[2].text,
              "Tessarine is unable to find resource: 4242. \nCheck resource file for this dialog resource");
}
