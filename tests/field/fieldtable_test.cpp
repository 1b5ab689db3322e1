// The field table: creating controls, class names, limits, lookups,
// deletion, reordering and re-creation.
#include <gtest/gtest.h>

#include <string>

#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

// Stand-ins for control classes that applications register themselves.
void RegisterStandIns() {
    for (const char* name : {"tsnumeric32", "ZEPHButton32", "datatbl32", "tsTable32", "borradio"})
        RegisterTestClass(name, DefWindowProcA);
}

struct FieldTable : ::testing::Test {
    void SetUp() override {
        RegisterStandIns();
        view.reset(vwOpenView(Instance(), "fields", WS_POPUP, nullptr, nullptr, 0));
        ASSERT_TRUE(view);
    }
    int Add(LONG id, const char* cls = "edit", DWORD style = WS_TABSTOP, const char* text = "") {
        return vwSetFieldEx(view.get(), id, cls, text, style, 0, 2, 2 + 12 * (id % 20), 40, 10, nullptr, nullptr);
    }
    ViewGuard view;
};

} // namespace

TEST_F(FieldTable, ClassNamesGainTheThirtyTwoSuffix) {
    const struct {
        const char* given;
        const char* created;
    } cases[] = {{"tsnumeric", "tsnumeric32"}, {"ZEPHButton", "ZEPHButton32"}, {"datatbl", "datatbl32"},
                 {"tsTable32", "tsTable32"},   {"ZEPHButton32", "ZEPHButton32"}};
    LONG id = 10;
    for (const auto& c : cases) {
        ASSERT_NE(Add(id, c.given), 0) << c.given;
        EXPECT_EQ(ClassOf(vwGetFieldWindow(view.get(), id)), c.created);
        ++id;
    }
    // classes the application answers for keep their own procedure
    EXPECT_EQ(vwGetDefFieldProc(view.get(), 10), DefWindowProcA);
    EXPECT_EQ(vwGetDefFieldProc(view.get(), 11), DefTSControlProc);
    EXPECT_EQ(vwGetDefFieldProc(view.get(), 12), DefTSControlProc);
    ASSERT_NE(Add(20, "borradio"), 0);
    EXPECT_EQ(vwGetFieldDlgCode(view.get(), 20) & (DLGC_RADIOBUTTON | VW_DLGC_FIELD), DLGC_RADIOBUTTON | VW_DLGC_FIELD);
}

TEST_F(FieldTable, UnregisteredClassIsReportedAndLeavesNoField) {
    MessageBoxCapture boxes;
    Add(1);
    EXPECT_EQ(Add(2, "NoSuchClass"), 0);
    EXPECT_EQ(vwGetFieldCount(view.get()), 1);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Tessarine");
    EXPECT_EQ(boxes.boxes()[0].text, "Unable to create Control Class: NoSuchClass.\nControl class must be registered.");
}

TEST_F(FieldTable, ThreeHundredFieldsAndNoMore) {
    MessageBoxCapture boxes;
    for (LONG id = 1; id <= 300; ++id) ASSERT_EQ(Add(id, "static", 0), id);
    EXPECT_EQ(Add(301, "static", 0), 0);
    EXPECT_EQ(vwGetFieldCount(view.get()), 300);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 300), 300);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "System Error");
    EXPECT_EQ(boxes.boxes()[0].text, "Tessarine unable to allocate additional field");
    EXPECT_TRUE(boxes.boxes()[0].topmost);  // system-modal
}

TEST_F(FieldTable, CreationAdjustsTextAndStyles) {
    std::string longText(200, 'x');
    Add(1, "static", 0, longText.c_str());
    EXPECT_EQ(TextOf(vwGetFieldWindow(view.get(), 1)).size(), 155u);
    Add(5, "button", BS_PUSHBUTTON | WS_DLGFRAME, "OK");
    EXPECT_EQ(vwGetOKButton(view.get()), 5u);
    EXPECT_FALSE(StyleOf(vwGetFieldWindow(view.get(), 5)) & WS_DLGFRAME);
    Add(6, "button", BS_PUSHBUTTON | WS_MAXIMIZE, "Cancel");
    EXPECT_EQ(vwGetCancelButton(view.get()), 6);
    Add(7, "button", BS_PUSHBUTTON | WS_MAXIMIZE | WS_DLGFRAME, "Both");
    EXPECT_EQ(vwGetOKButton(view.get()), 7u);  // only the OK bit is honoured
    EXPECT_TRUE(StyleOf(vwGetFieldWindow(view.get(), 7)) & WS_MAXIMIZE);
    Add(8, "listbox", WS_BORDER | LBS_NOTIFY);
    EXPECT_FALSE(StyleOf(vwGetFieldWindow(view.get(), 8)) & WS_BORDER);
    EXPECT_TRUE(StyleOf(vwGetFieldWindow(view.get(), 8)) & WS_CHILD);
    EXPECT_EQ(view->currentField, 1);
}

