// vwWait: pausing with messages flowing, ticked by the view window procedure.
#include "view/internal.h"

using namespace ts;

int VWAPI vwWait(HVIEW view, LONG duration) {
    if (g_lib.wait.busy) return 0;
    const HWND hWnd = view->hWnd;
    // a thread timer would never reach the view window procedure
    if (!hWnd) return 0;
    g_lib.wait.duration = duration;
    g_lib.wait.elapsed = 0;
    g_lib.wait.busy = true;
    if (!SetTimer(hWnd, VW_TIMER_WAIT, 100, nullptr)) {
        g_lib.wait.busy = false;
        return 0;
    }
    g_lib.loopKind = 2;
    g_lib.wait.done = false;
    RunViewLoop(view, hWnd, g_lib.wait.done);
    g_lib.loopKind = 0;
    g_lib.wait.busy = false;
    return 0;
}
