#include "core/directives.hpp"

#include "core/text.hpp"

namespace ts::core {

namespace {

constexpr bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_blanks(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

bool matches_at(std::string_view text, std::size_t pos, std::string_view keyword) {
    if (!equals_nocase(text.substr(pos, keyword.size()), keyword)) return false;
    std::size_t end = pos + keyword.size();
    if (end < text.size() && is_alnum(text[end])) return false;
    if (keyword.front() != '@' && pos > 0 && is_alnum(text[pos - 1])) return false;
    return true;
}

} // namespace

std::optional<KeywordMatch> find_keyword(std::string_view text, std::string_view keyword) {
    if (keyword.empty() || keyword.size() > text.size()) return std::nullopt;
    // only the places of the keyword's first character are tried
    NocaseCharFinder first(text, keyword.front());
    for (std::size_t pos = first.next(0); pos != std::string_view::npos && pos + keyword.size() <= text.size();
         pos = first.next(pos + 1)) {
        if (!matches_at(text, pos, keyword)) continue;
        KeywordMatch m;
        m.pos = pos;
        std::size_t open = pos + keyword.size();
        if (open < text.size() && text[open] == '(') {
            m.hasArgument = true;
            std::string_view rest = text.substr(open + 1);
            m.argument = rest.substr(0, rest.find(')'));
        }
        return m;
    }
    return std::nullopt;
}

bool has_keyword(std::string_view text, std::string_view keyword) {
    return find_keyword(text, keyword).has_value();
}

ArgumentList split_arguments(std::string_view argument) {
    ArgumentList parts;
    if (argument.empty()) return parts;
    for (;;) {
        std::size_t comma = argument.find(',');
        parts.push_back(trim_blanks(argument.substr(0, comma)));
        if (comma == std::string_view::npos) break;
        argument.remove_prefix(comma + 1);
    }
    return parts;
}

std::optional<std::size_t> parse_count(std::string_view text, std::size_t limit) {
    text = trim_blanks(text);
    if (text.empty()) return std::nullopt;
    std::size_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        std::size_t digit = static_cast<std::size_t>(c - '0');
        value = (value > limit / 10 || value * 10 + digit > limit) ? limit : value * 10 + digit;
    }
    return value;
}

std::optional<std::string> with_keyword(std::string_view text, std::string_view keyword,
                                        std::size_t maxLength) {
    if (keyword.empty()) return std::nullopt;
    if (has_keyword(text, keyword)) return std::string(text);
    bool needsAt = keyword.front() != '@';
    if (text.size() + keyword.size() + (needsAt ? 1 : 0) > maxLength) return std::nullopt;
    std::string result(text);
    if (needsAt) result.push_back('@');
    result.append(keyword);
    return result;
}

} // namespace ts::core
