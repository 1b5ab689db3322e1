#include "control/filter.h"

namespace ts {

KeystrokeFilter g_filter;

namespace {

// The lead bytes of the process's ANSI code page, which never changes.
const core::LeadBytes& AnsiLeadBytes() {
    static const core::LeadBytes table = core::LeadBytes::from([](std::uint8_t b) { return IsDBCSLeadByte(b) != 0; });
    return table;
}

// The character being typed and the window it is typed into.
core::CharAssembler g_assembler;
HWND g_typingWindow = nullptr;

} // namespace

void ResetFilter() {
    g_filter = {};
    g_assembler.reset();
}

core::KeyChar TypedChar(HWND hWnd, WPARAM wParam) {
    if (hWnd != g_typingWindow) {
        g_assembler.reset();
        g_typingWindow = hWnd;
    }
    const char low = static_cast<char>(wParam & 0xFF), high = static_cast<char>((wParam >> 8) & 0xFF);
    core::KeyChar c = g_assembler.feed(low, AnsiLeadBytes());
    if (!c.size && high) c = g_assembler.feed(high, AnsiLeadBytes());
    return c;
}

bool IsFilteredCharacter(const core::KeyChar& c) {
    return core::is_filtered(c, c.size == 1 && IsCharAlphaNumericA(c.bytes[0]));
}

bool PassesFilter(core::KeyChar& c, std::optional<std::string_view> excluded,
                  std::optional<std::string_view> included) {
    return core::passes_filter(c, g_filter.rules, excluded, included, AnsiLeadBytes());
}

LRESULT PassChar(HWND hWnd, const core::KeyChar& c, LPARAM lParam, ByteProc passByte) {
    if (!c.double_byte()) return passByte(hWnd, WM_CHAR, static_cast<unsigned char>(c.bytes[0]), lParam);
    WCHAR wide = 0;
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, c.bytes, 2, &wide, 1) != 1) return RejectKey();
    auto unicodeProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hWnd, GCLP_WNDPROC));
    if (!unicodeProc) return DefWindowProcW(hWnd, WM_CHAR, wide, lParam);
    return CallWindowProcW(unicodeProc, hWnd, WM_CHAR, wide, lParam);
}

LRESULT RejectKey() {
    MessageBeep(0);
    return 0;
}

} // namespace ts
