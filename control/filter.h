// The keystroke filter of the field that has the input focus.  Only one
// field types at a time, so edit fields and the edit child of combo boxes
// share one set of flags, recomputed whenever one of them gets the focus.
#pragma once
#include "control/shared.h"

namespace ts {

struct KeystrokeFilter {
    bool numeric = false;       // "@NUM": digits only
    bool alpha = false;         // "@ALPHA": letters only
    bool upper = false;         // "@UP": letters become upper case
    bool autoTab = false;       // "@AUTOTAB": edit fields move on when full
    int autoTabLength = 0;      // "@LIMIT" argument; 0 = full by width
    bool exclude = false;       // combo boxes: "@EXCLUDE" captured at focus
    char excludedChars[156] = {};
};
extern KeystrokeFilter g_filter;

// Characters the filter looks at: alphanumeric by the system's test, or
// printable ASCII.  Control characters (Backspace, the clipboard keys) pass.
bool IsFilteredCharacter(char c);

// The filter steps after "@NUM": the characters `excluded` forbids, the
// characters `included` allows (either may be null), "@ALPHA", then "@UP"
// converting `c` in place.  False means the key is rejected.
bool PassesFilter(char& c, const char* excluded, const char* included);

// A rejected key: the default beep, and nothing reaches the control.
LRESULT RejectKey();

} // namespace ts
