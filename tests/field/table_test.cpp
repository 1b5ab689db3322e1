// The field table (creation, limits and failures, lookups, deletion,
// reordering, re-creation), field attributes and text fields.
#include <cstring>
#include <string>
#include <vector>

#include "fieldtest.h"
#include "msgbox.h"

using namespace tstest;

namespace {
struct FieldTable : FieldTest {
    int Add(LONG id, const char* cls = "edit", DWORD style = WS_TABSTOP, const char* text = "", void* var = nullptr) {
        return vwSetFieldEx(view.get(), id, cls, text, style, 0, 2, 2 + 12 * (id % 15), 40, 10, var, nullptr);
    }
    std::vector<LONG> Stack() {  // the identifiers of the controls, top first
        std::vector<LONG> ids;
        for (HWND h = GetWindow(view->hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) ids.push_back(GetDlgCtrlID(h));
        return ids;
    }
    std::string Box(size_t i) { return boxes.boxes().at(i).caption + ": " + boxes.boxes()[i].text; }
    MessageBoxCapture boxes;
};
using Attributes = FieldTable;
using TextFields = FieldTable;
const std::string kNoClass = "Tessarine: Unable to create Control Class: NoSuchClass.\nControl class must be registered.";
} // namespace

TEST_F(FieldTable, CreationNamesClassesCutsTextsAndTakesButtonRoles) {
    for (const char* cls : {"tsnumeric32", "ZEPHButton32", "borradio"}) RegisterTestClass(cls, DefWindowProcA);
    Add(10, "tsnumeric");
    Add(11, "ZEPHButton");
    Add(12, "borradio");
    EXPECT_EQ(ClassOf(W(10)) + " " + ClassOf(W(11)), "tsnumeric32 ZEPHButton32");
    EXPECT_EQ(vwGetDefFieldProc(view.get(), 10), DefWindowProcA);  // the class answers for itself
    EXPECT_EQ(vwGetDefFieldProc(view.get(), 11), DefTSControlProc);
    EXPECT_EQ(vwGetFieldDlgCode(view.get(), 12), 0x8040);  // a radio button, and a field
    Add(1, "static", 0, std::string(200, 'x').c_str());
    EXPECT_EQ(TextOf(W(1)), std::string(155, 'x'));
    Add(5, "button", BS_PUSHBUTTON | WS_DLGFRAME, "OK");
    Add(6, "button", BS_PUSHBUTTON | WS_MAXIMIZE, "Cancel");
    Add(7, "button", BS_PUSHBUTTON | WS_MAXIMIZE | WS_DLGFRAME, "Both");  // only the OK bit is honoured
    Add(8, "listbox", WS_BORDER | LBS_NOTIFY);
    EXPECT_EQ(vwGetOKButton(view.get()), 7u);
    EXPECT_EQ(vwGetCancelButton(view.get()), 6);
    EXPECT_EQ((StyleOf(W(5)) | StyleOf(W(6))) & (WS_MAXIMIZE | WS_DLGFRAME), 0);
    EXPECT_EQ(StyleOf(W(7)) & (WS_MAXIMIZE | WS_DLGFRAME), WS_MAXIMIZE);
    EXPECT_EQ(StyleOf(W(8)) & (WS_BORDER | WS_CHILD), WS_CHILD);
}

TEST_F(FieldTable, RefusedFieldsLeaveTheTableAsItWas) {
    Add(1);
    EXPECT_EQ(Add(2, "NoSuchClass"), 0);
    EXPECT_EQ(vwGetFieldCount(view.get()), 1);
    for (LONG id = 2; id <= 300; ++id) ASSERT_EQ(Add(id, "static", 0), id);
    EXPECT_EQ(Add(301, "static", 0), 0);
    EXPECT_EQ(vwGetFieldCount(view.get()), 300);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 301), 300);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(Box(0), kNoClass);
    EXPECT_EQ(Box(1), "System Error: Tessarine unable to allocate additional field");
    EXPECT_TRUE(boxes.boxes()[1].topmost);  // system-modal
}

