#include <gtest/gtest.h>

#include <string>

#include "core/directives.hpp"

using namespace ts::core;

namespace {

// "pos:argument" for a match with parentheses, "pos" without, "-" for none.
std::string match(std::string_view text, std::string_view keyword) {
    auto m = find_keyword(text, keyword);
    if (!m) return "-";
    return std::to_string(m->pos) + (m->hasArgument ? ":" + std::string(m->argument) : "");
}

} // namespace

TEST(FindKeyword, WholeWordsFirstMatchIgnoringCase) {
    EXPECT_EQ(match("@NUM@LIMIT(5)@AUTOTAB", "@limit"), "4:5");
    EXPECT_EQ(match("@NUMBER", "@NUM"), "-");
    EXPECT_EQ(match("@3D4@3D", "@3D"), "4");
    EXPECT_EQ(match("@NUM_X", "@NUM"), "0");  // '_' ends a keyword like any non-alphanumeric
    EXPECT_EQ(match("@DSL(a)@DSL(b)", "@DSL"), "0:a");
    EXPECT_EQ(match("@NU", "@NUM"), "-");
    EXPECT_EQ(match("@NUM", ""), "-");
}

TEST(FindKeyword, KeywordWithoutAtStartsAWord) {
    EXPECT_EQ(match("@DIRLST(*.txt,105,0010)", "DIRLST"), "1:*.txt,105,0010");
    EXPECT_EQ(match("TABSTOPS(8,16)", "TABSTOPS"), "0:8,16");
    EXPECT_EQ(match("@XDIRLST(a)@DIRLST(b)", "DIRLST"), "12:b");
    EXPECT_EQ(match("xdirlst DirLst(a) DIRLST(b)", "dIRLST"), "8:a");
}

TEST(FindKeyword, ArgumentBounds) {
    EXPECT_EQ(match("@HELP(a.hlp,12", "@HELP"), "0:a.hlp,12");  // unterminated: rest of text
    EXPECT_EQ(match("@HELP()", "@HELP"), "0:");
    EXPECT_EQ(match("@HELP (x)", "@HELP"), "0");                 // '(' must follow directly
    EXPECT_EQ(match("@A((x)y)", "@A"), "0:(x");                  // no nesting
}

TEST(DirectiveArguments, SplitAndCount) {
    EXPECT_EQ(split_arguments("name,12,RES,BOT"), (ArgumentList{"name", "12", "RES", "BOT"}));
    EXPECT_EQ(split_arguments(" a ,,\tb,"), (ArgumentList{"a", "", "b", ""}));
    EXPECT_TRUE(split_arguments("").empty());
    EXPECT_EQ(parse_count(" 42 ", 100), 42u);
    EXPECT_EQ(parse_count("99999999999999999999999", 1000), 1000u);
    EXPECT_EQ(parse_count("-1", 10), std::nullopt);
    EXPECT_EQ(parse_count("", 10), std::nullopt);
}

TEST(DirectiveEdit, AppendsOnlyWhenAbsentAndWithinLength) {
    EXPECT_EQ(with_keyword("@NUM", "3D", 255), "@NUM@3D");
    EXPECT_EQ(with_keyword("@3d@NUM", "@3D", 255), "@3d@NUM");
    EXPECT_EQ(with_keyword("@3D4", "@3D", 255), "@3D4@3D");
    EXPECT_EQ(with_keyword("12345", "@3D", 8), "12345@3D");
    EXPECT_EQ(with_keyword("123456", "@3D", 8), std::nullopt);
}
