#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/keyfilter.hpp"

using namespace ts::core;

namespace {

// Code page 932 (Shift-JIS): lead bytes 0x81-0x9F and 0xE0-0xFC.
constexpr LeadBytes kCp932 = LeadBytes().add(0x81, 0x9F).add(0xE0, 0xFC);
constexpr LeadBytes kSingleByte{};

// The characters a stream of WM_CHAR bytes makes.
std::vector<std::string> Assemble(std::string_view bytes, const LeadBytes& lead) {
    CharAssembler a;
    std::vector<std::string> out;
    for (char b : bytes)
        if (KeyChar c = a.feed(b, lead); c.size) out.emplace_back(c.text());
    return out;
}

// What typing one character into a filtered field gives: the character as
// it reaches the control, or "rejected".
std::string Filtered(std::string_view typed, KeyRules rules, std::optional<std::string_view> excluded = {},
                     std::optional<std::string_view> included = {}) {
    KeyChar c = char_at(typed, 0, kCp932);
    return passes_filter(c, rules, excluded, included, kCp932) ? std::string(c.text()) : "rejected";
}

const KeyRules kNone{}, kNum{true, false, false}, kAlpha{false, true, false}, kUp{false, false, true};

} // namespace

TEST(KeyFilter, LeadAndTrailBytesMakeOneCharacter) {
    // あ 82 A0, ヂ 83 61, ァ 83 40: a trail byte may look like ASCII
    EXPECT_EQ(Assemble("a\x82\xA0" "b\x83\x61\x83\x40", kCp932),
              (std::vector<std::string>{"a", "\x82\xA0", "b", "\x83\x61", "\x83\x40"}));
    // a lead byte followed by a control character is dropped, never handed out
    EXPECT_EQ(Assemble("\x82\x08" "c\x83\r", kCp932), (std::vector<std::string>{"\x08", "c", "\r"}));
    // a lead byte waits; in a single-byte code page every byte stands alone
    CharAssembler a;
    EXPECT_EQ(a.feed('\x82', kCp932).size, 0);
    EXPECT_TRUE(a.waiting());
    a.reset();
    EXPECT_EQ(a.feed('\xA0', kCp932).text(), "\xA0");
    EXPECT_EQ(Assemble("\x82\xA0", kSingleByte), (std::vector<std::string>{"\x82", "\xA0"}));
}

TEST(KeyFilter, DoubleByteCharactersPassOrFailWhole) {
    EXPECT_EQ(Filtered("\x83\x61", kUp), "\x83\x61");  // ヂ keeps its trail byte 'a'
    EXPECT_EQ(Filtered("q", kUp), "Q");
    EXPECT_EQ(Filtered("\x82\xA0", kNum), "rejected");
    EXPECT_EQ(Filtered("\x82\x50", kNum), "rejected");  // a full-width digit is no digit
    EXPECT_EQ(Filtered("7", kNum), "7");
    EXPECT_EQ(Filtered("\x82\x60", kAlpha), "rejected");  // nor a full-width letter a letter
    EXPECT_EQ(Filtered("\x82\xA0", kNone), "\x82\xA0");
}

TEST(KeyFilter, CharacterListsCompareWholeCharacters) {
    // ァ (83 40) is not the '@' of its trail byte, ア (83 41) holds no 'A'
    EXPECT_EQ(Filtered("\x83\x40", kNone, "@"), "\x83\x40");
    EXPECT_EQ(Filtered("@", kNone, "@"), "rejected");
    EXPECT_EQ(Filtered("A", kNone, {}, "\x83\x41"), "rejected");
    EXPECT_EQ(Filtered("\x83\x41", kNone, {}, "\x83\x41"), "\x83\x41");
    // 表 (95 5C) in a list does not exclude '\', nor does ソ (83 5C)
    EXPECT_EQ(Filtered("\\", kNone, "\x95\x5C\x83\x5C"), "\\");
    EXPECT_EQ(Filtered("\x83\x5C", kNone, "\x95\x5C\x83\x5C"), "rejected");
    // a list cut after a lead byte keeps that byte as a character of its own
    EXPECT_EQ(Filtered("\x83\x41", kNone, "\x83"), "\x83\x41");
    // the list is checked before "@UP" converts
    EXPECT_EQ(Filtered("a", kUp, {}, "A"), "rejected");
    EXPECT_EQ(Filtered("a", kUp, {}, "a"), "A");
}
