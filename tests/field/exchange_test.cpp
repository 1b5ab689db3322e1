// Data exchange between bound variables and fields, dropped text and the
// string-editing helpers.
#include <gtest/gtest.h>

#include <cstring>

#include "testapp.h"

using namespace tstest;

namespace {

// A typed control class stand-in: it keeps the addresses it is handed.
void* g_appToScr = nullptr;
void* g_scrToApp = nullptr;
LRESULT CALLBACK TypedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == VWM_APPTOSCR) g_appToScr = reinterpret_cast<void*>(l);
    if (m == VWM_SCRTOAPP) g_scrToApp = reinterpret_cast<void*>(l);
    return DefWindowProcA(h, m, w, l);
}

struct Exchange : ::testing::Test {
    void SetUp() override {
        RegisterTestClass("tsstring32", TypedProc);
        view.reset(vwOpenView(Instance(), "exchange", WS_POPUP, nullptr, nullptr, 0));
    }
    HWND Radio(LONG id, LONG* var, DWORD extra = 0) {
        vwSetFieldEx(view.get(), id, "button", "r", BS_AUTORADIOBUTTON | extra, 0, 0, 10 * id, 40, 10, var, nullptr);
        return vwGetFieldWindow(view.get(), id);
    }
    LRESULT Checked(LONG id) { return SendMessageA(vwGetFieldWindow(view.get(), id), BM_GETCHECK, 0, 0); }
    ViewGuard view;
};

} // namespace

TEST_F(Exchange, RadioGroupsShareOneVariable) {
    LONG group = 0;
    Radio(11, &group, WS_GROUP);
    Radio(12, &group);
    Radio(13, &group);
    SendMessageA(vwGetFieldWindow(view.get(), 12), BM_SETCHECK, BST_CHECKED, 0);
    vwUpdateApp(view.get());
    EXPECT_EQ(group, 12);
    vwDoScrToApp(view.get(), 12);  // a neighbour shares the variable: the identifier
    EXPECT_EQ(group, 12);
    group = 13;
    vwUpdateScreen(view.get());
    EXPECT_EQ(Checked(11), 0);
    EXPECT_EQ(Checked(12), 0);
    EXPECT_EQ(Checked(13), 1);
}

TEST_F(Exchange, ALoneRadioButtonStoresOneOrItsIdentifier) {
    LONG alone = 0, other = 0;
    Radio(21, &alone);
    vwSetFieldEx(view.get(), 22, "button", "c", BS_AUTOCHECKBOX, 0, 0, 40, 40, 10, &other, nullptr);
    SendMessageA(vwGetFieldWindow(view.get(), 21), BM_SETCHECK, BST_CHECKED, 0);
    vwDoScrToApp(view.get(), 21);
    EXPECT_EQ(alone, 1);
    vwUpdateApp(view.get());
    EXPECT_EQ(alone, 21);
    alone = 0;
    vwDoAppToScr(view.get(), 21);  // never unchecks
    EXPECT_EQ(Checked(21), 1);
    vwUpdateScreen(view.get());  // does
    EXPECT_EQ(Checked(21), 0);
    alone = 1;
    vwDoAppToScr(view.get(), 21);
    EXPECT_EQ(Checked(21), 1);
}

TEST_F(Exchange, CheckBoxesKeepTheIndeterminateState) {
    LONG state = 0;
    vwSetFieldEx(view.get(), 31, "button", "c", BS_AUTO3STATE, 0, 0, 0, 40, 10, &state, nullptr);
    SendMessageA(vwGetFieldWindow(view.get(), 31), BM_SETCHECK, BST_INDETERMINATE, 0);
    vwDoScrToApp(view.get(), 31);
    EXPECT_EQ(state, 2);
    state = 5;
    vwDoAppToScr(view.get(), 31);
    EXPECT_EQ(Checked(31), 1);
}

