#include "core/dib.hpp"

#include <algorithm>
#include <cstring>

namespace ts::core {

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kProfileLinked = 0x4C494E4B;    // 'LINK'
constexpr std::uint32_t kProfileEmbedded = 0x4D424544;  // 'MBED'
constexpr std::uint32_t kSrgb = 0x73524742;             // 'sRGB'
constexpr std::size_t kCsTypeOffset = 56, kProfileDataOffset = 112, kProfileSizeOffset = 116;

std::uint16_t u16_at(std::span<const std::uint8_t> d, std::size_t at) {
    return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}
std::uint32_t u32_at(std::span<const std::uint8_t> d, std::size_t at) {
    return u16_at(d, at) | (std::uint32_t{u16_at(d, at + 2)} << 16);
}
void put_u32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool known_header_size(std::uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool has_profile(std::span<const std::uint8_t> dib, std::uint32_t headerSize) {
    if (headerSize < 124) return false;
    std::uint32_t type = u32_at(dib, kCsTypeOffset);
    return type == kProfileLinked || type == kProfileEmbedded;
}

// Header fields, colour table and bit count rules; no bits yet.
std::optional<DibLayout> read_header(std::span<const std::uint8_t> dib) {
    if (dib.size() < 4) return std::nullopt;
    DibLayout l;
    l.headerSize = u32_at(dib, 0);
    if (!known_header_size(l.headerSize) || dib.size() < l.headerSize) return std::nullopt;

    std::uint16_t planes;
    std::uint32_t colorsUsed = 0;
    if (l.headerSize == 12) {
        l.width = u16_at(dib, 4);
        l.height = u16_at(dib, 6);
        planes = u16_at(dib, 8);
        l.bitCount = u16_at(dib, 10);
        l.colourEntrySize = 3;
        if (l.bitCount != 1 && l.bitCount != 4 && l.bitCount != 8 && l.bitCount != 24) return std::nullopt;
    } else {
        l.width = static_cast<std::int32_t>(u32_at(dib, 4));
        l.height = static_cast<std::int32_t>(u32_at(dib, 8));
        planes = u16_at(dib, 12);
        l.bitCount = u16_at(dib, 14);
        l.compression = u32_at(dib, 16);
        colorsUsed = u32_at(dib, 32);
        switch (l.bitCount) {
        case 1: case 4: case 8: case 16: case 24: case 32: break;
        default: return std::nullopt;
        }
    }
    if (planes != 1) return std::nullopt;

    std::int64_t w = l.width, h = l.height < 0 ? -std::int64_t{l.height} : l.height;
    if (w <= 0 || h <= 0 || w > kMaxDibSide || h > kMaxDibSide || w * h > kMaxDibPixels) return std::nullopt;

    switch (l.compression) {
    case kRgb: break;
    case kRle8: if (l.bitCount != 8 || l.height < 0) return std::nullopt; break;
    case kRle4: if (l.bitCount != 4 || l.height < 0) return std::nullopt; break;
    case kBitfields: if (l.bitCount != 16 && l.bitCount != 32) return std::nullopt; break;
    default: return std::nullopt;
    }

    std::uint32_t maxColours = l.bitCount <= 8 ? 1u << l.bitCount : 256;
    if (colorsUsed > maxColours) return std::nullopt;
    l.colourCount = colorsUsed ? colorsUsed : (l.bitCount <= 8 ? maxColours : 0);

    l.tableOffset = l.headerSize + (l.compression == kBitfields && l.headerSize == 40 ? 12 : 0);
    if (l.tableEnd() > dib.size()) return std::nullopt;
    return l;
}

std::optional<DibLayout> place_bits(std::span<const std::uint8_t> dib, DibLayout l, std::size_t bitsOffset) {
    if (bitsOffset < l.tableEnd() || bitsOffset > dib.size()) return std::nullopt;
    std::size_t available = dib.size() - bitsOffset;
    if (l.compression == kRle4 || l.compression == kRle8) {
        l.bitsSize = u32_at(dib, 20);
        if (l.bitsSize == 0) return std::nullopt;
    } else {
        std::uint64_t stride = (static_cast<std::uint64_t>(l.width) * l.bitCount + 31) / 32 * 4;
        std::uint64_t rows = l.height < 0 ? -std::int64_t{l.height} : l.height;
        std::uint64_t size = stride * rows;
        if (size > available) return std::nullopt;
        l.bitsSize = static_cast<std::size_t>(size);
    }
    if (l.bitsSize > available) return std::nullopt;
    l.bitsOffset = bitsOffset;
    return l;
}

} // namespace

std::optional<DibLayout> dib_layout(std::span<const std::uint8_t> dib, std::size_t bitsOffset) {
    auto l = read_header(dib);
    if (!l) return std::nullopt;
    if (has_profile(dib, l->headerSize)) {
        std::uint64_t start = u32_at(dib, kProfileDataOffset), size = u32_at(dib, kProfileSizeOffset);
        if (start < l->headerSize || start + size > dib.size()) return std::nullopt;
    }
    return place_bits(dib, *l, bitsOffset);
}

std::optional<DibLayout> dib_layout(std::span<const std::uint8_t> dib) {
    auto l = read_header(dib);
    if (!l) return std::nullopt;
    return dib_layout(dib, l->tableEnd());
}

std::optional<std::vector<std::uint8_t>> packed_dib_from_bmp(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M') return std::nullopt;
    std::uint32_t fileBitsOffset = u32_at(file, 10);
    if (fileBitsOffset < kFileHeaderSize) return std::nullopt;
    auto dib = file.subspan(kFileHeaderSize);
    auto header = read_header(dib);
    if (!header) return std::nullopt;
    // The profile is not carried over, so its placement does not matter.
    auto l = place_bits(dib, *header, fileBitsOffset - kFileHeaderSize);
    if (!l) return std::nullopt;

    std::vector<std::uint8_t> packed(l->packedSize());
    std::memcpy(packed.data(), dib.data(), l->tableEnd());
    std::memcpy(packed.data() + l->tableEnd(), dib.data() + l->bitsOffset, l->bitsSize);
    if (has_profile(dib, l->headerSize)) {
        put_u32(packed.data() + kCsTypeOffset, kSrgb);
        put_u32(packed.data() + kProfileDataOffset, 0);
        put_u32(packed.data() + kProfileSizeOffset, 0);
    }
    return packed;
}

} // namespace ts::core