TEST_F(FieldTable, LookupsByIdNumberWindowAndVariable) {
    int a = 0, b = 0;
    vwSetFieldEx(view.get(), 40, "edit", "", WS_TABSTOP, 0, 0, 0, 40, 10, &a, nullptr);
    vwSetFieldEx(view.get(), 41, "edit", "", WS_TABSTOP, 0, 0, 12, 40, 10, &b, nullptr);
    vwSetFieldEx(view.get(), 42, "edit", "", WS_TABSTOP, 0, 0, 24, 40, 10, &b, nullptr);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 41), 2);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 41), 2);  // the cached answer
    EXPECT_EQ(vwGetFieldFromID(view.get(), 999), 3);  // unknown: the last field
    EXPECT_EQ(vwGetFieldFromID(view.get(), 999), 3);
    EXPECT_EQ(vwGetIDFromField(view.get(), 2), 41);
    HWND w = vwGetFieldNoWindow(view.get(), 3);
    EXPECT_EQ(vwGetField(view.get(), w), 42);
    EXPECT_EQ(vwGetField(view.get(), view->hWnd), 0);
    EXPECT_EQ(vwGetFieldNo(view.get(), &b), 2);  // the first match
    EXPECT_EQ(vwGetFieldID(view.get(), &a), 40);
    EXPECT_EQ(vwGetFieldNo(view.get(), &view), 0);
    EXPECT_EQ(vwSetFieldID(view.get(), 41, 50), 1);
    EXPECT_EQ(GetWindowLongA(vwGetFieldNoWindow(view.get(), 2), GWL_ID), 50);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 41), 3);  // the cache forgot 41
    EXPECT_EQ(vwGetFieldFromID(view.get(), 50), 2);
    // a null view resolves nothing: the current view's last field
    EXPECT_EQ(vwGetFieldFromID(nullptr, 50), 3);
}

TEST_F(FieldTable, DeletionClosesUpAndKeepsButtonsConsistent) {
    for (LONG id = 1; id <= 5; ++id) Add(id);
    vwSetOKButton(view.get(), 2);
    view->currentField = 4;
    EXPECT_EQ(vwGetFieldFromID(view.get(), 2), 2);  // now cached
    EXPECT_EQ(vwDeleteField(view.get(), 2), 1);
    EXPECT_EQ(vwGetFieldCount(view.get()), 4);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 3), 2);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 5), 4);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 2), 4);  // not the stale cache entry
    EXPECT_EQ(vwGetOKButton(view.get()), 0u);
    EXPECT_EQ(view->currentField, 0);  // another field was current
    view->currentField = 1;
    vwDeleteField(view.get(), 1);
    EXPECT_EQ(view->currentField, 1);  // the current one: field 1 takes over
    while (vwGetFieldCount(view.get())) vwDeleteField(view.get(), vwGetIDFromField(view.get(), 1));
    EXPECT_EQ(view->currentField, 0);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 3), 0);
}

TEST_F(FieldTable, ReorderRenumbersAndRestacks) {
    Add(1);
    Add(2);
    Add(3);
    const LONG order[] = {3, 1, 2};
    vwReorderFields(view.get(), order);
    EXPECT_EQ(vwGetIDFromField(view.get(), 1), 3);
    EXPECT_EQ(vwGetIDFromField(view.get(), 2), 1);
    EXPECT_EQ(vwGetFieldFromID(view.get(), 2), 3);
    HWND first = GetWindow(view->hWnd, GW_CHILD);
    EXPECT_EQ(GetWindowLongA(first, GWL_ID), 3);
    EXPECT_EQ(GetWindowLongA(GetWindow(first, GW_HWNDNEXT), GWL_ID), 1);
    EXPECT_EQ(GetWindowLongA(GetWindow(GetWindow(first, GW_HWNDNEXT), GW_HWNDNEXT), GWL_ID), 2);
    // an order that is no permutation changes nothing
    const LONG bad[] = {1, 1, 7};
    vwReorderFields(view.get(), bad);
    EXPECT_EQ(vwGetIDFromField(view.get(), 1), 3);
}

TEST_F(FieldTable, ResetKeepsPlaceRecordAndSiblingOrder) {
    Add(1);
    vwSetFieldEx(view.get(), 2, "edit", "", WS_TABSTOP, 0, 30, 40, 60, 14, nullptr, nullptr);
    Add(3);
    vwSetFieldColors(view.get(), 2, RGB(1, 0, 0), RGB(0, 1, 0), RGB(0, 0, 1), RGB(1, 1, 1));
    vwSetFieldName(view.get(), 2, "Amount");
    vwSetFieldString(view.get(), 2, "@NUM");
    HFONT font = CreateFontA(-11, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    vwSetFieldFont(view.get(), 2, font);
    HWND old = vwGetFieldWindow(view.get(), 2);
    RECT before;
    GetWindowRect(old, &before);
    ASSERT_EQ(vwResetFieldEx(view.get(), 2, "edit", "again", WS_TABSTOP, 0, 0, 0, 0, 0, nullptr, nullptr), 2);
    HWND now = vwGetFieldWindow(view.get(), 2);
    EXPECT_FALSE(IsWindow(old));
    RECT after;
    GetWindowRect(now, &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(vwGetFieldCount(view.get()), 3);
    EXPECT_EQ(vwIsFieldColored(view.get(), 2), 1);
    EXPECT_STREQ(vwGetFieldName(view.get(), 2), "Amount");
    char dirs[32] = {};
    vwGetFieldString(view.get(), 2, dirs, sizeof dirs);
    EXPECT_STREQ(dirs, "@NUM");
    EXPECT_EQ(view->fields[2]->hFont, font);
    EXPECT_EQ(GetWindow(vwGetFieldWindow(view.get(), 1), GW_HWNDNEXT), now);
    EXPECT_EQ(TextOf(now), "again");
    view.reset();
    DeleteObject(font);
}
