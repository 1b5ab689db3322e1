// DefViewProc: the default window procedure of every view.
#include "viewproc/handlers.h"

using namespace ts;

LRESULT CALLBACK DefViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    VWVIEW* view = ViewFromWindow(hWnd);
    if (!view) return DefWindowProcA(hWnd, msg, wParam, lParam);

    switch (msg) {
    case WM_ERASEBKGND:
        return OnEraseBkgnd(view, hWnd, reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
        return OnPaint(view, hWnd);
    case WM_CLOSE:
        if (view->kind == VWK_MODAL) {
            vwEndModalView(view, 0);
            return 0;
        }
        break;
    case WM_SETFONT:
        return OnSetFont(view, hWnd, reinterpret_cast<HFONT>(wParam), lParam);
    case WM_GETFONT:
        return GetWindowLongPtrA(hWnd, VWL_FONT);
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(view->hIcon ? view->hIcon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    case WM_NCDESTROY:
        OnNcDestroy(view, hWnd);
        break;
    case WM_COMMAND:
        return OnCommand(view, hWnd, wParam, lParam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case VWM_CTLCOLOR:
        return OnCtlColor(view, hWnd, msg, wParam, lParam);
    case VWM_SETVIEWSTRING:
        return OnSetViewString(view, hWnd);
    default:
        break;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK DefMDIChildViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefViewProc(hWnd, msg, wParam, lParam);
}
