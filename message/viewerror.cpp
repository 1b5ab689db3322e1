// The view's error state: pending errors, editing on and off, error colours
// and the name of the error message file.
#include "view/internal.h"

#include "core/text.hpp"

namespace {

// Clearing the error status: no pending error, no field, no text.
void ClearErrorStatus(HVIEW view) {
    view->errorField = 0;
    view->errorStatus = 0;
    view->errorReserved = 0;
    if (view->hErrorText) LocalFree(view->hErrorText);
    view->hErrorText = nullptr;
}

bool EditingOn(HVIEW view) { return !(view->editState & VWE_EDITINGOFF); }

} // namespace

namespace ts {

void RemoveErrorBalloon(VWVIEW* view) {
    if (!view->hBalloon) return;
    vwResetViewError(view);
    DestroyWindow(view->hBalloon);
    view->hBalloon = nullptr;
}

} // namespace ts

void VWAPI vwSetViewStatus(HVIEW view, LONG id, LONG code) {
    (void)id;
    if (code == 0x10000) view->flags |= VWF_NOBALLOONS;
    else if (code == 0x100) view->flags &= ~VWF_NOBALLOONS;
    if (!EditingOn(view)) return;
    if (code == 1) {
        view->errorStatus = -1;
        ++ts::g_lib.errorReports;
    } else {
        ClearErrorStatus(view);
    }
}

void VWAPI vwResetViewError(HVIEW view) { ClearErrorStatus(view); }

void VWAPI vwSetViewEditingOff(HVIEW view) { view->editState |= VWE_EDITINGOFF; }

void VWAPI vwSetViewEditingOn(HVIEW view) {
    view->errorStatus = 0;
    view->editState &= ~VWE_EDITINGOFF;
}

SHORT VWAPI vwGetViewErrorStatus(HVIEW view) { return view->errorStatus; }

void VWAPI vwSetViewErrorColors(HVIEW view, COLORREF text, COLORREF back) {
    view->errorTextColor = text;
    view->errorBkColor = back;
}

int VWAPI vwSetViewMessageFile(HVIEW view, LPCSTR fileName) {
    ts::core::copy_bounded(view->messageFile, sizeof view->messageFile, fileName ? fileName : "");
    return 1;
}
