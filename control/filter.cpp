#include "control/filter.h"

#include <cstring>

namespace ts {

KeystrokeFilter g_filter;

namespace {
constexpr bool IsPrintable(char c) { return c >= 0x20 && c <= 0x7E; }
constexpr bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

bool IsFilteredCharacter(char c) { return IsCharAlphaNumericA(c) || IsPrintable(c); }

bool PassesFilter(char& c, const char* excluded, const char* included) {
    if (g_filter.numeric && !IsDigit(c)) return false;
    if (excluded && std::strchr(excluded, c)) return false;
    if (included && !std::strchr(included, c)) return false;
    if (g_filter.alpha && !IsLetter(c)) return false;
    if (g_filter.upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return true;
}

LRESULT RejectKey() {
    MessageBeep(0);
    return 0;
}

} // namespace ts
