// Activation, focus and clicks: the view keeps its current field.
#include "viewproc/handlers.h"

#include "core/text.hpp"

namespace ts {

VWFIELD* CurrentField(VWVIEW* view) {
    return view->fieldCount && view->currentField ? FieldAt(view, view->currentField) : nullptr;
}

void OnActivate(VWVIEW* view, HWND hWnd, WPARAM wParam) {
    if (LOWORD(wParam)) {
        g_lib.current = view;
        view->active = 1;
        if (VWFIELD* f = CurrentField(view)) SetFocus(f->hWnd);
        if (view->hIcon) SetClassLongPtrA(hWnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(view->hIcon));
    } else {
        view->active = 0;
        if (g_lib.current) g_lib.current->active = 0;
    }
}

void OnSetFocus(VWVIEW* view, HWND hWnd) {
    VWFIELD* f = CurrentField(view);
    if (!f) return;
    if (f->dlgCode & DLGC_HASSETSEL) SendMessageA(f->hWnd, EM_SETSEL, 0, 5000);
    if (IsWindowVisible(hWnd) && !(f->flags & VWFF_PROTECTED) && IsWindowEnabled(f->hWnd)) SetFocus(f->hWnd);
}

void OnLButtonDown(VWVIEW* view, HWND hWnd) {
    RemoveErrorBalloon(view);
    if (!view->fieldCount) {
        SetFocus(hWnd);
        return;
    }
    if (VWFIELD* f = CurrentField(view)) SetFocus(f->hWnd);
}

// A click on the frame closes the list of a current combo field.
void OnNcLButtonDown(VWVIEW* view) {
    VWFIELD* f = CurrentField(view);
    if (!f) return;
    char cls[32] = {};
    GetClassNameA(f->hWnd, cls, sizeof cls);
    if (core::equals_nocase(cls, "combobox") || core::equals_nocase(cls, "tsCBTable"))
        SendMessageA(f->hWnd, CB_SHOWDROPDOWN, FALSE, 0);
}

} // namespace ts
