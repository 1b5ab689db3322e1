// Typing double-byte characters into filtered fields: each character is
// accepted or refused whole, "@UP" leaves it alone, and auto-tab never
// moves the focus between its two bytes.  This program runs in a Japanese
// locale (code page 932), where Wine hands an ANSI window such a character
// as two WM_CHAR messages, lead byte first.
#include <gtest/gtest.h>

#include <string>

#include "beep.h"
#include "msglog.h"
#include "testapp.h"

using namespace tstest;

namespace {

// Code page 932 bytes of the characters typed below.
constexpr char kA[] = "\x82\xA0";        // U+3042 hiragana a
constexpr char kI[] = "\x82\xA2";        // U+3044 hiragana i
constexpr char kDi[] = "\x83\x61";       // U+30C2 katakana di: its trail byte is 'a'
constexpr char kSmallA[] = "\x83\x40";   // U+30A1 small katakana a: its trail byte is '@'

struct DoubleByte : ::testing::Test {
    void SetUp() override {
        if (GetACP() != 932) GTEST_SKIP() << "code page " << GetACP() << " instead of 932: no Japanese locale here";
        view.reset(vwOpenView(Instance(), "dbcs", WS_POPUP | WS_VISIBLE, nullptr, nullptr, 0));
        MoveWindow(view->hWnd, 0, 0, 300, 120, FALSE);
        for (LONG id : {101, 102})
            vwSetFieldEx(view.get(), id, "edit", "", WS_TABSTOP | WS_VISIBLE | ES_AUTOHSCROLL, 0, 4, 16 * (id - 100),
                         100, 12, nullptr, nullptr);
        vwSetFieldEx(view.get(), 103, "combobox", "", CBS_DROPDOWN | WS_TABSTOP | WS_VISIBLE, 0, 4, 50, 100, 60,
                     nullptr, nullptr);
        vwShowView(view.get());
    }
    HWND W(LONG id) { return vwGetFieldWindow(view.get(), id); }
    HWND ComboEdit() { return GetWindow(W(103), GW_CHILD); }
    // Gives the field the focus under new directives, as the user would.
    void Focus(LONG id, const char* directives) {
        vwSetFieldString(view.get(), id, directives);
        SetFocus(W(id == 101 ? 102 : 101));
        SetFocus(id == 103 ? ComboEdit() : W(id));
    }
    // Types as the keyboard does: Unicode characters, which the system turns
    // into the ANSI window's bytes.
    void Type(HWND h, const wchar_t* s) {
        for (; *s; ++s) SendMessageW(h, WM_CHAR, *s, 1);
    }
    ViewGuard view;
};

} // namespace

TEST_F(DoubleByte, UpperCaseConvertsOnlySingleBytes) {
    Focus(101, "@UP");
    Type(W(101), L"a\u30C2b");
    EXPECT_EQ(TextOf(W(101)), std::string("A") + kDi + "B");
    Focus(103, "@UP");
    Type(ComboEdit(), L"\u30C2q");
    EXPECT_EQ(TextOf(ComboEdit()), std::string(kDi) + "Q");
}

TEST_F(DoubleByte, NumbersAndLettersRefuseTheWholeCharacter) {
    BeepRecorder beeps;
    ASSERT_TRUE(beeps.installed());
    Focus(101, "@NUM");
    Type(W(101), L"1\u30422\uFF13");  // a full-width digit is no digit either
    EXPECT_EQ(TextOf(W(101)), "12");
    EXPECT_EQ(beeps.count(), 2);  // one beep per character, not per byte
    Focus(102, "@ALPHA");
    Type(W(102), L"a\uFF21b");
    EXPECT_EQ(TextOf(W(102)), "ab");
    EXPECT_EQ(beeps.count(), 3);
    Focus(103, "@NUM");
    Type(ComboEdit(), L"1\u30422");
    EXPECT_EQ(TextOf(ComboEdit()), "12");
    EXPECT_EQ(beeps.count(), 4);
}

TEST_F(DoubleByte, CharacterListsHoldWholeCharacters) {
    BeepRecorder beeps;
    Focus(101, "@EXCLUDE(@)");
    Type(W(101), L"\u30A1@");  // the small a is not the '@' of its trail byte
    EXPECT_EQ(TextOf(W(101)), kSmallA);
    EXPECT_EQ(beeps.count(), 1);
    EXPECT_EQ(SendMessageA(W(101), VWM_VALIDATE, 0, 0), 0);  // and checking the field agrees
    Focus(102, (std::string("@Include(") + kA + kI + ")").c_str());
    Type(W(102), L"\u3042\u304B\u3044a");
    EXPECT_EQ(TextOf(W(102)), std::string(kA) + kI);
    EXPECT_EQ(beeps.count(), 3);
    Focus(103, (std::string("@EXCLUDE(") + kA + ")").c_str());
    Type(ComboEdit(), L"\u3042\u3044");
    EXPECT_EQ(TextOf(ComboEdit()), kI);
    EXPECT_EQ(beeps.count(), 4);
}

TEST_F(DoubleByte, AutoTabWaitsForTheTrailByte) {
    Focus(101, "@AUTOTAB@LIMIT(3)");
    Type(W(101), L"a");
    SendMessageA(W(101), WM_CHAR, static_cast<unsigned char>(kA[0]), 1);
    EXPECT_EQ(GetFocus(), W(101));  // half a character fills nothing
    EXPECT_EQ(TextOf(W(101)), "a");
    SendMessageA(W(101), WM_CHAR, static_cast<unsigned char>(kA[1]), 1);
    EXPECT_EQ(TextOf(W(101)), std::string("a") + kA);
    EXPECT_EQ(GetFocus(), W(102));
    // typed through the queue, as the keyboard delivers it
    Focus(102, "@AUTOTAB@LIMIT(2)");
    PostMessageW(W(102), WM_CHAR, 0x3044, 1);
    PumpMessages();
    EXPECT_EQ(TextOf(W(102)), kI);
    EXPECT_EQ(GetFocus(), ComboEdit());  // on to the next tab stop
}
