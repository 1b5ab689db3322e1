// The error message file: one message a line, "KEY,text".  Lines end with
// LF, a CR right before the LF is dropped, and the last line needs no line
// end.  Leading commas of a line are skipped; the key is the run of
// characters up to the next comma (or the end of the line), the text is
// everything after that comma, commas included.
#pragma once
#include <cstddef>
#include <optional>
#include <string_view>

namespace ts::core {

// Only this many characters of a key take part in comparisons.
inline constexpr std::size_t kErrorKeyLength = 80;
// Lines are read into a 256-byte buffer: characters beyond the 255th of a
// line are dropped (the rest of a long line never starts a new one).
inline constexpr std::size_t kErrorLineLength = 255;

// The text of the first line whose key equals `key` (case-sensitive, first
// kErrorKeyLength characters of both), or nullopt when no line has it.  A
// line without a comma after its key gives an empty text; lines without a
// key are skipped.  The image ends at its first NUL byte or at its end.
// The result points into `image` and is at most kErrorLineLength long.
std::optional<std::string_view> find_error_text(std::string_view image, std::string_view key);

} // namespace ts::core
