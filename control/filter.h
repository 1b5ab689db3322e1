// The keystroke filter of the field that has the input focus.  Only one
// field types at a time, so edit fields and the edit child of combo boxes
// share one set of flags, recomputed whenever one of them gets the focus.
// The filters judge whole characters of the ANSI code page (core/keyfilter):
// a lead byte of a double-byte character waits for its trail byte.
#pragma once
#include <optional>
#include <string_view>

#include "control/shared.h"
#include "core/keyfilter.hpp"

namespace ts {

struct KeystrokeFilter {
    core::KeyRules rules;       // "@NUM", "@ALPHA", "@UP"
    bool autoTab = false;       // "@AUTOTAB": edit fields move on when full
    int autoTabLength = 0;      // "@LIMIT" argument; 0 = full by width
    bool exclude = false;       // combo boxes: "@EXCLUDE" captured at focus
    char excludedChars[156] = {};
};
extern KeystrokeFilter g_filter;

// Starts the filter afresh for a field that gets the focus: flags cleared,
// no lead byte waiting.
void ResetFilter();

// The character a WM_CHAR to `hWnd` completes: a lead byte waits (the
// answer is empty) until the trail byte arrives in the next WM_CHAR to the
// same window.  A wParam that carries both bytes (trail in the high byte)
// is a whole character.
core::KeyChar TypedChar(HWND hWnd, WPARAM wParam);

// Whether the filters look at `c` (alphanumeric by the system's test,
// printable ASCII, or double-byte); control characters pass.
bool IsFilteredCharacter(const core::KeyChar& c);

// The filter steps after step 3 (core::passes_filter) with the lead bytes of
// the ANSI code page; `c` may come back converted by "@UP".
bool PassesFilter(core::KeyChar& c, std::optional<std::string_view> excluded,
                  std::optional<std::string_view> included);

// Hands a character that passed to the control: a single byte as WM_CHAR
// through `passByte`; a double-byte character in one piece, as one Unicode
// WM_CHAR to the Unicode procedure of the control's class, so that no
// control ever holds half of it.  An invalid byte pair is rejected.
using ByteProc = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
LRESULT PassChar(HWND hWnd, const core::KeyChar& c, LPARAM lParam, ByteProc passByte);

// A rejected key: the default beep, and nothing reaches the control.
LRESULT RejectKey();

} // namespace ts
