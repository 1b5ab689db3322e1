#include <gtest/gtest.h>

#include "core/keyfilter.hpp"
#include "core/validate.hpp"

using ts::core::broken_text_rule;
using ts::core::TextRule;

TEST(Validate, RulesAloneAndCombined) {
    const struct {
        const char* directives;
        const char* text;
        TextRule expected;
    } cases[] = {
        {"", "anything", TextRule::None},
        {"@NUM", "", TextRule::None},
        {"@NUM", "-12.5", TextRule::None},
        {"@NUM", ".5", TextRule::None},
        {"@NUM", "1.2.3", TextRule::Num},
        {"@NUM", "-", TextRule::Num},
        {"@NUM", "1-2", TextRule::Num},
        {"@NUMBER", "abc", TextRule::None},
        {"@ALPHA", "New York", TextRule::None},
        {"@ALPHA", "R2D2", TextRule::Alpha},
        {"@UP", "ABc", TextRule::None},  // "@UP" converts typing, it checks nothing
        {"@LIMIT(3)", "abc", TextRule::None},
        {"@LIMIT(3)", "abcd", TextRule::Limit},
        {"@LIMIT(x)", "abcd", TextRule::None},
        {"@EXCLUDE(xyz)", "abz", TextRule::Exclude},
        {"@EXCLUDE(XYZ)", "xyz", TextRule::None},  // characters compare exactly
        {"@Include(ABC)", "CAB", TextRule::None},
        {"@Include(ABC)", "CAD", TextRule::Include},
        {"@INCLUDE()", "a", TextRule::Include},
        {"@NUM@LIMIT(4)@EXCLUDE(.)", "-123", TextRule::None},
        {"@NUM@LIMIT(4)@EXCLUDE(.)", "12345", TextRule::Limit},
        {"@NUM@LIMIT(4)@EXCLUDE(.)", "1.5", TextRule::Exclude},
        {"@up@alpha", "ab", TextRule::None},
        {"@up@alpha", "AB1", TextRule::Alpha},
    };
    for (const auto& c : cases)
        EXPECT_EQ(broken_text_rule(c.text, c.directives), c.expected)
            << '"' << c.text << "\" against " << c.directives;
}

TEST(Validate, CharacterListsCompareWholeDoubleByteCharacters) {
    // code page 932: the trail byte of small katakana a (83 40) is '@', that
    // of hiragana a (82 A0) is no character of its own
    constexpr auto cp932 = ts::core::LeadBytes().add(0x81, 0x9F).add(0xE0, 0xFC);
    EXPECT_EQ(broken_text_rule("x\x83\x40", "@EXCLUDE(@)", cp932), TextRule::None);
    EXPECT_EQ(broken_text_rule("x\x83\x40", "@EXCLUDE(@)"), TextRule::Exclude);  // a single-byte code page
    EXPECT_EQ(broken_text_rule("\x82\xA0", "@EXCLUDE(\x82\xA0)", cp932), TextRule::Exclude);
    EXPECT_EQ(broken_text_rule("\x82\xA0@", "@Include(\x82\xA0@)", cp932), TextRule::None);
    EXPECT_EQ(broken_text_rule("\x83\x40", "@Include(@\x83)", cp932), TextRule::Include);
}