TEST_F(FieldTable, LookupsDeletionAndReordering) {
    int a = 0, b = 0;
    for (LONG id = 1; id <= 5; ++id) Add(id, "edit", WS_TABSTOP, "", id == 1 ? &a : &b);
    EXPECT_EQ(vwGetField(view.get(), vwGetFieldNoWindow(view.get(), 3)), 3);
    EXPECT_EQ(vwGetFieldNo(view.get(), &b), 2);  // the first match
    EXPECT_EQ(vwGetFieldID(view.get(), &a), 1);
    for (int twice = 0; twice < 2; ++twice)  // the second answer comes from the cache
        EXPECT_EQ(vwGetFieldFromID(view.get(), 99), 5);  // unknown: the last field
    EXPECT_EQ(vwSetFieldID(view.get(), 5, 50), 1);
    EXPECT_EQ(GetDlgCtrlID(vwGetFieldNoWindow(view.get(), 5)), 50);
    vwSetOKButton(view.get(), 2);
    SetFocus(W(4));
    EXPECT_EQ(vwGetFieldFromID(view.get(), 2), 2);  // now cached
    EXPECT_EQ(vwDeleteField(view.get(), 2), 1);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 50), 4);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 2), 4);  // not the stale cache entry
    EXPECT_EQ(vwGetOKButton(view.get()), 0u);
    EXPECT_EQ(view->currentField, 0);  // another field was current
    SetFocus(W(1));
    vwDeleteField(view.get(), 1);
    EXPECT_EQ(view->currentField, 1);  // the current one: field 1 takes over
    const LONG order[] = {3, 1, 2};    // of the fields 3, 4, 50
    vwReorderFields(view.get(), order);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 4), 3);
    EXPECT_EQ(Stack(), (std::vector<LONG>{50, 3, 4}));
    SetFocus(W(50));
    vwSetFocusNextField(view.get());  // and so does the tab order
    EXPECT_EQ(GetFocus(), W(3));
    while (vwGetFieldCount(view.get())) vwDeleteField(view.get(), vwGetIDFromField(view.get(), 1));
    EXPECT_EQ(view->currentField, 0);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 3), 0);
}

TEST_F(FieldTable, ResetKeepsPlaceAndAttributesOrLeavesNoField) {
    Add(1);
    vwSetFieldEx(view.get(), 2, "edit", "", WS_TABSTOP, 0, 30, 40, 60, 14, nullptr, nullptr);
    Add(3);
    vwSetFieldColors(view.get(), 2, RGB(1, 0, 0), RGB(0, 1, 0), RGB(0, 0, 1), RGB(1, 1, 1));
    Dirs(2, "@NUM@NAME(Amount)");
    HFONT font = CreateFontA(-11, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    vwSetFieldFont(view.get(), 2, font);
    HWND old = W(2);
    RECT before, after;
    GetWindowRect(old, &before);
    const std::string longText(5000, 'y');
    ASSERT_EQ(vwResetFieldEx(view.get(), 2, "edit", longText.c_str(), WS_TABSTOP, 0, 0, 0, 0, 0, nullptr, nullptr), 2);
    EXPECT_FALSE(IsWindow(old));
    GetWindowRect(W(2), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(TextOf(W(2)), longText.substr(0, 155));
    EXPECT_EQ(vwGetFieldBkColor(view.get(), 2), RGB(0, 1, 0));
    char dirs[32];
    EXPECT_EQ(vwGetFieldString(view.get(), 2, dirs, sizeof dirs), 17);
    EXPECT_EQ(vwSetFieldFont(view.get(), 2, nullptr), font);
    EXPECT_EQ(Stack(), (std::vector<LONG>{1, 2, 3}));
    // a control that cannot be made: the field leaves the table as if deleted
    EXPECT_EQ(vwResetFieldEx(view.get(), 2, "NoSuchClass", "", 0, 0, 0, 0, 0, 0, nullptr, nullptr), 0);
    EXPECT_EQ(Box(0), kNoClass);
    EXPECT_EQ(vwGetFieldCount(view.get()), 2);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 3), 2);
    EXPECT_EQ(vwGetField(view.get(), W(3)), 3);
    EXPECT_EQ(vwGetFieldIDFromName(view.get(), "Amount"), 0);
    EXPECT_EQ(Add(4), 3);
    SetFocus(W(3));
    vwSetFocusNextField(view.get());
    EXPECT_EQ(GetFocus(), W(4));
    view.reset();
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));  // the caller's font outlives the view
    DeleteObject(font);
}

