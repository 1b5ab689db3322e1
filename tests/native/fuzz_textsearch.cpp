// Needle, a 0 byte, text; the first byte picks the case rule, the start and
// the replacement's length.  A match is the first from the start, and
// Replace All gives what replacing match by match gives.
#include <cstdlib>
#include <string>

#include "core/editsettings.hpp"
#include "core/textsearch.hpp"

using namespace ts::core;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool matchCase = data[0] & 1;
    const std::string_view in(reinterpret_cast<const char*>(data + 1), size - 1), needle = in.substr(0, in.find('\0'));
    const std::string_view text = needle.size() < in.size() ? in.substr(needle.size() + 1) : std::string_view();
    const std::size_t from = (data[0] >> 1) % (text.size() + 2), at = find_text(text, needle, from, matchCase);
    if (at != kNotFound && (at < from || find_text(text.substr(0, at + needle.size()), needle, from, matchCase) != at ||
                            (matchCase && text.substr(at, needle.size()) != needle)))
        std::abort();
    const std::string_view replacement = text.substr(0, data[0] >> 5);
    std::string slow, fast(text);  // slow: match by match, each search going on after the last match
    std::size_t done = 0;
    for (std::size_t m = find_text(text, needle, from, matchCase); m != kNotFound;
         m = find_text(text, needle, done, matchCase)) {
        slow.append(text.substr(done, m - done)).append(replacement);
        done = m + needle.size();
    }
    slow.append(text.substr(done));
    if (const ReplaceAllPlan plan = plan_replace_all(text, needle, replacement.size(), from, matchCase); plan.count) {
        std::string stretch(plan.size, '\0');
        if (write_replace_all(text, needle, replacement, matchCase, plan, stretch) != plan.size) std::abort();
        fast.replace(plan.first, plan.end - plan.first, stretch);
    }
    std::uint32_t colors[16] = {};
    char out[500];
    if (fast != slow || parse_custom_colors(in, colors, 16) > 16 || format_custom_colors(colors, 16, out, sizeof out) >= sizeof out)
        std::abort();
    return 0;
}
