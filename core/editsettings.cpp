#include "core/editsettings.hpp"

#include "core/text.hpp"

namespace ts::core {

EditorFont editor_font_from_name(std::string_view name) {
    if (equals_nocase(name, "Fixed")) return EditorFont::Fixed;
    if (equals_nocase(name, "Default")) return EditorFont::Default;
    if (equals_nocase(name, "Variable")) return EditorFont::Variable;
    return EditorFont::System;
}

const char* editor_font_name(EditorFont font) {
    switch (font) {
    case EditorFont::Fixed: return "Fixed";
    case EditorFont::Default: return "Default";
    case EditorFont::Variable: return "Variable";
    default: return "System";
    }
}

namespace {
int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
} // namespace

std::size_t parse_custom_colors(std::string_view text, std::uint32_t* colors, std::size_t max) {
    std::size_t slot = 0, set = 0, i = 0;
    while (slot < max && i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        std::uint32_t value = 0;
        std::size_t digits = 0;
        for (int d; i < text.size() && (d = hex_digit(text[i])) >= 0; ++i, ++digits) value = (value << 4) | static_cast<std::uint32_t>(d);
        if (digits) {
            colors[slot] = value;
            ++set;
        }
        while (i < text.size() && text[i] != ',') ++i;
        if (i < text.size()) ++i;  // the comma
        ++slot;
    }
    return set;
}

std::size_t format_custom_colors(const std::uint32_t* colors, std::size_t count, char* out, std::size_t size) {
    if (!out || size == 0) return 0;
    std::size_t n = 0;
    out[0] = '\0';
    for (std::size_t i = 0; i < count; ++i) {
        char item[10];  // lower-case hexadecimal digits and a comma, written from the end
        std::size_t at = sizeof item;
        item[--at] = ',';
        std::uint32_t v = colors[i];
        do {
            item[--at] = "0123456789abcdef"[v & 0xF];
            v >>= 4;
        } while (v);
        const std::size_t len = sizeof item - at;
        if (n + len >= size) break;
        n += copy_bounded(out + n, size - n, std::string_view(item + at, len));
    }
    return n;
}

} // namespace ts::core
