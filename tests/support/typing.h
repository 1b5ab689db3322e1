// A view procedure for modal scenarios: once the view is initialised it
// types a text into one field and then one more character (Enter, Escape),
// as a user at the keyboard would.
#pragma once
#include <windows.h>

namespace tstest {

struct TypingScript {
    LONG field;
    const char* text;
    WPARAM finish;
};

// The script the next view using TypingViewProc follows.
void SetTypingScript(const TypingScript& script);
LRESULT CALLBACK TypingViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace tstest
