// Small text helpers over std::string_view (ASCII case folding only, as the
// directive keywords and class names are ASCII).
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ts::core {

constexpr char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char ascii_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// ASCII character classes: the keystroke filters and validation rules judge
// bytes by these, whatever the code page.
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
constexpr bool is_lower(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool is_letter(char c) { return is_lower(c) || (c >= 'A' && c <= 'Z'); }
constexpr bool is_alnum(char c) { return is_digit(c) || is_letter(c); }

constexpr bool equals_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

constexpr bool starts_with_nocase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equals_nocase(s.substr(0, prefix.size()), prefix);
}

// The places of one character in a text, either case, in increasing order.
// Both cases are looked for with string_view::find (memchr) in windows that
// double from the place asked for, so a call costs what lies between that
// place and the next one, whichever case is missing from the text: a search
// repeated from one match to the next stays linear in the text.
class NocaseCharFinder {
public:
    constexpr NocaseCharFinder(std::string_view text, char c)
        : text_(text), lower_(ascii_lower(c)), upper_(ascii_upper(c)) {}

    // The first place at or after `from`, or npos.
    constexpr std::size_t next(std::size_t from) const {
        if (lower_ == upper_) return text_.find(lower_, from);
        for (std::size_t window = 64; from < text_.size(); from += window, window *= 2) {
            const std::string_view part = text_.substr(from, window);
            const std::size_t at = std::min(part.find(lower_), part.find(upper_));
            if (at != std::string_view::npos) return from + at;
        }
        return std::string_view::npos;
    }

private:
    std::string_view text_;
    char lower_, upper_;
};

// Position of `needle` in `hay` ignoring case, or npos.
constexpr std::size_t find_nocase(std::string_view hay, std::string_view needle) {
    if (needle.size() > hay.size()) return std::string_view::npos;
    if (needle.empty()) return 0;
    NocaseCharFinder first(hay, needle[0]);
    for (std::size_t i = first.next(0); i != std::string_view::npos && i + needle.size() <= hay.size();
         i = first.next(i + 1))
        if (equals_nocase(hay.substr(i, needle.size()), needle)) return i;
    return std::string_view::npos;
}

constexpr bool contains_nocase(std::string_view hay, std::string_view needle) {
    return find_nocase(hay, needle) != std::string_view::npos;
}

// Appends `value` in upper-case hexadecimal, at least `digits` digits wide
// (no prefix).  Formatting a number this way costs a few instructions, where
// a printf-style call parses its format on every byte of a large record.
inline void append_hex(std::string& out, std::uint32_t value, int digits) {
    char buf[8];
    int n = 0;
    do {
        buf[7 - n++] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    } while (value && n < 8);
    if (digits > n) out.append(static_cast<std::size_t>(digits - n), '0');
    out.append(buf + 8 - n, static_cast<std::size_t>(n));
}

// Appends `value` in decimal.
inline void append_decimal(std::string& out, std::uint32_t value) {
    char buf[10];
    int n = 0;
    do {
        buf[9 - n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    out.append(buf + 10 - n, static_cast<std::size_t>(n));
}

inline std::string hex_text(std::uint32_t value, int digits, std::string_view prefix = "0x") {
    std::string out(prefix);
    append_hex(out, value, digits);
    return out;
}

// Copies at most `size - 1` characters and a terminator into `out`; returns
// the number of characters copied.  Nothing is written when `size` is 0.
inline std::size_t copy_bounded(char* out, std::size_t size, std::string_view s) {
    if (!out || size == 0) return 0;
    std::size_t n = s.size() < size - 1 ? s.size() : size - 1;
    for (std::size_t i = 0; i < n; ++i) out[i] = s[i];
    out[n] = '\0';
    return n;
}

} // namespace ts::core
