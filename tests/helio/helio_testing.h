// Windows for the helio32 tests: a visible top-level frame and children of
// class "HelioTestField", whose procedure routes drag messages to helio32
// as a tscore32 field does.
#pragma once
#include <windows.h>

#include <string>

#include "companion/helio.h"

namespace helio_test {

// Dispatches everything queued for this thread (posted DDE messages, ...).
inline void pump() {
    MSG msg;
    for (int round = 0; round < 5; ++round, Sleep(5))
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

inline LRESULT CALLBACK field_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (LRESULT r = hlDragDrop(h, m, w, l)) return r;
    return DefWindowProcA(h, m, w, l);
}

inline void register_class(const char* name, WNDPROC proc) {
    WNDCLASSA wc{0, proc, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, name};
    RegisterClassA(&wc);
}

inline HWND frame(const char* className = "HelioTestFrame", WNDPROC proc = DefWindowProcA) {
    register_class(className, proc);
    HWND h = CreateWindowExA(0, className, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300, nullptr,
                             nullptr, nullptr, nullptr);
    SetForegroundWindow(h);
    return h;
}

inline HWND child(HWND parent, const char* className, const char* text, int x, DWORD style = WS_TABSTOP) {
    register_class("HelioTestField", field_proc);
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, 10, 80, 24, parent, nullptr,
                           nullptr, nullptr);
}

inline std::string text_of(HWND h) {
    char buf[256] = "";
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

} // namespace helio_test
