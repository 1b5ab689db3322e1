// The view's dynamic status line: a control of the view or of one of its
// toolbar views whose text shows help for the field under the mouse or with
// the focus, and for the menu item being selected.
#include "view/internal.h"

#include "companion/helio.h"
#include "core/text.hpp"

namespace {

bool IsViewWindow(HWND hWnd) {
    char cls[32] = {};
    GetClassNameA(hWnd, cls, sizeof cls);
    return ts::core::equals_nocase(cls, VW_CLASS_VIEW) || ts::core::equals_nocase(cls, VW_CLASS_MODALVIEW);
}

} // namespace

namespace ts {

void ShowFieldStatusText(VWVIEW* view, LONG id) {
    if (!view->hDSLWindow || !IsWindow(view->hDSLWindow)) return;
    char dirs[257] = {}, arg[HL_KEYWORD_BUFFER] = {};
    vwGetFieldString(view, id, dirs, sizeof dirs - 1);
    SetWindowTextA(view->hDSLWindow, hlGetKeyword(dirs, "@DSL", arg) ? arg : "");
}

} // namespace ts

int VWAPI vwRemoveViewDSL(HVIEW view) {
    view->hDSLWindow = nullptr;
    if (!view->dsl) return 0;
    hlDestroyStatusLine(reinterpret_cast<HANDLE>(view->dsl));
    view->dsl = 0;
    return 1;
}

int VWAPI vwSetViewDSL(HVIEW view, LPCSTR name, LONG id, DWORD flags) {
    view->flags |= flags;
    if (name && *name && !ts::core::equals_nocase(name, "None")) {
        vwRemoveViewDSL(view);
        HANDLE line = (flags & VWDSL_NAMED) ? hlCreateStatusLine(name, 1024, nullptr, 0, 0, 0, 0, 0)
                                            : hlCreateStatusLine(name, 1024, vwGetViewInstance(view), 0, 0, 0, 0, 8);
        view->dsl = reinterpret_cast<ULONG_PTR>(line);
    }
    HWND holder = nullptr;
    bool placed = true;
    if (flags & VWDSL_TOP) {
        VWVIEW* bar = vwGetViewToolBar(view->hWnd, VWTB_TOP);
        placed = bar != nullptr;
        if (bar) holder = bar->hWnd;
    } else if (flags & VWDSL_BOTTOM) {
        VWVIEW* bar = vwGetViewToolBar(view->hWnd, VWTB_BOTTOM);
        placed = bar != nullptr;
        if (bar) holder = bar->hWnd;
    } else if (flags & VWDSL_VIEW) {
        holder = view->hWnd;
    } else {
        placed = false;
    }
    if (placed) view->hDSLWindow = holder ? GetDlgItem(holder, id) : nullptr;
    return 1;
}

int VWAPI vwSetViewDSLText(HVIEW view, LPCSTR text) {
    if (!view->hDSLWindow) return 0;
    SetWindowTextA(view->hDSLWindow, text ? text : "");
    return 1;
}

void VWAPI vwSetDSLWindow(HVIEW view, HWND hWnd) { view->hDSLWindow = hWnd; }

HWND VWAPI vwGetDSLWindow(HVIEW view) { return view->hDSLWindow; }

// One status control in the frame's bottom toolbar serves the frame and all
// of its toolbars.
int VWAPI vwSetStatusLineId(HWND frame, LONG id) {
    VWVIEW* bottom = vwGetViewToolBar(frame, VWTB_BOTTOM);
    if (!bottom) return 0;
    HWND line = GetDlgItem(bottom->hWnd, id);
    bottom->hDSLWindow = line;
    if (IsViewWindow(frame))
        if (VWVIEW* own = ts::ViewFromWindow(frame)) own->hDSLWindow = line;
    for (int edge : {VWTB_TOP, VWTB_RIGHT, VWTB_LEFT})
        if (VWVIEW* bar = vwGetViewToolBar(frame, edge)) vwSetDSLWindow(bar, line);
    return 1;
}
