// The face-name table: pitch-and-family and character set for a face name.
#pragma once
#include <cstdint>
#include <string_view>

namespace ts::core {

struct FaceFlags {
    std::uint8_t pitchAndFamily;
    std::uint8_t charSet;
};

// Fills `flags` from the table.  `flags` holds the caller's presets, which
// "System" keeps on a system without double-byte support.  Latin names are
// compared without regard to case, the Japanese names byte by byte in the
// Shift-JIS code page.
void face_flags(std::string_view face, bool dbcsEnabled, FaceFlags& flags);

} // namespace ts::core