TEST_F(Exchange, OtherControlsAreHandedTheAddress) {
    char text[80] = "x";
    vwSetFieldEx(view.get(), 41, "tsstring", "", 0, 0, 0, 0, 40, 10, text, nullptr);
    vwSetFieldEx(view.get(), 42, "tsstring", "", 0, 0, 0, 12, 40, 10, nullptr, nullptr);
    vwUpdateScreen(view.get());
    EXPECT_EQ(g_appToScr, text);
    g_appToScr = text;
    vwDoAppToScr(view.get(), 42);  // a single field gets its null address too
    EXPECT_EQ(g_appToScr, nullptr);
    vwUpdateApp(view.get());
    EXPECT_EQ(g_scrToApp, text);
    // a view without a window exchanges nothing
    HVIEW bare = vwOpenView(Instance(), "bare", WS_POPUP, nullptr, nullptr, 0);
    vwSetFieldEx(bare, 43, "tsstring", "", 0, 0, 0, 0, 40, 10, text, nullptr);
    HWND saved = bare->hWnd;
    bare->hWnd = nullptr;
    g_scrToApp = nullptr;
    vwUpdateApp(bare);
    vwDoScrToApp(bare, 43);
    EXPECT_EQ(g_scrToApp, nullptr);
    bare->hWnd = saved;
    DestroyWindow(saved);
}

TEST_F(Exchange, DroppedTextReachesEditsTypedControlsAndLists) {
    HVIEW source = vwOpenView(Instance(), "source", WS_POPUP, nullptr, nullptr, 0);
    const char dropped[] = "one\ntwo";
    auto fill = [&] {
        if (source->hDropData) GlobalFree(source->hDropData);
        source->hDropData = GlobalAlloc(GMEM_MOVEABLE, sizeof dropped);
        std::memcpy(GlobalLock(source->hDropData), dropped, sizeof dropped);
        GlobalUnlock(source->hDropData);
        source->dropKind = 1;
    };
    vwSetFieldEx(view.get(), 51, "edit", "", ES_AUTOHSCROLL, 0, 0, 0, 80, 10, nullptr, nullptr);
    vwSetFieldEx(view.get(), 52, "tsstring", "", 0, 0, 0, 12, 80, 10, nullptr, nullptr);
    vwSetFieldEx(view.get(), 53, "listbox", "", 0, 0, 0, 24, 80, 40, nullptr, nullptr);
    fill();
    EXPECT_EQ(vwUpdateFromViewData(view.get(), source, 51), 1);
    EXPECT_EQ(TextOf(vwGetFieldWindow(view.get(), 51)), "one two");
    fill();
    vwUpdateFromViewData(view.get(), source, 52);
    EXPECT_EQ(TextOf(vwGetFieldWindow(view.get(), 52)), "onetwo");
    fill();
    vwUpdateFromViewData(view.get(), source, 53);
    HWND list = vwGetFieldWindow(view.get(), 53);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    char item[16] = {};
    SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, "two");
    EXPECT_EQ(vwUpdateFromViewData(view.get(), source, 0), 1);

    char buf[8] = "zzzzzzz", name[32] = "";
    std::strcpy(source->dropName, "Drop");
    EXPECT_EQ(vwGetViewDropData(source, buf, name, 3), 1);
    EXPECT_EQ(std::memcmp(buf, "one", 3), 0);
    EXPECT_EQ(buf[3], 'z');  // exactly the bytes asked for
    EXPECT_STREQ(name, "Drop");
    GlobalFree(source->hDropData);
    source->hDropData = nullptr;
    EXPECT_EQ(vwGetViewDropData(source, buf, name, 3), 0);
    EXPECT_EQ(vwUpdateFromViewData(view.get(), source, 51), 0);
    DestroyWindow(source->hWnd);
}

TEST(StringEditing, OverwriteDeleteInsert) {
    char s[8] = "ab";
    EXPECT_EQ(vwOverWriteChar(s, 'c', 2), 0);  // appended
    EXPECT_STREQ(s, "abc");
    EXPECT_EQ(vwOverWriteChar(s, 'x', 4), 0);  // beyond: unchanged
    EXPECT_STREQ(s, "abc");
    EXPECT_EQ(vwOverWriteChar(s, 'B', 1), 'b');
    EXPECT_STREQ(s, "aBc");
    EXPECT_EQ(vwDeleteChar(s, 1), 'B');
    EXPECT_STREQ(s, "ac");
    EXPECT_EQ(vwDeleteChar(s, 2), 0);
    EXPECT_STREQ(vwInsertChar(s, 'b', 1), "abc");
}
