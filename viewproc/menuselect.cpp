// WM_MENUSELECT: help for the menu item being selected goes to the view's
// status line, which is cleared when the menu closes.
#include "viewproc/handlers.h"

#include "message/menuhelp.h"

namespace ts {

LRESULT OnMenuSelect(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    const bool live = view->hDSLWindow && IsWindow(view->hDSLWindow);
    if (flags == 0xFFFF && !lParam) {
        if (live) SetWindowTextA(view->hDSLWindow, "");
        return DefWindowProcA(hWnd, WM_MENUSELECT, wParam, lParam);
    }
    if ((flags & MF_SYSMENU) || !live) return 0;
    if (flags & MF_SEPARATOR) return DefWindowProcA(hWnd, WM_MENUSELECT, wParam, lParam);
    char text[256];
    MenuHelpText(hWnd, LOWORD(wParam), flags, reinterpret_cast<HMENU>(lParam), text, sizeof text);
    SetWindowTextA(view->hDSLWindow, text);
    return DefWindowProcA(hWnd, WM_MENUSELECT, wParam, lParam);
}

} // namespace ts
