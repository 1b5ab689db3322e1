// WM_TIMER: the balloon-help timer and the steps of a field animation.
#include "viewproc/handlers.h"

#include "message/balloonhelp.h"

namespace ts {
namespace {

// Whether `pos` has reached `target` coming from `start` (an axis without
// travel takes the direction given).
bool Arrived(LONG pos, LONG target, bool forward) { return forward ? pos >= target : pos <= target; }

void StepAnimation(VWVIEW* view, HWND hWnd) {
    auto& a = g_lib.animation;
    if (a.field < 1 || a.field > view->fieldCount || !view->fields[a.field]) {
        KillTimer(hWnd, VW_TIMER_ANIMATE);
        a.done = true;
        return;
    }
    HWND field = view->fields[a.field]->hWnd;
    RECT rc;
    GetWindowRect(field, &rc);
    MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&rc), 2);
    POINT pos{rc.left, rc.top};
    const bool forwardX = a.target.x - a.start.x >= 0;
    const int travelY = a.target.y - a.start.y;
    const bool forwardY = travelY ? travelY > 0 : forwardX;
    const bool arrivedX = Arrived(pos.x, a.target.x, forwardX);
    const bool arrivedY = Arrived(pos.y, a.target.y, forwardY);
    if (arrivedX) {
        a.dx = 0;
        pos.x = a.target.x;
    }
    if (arrivedY) {
        a.dy = 0;
        pos.y = a.target.y;
    }
    if (arrivedX && arrivedY) {
        KillTimer(hWnd, VW_TIMER_ANIMATE);
        a.done = true;
    }
    MoveWindow(field, pos.x + a.dx, pos.y + a.dy, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

} // namespace

void OnTimer(VWVIEW* view, HWND hWnd, WPARAM id) {
    if (id == VW_TIMER_BALLOON) OnBalloonTimer(hWnd);
    else if (id == VW_TIMER_ANIMATE) StepAnimation(view, hWnd);
}

} // namespace ts
