// Field text validation; the rules live in core/validate.
#include "companion/helio.h"
#include "core/validate.hpp"
#include "helio/internal.h"

// The field and the type code do not change the rules: every type is
// checked against its directives alike, character by character of the
// ANSI code page.  `output` is never written.
int WINAPI hlValidate(HWND, int, LPCSTR text, LPCSTR directives, LPSTR) {
    static const auto lead = ts::core::LeadBytes::from([](std::uint8_t b) { return IsDBCSLeadByte(b) != 0; });
    return ts::core::text_satisfies(helio::view_of(text), helio::view_of(directives), lead) ? 1 : 0;
}
