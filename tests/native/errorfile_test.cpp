#include <gtest/gtest.h>

#include <string>

#include "core/errorfile.hpp"

using namespace ts::core;

namespace {

// The text for `key`, or "<none>".
std::string lookup(std::string_view image, std::string_view key) {
    auto text = find_error_text(image, key);
    return text ? std::string(*text) : "<none>";
}

} // namespace

TEST(ErrorFile, KeysAreExactCaseSensitiveAndTheFirstLineWins) {
    const std::string_view file = "E100,Value must be positive\nE1,Too large, try again\nE1,second\ne2,lower";
    EXPECT_EQ(lookup(file, "E1"), "Too large, try again");
    EXPECT_EQ(lookup(file, "E100"), "Value must be positive");
    EXPECT_EQ(lookup(file, "e1"), "<none>");
    EXPECT_EQ(lookup(file, "E10"), "<none>");  // no prefix matches
    EXPECT_EQ(lookup(file, "e2"), "lower");     // last line without a line end
    EXPECT_EQ(lookup(file, ""), "<none>");
}

TEST(ErrorFile, LineEndsLeadingCommasAndMissingTexts) {
    EXPECT_EQ(lookup("A,one\r\nB,two\r\n", "A"), "one");
    EXPECT_EQ(lookup("A,one\r\nB,two\r\n", "B"), "two");
    EXPECT_EQ(lookup("A,x\ry\n", "A"), "x\ry");  // only a CR before LF is a line end
    EXPECT_EQ(lookup(",,,\n\n,,K,v,w\n", "K"), "v,w");
    EXPECT_EQ(lookup("K\nK,later", "K"), "");
    EXPECT_EQ(lookup("K,\n", "K"), "");
}

TEST(ErrorFile, LongKeysAndLinesAreCut) {
    const std::string key80(80, 'k');
    EXPECT_EQ(lookup(key80 + "XYZ,text", key80 + "ABC"), "text");  // only 80 characters compared
    EXPECT_EQ(lookup(key80 + ",text", key80.substr(1)), "<none>");
    // a 300-character line keeps its first 255; the rest starts no new line
    std::string line = "L," + std::string(253, 'a') + "M,tail";
    EXPECT_EQ(lookup(line + "\nN,n", "L"), std::string(253, 'a'));
    EXPECT_EQ(lookup(line, "M"), "<none>");
    EXPECT_EQ(lookup(line + "\nN,n", "N"), "n");
}

TEST(ErrorFile, TheImageEndsAtItsFirstNul) {
    const std::string image("A,a\0B,b\n", 8);
    EXPECT_EQ(lookup(image, "A"), "a");
    EXPECT_EQ(lookup(image, "B"), "<none>");
}