TEST_F(Attributes, ColoursFallBackToTheViewAndOwnBrushesAreReleased) {
    Add(10);
    Add(11, "button", BS_PUSHBUTTON);
    vwSetViewDefColors(view.get(), RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4));
    COLORREF c[4] = {};
    EXPECT_EQ(vwGetFieldColors(view.get(), 10, &c[0], &c[1], &c[2], &c[3]), 0);
    EXPECT_EQ(std::vector(c, c + 4), (std::vector<COLORREF>{RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3), RGB(4, 4, 4)}));
    EXPECT_EQ(vwGetFieldBackBrush(view.get(), 10), vwGetViewBackBrush(view.get()));
    vwSetFieldColors(view.get(), 10, RGB(9, 0, 0), RGB(0, 9, 0), RGB(0, 0, 9), RGB(5, 5, 5));
    EXPECT_EQ(vwIsFieldColored(view.get(), 10), 1);
    // without "@SELCOLORS" the selected colours are the plain ones
    EXPECT_EQ(vwGetFieldSelBkColor(view.get(), 10), RGB(0, 9, 0));
    EXPECT_EQ(vwGetFieldSelBackBrush(view.get(), 10), vwGetFieldBackBrush(view.get(), 10));
    vwSetViewString(view.get(), "@SELCOLORS");
    const HBRUSH first = vwGetFieldBackBrush(view.get(), 10), firstSel = vwGetFieldSelBackBrush(view.get(), 10);
    vwSetFieldColors(view.get(), 10, RGB(9, 0, 0), RGB(0, 9, 0), RGB(0, 0, 9), RGB(6, 6, 6));
    EXPECT_EQ(GetObjectType(first) | GetObjectType(firstSel), 0u);  // one pair of brushes alive
    EXPECT_EQ(vwGetFieldSelBkColor(view.get(), 10), RGB(6, 6, 6));
    EXPECT_EQ(vwGetFieldSelTextColor(view.get(), 11), RGB(3, 3, 3));
    EXPECT_EQ(vwGetFieldSelBackBrush(view.get(), 11), vwGetViewSelBackBrush(view.get()));
    const HBRUSH back = vwGetFieldBackBrush(view.get(), 10), sel = vwGetFieldSelBackBrush(view.get(), 10);
    vwResetFieldColors(view.get(), 10);
    EXPECT_EQ(GetObjectType(back) | GetObjectType(sel), 0u);
    EXPECT_EQ(vwGetFieldBkColor(view.get(), 10), RGB(2, 2, 2));
}

