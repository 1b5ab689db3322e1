// Text lookups: find and replace of the editor, the custom colours of its
// profile, and the texts of error files.
#include <gtest/gtest.h>

#include <span>
#include <string>

#include "core/editsettings.hpp"
#include "core/errorfile.hpp"
#include "core/textsearch.hpp"

using namespace ts::core;

TEST(FindText, CaseRuleStartAndHostileArguments) {
    const auto npos = kNotFound;
    const struct { std::string_view text, needle; std::size_t from; bool matchCase; std::size_t expected; } cases[] = {
        {"xABCx", "abc", 0, false, 1},
        {"a-A-Ab", "ab", 0, false, 4},  // tried at each first letter, in either case
        {"\xe4\xc4", "\xc4", 0, false, 1},  // only ASCII letters fold
        {"[{", "{", 0, false, 1},           // '[' is not '{' upper-cased
        {"one two one two", "two", 7, true, 12},  // behind the first match
        {"abc", "C", 2, false, 2},  // at the very end
        {"abc", "a", npos, false, npos},
        {std::string_view("a\0b", 3), std::string_view("\0B", 2), 0, false, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(find_text(c.text, c.needle, c.from, c.matchCase), c.expected) << c.needle << " in " << c.text;
}

namespace {

std::string replace_all(std::string_view text, std::string_view needle, std::string_view replacement,
                        std::size_t from, bool matchCase) {
    const ReplaceAllPlan plan = plan_replace_all(text, needle, replacement.size(), from, matchCase);
    std::string stretch(plan.size, '?');
    if (plan.count && write_replace_all(text, needle, replacement, matchCase, plan, stretch) != plan.size) return "<failed>";
    return plan.count ? std::string(text.substr(0, plan.first)) + stretch + std::string(text.substr(plan.end)) : std::string(text);
}

} // namespace

TEST(ReplaceAll, EveryMatchFromTheCaretOnce) {
    const struct { const char *text, *needle, *replacement; std::size_t from; bool matchCase; const char* expected; } cases[] = {
        {"aaa", "a", "aa", 0, false, "aaaaaa"},  // the replacement holds the needle
        {"aaaa", "aa", "a", 0, true, "aa"},      // matches do not overlap
        {"xAx xax", "a", "bb", 0, false, "xbbx xbbx"},
        {"ab\r\nab", "B\r", "Q", 0, false, "aQ\nab"},
        {"tail ab", "ab", "XYZ", 5, false, "tail XYZ"},
        {"..aaa..", "a", "aa", 1, false, "..aaaaaa.."},
    };
    for (const auto& c : cases) EXPECT_EQ(replace_all(c.text, c.needle, c.replacement, c.from, c.matchCase), c.expected);
    std::string big, want;       // thousands of matches
    for (int i = 0; i < 5000; ++i) big += "ipsum\r\n", want += "IPSUM ipsum\r\n";
    EXPECT_EQ(replace_all(big, "IPSUM", "IPSUM ipsum", 0, false), want);
    // an output too small, or a plan made for another text, writes nothing
    const ReplaceAllPlan plan = plan_replace_all("a-a-a", "a", 2, 0, true);
    std::string out(plan.size, '?');
    EXPECT_EQ(write_replace_all("a-a-a", "a", "bb", true, plan, std::span<char>(out).first(plan.size - 1)), 0u);
    EXPECT_EQ(write_replace_all("a-a-A", "a", "bb", true, plan, out), 0u);   // fewer matches
    EXPECT_EQ(write_replace_all("a-a-a", "a", "bbb", true, plan, out), 0u);  // longer replacement
}

TEST(EditorSettings, CustomColours) {
    std::uint32_t colors[16];
    std::fill(std::begin(colors), std::end(colors), 0xFFFFFF);
    EXPECT_EQ(parse_custom_colors("ff,8000ff, zz,10", colors, 16), 3u);  // not a number: left alone
    char text[500], small[8];
    format_custom_colors(colors, 5, text, sizeof text);
    EXPECT_STREQ(text, "ff,8000ff,ffffff,10,ffffff,");
    format_custom_colors(colors, 4, small, sizeof small);
    EXPECT_STREQ(small, "ff,");  // a small buffer keeps whole items
    EXPECT_EQ(parse_custom_colors("1,2,3,4", colors, 2), 2u);  // more than the slots: the rest is ignored
    EXPECT_EQ(colors[2], 0xFFFFFFu);
}

TEST(ErrorFile, KeysLineEndsCommasAndLongKeys) {
    auto lookup = [](std::string_view image, std::string_view key) {
        auto text = find_error_text(image, key);
        return text ? std::string(*text) : "<none>";
    };
    const std::string_view file = "E100,big\r\n,,E1,Too large, try again\r\nK\ne2,x\ry";
    EXPECT_EQ(lookup(file, "E1"), "Too large, try again");  // whole keys, CR LF, leading commas
    EXPECT_EQ(lookup(file, "e2"), "x\ry");                  // last line; a lone CR stays
    EXPECT_EQ(lookup(std::string("A,a\0B,b", 7), "B"), "<none>");  // the image ends at NUL
    const std::string key80(80, 'k');
    EXPECT_EQ(lookup(key80 + "XYZ,text", key80 + "ABC"), "text");  // 80 characters compared
}
