// Checking a field before the focus leaves it, and moving the focus
// between fields in field-number order.
#include "view/internal.h"

#include "core/text.hpp"

namespace ts {

int CheckFieldOnLeave(VWVIEW* view, LONG id, HWND target, bool askView) {
    if ((view->editState & VWE_EDITINGOFF) || view->errorStatus == -1) return 0;
    const int n = vwGetFieldFromID(view, id);
    VWFIELD* f = FieldAt(view, n);
    if (!view->hWnd || !f) return 0;
    const unsigned reports = g_lib.errorReports;
    if (askView && SendMessageA(view->hWnd, VWM_VALIDATE, reinterpret_cast<WPARAM>(target), id)) return 0;
    if (!(f->dlgCode & VW_DLGC_FIELD)) return 0;
    const int answer = static_cast<int>(SendMessageA(f->hWnd, VWM_VALIDATE, reinterpret_cast<WPARAM>(target), 0));
    if (answer == -1) {
        // a refusal that the application reported nothing about is heard
        if (g_lib.errorReports == reports) MessageBeep(0);
        SetFocus(f->hWnd);
        return -1;
    }
    if (answer == 2 && askView && target && IsWindow(target)) {
        char cls[100] = {};
        GetClassNameA(target, cls, sizeof cls);
        if (core::equals_nocase(cls, "combobox") || core::starts_with_nocase(cls, "tscbtable")) {
            SetFocus(target);
            PostMessageA(GetFocus(), WM_LBUTTONUP, 0, 0);
        } else {
            PostMessageA(target, WM_LBUTTONUP, 0, 0);
        }
        return 0;
    }
    return answer;
}

int EditField(VWVIEW* view, LONG id) { return CheckFieldOnLeave(view, id, nullptr, false); }

namespace {

bool CanTakeFocus(VWFIELD* f) {
    return (GetWindowLongA(f->hWnd, GWL_STYLE) & WS_TABSTOP) && IsWindowEnabled(f->hWnd);
}

// The next (step 1) or previous (step -1) tab-stop field, wrapping once;
// it becomes the current field.  0 when there is none.
int StepTabField(VWVIEW* view, int step) {
    const int count = view->fieldCount;
    if (!count) return 0;
    int n = view->currentField + step;
    if (step > 0 && view->currentField >= count) n = 1;
    if (step < 0 && view->currentField <= 1) n = count;
    for (int pass = 0; pass < 2; ++pass) {
        for (; n >= 1 && n <= count; n += step) {
            if (CanTakeFocus(view->fields[n])) {
                view->currentField = n;
                return n;
            }
        }
        n = step > 0 ? 1 : count;
    }
    return 0;
}

SHORT MoveFocus(VWVIEW* view, int step) {
    if (VWFIELD* cur = FieldAt(view, view->currentField)) {
        if ((cur->dlgCode & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTARROWS)) &&
            EditField(view, cur->id) == -1)
            return 0;
    }
    const int n = StepTabField(view, step);
    if (!n) return 0;
    if (view->hWnd) {
        VWFIELD* f = view->fields[n];
        if (f->dlgCode & DLGC_HASSETSEL) SendMessageA(f->hWnd, EM_SETSEL, 0, 5000);
        SetFocus(f->hWnd);
    }
    return view->errorStatus;
}

} // namespace
} // namespace ts

using namespace ts;

int VWAPI vwEditField(HVIEW view, LONG id) { return EditField(view, id); }

WORD VWAPI vwSetFieldFocus(HVIEW view, LONG id) {
    if (VWFIELD* cur = FieldAt(view, view->currentField)) {
        if (EditField(view, GetWindowLongA(cur->hWnd, GWL_ID)) == -1) return 0;
        if (cur->dlgCode & DLGC_HASSETSEL) SendMessageA(cur->hWnd, EM_SETSEL, 0, 5000);
        if (HWND h = vwGetFieldWindow(view, id)) SetFocus(h);
    }
    return static_cast<WORD>(vwGetViewErrorStatus(view));
}

SHORT VWAPI vwSetFocusNextField(HVIEW view) { return MoveFocus(view, 1); }
SHORT VWAPI vwSetFocusPrevField(HVIEW view) { return MoveFocus(view, -1); }
