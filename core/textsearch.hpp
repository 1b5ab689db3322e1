// Text search of the editor's find and replace, Replace All computed in
// one go, and the indentation of a line, which the editor carries to the
// next.  Offsets are byte offsets into single-byte text.
#pragma once
#include <cstddef>
#include <span>
#include <string_view>

namespace ts::core {

inline constexpr std::size_t kNotFound = std::string_view::npos;

// First occurrence of `needle` in `text` at or after `from`; with
// `matchCase` false letters are compared after single-byte (ASCII)
// upper-casing.  An empty needle or a start beyond the text finds nothing.
std::size_t find_text(std::string_view text, std::string_view needle, std::size_t from, bool matchCase);

// Replace All from `from`: every match at or after `from`, each search
// continuing behind the previous match, so a replacement that contains the
// needle is not searched again.  The text changes only between the first
// match and the end of the last one; that stretch is replaced as a whole.
struct ReplaceAllPlan {
    std::size_t count = 0;        // matches; 0 leaves the text alone
    std::size_t first = 0;        // offset of the first match
    std::size_t end = 0;          // end of the last match
    std::size_t size = 0;         // size of the stretch once replaced
    std::size_t lastAt = 0;       // start of the last replacement in the new stretch
};
ReplaceAllPlan plan_replace_all(std::string_view text, std::string_view needle, std::size_t replacementSize,
                                std::size_t from, bool matchCase);
// Writes the replaced stretch of `plan` into `out`; returns the bytes
// written, or 0 (with `out` possibly written in part) when `out` is smaller
// than `plan.size` or the plan does not fit the text, needle and replacement.
std::size_t write_replace_all(std::string_view text, std::string_view needle, std::string_view replacement,
                              bool matchCase, const ReplaceAllPlan& plan, std::span<char> out);

// The first visible line the editor ends Replace All with, before the edit
// control bounds it: every match was shown as the second visible line
// (scrolling down only) and every replacement brought the caret into view,
// so only a run of matches all on one line at or above the first visible
// line leaves that line at the top.
std::size_t first_visible_after_replace_all(std::size_t firstVisible, std::size_t firstMatchLine,
                                            std::size_t lastMatchLine);

// Leading indentation of a line: the number of leading blanks, or, when the
// line starts with no blank, the number of leading tabs.
struct Indent {
    std::size_t blanks = 0;
    std::size_t tabs = 0;
};
Indent leading_indent(std::string_view line);

} // namespace ts::core
