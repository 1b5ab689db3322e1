#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "companion/helio.h"

TEST(HelioKeyword, OutputBufferIsAlwaysSet) {
    char out[HL_KEYWORD_BUFFER] = "stale";
    EXPECT_NE(hlGetKeyword("@NUM@LIMIT(5)@AUTOTAB", "@limit", out), 0);
    EXPECT_STREQ(out, "5");
    EXPECT_NE(hlGetKeyword("@NUM@LIMIT(5)@AUTOTAB", "@AUTOTAB", out), 0);
    EXPECT_STREQ(out, "");
    std::strcpy(out, "stale");
    EXPECT_EQ(hlGetKeyword("@NUMBER(3)", "@NUM", out), 0);
    EXPECT_STREQ(out, "");
    std::strcpy(out, "stale");
    EXPECT_EQ(hlGetKeyword(nullptr, "@NUM", out), 0);
    EXPECT_STREQ(out, "");
    EXPECT_NE(hlGetKeyword("@NUM", "@NUM", nullptr), 0);

    std::string longArgument = "@DSL(" + std::string(300, 'a') + ")";
    char big[256];
    std::memset(big, 'Z', sizeof big);
    ASSERT_NE(hlGetKeyword(longArgument.c_str(), "@DSL", big), 0);
    EXPECT_EQ(std::strlen(big), 127u);
    EXPECT_EQ(big[128], 'Z');  // nothing written past the 128 bytes
}

TEST(HelioKeyword, EditAddsOnceAndNeverOverflows) {
    char buffer[256] = "@NUM";
    EXPECT_NE(hlEditKeyword(buffer, "@3D"), 0);
    EXPECT_NE(hlEditKeyword(buffer, "@3d"), 0);
    EXPECT_STREQ(buffer, "@NUM@3D");

    std::string fits(252, 'x'), full(253, 'x');  // + "@3D": 255 and 256 characters
    std::strcpy(buffer, fits.c_str());
    EXPECT_NE(hlEditKeyword(buffer, "@3D"), 0);
    EXPECT_EQ(buffer, fits + "@3D");
    std::strcpy(buffer, full.c_str());
    EXPECT_EQ(hlEditKeyword(buffer, "@3D"), 0);
    EXPECT_EQ(buffer, full);
}

TEST(HelioValidate, OutputUntouchedAndNullsRead) {
    char output[8] = "keep";
    EXPECT_NE(hlValidate(nullptr, 4, "-1.5", "@NUM@LIMIT(4)", output), 0);
    EXPECT_EQ(hlValidate(nullptr, 4, "-1.55", "@NUM@LIMIT(4)", output), 0);
    EXPECT_NE(hlValidate(nullptr, 4, nullptr, "@NUM", output), 0);
    EXPECT_NE(hlValidate(nullptr, 4, "any", nullptr, output), 0);
    EXPECT_STREQ(output, "keep");
}
