// A view-definition record held as values, the way a person writes one down,
// and the writer that lays those values out as the record's bytes.
//
// The version decides the layout: the view font style exists from version
// 32 on, the four view colours only in versions 33, 41 and 43, the view
// string after version 2, and the style word of a field font after
// version 4.  The writer lays out exactly what the version has and ignores
// values the version cannot hold; the text reader refuses them earlier, with
// the line that gave them.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/viewrecord.hpp"

namespace ts::core {

// Where a record stops.  `Nothing` is a record that has no readable head at
// all (it consists of its trailing bytes only).
enum class RecordPart : std::uint8_t {
    Nothing,
    Head,             // version, view font style, view colours
    ViewString,       // section A
    FieldStrings,     // B
    FieldFonts,       // C
    TextFieldFonts,   // D
    FieldColors,      // E
    TextFieldColors,  // F: a complete record
};

struct RecordFieldString {
    std::uint16_t id = 0;
    std::string directives;
    bool operator==(const RecordFieldString&) const = default;
};

// A font of a field (keyed by control ID) or of a text field (keyed by its
// number).  Field fonts carry no style up to version 4.
struct RecordFont {
    std::uint16_t key = 0;
    std::uint16_t size = 0;
    std::uint16_t style = 0;
    std::string face;
    bool operator==(const RecordFont&) const = default;
};

struct RecordFieldColors {
    std::uint16_t id = 0;
    ViewColors colors{};
};

struct RecordTextColors {
    std::uint16_t number = 0;
    std::uint32_t text = 0, back = 0;
};

struct RecordModel {
    std::uint16_t version = kRecordVersion;
    std::uint16_t fontStyle = kDefaultFontStyle;
    ViewColors colors{};                          // used by versions 33, 41, 43
    std::optional<std::string> viewString;        // section A; none = flag 0
    std::vector<RecordFieldString> fieldStrings;  // B
    std::vector<RecordFont> fieldFonts;           // C
    std::vector<RecordFont> textFieldFonts;       // D
    std::vector<RecordFieldColors> fieldColors;   // E
    std::vector<RecordTextColors> textFieldColors;  // F
    RecordPart last = RecordPart::TextFieldColors;  // the record stops after this part
    std::vector<std::uint8_t> trailing;           // bytes after `last`, kept as they are
};

// True when the version has the part at all (section A needs version 3).
constexpr bool record_has_part(std::uint16_t version, RecordPart part) {
    return part != RecordPart::ViewString || version > 2;
}

// Receives a record as it is laid out: words, strings (each followed by its
// terminator and filler byte) and bytes kept as they are.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    virtual void word(std::uint16_t w) = 0;
    virtual void string(std::string_view s) = 0;
    virtual void bytes(std::span<const std::uint8_t> b) = 0;
};

// Lays the record out into `sink`, in record order.
void write_record(const RecordModel& model, RecordSink& sink);

// The record's bytes.
std::vector<std::uint8_t> record_bytes(const RecordModel& model);

// The number of bytes the record takes.
std::size_t record_size(const RecordModel& model);

} // namespace ts::core
