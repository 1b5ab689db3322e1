#include "typing.h"

#include "tscore32.h"

namespace tstest {
namespace {
TypingScript g_script = {};
constexpr UINT_PTR kTypingTimer = 0x7E58;
} // namespace

void SetTypingScript(const TypingScript& script) { g_script = script; }

LRESULT CALLBACK TypingViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetTimer(hWnd, kTypingTimer, 10, nullptr);
    if (msg == WM_TIMER && wParam == kTypingTimer) {
        KillTimer(hWnd, kTypingTimer);
        HWND field = vwGetFieldWindow(vwGetView(hWnd), g_script.field);
        SetFocus(field);
        for (const char* s = g_script.text; *s; ++s) SendMessageA(field, WM_CHAR, static_cast<unsigned char>(*s), 1);
        SendMessageA(field, WM_CHAR, g_script.finish, 1);
        return 0;
    }
    return DefViewProc(hWnd, msg, wParam, lParam);
}

} // namespace tstest
