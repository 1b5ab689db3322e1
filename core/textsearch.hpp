// Text search of the editor's find and replace, and the small pieces of
// line handling the editor does on its own (indentation of a line, the
// line of an offset).  Offsets are byte offsets into single-byte text.
#pragma once
#include <cstddef>
#include <string_view>

namespace ts::core {

inline constexpr std::size_t kNotFound = std::string_view::npos;

// First occurrence of `needle` in `text` at or after `from`; with
// `matchCase` false letters are compared after single-byte (ASCII)
// upper-casing.  An empty needle or a start beyond the text finds nothing.
std::size_t find_text(std::string_view text, std::string_view needle, std::size_t from, bool matchCase);

// Leading indentation of a line: the number of leading blanks, or, when the
// line starts with no blank, the number of leading tabs.
struct Indent {
    std::size_t blanks = 0;
    std::size_t tabs = 0;
};
Indent leading_indent(std::string_view line);

// 0-based line of a byte offset; a line ends at "\n" (a "\r\n" pair counts
// once).  Offsets past the end give the last line.
std::size_t line_of_offset(std::string_view text, std::size_t offset);
// Number of lines: an empty text has one.
std::size_t line_count(std::string_view text);

} // namespace ts::core
