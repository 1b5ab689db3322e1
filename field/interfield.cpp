// vwInterFieldProc: the window procedure every field control is subclassed
// with.  It keeps the view's current field and hands each message to the
// application's field procedure, or else to the field's default procedure.
#include "view/internal.h"

using namespace ts;

namespace {

LRESULT PassOn(VWFIELD* f, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (f && f->fieldProc) return f->fieldProc(hWnd, msg, wParam, lParam);
    if (f && f->defFieldProc) return f->defFieldProc(hWnd, msg, wParam, lParam);
    // a control that is no field of the view: its class procedure
    auto cls = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hWnd, GCLP_WNDPROC));
    return cls ? CallWindowProcA(cls, hWnd, msg, wParam, lParam) : DefWindowProcA(hWnd, msg, wParam, lParam);
}

} // namespace

LRESULT CALLBACK vwInterFieldProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND parent = GetParent(hWnd);
    VWVIEW* view = parent ? ViewFromWindow(parent) : nullptr;
    if (!view) return DefWindowProcA(hWnd, msg, wParam, lParam);
    int n = FieldNumberFromWindow(view, hWnd);
    if (!n) n = view->currentField;
    VWFIELD* f = FieldAt(view, n);

    switch (msg) {
    case WM_SETFOCUS:
        view->currentField = n;
        break;
    default:
        break;
    }
    return PassOn(f, hWnd, msg, wParam, lParam);
}
