// WM_COMMAND: the view's OK and Cancel buttons, and toolbar buttons that
// speak to the frame window.
#include "viewproc/handlers.h"

#include "core/text.hpp"
#include "frame/toolbar.h"

namespace ts {
namespace {

void EndView(VWVIEW* view, HWND hWnd, LONG result) {
    if (view->kind == VWK_MODAL) vwEndModalView(view, result);
    else DestroyWindow(hWnd);
}

// A toolbar button (style bit 0x1000) of a view that is one of its
// parent's toolbars sends its command on to the frame window.
void ForwardToolbarCommand(VWVIEW* view, HWND hWnd, HWND control, WORD id) {
    char cls[31] = {};
    GetClassNameA(control, cls, sizeof cls);
    const std::string_view c = cls;
    if (!core::equals_nocase(c, "tsButton32") && !core::equals_nocase(c, "ZEPHButton") &&
        !core::equals_nocase(c, "ZEPHButton32"))
        return;
    if (!(GetWindowLongA(control, GWL_STYLE) & 0x1000)) return;
    HWND parent = GetParent(hWnd);
    if (!parent) return;
    if (ToolBarEdgeOf(parent, view)) SendMessageA(parent, WM_COMMAND, id, 0);
}

} // namespace

LRESULT OnCommand(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    const WORD id = LOWORD(wParam);
    if (lParam && HIWORD(wParam) == BN_CLICKED) {
        if (id && id == view->cancelButton && vwGetFieldFromID(view, id)) {
            vwSetViewEditingOff(view);  // a closing view reports nothing
            EndView(view, hWnd, 0);
            return 1;
        }
        if (id && id == view->okButton && vwGetFieldFromID(view, id)) {
            if (vwEditView(view)) return 1;
            vwUpdateApp(view);
            EndView(view, hWnd, 1);
            return 1;
        }
        ForwardToolbarCommand(view, hWnd, reinterpret_cast<HWND>(lParam), id);
    }
    return DefWindowProcA(hWnd, WM_COMMAND, wParam, lParam);
}

} // namespace ts
