// Field attributes: colours with the view fallback, names shared with SQL
// variables, directive strings, protection and ownership of GDI objects.
#include <gtest/gtest.h>

#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

struct Attributes : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "attrs", WS_POPUP, nullptr, nullptr, 0));
        ASSERT_TRUE(view);
        ASSERT_EQ(vwSetFieldEx(view.get(), 10, "edit", "", WS_TABSTOP, 0, 0, 0, 40, 10, &var, nullptr), 1);
        ASSERT_EQ(vwSetFieldEx(view.get(), 11, "button", "B", BS_PUSHBUTTON, 0, 0, 12, 40, 10, nullptr, nullptr), 2);
        ASSERT_EQ(vwSetFieldEx(view.get(), 12, "listbox", "", 0, 0, 0, 24, 40, 30, nullptr, nullptr), 3);
    }
    int var = 0;
    ViewGuard view;
};

} // namespace

TEST_F(Attributes, ColoursFallBackToTheViewAndSelectionFollowsTheFlag) {
    COLORREF t, b, st, sb;
    EXPECT_EQ(vwGetFieldColors(view.get(), 10, &t, &b, &st, &sb), 0);
    EXPECT_EQ(t, view->textColor);
    EXPECT_EQ(vwGetFieldBkColor(view.get(), 10), view->bkColor);
    EXPECT_EQ(vwGetFieldBackBrush(view.get(), 10), view->hBackBrush);

    vwSetFieldColors(view.get(), 10, RGB(1, 0, 0), RGB(0, 2, 0), RGB(0, 0, 3), RGB(4, 4, 4));
    HBRUSH firstBack = view->fields[1]->colors->hBackBrush;
    HBRUSH firstSel = view->fields[1]->colors->hSelBackBrush;
    vwSetFieldColors(view.get(), 10, RGB(1, 0, 0), RGB(0, 2, 0), RGB(0, 0, 3), RGB(5, 5, 5));
    // one pair of brushes alive: the first pair is gone
    EXPECT_EQ(GetObjectType(firstBack), 0u);
    EXPECT_EQ(GetObjectType(firstSel), 0u);
    EXPECT_EQ(vwIsFieldColored(view.get(), 10), 1);
    // without "@SELCOLORS" the selected colours are the plain ones
    EXPECT_EQ(vwGetFieldSelBkColor(view.get(), 10), RGB(0, 2, 0));
    EXPECT_EQ(vwGetFieldSelBackBrush(view.get(), 10), view->fields[1]->colors->hBackBrush);
    vwSetViewString(view.get(), "@SELCOLORS");
    EXPECT_EQ(vwGetFieldSelBkColor(view.get(), 10), RGB(5, 5, 5));
    EXPECT_EQ(vwGetFieldSelTextColor(view.get(), 10), RGB(0, 0, 3));
    EXPECT_EQ(vwGetFieldSelBackBrush(view.get(), 10), view->fields[1]->colors->hSelBackBrush);
    EXPECT_EQ(vwGetFieldSelBackBrush(view.get(), 11), view->hSelBrush);

    HBRUSH back = view->fields[1]->colors->hBackBrush;
    vwResetFieldColors(view.get(), 10);
    EXPECT_EQ(GetObjectType(back), 0u);
    EXPECT_EQ(vwIsFieldColored(view.get(), 10), 0);
    EXPECT_EQ(view->fields[1]->colors, nullptr);
}

