// WM_NCDESTROY: the view releases everything it owns.
#include "viewproc/handlers.h"

#include "message/balloonhelp.h"

namespace ts {
namespace {

void DeleteProperty(HWND hWnd, const char* name) {
    if (HANDLE h = RemovePropA(hWnd, name)) DeleteObject(h);
}

} // namespace

void OnNcDestroy(VWVIEW* view, HWND hWnd) {
    DeleteProperty(hWnd, "BITMAP");
    DeleteProperty(hWnd, "PALETTE");
    DeleteProperty(hWnd, "BITBRUSH");
    RemoveErrorBalloon(view);
    ForgetHoverView(view);
    for (const char* p : {"STR", "HPOS", "VPOS", "VRNG", "VINC", "HRNG", "HINC", "VWPARENT"}) RemovePropA(hWnd, p);
    HFONT font = reinterpret_cast<HFONT>(GetWindowLongPtrA(hWnd, VWL_FONT));
    if (font && view->fontState) DeleteObject(font);
    for (int n = 1; n <= view->fieldCount; ++n) {
        VWFIELD* f = view->fields[n];
        if (f->hFont && (f->flags & VWFF_OWNFONT)) DeleteObject(f->hFont);
    }
    for (int n = 1; n <= view->textFieldCount; ++n) {
        VWTEXTFIELD* t = view->textFields[n];
        if (t && t->hFont && t->ownsFont) DeleteObject(t->hFont);
    }
    vwFreeView(view);
    g_lib.current = nullptr;
    KillTimer(hWnd, VW_TIMER_ANIMATE);
    KillTimer(hWnd, VW_TIMER_WAIT);
}

} // namespace ts
