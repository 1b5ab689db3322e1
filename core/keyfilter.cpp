#include "core/keyfilter.hpp"

#include "core/text.hpp"

namespace ts::core {

namespace {

constexpr bool is_printable(char c) { return c >= 0x20 && c <= 0x7E; }

// Trail bytes of the double-byte code pages lie in 0x40-0xFE without 0x7F.
constexpr bool can_trail(char c) {
    const auto b = static_cast<std::uint8_t>(c);
    return b >= 0x40 && b != 0x7F && b != 0xFF;
}

constexpr KeyChar single(char c) { return KeyChar{{c, 0}, 1}; }

} // namespace

KeyChar CharAssembler::feed(char byte, const LeadBytes& lead) {
    if (waiting_) {
        waiting_ = false;
        if (can_trail(byte)) return KeyChar{{lead_, byte}, 2};
    }
    if (lead(byte)) {
        lead_ = byte;
        waiting_ = true;
        return KeyChar{};
    }
    return single(byte);
}

KeyChar char_at(std::string_view text, std::size_t pos, const LeadBytes& lead) {
    if (pos >= text.size()) return KeyChar{};
    if (lead(text[pos]) && pos + 1 < text.size()) return KeyChar{{text[pos], text[pos + 1]}, 2};
    return single(text[pos]);
}

bool list_holds(std::string_view list, const KeyChar& c, const LeadBytes& lead) {
    for (std::size_t pos = 0; pos < list.size();) {
        const KeyChar item = char_at(list, pos, lead);
        if (item.text() == c.text()) return true;
        pos += item.size;
    }
    return false;
}

bool is_filtered(const KeyChar& c, bool systemAlphaNumeric) {
    return c.double_byte() || (c.size == 1 && (systemAlphaNumeric || is_printable(c.bytes[0])));
}

bool passes_filter(KeyChar& c, const KeyRules& rules, std::optional<std::string_view> excluded,
                   std::optional<std::string_view> included, const LeadBytes& lead) {
    const bool one = c.size == 1;
    if (rules.numeric && !(one && is_digit(c.bytes[0]))) return false;
    if (excluded && list_holds(*excluded, c, lead)) return false;
    if (included && !list_holds(*included, c, lead)) return false;
    if (rules.alpha && !(one && is_letter(c.bytes[0]))) return false;
    if (rules.upper && one) c.bytes[0] = ascii_upper(c.bytes[0]);
    return true;
}

} // namespace ts::core