TEST_F(Attributes, NamesAndSqlVariablesShareOneSlot) {
    char buf[8] = "junk";
    EXPECT_EQ(vwGetFieldNameFromID(view.get(), 11, buf, sizeof buf - 1), 0);
    EXPECT_STREQ(buf, "");
    int other = 0;
    EXPECT_STREQ(vwSetSQLVar(view.get(), 11, &other, "Qty"), "Qty");
    EXPECT_EQ(vwGetFieldVar(view.get(), 11), &other);
    EXPECT_STREQ(vwGetFieldName(view.get(), 11), "Qty");
    EXPECT_EQ(vwGetFieldIDFromName(view.get(), "Qty"), 11);
    EXPECT_EQ(vwGetFieldIDFromName(view.get(), "qty"), 0);  // case matters
    EXPECT_EQ(vwGetSQLVarWnd(view.get(), "Qty"), vwGetFieldWindow(view.get(), 11));
    vwSetSQLVar(view.get(), 11, nullptr, "Count");
    EXPECT_EQ(vwGetFieldVar(view.get(), 11), &other);  // a null pointer keeps the variable
    vwSetFieldName(view.get(), 11, "Total");
    EXPECT_STREQ(vwGetSQLVarName(view.get(), 11), "Total");
    EXPECT_EQ(vwGetSQLVarId(view.get(), "Count"), 0);
    EXPECT_EQ(vwGetFieldNameFromID(view.get(), 11, buf, 3), 1);
    EXPECT_STREQ(buf, "Tot");
    EXPECT_EQ(vwSetFieldName(view.get(), 11, nullptr), nullptr);
    EXPECT_EQ(vwGetFieldName(view.get(), 11), nullptr);
}

TEST_F(Attributes, DirectiveStringsTravelThroughTheFieldProcedures) {
    char buf[64];
    for (LONG id : {10L, 11L, 12L}) {
        EXPECT_EQ(vwGetFieldString(view.get(), id, buf, sizeof buf), 0) << id;
        EXPECT_EQ(vwSetFieldString(view.get(), id, "@3D2@NAME(Total)"), 1);
        EXPECT_EQ(vwGetFieldString(view.get(), id, buf, sizeof buf), 16) << id;
        EXPECT_STREQ(buf, "@3D2@NAME(Total)");
        EXPECT_STREQ(vwGetFieldName(view.get(), id), "Total");
        EXPECT_EQ(vwGetFieldString(view.get(), id, buf, 5), 4);
        EXPECT_STREQ(buf, "@3D2");
        EXPECT_EQ(vwGetFieldString(view.get(), id, nullptr, 5), 0);
        vwSetFieldString(view.get(), id, nullptr);  // nothing changes
        EXPECT_EQ(vwGetFieldString(view.get(), id, buf, sizeof buf), 16);
        vwSetFieldString(view.get(), id, "");  // the string goes
        EXPECT_EQ(vwGetFieldString(view.get(), id, buf, sizeof buf), 0);
        EXPECT_EQ(view->fields[vwGetFieldFromID(view.get(), id)]->hDirectives, nullptr);
    }
}

TEST_F(Attributes, FieldMarkerInTheDialogCode) {
    HWND edit = vwGetFieldWindow(view.get(), 10);
    LRESULT code = SendMessageA(edit, WM_GETDLGCODE, 0, 0);
    EXPECT_TRUE(code & VW_DLGC_FIELD);
    EXPECT_TRUE(code & DLGC_HASSETSEL);
    EXPECT_EQ(vwGetFieldDlgCode(view.get(), 10) & 0x7FFF, code & 0x7FFF);
}

TEST_F(Attributes, ProtectionTabStopsAndFonts) {
    EXPECT_TRUE(vwProtectField(view.get(), 10) & WS_TABSTOP);
    EXPECT_EQ(vwIsFieldProtected(view.get(), 10), 1);
    EXPECT_FALSE(StyleOf(vwGetFieldWindow(view.get(), 10)) & WS_TABSTOP);
    EnableWindow(vwGetFieldWindow(view.get(), 10), FALSE);
    vwUnprotectField(view.get(), 10);
    EXPECT_EQ(vwIsFieldProtected(view.get(), 10), 0);
    EXPECT_TRUE(IsWindowEnabled(vwGetFieldWindow(view.get(), 10)));
    EXPECT_TRUE(StyleOf(vwGetFieldWindow(view.get(), 10)) & WS_TABSTOP);

    // a library-made font is deleted when replaced; the caller's never is
    HFONT made = CreateFontA(-12, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    view->fields[1]->hFont = made;
    view->fields[1]->flags |= VWFF_OWNFONT;
    HFONT mine = CreateFontA(-13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    EXPECT_EQ(vwSetFieldFont(view.get(), 10, mine), made);
    EXPECT_EQ(GetObjectType(made), 0u);
    EXPECT_FALSE(view->fields[1]->flags & VWFF_OWNFONT);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(vwGetFieldWindow(view.get(), 10), WM_GETFONT, 0, 0)), mine);
    view.reset();
    EXPECT_EQ(GetObjectType(mine), static_cast<DWORD>(OBJ_FONT));
    DeleteObject(mine);
}

