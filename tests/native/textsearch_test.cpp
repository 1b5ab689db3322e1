// Find and replace searching, indentation and line counting of the editor.
#include <gtest/gtest.h>

#include <string>

#include "core/editsettings.hpp"
#include "core/textsearch.hpp"

using namespace ts::core;

TEST(FindText, CaseRuleDecidesWhetherMixedCaseMatches) {
    EXPECT_EQ(find_text("xABCx", "abc", 0, false), 1u);
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
