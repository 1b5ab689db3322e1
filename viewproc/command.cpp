// WM_COMMAND: the view's OK and Cancel commands.
#include "viewproc/handlers.h"

namespace ts {

LRESULT OnCommand(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const bool isOk = id == IDOK || (view->okButton && id == view->okButton);
    const bool isCancel = id == IDCANCEL || (view->cancelButton && id == view->cancelButton);
    if (isOk) {
        if (vwEditView(view)) return 0;
        if (view->kind == VWK_MODAL) vwEndModalView(view, 1);
        else DestroyWindow(hWnd);
        return 0;
    }
    if (isCancel) {
        view->editState |= VWE_EDITINGOFF;
        if (view->kind == VWK_MODAL) vwEndModalView(view, 0);
        else DestroyWindow(hWnd);
        return 0;
    }
    return DefWindowProcA(hWnd, WM_COMMAND, wParam, lParam);
}

} // namespace ts
