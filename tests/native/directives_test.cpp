// Directive strings: keywords, arguments, keystroke filters and text rules;
// double-byte cases in code page 932, where a trail byte may look like ASCII.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/directives.hpp"
#include "core/keyfilter.hpp"
#include "core/validate.hpp"

using namespace ts::core;

constexpr LeadBytes kCp932 = LeadBytes().add(0x81, 0x9F).add(0xE0, 0xFC);

TEST(KeyFilter, LeadAndTrailBytesMakeOneCharacter) {
    auto Assemble = [](std::string_view bytes, const LeadBytes& lead) {  // the characters of WM_CHAR bytes
        CharAssembler a;
        std::vector<std::string> out;
        for (char b : bytes)
            if (KeyChar c = a.feed(b, lead); c.size) out.emplace_back(c.text());
        return out;
    };
    // あ 82 A0, ヂ 83 61, ァ 83 40
    EXPECT_EQ(Assemble("a\x82\xA0" "b\x83\x61\x83\x40", kCp932),
              (std::vector<std::string>{"a", "\x82\xA0", "b", "\x83\x61", "\x83\x40"}));
    // a lead byte followed by a control character is dropped, never handed out
    EXPECT_EQ(Assemble("\x82\x08" "c\x83\r", kCp932), (std::vector<std::string>{"\x08", "c", "\r"}));
    EXPECT_EQ(Assemble("\x82\xA0", LeadBytes{}), (std::vector<std::string>{"\x82", "\xA0"}));  // single-byte
}

TEST(KeyFilter, FiltersJudgeWholeCharacters) {
    const KeyRules none{}, num{true, false, false}, alpha{false, true, false}, up{false, false, true};
    const std::optional<std::string_view> no;
    const struct {  // what reaches the control of a typed character, or "rejected"
        const char* typed; KeyRules rules; std::optional<std::string_view> excluded, included; const char* expected;
    } cases[] = {
        {"\x83\x61", up, no, no, "\x83\x61"},  // ヂ keeps its trail byte 'a'
        {"q", up, no, no, "Q"},
        {"Q", alpha, no, no, "Q"},
        {"7", alpha, no, no, "rejected"},
        // ァ (83 40) is not the '@' of its trail byte
        {"\x83\x40", none, "@", no, "\x83\x40"},
        // 表 (95 5C) in a list does not exclude '\', nor does ソ (83 5C)
        {"\\", none, "\x95\x5C\x83\x5C", no, "\\"},
        {"\x83\x5C", none, "\x95\x5C\x83\x5C", no, "rejected"},
        {"a", up, no, "A", "rejected"},              // the list is checked before "@UP" converts
    };
    for (const auto& c : cases) {
        KeyChar k = char_at(c.typed, 0, kCp932);
        EXPECT_EQ(passes_filter(k, c.rules, c.excluded, c.included, kCp932) ? std::string(k.text()) : "rejected",
                  c.expected) << c.typed;
    }
}

TEST(FindKeyword, WholeWordsFirstMatchIgnoringCaseAndTheArgument) {
    const struct { const char *text, *keyword, *expected; } cases[] = {
        // "pos:argument" for a match with parentheses, "pos" without, "-" for none
        {"@NUM@LIMIT(5)@AUTOTAB", "@limit", "4:5"},
        {"@3D4@3D", "@3D", "4"},
        {"@NUM_X", "@NUM", "0"},  // '_' ends a keyword like any non-alphanumeric
        // a keyword without '@' starts a word
        {"@DIRLST(*.txt,105,0010)", "DIRLST", "1:*.txt,105,0010"},
        {"@XDIRLST(a)@DIRLST(b)", "DIRLST", "12:b"},
        {"xdirlst DirLst(a) DIRLST(b)", "dIRLST", "8:a"},
        // the argument
        {"@HELP(a.hlp,12", "@HELP", "0:a.hlp,12"},  // unterminated: the rest of the text
        {"@HELP (x)", "@HELP", "0"},  // '(' must follow directly
        {"@A((x)y)", "@A", "0:(x"},   // no nesting
    };
    for (const auto& c : cases) {
        auto m = find_keyword(c.text, c.keyword);
        std::string got = !m ? "-" : std::to_string(m->pos) + (m->hasArgument ? ":" + std::string(m->argument) : "");
        EXPECT_EQ(got, c.expected) << c.keyword << " in " << c.text;
    }
}

TEST(DirectiveArguments, SplitCountAndAppend) {
    EXPECT_EQ(split_arguments(" a ,,\tb,"), (ArgumentList{"a", "", "b", ""}));
    EXPECT_EQ(parse_count(" 42 ", 100), 42u);
    EXPECT_EQ(parse_count("99999999999999999999999", 1000), 1000u);
    EXPECT_EQ(parse_count("-1", 10), std::nullopt);
    EXPECT_EQ(with_keyword("@NUM", "3D", 255), "@NUM@3D");  // only when absent and within the length
    EXPECT_EQ(with_keyword("@3D4", "@3D", 255), "@3D4@3D");
    EXPECT_EQ(with_keyword("12345@3d", "@3D", 8), "12345@3d");
    EXPECT_EQ(with_keyword("123456", "@3D", 8), std::nullopt);
}

TEST(Validate, RulesAloneAndCombined) {
    const struct { const char *directives, *text; TextRule expected; bool dbcs = false; } cases[] = {
        {"@NUM", "-12.5", TextRule::None},
        {"@NUM", "1.2.3", TextRule::Num},
        {"@ALPHA", "New York", TextRule::None},
        {"@ALPHA", "R2D2", TextRule::Alpha},
        {"@UP", "ABc", TextRule::None},  // "@UP" converts typing, it checks nothing
        {"@LIMIT(3)", "abcd", TextRule::Limit},
        {"@EXCLUDE(xyz)", "abz", TextRule::Exclude},
        {"@INCLUDE()", "a", TextRule::Include},
        {"@NUM@LIMIT(4)@EXCLUDE(.)", "1.5", TextRule::Exclude},
        {"@EXCLUDE(@)", "x\x83\x40", TextRule::Exclude},  // in a single-byte code page 83 40 holds '@'
        {"@Include(@\x83)", "\x83\x40", TextRule::Include, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(broken_text_rule(c.text, c.directives, c.dbcs ? kCp932 : LeadBytes{}), c.expected)
            << '"' << c.text << "\" against " << c.directives;
}
