// Balloon help seen from the view: the balloon timer (3444) and the mouse
// over the view itself rather than over one of its fields.
#include "viewproc/handlers.h"

#include "message/balloonhelp.h"

namespace ts {

void OnViewTimer(VWVIEW*, HWND hWnd, WPARAM id) {
    if (id == VW_TIMER_BALLOON) OnBalloonTimer(hWnd);
}

void OnNcHitTest(VWVIEW* view, HWND hWnd) { OnViewHitTest(view, hWnd); }

} // namespace ts
