// DefMDIChildViewProc: the default procedure of MDI child views.  The view
// look (painting, colours, scrolling, errors) comes from DefViewProc; the
// window behaviour (activation, closing, the system menu) is the system's
// MDI child handling.
#include "viewproc/handlers.h"

#include <dde.h>

namespace ts {
namespace {

LRESULT Default(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcA(hWnd, msg, wParam, lParam);
}

void OnMdiActivate(VWVIEW* view, HWND hWnd, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) == hWnd) {
        if (g_lib.mdi.creating != view) g_lib.current = view;
        view->active = 1;
    } else {
        view->active = 0;
        if (g_lib.current) g_lib.current->active = 0;
    }
}

// OK and Cancel end the child; editing stays on, toolbars are not asked.
bool OnChildCommand(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    const WORD id = LOWORD(wParam);
    if (!lParam || HIWORD(wParam) != BN_CLICKED || !id || !vwGetFieldFromID(view, id)) return false;
    const bool cancel = id == view->cancelButton, ok = id == view->okButton;
    if (!cancel && !ok) return false;
    if (ok && vwEditView(view)) return true;
    if (ok) vwUpdateApp(view);
    if (view->kind == VWK_MODAL) vwEndModalView(view, ok ? 1 : 0);
    else SendMessageA(GetParent(hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hWnd), 0);
    return true;
}

void SetClassIcon(VWVIEW* view, HWND hWnd) {
    HICON icon = view->hIcon ? view->hIcon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    SetClassLongPtrA(hWnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

LRESULT OnIconEraseBkgnd(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    if (!view->hBackBrush) return Default(hWnd, WM_ICONERASEBKGND, wParam, lParam);
    LONG_PTR old = SetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(view->hBackBrush));
    LRESULT r = Default(hWnd, WM_ICONERASEBKGND, wParam, lParam);
    SetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND, old);
    return r;
}

} // namespace
} // namespace ts

using namespace ts;

LRESULT CALLBACK DefMDIChildViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    VWVIEW* view = ViewFromWindow(hWnd);
    if (!view) return Default(hWnd, msg, wParam, lParam);

    switch (msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_SETFONT:
    case WM_NCDESTROY:
    case WM_TIMER:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_DDE_INITIATE:
    case VWM_SETVIEWSTRING:
    case VWM_CTLCOLOR:
    case VWM_SHOWERROR:
    case VWM_ERRORDONE:
        return DefViewProc(hWnd, msg, wParam, lParam);
    case WM_NCPAINT:
        Default(hWnd, msg, wParam, lParam);
        return DefViewProc(hWnd, msg, wParam, lParam);
    case WM_GETFONT:
        return GetWindowLongPtrA(hWnd, VWL_FONT);
    case WM_SIZE:
        OnSize(view, hWnd, wParam);
        break;
    case WM_SETFOCUS:
        if (VWFIELD* f = CurrentField(view)) {
            if (f->dlgCode & DLGC_HASSETSEL) SendMessageA(f->hWnd, EM_SETSEL, 0, 5000);
            SetFocus(f->hWnd);
        }
        break;
    case WM_LBUTTONDOWN: {
        VWFIELD* f = CurrentField(view);
        SetFocus(f ? f->hWnd : hWnd);
        return 0;
    }
    case WM_MDIACTIVATE:
        OnMdiActivate(view, hWnd, lParam);
        break;
    case WM_COMMAND:
        if (OnChildCommand(view, hWnd, wParam, lParam)) return 1;
        break;
    case WM_KEYDOWN:
        if (view->specialKey && view->specialKey(hWnd, msg, wParam, lParam)) return 0;
        break;
    case WM_SYSCOMMAND:
        if ((wParam == 0xF012 || wParam == SC_MINIMIZE) && view->hIcon)
            SetClassLongPtrA(hWnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(view->hIcon));
        break;
    case WM_SYSCOLORCHANGE:
        if (!view->hBackBrush) {
            view->bkColor = GetSysColor(COLOR_WINDOW);
            SetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND, COLOR_WINDOW + 1);
        }
        return 0;
    case WM_PAINTICON:
        SetClassIcon(view, hWnd);
        break;
    case WM_ICONERASEBKGND:
        return OnIconEraseBkgnd(view, hWnd, wParam, lParam);
    default:
        break;
    }
    return Default(hWnd, msg, wParam, lParam);
}
