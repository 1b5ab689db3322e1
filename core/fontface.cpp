#include "core/fontface.hpp"

#include "core/text.hpp"

namespace ts::core {
namespace {

constexpr std::uint8_t FF_ROMAN = 0x10, FF_MODERN = 0x30, FF_SCRIPT = 0x40, FF_DECORATIVE = 0x50;
constexpr std::uint8_t FIXED_PITCH = 0x01, VARIABLE_PITCH = 0x02;
constexpr std::uint8_t ANSI_CHARSET = 0, SYMBOL_CHARSET = 2, SHIFTJIS_CHARSET = 128, OEM_CHARSET = 255;

struct FaceRow {
    std::string_view name;
    bool exactBytes;
    FaceFlags flags;
};

// Shift-JIS spellings of the Japanese faces.
constexpr std::string_view kMsGothic = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr std::string_view kMsMincho = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";
constexpr std::string_view kStdGothic = "\x95\x57\x8f\x80\x83\x53\x83\x56\x83\x62\x83\x4e";
constexpr std::string_view kStdMincho = "\x95\x57\x8f\x80\x96\xbe\x92\xa9";

constexpr FaceRow kFaces[] = {
    {"Modern", false, {FF_MODERN, OEM_CHARSET}},
    {"Script", false, {FF_SCRIPT, OEM_CHARSET}},
    {"Roman", false, {FF_ROMAN, OEM_CHARSET}},
    {"Terminal", false, {FF_MODERN, OEM_CHARSET}},
    {"WingDings", false, {FF_DECORATIVE, SYMBOL_CHARSET}},
    {"Symbol", false, {FF_DECORATIVE, SYMBOL_CHARSET}},
    {kMsGothic, true, {FF_MODERN | FIXED_PITCH, SHIFTJIS_CHARSET}},
    {kMsMincho, true, {FF_ROMAN | FIXED_PITCH, SHIFTJIS_CHARSET}},
    {kStdGothic, true, {0, SHIFTJIS_CHARSET}},
    {kStdMincho, true, {0, SHIFTJIS_CHARSET}},
};

} // namespace

void face_flags(std::string_view face, bool dbcsEnabled, FaceFlags& flags) {
    if (equals_nocase(face, "System")) {
        if (dbcsEnabled) flags = {VARIABLE_PITCH, SHIFTJIS_CHARSET};
        return;
    }
    for (const FaceRow& row : kFaces) {
        if (row.exactBytes ? face == row.name : equals_nocase(face, row.name)) {
            flags = row.flags;
            return;
        }
    }
    flags = {0, ANSI_CHARSET};
}

} // namespace ts::core
