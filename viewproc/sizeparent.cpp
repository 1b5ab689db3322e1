// VWM_SIZEPARENT: a toolbar view takes its own width or height off the
// layout rectangle of its frame, on the edge it is attached to.
#include "viewproc/handlers.h"

#include "frame/toolbar.h"

namespace ts {

void OnSizeParent(VWVIEW* view, HWND hWnd, LPARAM lParam) {
    auto* layout = reinterpret_cast<VWLAYOUT*>(lParam);
    HWND frame = GetParent(hWnd);
    if (!layout || !frame) return;
    RECT rc;
    GetWindowRect(hWnd, &rc);
    const LONG width = rc.right - rc.left, height = rc.bottom - rc.top;
    switch (ToolBarEdgeOf(frame, view)) {
    case VWTB_LEFT: layout->rect.left += width; break;
    case VWTB_TOP: layout->rect.top += height; break;
    case VWTB_RIGHT: layout->rect.right -= width; break;
    case VWTB_BOTTOM: layout->rect.bottom -= height; break;
    default: break;
    }
}

} // namespace ts
