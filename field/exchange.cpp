// Moving values between application variables and fields.
#include "view/internal.h"

namespace ts {

// Shows every bound variable in its field: the field answers VWM_APPTOSCR
// with the variable's address.
void UpdateScreen(VWVIEW* view) {
    for (int n = 1; n <= view->fieldCount; ++n) {
        VWFIELD* f = view->fields[n];
        if (f->var) SendMessageA(f->hWnd, VWM_APPTOSCR, 0, reinterpret_cast<LPARAM>(f->var));
    }
}

// Checks one field: the view may take the check over, else the field
// answers VWM_VALIDATE (-1 = invalid, and the focus goes back to it).
int EditField(VWVIEW* view, LONG id) {
    VWFIELD* f = FieldFromID(view, id);
    if (!f || !view->hWnd) return 0;
    if (SendMessageA(view->hWnd, VWM_VALIDATE, 0, id)) return 0;
    int r = static_cast<int>(SendMessageA(f->hWnd, VWM_VALIDATE, 0, 0));
    if (r == -1) SetFocus(f->hWnd);
    return r;
}

} // namespace ts
