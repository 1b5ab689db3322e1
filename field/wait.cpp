// vwWait: pausing with messages flowing, ticked by the view window procedure.
#include "view/internal.h"

using namespace ts;

int VWAPI vwWait(HVIEW view, LONG duration) {
    if (g_lib.wait.busy) return 0;
    g_lib.wait.duration = duration;
    g_lib.wait.elapsed = 0;
    g_lib.wait.busy = true;
    if (!SetTimer(view->hWnd, VW_TIMER_WAIT, 100, nullptr)) {
        g_lib.wait.busy = false;
        return 0;
    }
    g_lib.loopKind = 2;
    g_lib.wait.done = false;
    MSG msg;
    while (!g_lib.wait.done && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    g_lib.loopKind = 0;
    g_lib.wait.busy = false;
    return 0;
}
