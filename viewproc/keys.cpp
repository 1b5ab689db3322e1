// WM_KEYDOWN: the special-key procedure, error balloons, and Ctrl with the
// navigation keys scrolling the view.
#include "viewproc/handlers.h"

namespace ts {

LRESULT OnKeyDown(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    if (view->specialKey && view->specialKey(hWnd, WM_KEYDOWN, wParam, lParam)) return 0;
    RemoveErrorBalloon(view);
    if (GetKeyState(VK_CONTROL) >= 0) return DefWindowProcA(hWnd, WM_KEYDOWN, wParam, lParam);
    struct Scroll {
        UINT msg;
        WPARAM code;
    };
    Scroll s = {0, 0};
    switch (wParam) {
    case VK_PRIOR: s = {WM_VSCROLL, SB_PAGEUP}; break;
    case VK_NEXT: s = {WM_VSCROLL, SB_PAGEDOWN}; break;
    case VK_END: s = {WM_VSCROLL, SB_BOTTOM}; break;
    case VK_HOME: s = {WM_VSCROLL, SB_TOP}; break;
    case VK_LEFT: s = {WM_HSCROLL, SB_LINELEFT}; break;
    case VK_UP: s = {WM_VSCROLL, SB_LINEUP}; break;
    case VK_RIGHT: s = {WM_HSCROLL, SB_LINERIGHT}; break;
    case VK_DOWN: s = {WM_VSCROLL, SB_LINEDOWN}; break;
    default: break;  // swallowed
    }
    if (s.msg) SendMessageA(hWnd, s.msg, s.code, 0);
    return 0;
}

} // namespace ts
