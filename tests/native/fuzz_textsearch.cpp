// Searching and profile parsing on arbitrary input: needle, a 0 byte, text;
// the first byte picks the case rule and the start.  A match must really be
// there, and nothing before it from the start may match.  Replace All (the
// replacement is the first few bytes of the text) must give what replacing
// match by match gives.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/editsettings.hpp"
#include "core/textsearch.hpp"

using namespace ts::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool matchCase = data[0] & 1;
    std::string_view in(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = in.find('\0');
    std::string_view needle = in.substr(0, split);
    std::string_view text = split == std::string_view::npos ? std::string_view() : in.substr(split + 1);
    const std::size_t from = (data[0] >> 1) % (text.size() + 2);
    const std::size_t at = find_text(text, needle, from, matchCase);
    if (at != kNotFound) {
        if (at < from || at + needle.size() > text.size()) std::abort();
        if (find_text(text.substr(at, needle.size()), needle, 0, matchCase) != 0) std::abort();
        if (at > from && find_text(text.substr(0, at + needle.size() - 1), needle, from, matchCase) != kNotFound) std::abort();
        if (matchCase && text.substr(at, needle.size()) != needle) std::abort();
    }
    const std::string_view replacement = text.substr(0, data[0] >> 5);
    std::string slow;  // match by match, each search going on after the last match
    std::size_t done = 0;
    for (std::size_t at = find_text(text, needle, from, matchCase); at != kNotFound;
         at = find_text(text, needle, done, matchCase)) {
        slow.append(text.substr(done, at - done)).append(replacement);
        done = at + needle.size();
    }
    slow.append(text.substr(done));
    const ReplaceAllPlan plan = plan_replace_all(text, needle, replacement.size(), from, matchCase);
    std::string fast(text);
    if (plan.count) {
        std::string stretch(plan.size, '\0');
        if (write_replace_all(text, needle, replacement, matchCase, plan, stretch) != plan.size) std::abort();
        fast.replace(plan.first, plan.end - plan.first, stretch);
        if (fast.compare(plan.first + plan.lastAt, replacement.size(), replacement) != 0) std::abort();
    }
    if (fast != slow) std::abort();

    if (line_of_offset(text, text.size()) + 1 != line_count(text)) std::abort();
    const Indent ind = leading_indent(text);
    if (ind.blanks > text.size() || ind.tabs > text.size() || (ind.blanks && ind.tabs)) std::abort();

    std::uint32_t colors[16] = {};
    if (parse_custom_colors(in, colors, 16) > 16) std::abort();
    char out[500];
    if (format_custom_colors(colors, 16, out, sizeof out) >= sizeof out) std::abort();
    return 0;
}
