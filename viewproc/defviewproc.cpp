// DefViewProc: the default window procedure of every view.
#include "viewproc/handlers.h"

#include <dde.h>

using namespace ts;

LRESULT CALLBACK DefViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    VWVIEW* view = ViewFromWindow(hWnd);
    if (!view) return DefWindowProcA(hWnd, msg, wParam, lParam);

    switch (msg) {
    case WM_ERASEBKGND:
        return OnEraseBkgnd(view, hWnd, reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
        return OnPaint(view, hWnd);
    case WM_DESTROY:
        if (g_lib.loopKind == 1) KillTimer(hWnd, VW_TIMER_ANIMATE);
        if (g_lib.loopKind == 2) KillTimer(hWnd, VW_TIMER_WAIT);
        break;
    case WM_SIZE:
        OnSize(view, hWnd, wParam);
        break;
    case WM_ACTIVATE:
        OnActivate(view, hWnd, wParam);
        break;
    case WM_SETFOCUS:
        OnSetFocus(view, hWnd);
        break;
    case WM_CLOSE:
        if (view->kind == VWK_MODAL) {
            vwEndModalView(view, 0);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        return OnKeyDown(view, hWnd, wParam, lParam);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            if (view->kind == VWK_MODAL) return 0;
            if (view->hIcon) SetClassLongPtrA(hWnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(view->hIcon));
        }
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(view, hWnd);
        break;
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown(view);
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        return OnScroll(view, hWnd, msg, wParam, lParam);
    case WM_NEXTDLGCTL: {
        // the dialog manager moves the focus this way for the keys it
        // handles in a view (IsDialogMessage): as a dialog would
        HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                     : GetNextDlgTabItem(hWnd, GetFocus(), wParam != 0);
        if (target) SetFocus(target);
        return 0;
    }
    case VWM_SHOWERROR:
        return OnShowError(view, hWnd, wParam, lParam);
    case VWM_ERRORDONE:
        vwSetViewStatus(view, static_cast<LONG>(wParam), 0);
        return 0;
    case VWM_DRAG2:
        return 1;
    case WM_TIMER:
        OnTimer(view, hWnd, wParam);
        break;
    case VWM_SIZEPARENT:
        OnSizeParent(view, hWnd, lParam);
        break;
    case WM_SETFONT:
        return OnSetFont(view, hWnd, reinterpret_cast<HFONT>(wParam), lParam);
    case WM_GETFONT:
        return GetWindowLongPtrA(hWnd, VWL_FONT);
    case WM_PAINTICON:
        SetClassLongPtrA(hWnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(view->hIcon ? view->hIcon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION))));
        break;
    case WM_ICONERASEBKGND:
        if (view->hBackBrush) {
            RECT rc;
            GetClientRect(hWnd, &rc);
            FillRect(reinterpret_cast<HDC>(wParam), &rc, view->hBackBrush);
            return 1;
        }
        break;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange(view, hWnd);
        break;
    case WM_DDE_INITIATE:
        return OnDdeInitiate(view, hWnd, wParam, lParam);
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
    case WM_MENUSELECT:
        return OnMenuSelect(view, hWnd, wParam, lParam);
    case WM_NCHITTEST:
        OnNcHitTest(view, hWnd);
        break;
    default:
        break;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}
