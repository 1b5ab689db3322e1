// Typed characters and the keystroke filters of edit fields.
//
// In a double-byte ANSI code page (932, 936, 949, 950) a character arrives
// as two WM_CHAR messages: a lead byte, then a trail byte.  The filters judge
// whole characters: a double-byte character is accepted or rejected as one,
// is never changed by "@UP", and matches a list of characters ("@EXCLUDE",
// "@Include") only where the list holds the same two bytes as one character.
// Which bytes lead is the code page's business: the caller passes them as a
// LeadBytes table (inside the DLL filled from IsDBCSLeadByte).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ts::core {

// The bytes that begin a double-byte character in one code page.  An empty
// table is a single-byte code page.
class LeadBytes {
public:
    // The table of the bytes 0x80-0xFF for which `is_lead` says so.
    template <class IsLead>
    static LeadBytes from(IsLead is_lead) {
        LeadBytes t;
        for (unsigned b = 0x80; b <= 0xFF; ++b) t.lead_[b] = is_lead(static_cast<std::uint8_t>(b));
        return t;
    }
    constexpr LeadBytes& add(std::uint8_t first, std::uint8_t last) {
        for (unsigned b = first; b <= last; ++b) lead_[b] = true;
        return *this;
    }
    constexpr bool operator()(char c) const { return lead_[static_cast<std::uint8_t>(c)]; }

private:
    std::array<bool, 256> lead_{};
};

// One typed character: one byte, or a lead byte and its trail byte.  Size 0
// means no character (yet).
struct KeyChar {
    char bytes[2] = {};
    std::uint8_t size = 0;

    constexpr bool double_byte() const { return size == 2; }
    constexpr std::string_view text() const { return std::string_view(bytes, size); }
};

// Joins the bytes of successive WM_CHAR messages into characters.  A lead
// byte waits for the next byte.  When that byte cannot be a trail byte of
// any double-byte code page (below 0x40, or 0x7F: Backspace, Enter, the
// clipboard keys), the waiting lead byte is dropped and the byte stands
// alone.  A lead byte is never handed out on its own.
class CharAssembler {
public:
    // The character `byte` completes; an empty one while a lead byte waits.
    KeyChar feed(char byte, const LeadBytes& lead);
    bool waiting() const { return waiting_; }
    void reset() { waiting_ = false; }

private:
    char lead_ = 0;
    bool waiting_ = false;
};

// The character of `text` that starts at `pos`; a lead byte at the very
// end stands alone.
KeyChar char_at(std::string_view text, std::size_t pos, const LeadBytes& lead);

// Whether `list` holds `c` as one of its characters (byte for byte, on
// character boundaries).
bool list_holds(std::string_view list, const KeyChar& c, const LeadBytes& lead);

// The character filters of a field: "@NUM", "@ALPHA", "@UP".
struct KeyRules {
    bool numeric = false;
    bool alpha = false;
    bool upper = false;
};

// Whether the filters look at `c` at all: a double-byte character, a
// character the system calls alphanumeric (`systemAlphaNumeric`, asked by
// the caller for single bytes), or printable ASCII (0x20-0x7E).  Control
// characters such as Backspace and the clipboard keys pass unfiltered.
bool is_filtered(const KeyChar& c, bool systemAlphaNumeric);

// The filter steps in order: "@NUM" (digits '0'-'9' only), the characters
// `excluded` forbids, the characters `included` allows, "@ALPHA" (ASCII
// letters only), then "@UP" turning a-z into A-Z in place.  False means the
// key is rejected.  A double-byte character is neither digit nor letter and
// is never converted.
bool passes_filter(KeyChar& c, const KeyRules& rules, std::optional<std::string_view> excluded,
                   std::optional<std::string_view> included, const LeadBytes& lead);

} // namespace ts::core