TEST_F(Attributes, NamesDirectiveStringsAndProtection) {
    int var = 0;
    char buf[64] = "junk";
    Add(11, "button", BS_PUSHBUTTON);
    EXPECT_EQ(vwGetFieldNameFromID(view.get(), 11, buf, 8), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_STREQ(vwSetSQLVar(view.get(), 11, &var, "Qty"), "Qty");
    EXPECT_EQ(vwGetFieldIDFromName(view.get(), "qty"), 0);  // case matters
    vwSetSQLVar(view.get(), 11, nullptr, "Count");
    EXPECT_EQ(vwGetFieldVar(view.get(), 11), &var);  // a null pointer keeps the variable
    vwSetFieldName(view.get(), 11, "Total");
    EXPECT_EQ(vwGetSQLVarId(view.get(), "Total"), 11);
    EXPECT_EQ(vwGetFieldNameFromID(view.get(), 11, buf, 3), 1);
    EXPECT_STREQ(buf, "Tot");
    EXPECT_EQ(vwSetFieldName(view.get(), 11, nullptr), nullptr);
    Add(10);
    Add(12, "listbox", 0);
    for (LONG id : {10L, 11L, 12L}) {  // each class keeps its string
        SCOPED_TRACE(id);
        EXPECT_EQ(vwSetFieldString(view.get(), id, "@3D2@NAME(Sum)"), 1);
        EXPECT_STREQ(vwGetFieldName(view.get(), id), "Sum");
        EXPECT_EQ(vwGetFieldString(view.get(), id, buf, 5), 4);
        EXPECT_STREQ(buf, "@3D2");
        vwSetFieldString(view.get(), id, nullptr);  // nothing changes
        EXPECT_EQ(vwGetFieldString(view.get(), id, buf, sizeof buf), 14);
        vwSetFieldString(view.get(), id, "");  // the string goes
        EXPECT_EQ(vwGetFieldString(view.get(), id, buf, sizeof buf), 0);
    }
    EXPECT_EQ(SendMessageA(W(10), WM_GETDLGCODE, 0, 0), 0x8089);  // the edit's answer with the field marker
    vwProtectField(view.get(), 10);
    EXPECT_FALSE(StyleOf(W(10)) & WS_TABSTOP);
    EnableWindow(W(10), FALSE);
    vwUnprotectField(view.get(), 10);
    EXPECT_EQ(vwIsFieldProtected(view.get(), 10), 0);
    EXPECT_TRUE(IsWindowEnabled(W(10)) && (StyleOf(W(10)) & WS_TABSTOP));
}

TEST_F(TextFields, MnemonicsLimitsPositionsFontsAndDeletion) {
    ASSERT_EQ(vwSetTextField(view.get(), 4, 4, "Fish && &Chips", nullptr), 1);
    vwSetTextField(view.get(), 4, 36, "Ab&c", nullptr);
    auto label = [&](int n, int size = 300) {  // read back into a buffer of `size` characters
        char buf[320];
        std::memset(buf, 'x', sizeof buf);
        vwGetTextFieldText(view.get(), n, buf, size);
        EXPECT_EQ(buf[size + 2], 'x') << n << " wrote past size + 2 bytes";
        return std::string(buf, strnlen(buf, sizeof buf));
    };
    EXPECT_EQ(label(1), "Fish && &Chips");
    EXPECT_EQ(label(2, 2), "Ab");  // cut before the mnemonic: no '&'
    EXPECT_EQ(label(2, 3), "Ab&c");
    vwSetTextFieldText(view.get(), 2, "plain");
    EXPECT_EQ(label(2), "plain");
    const std::string longText(300, 'a');
    ASSERT_EQ(vwSetTextField(view.get(), -1, 0xFFFF, longText.c_str(), nullptr), 3);
    EXPECT_EQ(label(3), longText.substr(0, 255));
    vwSetTextFieldText(view.get(), 3, longText.c_str());
    EXPECT_EQ(label(3), longText.substr(0, 254));
    EXPECT_EQ(vwGetTextFieldXPos(view.get(), 3), -1);  // centred
    HFONT mine = CreateFontA(-13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    vwSetTextFieldFont(view.get(), 2, mine);
    vwSetTextFieldFont(view.get(), 2, nullptr);
    EXPECT_EQ(GetObjectType(mine), static_cast<DWORD>(OBJ_FONT));  // the application's font is never deleted
    DeleteObject(mine);
    vwSetTextFieldLink(view.get(), 3, 77);
    vwHideTextField(view.get(), 2, TRUE);
    EXPECT_EQ(vwUnhideTextField(view.get(), 2, TRUE), -2);  // it was hidden
    EXPECT_EQ(vwDeleteTextField(view.get(), 1), 1);
    EXPECT_EQ(label(1), "plain");
    EXPECT_EQ(vwGetTextFieldLink(view.get(), 2), 77);
    for (int n = 3; n <= 100; ++n) ASSERT_EQ(vwSetTextField(view.get(), 0, 0, "x", nullptr), n);
    EXPECT_EQ(vwSetTextField(view.get(), 0, 0, "x", nullptr), 0);
    EXPECT_EQ(vwGetTextFieldCount(view.get()), 100);
    EXPECT_EQ(Box(0), "System Error: Tessarine unable to allocate additional text field");
}
