// Find and replace searching, indentation and line counting of the editor.
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "core/editsettings.hpp"
#include "core/textsearch.hpp"

using namespace ts::core;

TEST(FindText, CaseRuleDecidesWhetherMixedCaseMatches) {
    EXPECT_EQ(find_text("xABCx", "abc", 0, false), 1u);
    EXPECT_EQ(find_text("a-A-Ab", "ab", 0, false), 4u);  // tried at each first letter, in either case
    EXPECT_EQ(find_text("xABCx", "abc", 0, true), kNotFound);
    EXPECT_EQ(find_text("xABCx abc", "abc", 0, true), 6u);
    // Only ASCII letters fold: bytes above 0x7F and punctuation compare exactly.
    EXPECT_EQ(find_text("\xe4\xc4", "\xc4", 0, false), 1u);
    EXPECT_EQ(find_text("[{", "{", 0, false), 1u);  // '[' is not '{' upper-cased
    EXPECT_EQ(find_text("@`", "`", 0, false), 1u);
}

TEST(FindText, ContinuesFromTheGivenOffsetAndReachesTheEnd) {
    const std::string_view t = "one two one two";
    EXPECT_EQ(find_text(t, "two", 0, true), 4u);
    EXPECT_EQ(find_text(t, "two", 7, true), 12u);   // behind the first match
    EXPECT_EQ(find_text(t, "two", 15, true), kNotFound);
    EXPECT_EQ(find_text("abc", "c", 2, true), 2u);   // at the very end
    EXPECT_EQ(find_text("abc", "bc", 2, true), kNotFound);
}

TEST(FindText, HostileArgumentsFindNothing) {
    EXPECT_EQ(find_text("abc", "", 0, true), kNotFound);
    EXPECT_EQ(find_text("", "a", 0, false), kNotFound);
    EXPECT_EQ(find_text("abc", "a", 4, false), kNotFound);
    EXPECT_EQ(find_text("abc", "a", static_cast<std::size_t>(-1), false), kNotFound);
    EXPECT_EQ(find_text("ab", "abc", 0, false), kNotFound);
    const std::string withNul("a\0b", 3);
    EXPECT_EQ(find_text(withNul, std::string_view("\0b", 2), 0, true), 1u);
}

namespace {

// Replace All as the editor did it one match at a time: replace, then
// search the changed text again behind the replacement.
std::string replace_one_by_one(std::string text, std::string_view needle, std::string_view replacement,
                               std::size_t from, bool matchCase) {
    for (std::size_t at = find_text(text, needle, from, matchCase); at != kNotFound;
         at = find_text(text, needle, at + replacement.size(), matchCase))
        text.replace(at, needle.size(), replacement);
    return text;
}

std::string replace_all(std::string_view text, std::string_view needle, std::string_view replacement,
                        std::size_t from, bool matchCase, ReplaceAllPlan* planOut = nullptr) {
    const ReplaceAllPlan plan = plan_replace_all(text, needle, replacement.size(), from, matchCase);
    if (planOut) *planOut = plan;
    if (plan.count == 0) return std::string(text);
    std::string stretch(plan.size, '?');
    if (write_replace_all(text, needle, replacement, matchCase, plan, stretch) != plan.size) return "<failed>";
    return std::string(text.substr(0, plan.first)) + stretch + std::string(text.substr(plan.end));
}

} // namespace

TEST(ReplaceAll, GivesWhatReplacingMatchByMatchGave) {
    struct Case { const char* text; const char* needle; const char* replacement; std::size_t from; bool matchCase; };
    const Case cases[] = {
        {"aaa", "a", "aa", 0, false},           // the replacement holds the needle
        {"aaaa", "aa", "a", 0, true},            // matches do not overlap
        {"xAx xax", "a", "bb", 0, false},
        {"xAx xax", "a", "bb", 0, true},
        {"xax xax", "a", "bb", 2, true},         // text before the caret is left
        {"abcabc", "abc", "", 0, true},          // an empty replacement
        {"ab\r\nab", "b\r", "Q", 0, false},
        {"none here", "zz", "y", 0, false},
        {"tail ab", "ab", "XYZ", 5, false},      // a match at the very end
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(replace_all(c.text, c.needle, c.replacement, c.from, c.matchCase),
                  replace_one_by_one(c.text, c.needle, c.replacement, c.from, c.matchCase));
    }
    ReplaceAllPlan plan;
    EXPECT_EQ(replace_all("..aaa..", "a", "aa", 1, false, &plan), "..aaaaaa..");
    EXPECT_EQ(plan.count, 3u);
    EXPECT_EQ(plan.first, 2u);
    EXPECT_EQ(plan.end, 5u);
    EXPECT_EQ(plan.lastAt, 4u);  // the last "aa" starts at 2 + 4 in the new text

    // A long generated text with thousands of matches, against the slow way.
    std::string big;
    for (int i = 0; i < 4000; ++i) big += (i % 7 ? "lorem Ipsum " : "dolor ") + std::to_string(i) + "\r\n";
    EXPECT_EQ(replace_all(big, "ipsum", "IPSUM ipsum", 100, false), replace_one_by_one(big, "ipsum", "IPSUM ipsum", 100, false));
}

