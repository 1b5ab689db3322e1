// The view-definition record: the RCDATA resource that travels with a dialog
// template and carries the view's directives, fonts and colours.
//
// All numbers are little-endian 16-bit words read without alignment; strings
// are single-byte characters ending with a 0 byte, followed by one filler
// byte.  A colour is stored as two words, high word first.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ts::core {

// The version of the library's own records.
inline constexpr std::uint16_t kRecordVersion = 42;
// The font style that applies when the record carries none: bold.
inline constexpr std::uint16_t kDefaultFontStyle = 0x1;

struct RecordHead {
    std::uint16_t version = 0;     // 0 = no record
    std::uint16_t fontStyle = kDefaultFontStyle;
};

struct ViewColors {
    std::uint32_t text, back, selText, selBack;
};

struct FieldStringEntry {
    std::uint16_t id;
    std::string_view directives;
};

// A font entry of the field section (keyed by control ID) or of the
// text-field section (keyed by text-field number).
struct FontEntry {
    std::uint16_t key;
    std::uint16_t size;
    std::uint16_t style;           // 0 for field fonts of records up to version 4
    std::string_view face;
};

struct FieldColorEntry {
    std::uint16_t id;
    ViewColors colors;
};

struct TextColorEntry {
    std::uint16_t number;
    std::uint32_t text, back;
};

// Where reading ended.
enum class RecordEnd {
    Complete,        // every section present was read
    ReachedSize,     // the record ended at a section start, as allowed
    Truncated,       // the record was cut short inside a section
    BadTextField,    // a text-field font named a number above the count
};

struct ViewRecord {
    RecordHead head;
    std::optional<ViewColors> colors;               // versions 33, 41, 43
    std::optional<std::string_view> viewString;     // section A
    std::vector<FieldStringEntry> fieldStrings;     // section B
    std::vector<FontEntry> fieldFonts;              // section C
    std::vector<FontEntry> textFieldFonts;          // section D
    std::vector<FieldColorEntry> fieldColors;       // section E
    std::vector<TextColorEntry> textFieldColors;    // section F
    RecordEnd end = RecordEnd::Complete;
};

// True for the versions whose head carries the four view colours.
constexpr bool record_has_colors(std::uint16_t v) { return v == 33 || v == 41 || v == 43; }
// True for the versions whose head carries the view font style.
constexpr bool record_has_font_style(std::uint16_t v) { return v >= 32; }
// True for the versions whose font sizes are points (else raw heights).
constexpr bool record_sizes_in_points(std::uint16_t v) { return v > 4; }

// Reads the version and view font style only.  Data shorter than a version
// word counts as no record.
RecordHead read_record_head(std::span<const std::uint8_t> data);

// Reads the whole record.  Section entries are read only when a section's
// count lies between 1 and the field count (text-field count for D and F);
// otherwise reading goes on after the count word.  A text-field font that
// names a number above `textFieldCount` stops reading: the entries before it
// are kept and the colour sections are not read.  No read leaves the data.
ViewRecord read_view_record(std::span<const std::uint8_t> data, unsigned fieldCount,
                            unsigned textFieldCount);

} // namespace ts::core
