#include "core/validate.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/directives.hpp"
#include "core/text.hpp"

namespace ts::core {

namespace {

bool is_number(std::string_view text) {
    if (text.empty()) return true;
    if (text.front() == '-') text.remove_prefix(1);
    bool digit = false, point = false;
    for (char c : text) {
        if (is_digit(c)) digit = true;
        else if (c == '.' && !point) point = true;
        else return false;
    }
    return digit;
}

bool is_alpha(std::string_view text) {
    for (char c : text)
        if (!is_letter(c) && c != ' ') return false;
    return true;
}

// Whether every character of `text` is (`wanted` true) or is not (false)
// one of the characters of `list`.  The list's single-byte characters are
// looked up in a table made once, so a long text against a long list costs
// the length of both; only a double-byte character searches the list.
bool all_chars(std::string_view text, std::string_view list, bool wanted, const LeadBytes& lead) {
    std::array<bool, 256> single{};
    bool doubleBytes = false;
    for (std::size_t pos = 0; pos < list.size();) {
        const KeyChar c = char_at(list, pos, lead);
        if (c.double_byte()) doubleBytes = true;
        else single[static_cast<std::uint8_t>(c.bytes[0])] = true;
        pos += c.size;
    }
    for (std::size_t pos = 0; pos < text.size();) {
        const KeyChar c = char_at(text, pos, lead);
        const bool held = c.double_byte() ? doubleBytes && list_holds(list, c, lead)
                                          : single[static_cast<std::uint8_t>(c.bytes[0])];
        if (held != wanted) return false;
        pos += c.size;
    }
    return true;
}

// The argument of `keyword` when it is written with parentheses.
std::optional<std::string_view> argument_of(std::string_view directives, std::string_view keyword) {
    auto m = find_keyword(directives, keyword);
    if (!m || !m->hasArgument) return std::nullopt;
    return m->argument;
}

} // namespace

TextRule broken_text_rule(std::string_view text, std::string_view directives, const LeadBytes& lead) {
    if (has_keyword(directives, "@NUM") && !is_number(text)) return TextRule::Num;
    if (has_keyword(directives, "@ALPHA") && !is_alpha(text)) return TextRule::Alpha;
    if (auto arg = argument_of(directives, "@LIMIT")) {
        auto limit = parse_count(*arg, 1u << 30);
        if (limit && text.size() > *limit) return TextRule::Limit;
    }
    if (auto excluded = argument_of(directives, "@EXCLUDE")) {
        if (!all_chars(text, *excluded, false, lead)) return TextRule::Exclude;
    }
    if (auto allowed = argument_of(directives, "@INCLUDE")) {
        if (!all_chars(text, *allowed, true, lead)) return TextRule::Include;
    }
    return TextRule::None;
}

} // namespace ts::core