namespace {
MessageLog g_seen;
LRESULT CALLBACK AppFieldProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_seen.add(h, m, w, l);
    return vwGetDefFieldProc(vwGetView(h), GetWindowLongA(h, GWL_ID))(h, m, w, l);
}
LRESULT CALLBACK RecordingDefaultProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_seen.add(h, m, w, l);
    return DefEditProc(h, m, w, l);
}
} // namespace

TEST_F(Attributes, GeometryStyleVisibilityAndEditState) {
    const LONG id = 10;
    HWND edit = vwGetFieldWindow(view.get(), id);
    ShowWindow(view->hWnd, SW_SHOW);
    ShowWindow(edit, SW_SHOW);
    vwSetFieldXPos(view.get(), id, 33, FALSE);
    vwSetFieldYPos(view.get(), id, 21, TRUE);
    EXPECT_EQ(vwGetFieldXPos(view.get(), id), 33);
    EXPECT_EQ(vwGetFieldYPos(view.get(), id), 21);
    vwSetFieldWidth(view.get(), id, 70, TRUE);
    vwSetFieldHeight(view.get(), id, 19, FALSE);
    EXPECT_EQ(vwGetFieldWidth(view.get(), id), 70);
    EXPECT_EQ(vwGetFieldHeight(view.get(), id), 19);
    EXPECT_EQ(vwGetFieldXPos(view.get(), id), 33);  // resizing keeps the place

    DWORD style = vwGetFieldStyle(view.get(), id);
    EXPECT_EQ(vwSetFieldStyle(view.get(), id, style | ES_UPPERCASE, FALSE), style);
    EXPECT_TRUE(vwGetFieldStyle(view.get(), id) & ES_UPPERCASE);
    EXPECT_EQ(vwSetFieldStyle(view.get(), id, style, TRUE), 1u);  // the SetWindowPos answer

    EXPECT_NE(vwHideField(view.get(), id), 0);  // it was visible
    EXPECT_FALSE(IsWindowVisible(edit));
    EXPECT_EQ(vwUnhideField(view.get(), id), 0);  // it was hidden
    EXPECT_TRUE(IsWindowVisible(edit));

    vwSetFieldModified(view.get(), id, TRUE);
    EXPECT_TRUE(vwGetFieldModified(view.get(), id));
    vwSetFieldModified(view.get(), id, FALSE);
    EXPECT_FALSE(vwGetFieldModified(view.get(), id));
    vwSetFieldLimit(view.get(), id, 7);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 7);

    vwSetFieldDlgCode(view.get(), id, 0x8081);
    EXPECT_EQ(vwGetFieldDlgCode(view.get(), id), 0x8081);
    vwSetFieldSQLPtr(view.get(), id, 0xABCDEF);
    EXPECT_EQ(vwGetFieldSQLPtr(view.get(), id), 0xABCDEFu);
    EXPECT_EQ(vwGetFieldVar(view.get(), id), &var);
}

TEST_F(Attributes, TheApplicationFieldProcedureSeesMessagesFirst) {
    vwSetFieldProc(view.get(), 10, AppFieldProc);
    EXPECT_EQ(vwGetFieldProc(view.get(), 10), AppFieldProc);
    g_seen.clear();
    SetWindowTextA(vwGetFieldWindow(view.get(), 10), "abc");
    EXPECT_TRUE(g_seen.contains(WM_SETTEXT));
    EXPECT_EQ(TextOf(vwGetFieldWindow(view.get(), 10)), "abc");  // and passed it on
    vwSetFieldProc(view.get(), 10, nullptr);
    g_seen.clear();
    SetWindowTextA(vwGetFieldWindow(view.get(), 10), "def");
    EXPECT_FALSE(g_seen.contains(WM_SETTEXT));
    // a replaced default procedure receives what the application does not take
    vwSetDefFieldProc(view.get(), 10, RecordingDefaultProc);
    SetWindowTextA(vwGetFieldWindow(view.get(), 10), "ghi");
    EXPECT_TRUE(g_seen.contains(WM_SETTEXT));
    vwSetDefFieldProc(view.get(), 10, DefEditProc);
}
