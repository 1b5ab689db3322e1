#include "core/textsearch.hpp"

namespace ts::core {
namespace {

constexpr unsigned char upper(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

bool same_at(std::string_view text, std::size_t at, std::string_view needle, bool matchCase) {
    for (std::size_t i = 0; i < needle.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[at + i]), b = static_cast<unsigned char>(needle[i]);
        if (matchCase ? a != b : upper(a) != upper(b)) return false;
    }
    return true;
}

} // namespace

std::size_t find_text(std::string_view text, std::string_view needle, std::size_t from, bool matchCase) {
    if (needle.empty() || from > text.size() || needle.size() > text.size() - from) return kNotFound;
    for (std::size_t at = from; at + needle.size() <= text.size(); ++at)
        if (same_at(text, at, needle, matchCase)) return at;
    return kNotFound;
}

Indent leading_indent(std::string_view line) {
    Indent in;
    while (in.blanks < line.size() && line[in.blanks] == ' ') ++in.blanks;
    if (in.blanks == 0)
        while (in.tabs < line.size() && line[in.tabs] == '\t') ++in.tabs;
    return in;
}

std::size_t line_of_offset(std::string_view text, std::size_t offset) {
    if (offset > text.size()) offset = text.size();
    std::size_t line = 0;
    for (std::size_t i = 0; i < offset; ++i)
        if (text[i] == '\n') ++line;
    return line;
}

std::size_t line_count(std::string_view text) { return line_of_offset(text, text.size()) + 1; }

} // namespace ts::core
