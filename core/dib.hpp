// Device-independent bitmaps: checking the layout of a packed DIB (header,
// optional colour masks, colour table, pixel bits) against the bytes that
// hold it, and turning a .bmp file into a packed DIB.  Nothing here trusts a
// size field: every offset and length is checked against the real data
// before anyone reads through it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ts::core {

struct DibLayout {
    std::uint32_t headerSize = 0;       // 12 (OS/2 core header), 40, 52, 56, 108 or 124
    std::int32_t width = 0;
    std::int32_t height = 0;            // negative: rows stored top-down
    std::uint16_t bitCount = 0;         // 1, 4, 8, 16, 24 or 32
    std::uint32_t compression = 0;      // BI_RGB 0, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3
    std::uint32_t colourCount = 0;      // entries in the colour table
    std::uint32_t colourEntrySize = 4;  // 3 after a core header, else 4
    std::size_t tableOffset = 0;        // header plus the masks that follow a 40-byte header
    std::size_t bitsOffset = 0;         // from the start of the header
    std::size_t bitsSize = 0;

    std::size_t tableEnd() const { return tableOffset + std::size_t{colourCount} * colourEntrySize; }
    // Size of the packed form: header, masks, colour table and bits in a row.
    std::size_t packedSize() const { return tableEnd() + bitsSize; }
};

// Largest width or height accepted, and largest pixel count: a hostile
// header must not make the caller build an enormous bitmap from a few bytes
// of run-length data.
inline constexpr std::int64_t kMaxDibSide = 32768;
inline constexpr std::int64_t kMaxDibPixels = std::int64_t{1} << 26;

// The layout of the DIB in `dib`, with the bits right after the colour
// table, or nullopt when the header is not one we handle or anything it
// describes lies outside `dib`.
std::optional<DibLayout> dib_layout(std::span<const std::uint8_t> dib);

// The same with the bits at `bitsOffset` (counted from the start of the
// header), which must not overlap the colour table.
std::optional<DibLayout> dib_layout(std::span<const std::uint8_t> dib, std::size_t bitsOffset);

// The packed DIB stored in a .bmp file: a 14-byte file header starting with
// "BM" whose offset field (bytes 10-13) locates the bits, followed by the
// DIB.  Any gap between colour table and bits is dropped; so is a colour
// profile of a version-5 header (the copy says sRGB instead).  nullopt when
// the file is not a usable bitmap.
std::optional<std::vector<std::uint8_t>> packed_dib_from_bmp(std::span<const std::uint8_t> file);

} // namespace ts::core
