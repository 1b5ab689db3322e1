// Reader of the standard 32-bit dialog template (DLGTEMPLATE and its
// DLGITEMTEMPLATE items; the extended form is not read).
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ts::core {

inline constexpr std::uint32_t kDsAbsAlign = 0x01;
inline constexpr std::uint32_t kDsSetFont = 0x40;
inline constexpr std::uint32_t kDsModalFrame = 0x80;

// A name field of a template: a string, or 0xFFFF followed by an ordinal.
struct TemplateName {
    std::u16string text;
    std::uint16_t ordinal = 0;     // non-zero when the name is an ordinal
    bool is_ordinal() const { return ordinal != 0; }
};

struct DialogHeader {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint16_t itemCount = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu;
    TemplateName windowClass;
    std::u16string caption;
    bool hasFont = false;
    std::uint16_t pointSize = 0;
    std::u16string face;
};

struct DialogItem {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint16_t id = 0;
    TemplateName windowClass;      // predefined classes arrive as their names
    TemplateName caption;
};

struct DialogTemplate {
    DialogHeader header;
    std::vector<DialogItem> items;  // the items read whole, in template order
    bool truncated = false;         // the data ended before the last item
};

// The class names of the predefined atoms 0x80-0x85; empty for others.
const char16_t* predefined_class_name(std::uint16_t atom);

DialogTemplate read_dialog_template(std::span<const std::uint8_t> data);

} // namespace ts::core
