// Layouts of device-independent bitmaps and .bmp files.
#include <gtest/gtest.h>

#include <vector>

#include "core/dib.hpp"

using namespace ts::core;
using Bytes = std::vector<std::uint8_t>;

namespace {

void put(Bytes& b, std::size_t at, std::uint32_t v, int n = 4) {
    for (int i = 0; i < n; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A DIB: a header of `headerSize` bytes, `tableBytes` of colour table or
// masks, then `bitsBytes` of bits.
Bytes dib(std::int32_t w, std::int32_t h, int bpp, std::size_t tableBytes, std::size_t bitsBytes,
          std::uint32_t compression = 0, std::uint32_t headerSize = 40) {
    Bytes b(headerSize + tableBytes + bitsBytes);
    for (auto [at, v, n] : {std::tuple{0, headerSize, 4}, {4, std::uint32_t(w), 4}, {8, std::uint32_t(h), 4}, {12, 1u, 2},
                            {14, std::uint32_t(bpp), 2}, {16, compression, 4}, {20, std::uint32_t(bitsBytes), 4}})
        put(b, at, v, n);
    return b;
}

} // namespace

TEST(DibLayout, TablesMasksPaddedRowsAndHostileHeaders) {
    EXPECT_EQ(dib_layout(dib(3, -2, 24, 0, 24))->bitsSize, 24u);  // 9 bytes a row, padded to 12
    EXPECT_FALSE(dib_layout(dib(3, 2, 24, 0, 23)));
    EXPECT_EQ(dib_layout(dib(8, 1, 4, 64, 4))->bitsOffset, 104u);  // no colour count: all 16
    EXPECT_TRUE(dib_layout(dib(1, 1, 32, 12, 4, 3)));              // bit-field masks after the header
    EXPECT_FALSE(dib_layout(dib(1, 1, 32, 8, 4, 3)));
    Bytes core{12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // OS/2: 1 bit, 2 RGB triples, a row
    EXPECT_EQ(dib_layout(core)->bitsOffset, 18u);
    EXPECT_FALSE(dib_layout(std::span(core).first(core.size() - 1)));
    EXPECT_FALSE(dib_layout(Bytes(39, 0)));
    const struct { std::size_t at; std::uint32_t value; int bytes; } spoils[] = {
        {0, 41, 4}, {12, 2, 2},          // unknown header, two planes
        {4, 0, 4},  {4, 0xFFFFFFFF, 4},  // no width, negative width
        {8, 0, 4},  {8, 0x80000000, 4},  // no height, height that cannot be negated
        {14, 7, 2}, {16, 1, 4},          // 7 bits, RLE8 with 24 bits
        {16, 4, 4}, {32, 300, 4},        // JPEG, more colours than a table holds
    };
    for (const auto& s : spoils) {
        Bytes b = dib(1, 1, 24, 0, 4);
        put(b, s.at, s.value, s.bytes);
        EXPECT_FALSE(dib_layout(b)) << "offset " << s.at << " = " << s.value;
    }
    EXPECT_FALSE(dib_layout(dib(30000, 30000, 8, 1024, 16, 1)));  // huge from a few RLE bytes
    EXPECT_FALSE(dib_layout(dib(4, -1, 8, 1024, 16, 1)));         // RLE is bottom-up only
    Bytes rle = dib(4, 1, 8, 1024, 16, 1);
    put(rle, 20, 17);
    EXPECT_FALSE(dib_layout(rle));  // more RLE bytes than there are
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
    Bytes expected(two.begin(), two.begin() + 48);
    expected.insert(expected.end(), {0x80, 0, 0, 0});
    EXPECT_EQ(packed_dib_from_bmp(file(14 + 50)), expected);
    EXPECT_FALSE(packed_dib_from_bmp(file(14 + 47)));  // bits inside the table
    EXPECT_FALSE(packed_dib_from_bmp(file(14 + 51)));  // bits past the end
    EXPECT_FALSE(packed_dib_from_bmp(file(0xFFFFFFFF)));
    EXPECT_FALSE(packed_dib_from_bmp(file(14 + 50, 'A')));
}
