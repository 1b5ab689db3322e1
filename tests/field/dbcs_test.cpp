// Typing double-byte characters into filtered fields.  This program runs in
// a Japanese locale (code page 932), where Wine hands an ANSI window such a
// character as two WM_CHAR messages, lead byte first: each character must
// be judged, converted and passed on whole.
#include <string>

#include "beep.h"
#include "fieldtest.h"
#include "msglog.h"

using namespace tstest;

namespace {
struct DoubleByte : FieldTest {
    void SetUp() override {
        if (GetACP() != 932) GTEST_SKIP() << "code page " << GetACP() << " instead of 932: no Japanese locale here";
        FieldTest::SetUp();
        for (LONG id : {101, 102}) Add(id, "edit", WS_TABSTOP | ES_AUTOHSCROLL, 4, 16 * (id - 100), 100, 12);
        Add(103, "combobox", CBS_DROPDOWN | WS_TABSTOP, 4, 50, 100, 60);
    }
};
} // namespace

TEST_F(DoubleByte, FiltersJudgeAndConvertWholeCharacters) {
    BeepRecorder beeps;
    const struct { LONG id; const char* dirs; const wchar_t* typed; const char* kept; int refused; } cases[] = {
        {101, "@UP", L"a\u30C2b", "A\x83\x61" "B", 0},  // katakana di: its trail byte 'a' stays
        {103, "@UP", L"\u30C2q", "\x83\x61Q", 0},
        {101, "@NUM", L"1\u30422\uFF13", "12", 2},  // a full-width digit is no digit either
        {103, "@NUM", L"1\u30422", "12", 1},
        {102, "@EXCLUDE(@)", L"\u30A1@", "\x83\x40", 1},  // the small a is not the '@' of its trail byte
        {102, "@Include(\x82\xA0\x82\xA2)", L"\u3042\u304B\u3044a", "\x82\xA0\x82\xA2", 2},
    };
    for (const auto& c : cases) {
        Dirs(c.id, c.dirs);
        SetFocus(W(c.id == 101 ? 102 : 101));  // the filter follows the directives from the next focus
        HWND h = c.id == 103 ? GetWindow(W(103), GW_CHILD) : W(c.id);
        SetFocus(h);
        SetWindowTextA(h, "");
        beeps.reset();
        for (const wchar_t* s = c.typed; *s; ++s) SendMessageW(h, WM_CHAR, *s, 1);  // as the keyboard types
        EXPECT_EQ(TextOf(h), c.kept) << c.dirs;
        EXPECT_EQ(beeps.count(), c.refused) << c.dirs;  // one beep a character, not a byte
        if (c.id != 103) EXPECT_EQ(SendMessageA(h, VWM_VALIDATE, 0, 0), 0) << c.dirs;  // checking agrees
    }
}

TEST_F(DoubleByte, AutoTabWaitsForTheTrailByte) {
    Dirs(101, "@AUTOTAB@LIMIT(3)");
    SetFocus(W(101));
    for (char c : std::string("a\x82")) SendMessageA(W(101), WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_EQ(GetFocus(), W(101));  // half a character fills nothing
    EXPECT_EQ(TextOf(W(101)), "a");
    SendMessageA(W(101), WM_CHAR, 0xA0, 1);
    EXPECT_EQ(TextOf(W(101)), "a\x82\xA0");
    EXPECT_EQ(GetFocus(), W(102));
    Dirs(102, "@AUTOTAB@LIMIT(2)");  // typed through the queue, as the keyboard delivers it
    SetFocus(W(101));
    SetFocus(W(102));
    PostMessageW(W(102), WM_CHAR, 0x3044, 1);
    PumpMessages();
    EXPECT_EQ(TextOf(W(102)), "\x82\xA2");
    EXPECT_EQ(GetFocus(), GetWindow(W(103), GW_CHILD));  // on to the next tab stop
}
