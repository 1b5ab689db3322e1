// Edit fields: the keystroke filter, auto-tab, data exchange and validation
// through the companion library, end to end in a modal view.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "testapp.h"
#include "typing.h"

using namespace tstest;

namespace {

struct EditFields : ::testing::Test {
    void SetUp() override {
        view.reset(vwOpenView(Instance(), "edits", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 0, 0, 300, 120, FALSE);
        vwSetFieldEx(view.get(), 101, "edit", "", WS_TABSTOP | WS_VISIBLE | ES_AUTOHSCROLL, 0, 4, 4, 60, 12, number,
                     nullptr);
        vwSetFieldEx(view.get(), 102, "edit", "", WS_TABSTOP | WS_VISIBLE | ES_AUTOHSCROLL, 0, 4, 20, 60, 12, name,
                     nullptr);
        vwSetFieldString(view.get(), 101, "@NUM@LIMIT(5)@AUTOTAB");
        vwShowView(view.get());
    }
    void Type(HWND h, const char* s) {
        for (; *s; ++s) SendMessageA(h, WM_CHAR, static_cast<unsigned char>(*s), 1);
    }
    HWND W(LONG id) { return vwGetFieldWindow(view.get(), id); }
    char number[80] = "";
    char name[80] = "";
    ViewGuard view;
};

} // namespace

TEST_F(EditFields, NumbersOnlyAndAutoTabWhenFull) {
    SetFocus(W(101));
    Type(W(101), "a1b2");
    EXPECT_EQ(TextOf(W(101)), "12");
    EXPECT_EQ(SendMessageA(W(101), EM_GETLIMITTEXT, 0, 0), 5);
    Type(W(101), "345");
    EXPECT_EQ(TextOf(W(101)), "12345");
    EXPECT_EQ(GetFocus(), W(102));  // moved on as soon as the field was full
    Type(W(102), "x\ty\r");  // Tab and Enter never reach a single-line edit
    EXPECT_EQ(TextOf(W(102)), "xy");
    vwUpdateApp(view.get());
    EXPECT_STREQ(number, "12345");
    EXPECT_STREQ(name, "xy");
}

TEST_F(EditFields, FiltersInOrder) {
    vwSetFieldString(view.get(), 102, "@UP@Include(ABC)@EXCLUDE(C)");
    SetFocus(W(102));
    Type(W(102), "abcdAB");
    // "@Include" is tested before "@UP" converts: lower case never passes
    EXPECT_EQ(TextOf(W(102)), "AB");
    vwSetFieldString(view.get(), 102, "@ALPHA@UP");
    SetFocus(W(101));
    SetFocus(W(102));  // the flags follow the new string at the next focus
    SetWindowTextA(W(102), "");
    Type(W(102), "q7 r\x08");
    EXPECT_EQ(TextOf(W(102)), "Q");  // backspace passed
    vwSetFieldString(view.get(), 102, "");
    SetFocus(W(101));
    SetFocus(W(102));
    Type(W(102), "z9");
    EXPECT_EQ(TextOf(W(102)), "Qz9");
}

TEST_F(EditFields, ExchangeLimitsTypeAndValidation) {
    std::strcpy(number, "777");
    vwUpdateScreen(view.get());
    EXPECT_EQ(TextOf(W(101)), "777");
    SetWindowTextA(W(102), std::string(100, 'w').c_str());
    vwUpdateApp(view.get());
    EXPECT_EQ(std::strlen(name), 79u);  // no "@LIMIT": 79 characters
    LONG limit = -1;
    EXPECT_EQ(SendMessageA(W(101), VWM_GETFIELDTYPE, 0, reinterpret_cast<LPARAM>(&limit)), 4);
    EXPECT_EQ(limit, 5);
    EXPECT_EQ(SendMessageA(W(102), VWM_GETFIELDTYPE, 0, reinterpret_cast<LPARAM>(&limit)), 4);
    EXPECT_EQ(limit, 80);
    EXPECT_EQ(SendMessageA(W(101), VWM_GETFIELDTYPE, 0, 0), 4);
    SetWindowTextA(W(101), "12a");
    EXPECT_EQ(SendMessageA(W(101), VWM_VALIDATE, 0, 0), -1);
    SetFocus(W(101));
    SendMessageA(W(101), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(101));  // the invalid number keeps the focus
    SetWindowTextA(W(101), "12");
    SendMessageA(W(101), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), W(102));
    // multi-line edits want arrows and characters
    vwSetFieldEx(view.get(), 103, "edit", "", ES_MULTILINE | WS_VISIBLE, 0, 100, 4, 60, 30, nullptr, nullptr);
    EXPECT_EQ(SendMessageA(W(103), WM_GETDLGCODE, 0, 0), 0x8089);
}

namespace {
char g_typed[80] = "";
} // namespace

TEST(EditScenario, TypedValuesReachTheVariableOnOk) {
    std::strcpy(g_typed, "old");
    SetTypingScript({101, "4x2", VK_RETURN});  // Enter: the OK command
    HVIEW v = vwOpenView(Instance(), "scenario", WS_POPUP | WS_VISIBLE, nullptr, TypingViewProc, 0);
    MoveWindow(v->hWnd, 0, 0, 200, 80, FALSE);
    vwSetFieldEx(v, 101, "edit", "", WS_TABSTOP | WS_VISIBLE, 0, 4, 4, 60, 12, g_typed, nullptr);
    vwSetFieldEx(v, IDOK, "button", "OK", BS_DEFPUSHBUTTON | WS_VISIBLE, 0, 80, 4, 40, 14, nullptr, nullptr);
    vwSetOKButton(v, IDOK);
    vwSetFieldString(v, 101, "@NUM");
    EXPECT_EQ(vwShowModalView(v), 1);
    EXPECT_STREQ(g_typed, "42");
}