TEST(ReplaceAll, RefusesAnOutputTooSmallOrAPlanOfAnotherText) {
    const ReplaceAllPlan plan = plan_replace_all("a-a-a", "a", 2, 0, true);
    std::string out(plan.size, '?');
    EXPECT_EQ(write_replace_all("a-a-a", "a", "bb", true, plan, std::span<char>(out).first(plan.size - 1)), 0u);
    EXPECT_EQ(write_replace_all("a-a-A", "a", "bb", true, plan, out), 0u);   // fewer matches
    EXPECT_EQ(write_replace_all("a-a-a", "a", "bbb", true, plan, out), 0u);  // longer replacement
}

TEST(ReplaceAll, TheLastMatchEndsAsTheSecondVisibleLine) {
    EXPECT_EQ(first_visible_after_replace_all(0, 5, 40), 39u);
    EXPECT_EQ(first_visible_after_replace_all(30, 5, 40), 39u);  // shown at the top, then further down
    EXPECT_EQ(first_visible_after_replace_all(0, 0, 0), 0u);
    EXPECT_EQ(first_visible_after_replace_all(0, 1, 1), 0u);
    EXPECT_EQ(first_visible_after_replace_all(7, 7, 7), 7u);     // on the top line: no scrolling
    EXPECT_EQ(first_visible_after_replace_all(9, 4, 4), 4u);     // above the window: brought to the top
    EXPECT_EQ(first_visible_after_replace_all(9, 4, 5), 4u);
}

TEST(Indentation, BlanksFirstThenTabs) {
    EXPECT_EQ(leading_indent("    x").blanks, 4u);
    EXPECT_EQ(leading_indent("    x").tabs, 0u);
    EXPECT_EQ(leading_indent("\t\tx").tabs, 2u);
    EXPECT_EQ(leading_indent(" \tx").tabs, 0u);  // a blank first: tabs are not counted
    EXPECT_EQ(leading_indent("\t x").blanks, 0u);
    EXPECT_EQ(leading_indent("   ").blanks, 3u);
    EXPECT_EQ(leading_indent("").blanks + leading_indent("").tabs, 0u);
}

TEST(Lines, OffsetsMapToLinesAcrossLineBreaks) {
    const std::string_view t = "a\r\nbb\r\n\r\nc";
    EXPECT_EQ(line_of_offset(t, 0), 0u);
    EXPECT_EQ(line_of_offset(t, 2), 0u);   // between \r and \n
    EXPECT_EQ(line_of_offset(t, 3), 1u);
    EXPECT_EQ(line_of_offset(t, 9), 3u);
    EXPECT_EQ(line_of_offset(t, 1000), 3u);
    EXPECT_EQ(line_count(t), 4u);
    EXPECT_EQ(line_count(""), 1u);
    EXPECT_EQ(line_count("x\r\n"), 2u);
}

TEST(EditorSettings, FontNamesAndColourHalves) {
    EXPECT_EQ(editor_font_from_name("fIxEd"), EditorFont::Fixed);
    EXPECT_EQ(editor_font_from_name("VARIABLE"), EditorFont::Variable);
    EXPECT_EQ(editor_font_from_name("Default"), EditorFont::Default);
    EXPECT_EQ(editor_font_from_name("Courier"), EditorFont::System);
    EXPECT_EQ(editor_font_from_name(""), EditorFont::System);
    EXPECT_STREQ(editor_font_name(EditorFont::Fixed), "Fixed");
    EXPECT_STREQ(editor_font_name(EditorFont::Unread), "System");
    const std::uint32_t c = 0x008000FF;  // red 255, blue 128
    EXPECT_EQ(low_half(c), 255u);
    EXPECT_EQ(high_half(c), 128u);
    EXPECT_EQ(join_halves(255, 128), c);
    EXPECT_EQ(join_halves(0x1FFFF, 0x10001), 0x0001FFFFu);  // halves are cut to 16 bits
}

TEST(EditorSettings, CustomColoursRoundTripAndToleratePoorInput) {
    std::uint32_t colors[16];
    for (auto& c : colors) c = 0xFFFFFF;
    EXPECT_EQ(parse_custom_colors("ff,8000ff, zz,10", colors, 16), 3u);
    EXPECT_EQ(colors[0], 0xFFu);
    EXPECT_EQ(colors[1], 0x8000FFu);
    EXPECT_EQ(colors[2], 0xFFFFFFu);  // not a number: left alone
    EXPECT_EQ(colors[3], 0x10u);
    EXPECT_EQ(colors[4], 0xFFFFFFu);

    char text[500];
    format_custom_colors(colors, 4, text, sizeof text);
    EXPECT_STREQ(text, "ff,8000ff,ffffff,10,");
    std::uint32_t back[4] = {};
    EXPECT_EQ(parse_custom_colors(text, back, 4), 4u);
    EXPECT_EQ(back[1], 0x8000FFu);

    // More than the slots: the rest is ignored; a small buffer keeps whole items.
    std::uint32_t two[2] = {};
    EXPECT_EQ(parse_custom_colors("1,2,3,4", two, 2), 2u);
    char small[8];
    format_custom_colors(colors, 4, small, sizeof small);
    EXPECT_STREQ(small, "ff,");
}
