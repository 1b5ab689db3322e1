#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/dib.hpp"

using namespace ts::core;

namespace {

using Bytes = std::vector<std::uint8_t>;

void put(Bytes& b, std::size_t at, std::uint32_t v, int n = 4) {
    for (int i = 0; i < n; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A DIB with a 40-byte header (or `headerSize`), `tableBytes` of colour
// table or masks, then `bitsBytes` of bits.
Bytes dib(std::int32_t w, std::int32_t h, int bpp, std::size_t tableBytes, std::size_t bitsBytes,
          std::uint32_t compression = 0, std::uint32_t headerSize = 40) {
    Bytes b(headerSize + tableBytes + bitsBytes);
    put(b, 0, headerSize);
    put(b, 4, static_cast<std::uint32_t>(w));
    put(b, 8, static_cast<std::uint32_t>(h));
    put(b, 12, 1, 2);
    put(b, 14, bpp, 2);
    put(b, 16, compression);
    put(b, 20, static_cast<std::uint32_t>(bitsBytes));
    return b;
}

} // namespace

TEST(DibLayout, TableMasksAndPaddedRows) {
    auto rgb = dib_layout(dib(3, -2, 24, 0, 24));  // 9 bytes a row, padded to 12
    ASSERT_TRUE(rgb);
    EXPECT_EQ(rgb->bitsSize, 24u);
    EXPECT_FALSE(dib_layout(dib(3, 2, 24, 0, 23)));
    EXPECT_EQ(dib_layout(dib(8, 1, 4, 64, 4))->bitsOffset, 104u);  // no colour count: all 16
    Bytes three = dib(8, 1, 8, 12, 8);
    put(three, 32, 3);
    EXPECT_EQ(dib_layout(three)->packedSize(), three.size());
    EXPECT_TRUE(dib_layout(dib(1, 1, 32, 12, 4, 3)));  // bit-field masks after the header
    EXPECT_FALSE(dib_layout(dib(1, 1, 32, 8, 4, 3)));

    Bytes core(12 + 2 * 3 + 4);  // OS/2 header: 1 bit, two RGB triples, one row
    for (std::size_t at : {4, 6, 8, 10}) put(core, at, 1, 2);
    put(core, 0, 12);
    EXPECT_EQ(dib_layout(core)->bitsOffset, 18u);
    core.pop_back();
    EXPECT_FALSE(dib_layout(core));
}

TEST(DibLayout, HostileHeadersAreRefused) {
    EXPECT_FALSE(dib_layout(Bytes{40, 0, 0}));
    EXPECT_FALSE(dib_layout(Bytes(39, 0)));
    const struct {
        std::size_t at;
        std::uint32_t value;
        int bytes;
    } spoils[] = {
        {0, 41, 4},          {12, 2, 2},          // unknown header, two planes
        {4, 0, 4},           {4, 0xFFFFFFFF, 4},  // no width, negative width
        {8, 0, 4},           {8, 0x80000000, 4},  // no height, height that cannot be negated
        {14, 7, 2},          {16, 1, 4},          // 7 bits, RLE8 with 24 bits
        {16, 4, 4},          {32, 300, 4},        // JPEG, more colours than a table holds
    };
    for (const auto& s : spoils) {
        Bytes b = dib(1, 1, 24, 0, 4);
        put(b, s.at, s.value, s.bytes);
        EXPECT_FALSE(dib_layout(b)) << "offset " << s.at << " = " << s.value;
    }
    EXPECT_FALSE(dib_layout(dib(30000, 30000, 8, 1024, 16, 1)));  // huge from a few RLE bytes
    EXPECT_FALSE(dib_layout(dib(4, -1, 8, 1024, 16, 1)));         // RLE is bottom-up only
    Bytes rleOverrun = dib(4, 1, 8, 1024, 16, 1);
    put(rleOverrun, 20, 17);
    EXPECT_FALSE(dib_layout(rleOverrun));

    Bytes v5 = dib(1, 1, 24, 0, 4 + 8, 0, 124);  // the bits, then an embedded profile
    put(v5, 56, 0x4D424544);                     // 'MBED'
    put(v5, 112, 128);
    put(v5, 116, 8);
    EXPECT_TRUE(dib_layout(v5));
    put(v5, 116, 9);
    EXPECT_FALSE(dib_layout(v5));
}

TEST(BmpFile, RepacksBitsAfterTheTable) {
    Bytes two = dib(1, 1, 1, 8, 0);
    put(two, 32, 2);
    two.insert(two.end(), {0xEE, 0xEE, 0x80, 0, 0, 0});  // 2-byte gap, then one row
    auto file = [&two](std::uint32_t bitsOffset, char magic = 'M') {
        Bytes f{'B', static_cast<std::uint8_t>(magic), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        put(f, 10, bitsOffset);
        f.insert(f.end(), two.begin(), two.end());
        return f;
    };
    auto packed = packed_dib_from_bmp(file(14 + 50));
    ASSERT_TRUE(packed);
    Bytes expected(two.begin(), two.begin() + 48);
    expected.insert(expected.end(), {0x80, 0, 0, 0});
    EXPECT_EQ(*packed, expected);
    EXPECT_FALSE(packed_dib_from_bmp(file(14 + 47)));  // bits inside the table
    EXPECT_FALSE(packed_dib_from_bmp(file(14 + 51)));  // bits past the end
    EXPECT_FALSE(packed_dib_from_bmp(file(0xFFFFFFFF)));
    EXPECT_FALSE(packed_dib_from_bmp(file(14 + 50, 'A')));
}
