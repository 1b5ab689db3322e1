// Balloon help seen from the view: the mouse over the view itself rather
// than over one of its fields.
#include "viewproc/handlers.h"

#include "message/balloonhelp.h"

namespace ts {

void OnNcHitTest(VWVIEW* view, HWND hWnd) { OnViewHitTest(view, hWnd); }

} // namespace ts
