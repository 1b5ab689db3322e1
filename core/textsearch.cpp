#include "core/textsearch.hpp"

#include "core/text.hpp"

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
    if (matchCase) {
        const std::size_t at = text.find(needle, from);
        return at == std::string_view::npos ? kNotFound : at;
    }
    // only the places of the needle's first letter, in either case, are compared
    NocaseCharFinder first(text, needle[0]);
    for (std::size_t at = first.next(from); at != std::string_view::npos && at + needle.size() <= text.size();
         at = first.next(at + 1))
        if (same_at(text, at, needle, false)) return at;
    return kNotFound;
}

ReplaceAllPlan plan_replace_all(std::string_view text, std::string_view needle, std::size_t replacementSize,
                                std::size_t from, bool matchCase) {
    ReplaceAllPlan plan;
    for (std::size_t at = find_text(text, needle, from, matchCase); at != kNotFound;
         at = find_text(text, needle, at + needle.size(), matchCase)) {
        if (plan.count == 0) plan.first = at;
        plan.lastAt = plan.size + (at - (plan.count ? plan.end : at));
        plan.size = plan.lastAt + replacementSize;
        plan.end = at + needle.size();
        ++plan.count;
    }
    return plan;
}

std::size_t write_replace_all(std::string_view text, std::string_view needle, std::string_view replacement,
                              bool matchCase, const ReplaceAllPlan& plan, std::span<char> out) {
    if (plan.count == 0 || out.size() < plan.size || plan.end > text.size()) return 0;
    std::size_t n = 0;
    auto put = [&](std::string_view piece) {
        if (piece.size() > out.size() - n) return false;
        for (char c : piece) out[n++] = c;
        return true;
    };
    std::size_t done = plan.first, at = plan.first;
    for (std::size_t i = 0; i < plan.count; ++i) {
        if (at == kNotFound || !put(text.substr(done, at - done)) || !put(replacement)) return 0;
        done = at + needle.size();
        if (i + 1 < plan.count) at = find_text(text, needle, done, matchCase);
    }
    return n == plan.size && done == plan.end ? n : 0;
}

std::size_t first_visible_after_replace_all(std::size_t firstVisible, std::size_t firstMatchLine,
                                            std::size_t lastMatchLine) {
    if (lastMatchLine == firstMatchLine && firstMatchLine <= firstVisible) return firstMatchLine;
    return lastMatchLine ? lastMatchLine - 1 : 0;
}

Indent leading_indent(std::string_view line) {
    Indent in;
    while (in.blanks < line.size() && line[in.blanks] == ' ') ++in.blanks;
    if (in.blanks == 0)
        while (in.tabs < line.size() && line[in.tabs] == '\t') ++in.tabs;
    return in;
}

} // namespace ts::core
