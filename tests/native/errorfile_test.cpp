#include <gtest/gtest.h>

#include <string>

#include "core/errorfile.hpp"

using namespace ts::core;

static std::string lookup(std::string_view image, std::string_view key) {
    auto text = find_error_text(image, key);
    return text ? std::string(*text) : "<none>";
}

TEST(ErrorFile, KeysLineEndsAndCommas) {
    const std::string_view file = "E100,Value must be positive\r\n,,E1,Too large, try again\r\nE1,second\nK\ne2,x\ry";
    EXPECT_EQ(lookup(file, "E1"), "Too large, try again");  // first match, CR LF, leading commas
    EXPECT_EQ(lookup(file, "E10"), "<none>");               // whole keys only
    EXPECT_EQ(lookup(file, "e1"), "<none>");                // case-sensitive
    EXPECT_EQ(lookup(file, "K"), "");                       // no comma: empty text
    EXPECT_EQ(lookup(file, "e2"), "x\ry");                  // last line; a lone CR stays
    EXPECT_EQ(lookup(",,,\n\n", ""), "<none>");
    EXPECT_EQ(lookup(std::string("A,a\0B,b", 7), "B"), "<none>");  // the image ends at NUL
}

TEST(ErrorFile, LongKeysAndLinesAreCut) {
    const std::string key80(80, 'k');
    EXPECT_EQ(lookup(key80 + "XYZ,text", key80 + "ABC"), "text");  // 80 characters compared
    // a 300-character line keeps its first 255; the rest starts no new line
    const std::string line = "L," + std::string(253, 'a') + "M,tail\nN,n";
    EXPECT_EQ(lookup(line, "L"), std::string(253, 'a'));
    EXPECT_EQ(lookup(line, "M"), "<none>");
    EXPECT_EQ(lookup(line, "N"), "n");
}
