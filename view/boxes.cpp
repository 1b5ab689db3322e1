// The library's message boxes and debug output.
#include "view/internal.h"

#include <cstdio>

namespace ts {

int LibraryMessageBox(HWND owner, const char* text, const char* caption, UINT style) {
    return MessageBoxA(owner, text, caption, style);
}

// The common reaction to an invalid view handle; a process sees six boxes at
// most, later errors are silent.
int ReportApplicationError() {
    if (++g_lib.applicationErrorBoxes > 6) return 0;
    LibraryMessageBox(nullptr, "Application error detected.\nInvalid view handle",
                      "Tessarine Screen Manager", MB_ICONHAND);
    return 0;
}

void ShowSystemErrorBox(HWND owner, const char* text) {
    LibraryMessageBox(owner, text, "System Error", MB_SYSTEMMODAL | MB_ICONHAND);
}

int ShowLowMemoryBox(int code) {
    char text[160];
    std::snprintf(text, sizeof text, "Low memory condition:%d\nClose application or free other resources.", code);
    LibraryMessageBox(GetFocus(), text, "Tessarine", MB_OK);
    return 0;
}

// Debug text reaches the debugger only on a debugging version of Windows.
void DebugLine(const char* line) {
    if (GetSystemMetrics(SM_DEBUG)) OutputDebugStringA(line);
}

} // namespace ts
