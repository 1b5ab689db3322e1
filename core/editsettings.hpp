// The editor's settings as the profile file keeps them: colours split into
// two decimal 16-bit halves, the font choice by name, and the colour
// dialog's custom colours as a list of hexadecimal numbers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ts::core {

// Font choices of the editor; 0 means the profile was not read yet.
enum class EditorFont : int { Unread = 0, System = 1, Fixed = 2, Default = 3, Variable = 4 };

// "System", "Fixed", "Default" or "Variable" without regard to case;
// anything else is System.
EditorFont editor_font_from_name(std::string_view name);
const char* editor_font_name(EditorFont font);

// A colour from its low and high 16-bit halves and back.
constexpr std::uint32_t join_halves(std::uint32_t low, std::uint32_t high) { return (low & 0xFFFF) | ((high & 0xFFFF) << 16); }
constexpr std::uint32_t low_half(std::uint32_t c) { return c & 0xFFFF; }
constexpr std::uint32_t high_half(std::uint32_t c) { return c >> 16; }

// Reads up to `max` comma-separated hexadecimal numbers into `colors`;
// entries that are not numbers leave their slot alone.  Returns how many
// slots were set.
std::size_t parse_custom_colors(std::string_view text, std::uint32_t* colors, std::size_t max);
// "%lx," for each colour; the text is cut to fit `size` (always ended).
std::size_t format_custom_colors(const std::uint32_t* colors, std::size_t count, char* out, std::size_t size);

} // namespace ts::core
