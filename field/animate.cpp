// vwAnimateField: sliding a field's window to a new place in steps, with
// messages flowing; the default view procedure moves it at each tick.
#include "view/internal.h"

#include <algorithm>

using namespace ts;

namespace {

POINT ClientPosition(HWND field, HWND view) {
    RECT rc;
    GetWindowRect(field, &rc);
    MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&rc), 2);
    return {rc.left, rc.top};
}

} // namespace

int VWAPI vwAnimateField(HVIEW view, LONG id, int x, int y, WORD duration, WORD interval, LONG) {
    auto& a = g_lib.animation;
    a.field = vwGetFieldFromID(view, id);
    if (!a.field || !view->hWnd) return 0;
    // the moving field must not be clipped by the ones it passes
    for (int n = 1; n <= view->fieldCount; ++n) {
        if (!view->fields[n] || !view->fields[n]->hWnd) continue;
        HWND h = view->fields[n]->hWnd;
        SetWindowLongA(h, GWL_STYLE, GetWindowLongA(h, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    }
    a.start = ClientPosition(view->fields[a.field]->hWnd, view->hWnd);
    LONG rect[4] = {x, y, 0, 0};
    vwMapDialogToScreen(view->hWnd, rect);
    a.target = {rect[0], rect[1]};
    // a duration shorter than the interval is one step
    const int steps = std::max(1, duration / std::max<int>(1, interval));
    a.dx = (a.target.x - a.start.x) / steps;
    a.dy = (a.target.y - a.start.y) / steps;
    if (!a.dx) a.target.x = a.start.x;
    if (!a.dy) a.target.y = a.start.y;
    if (!SetTimer(view->hWnd, VW_TIMER_ANIMATE, std::max<UINT>(1, interval), nullptr)) return 0;
    a.done = false;
    g_lib.loopKind = 1;
    RunViewLoop(view, view->hWnd, a.done);
    g_lib.loopKind = 0;
    return 0;
}
