// The table of open views, handle validation and the window-to-view lookup.
#include "view/internal.h"

#include <cstring>

namespace ts {

bool AppendView(VWVIEW* view) {
    if (g_lib.viewCount >= kViewSlots - 1) return false;
    ++g_lib.viewCount;
    g_lib.views[g_lib.viewCount] = view;
    g_lib.viewWindows[g_lib.viewCount] = view->hWnd;
    return true;
}

// Takes the view out and closes the gap behind it.
void RemoveView(VWVIEW* view) {
    for (int i = 1; i <= g_lib.viewCount; ++i) {
        if (g_lib.views[i] != view) continue;
        for (int j = i; j < g_lib.viewCount; ++j) {
            g_lib.views[j] = g_lib.views[j + 1];
            g_lib.viewWindows[j] = g_lib.viewWindows[j + 1];
        }
        g_lib.views[g_lib.viewCount] = nullptr;
        g_lib.viewWindows[g_lib.viewCount] = nullptr;
        --g_lib.viewCount;
        return;
    }
}

} // namespace ts

using namespace ts;

BOOL VWAPI vwIsView(HVIEW view) {
    if (!view) return FALSE;
    for (int i = 1; i <= g_lib.viewCount; ++i)
        if (g_lib.views[i] == view) return TRUE;
    return FALSE;
}

HVIEW VWAPI vwGetView(HWND hWnd) {
    VWVIEW* cur = g_lib.current;
    if (cur && cur->hWnd == hWnd) return cur;
    if (cur && cur->currentField) {
        VWFIELD* f = FieldAt(cur, cur->currentField);
        if (f && f->hWnd == hWnd) return cur;
    }
    if (g_lib.interFieldView && g_lib.interFieldWindow == hWnd) return g_lib.interFieldView;
    char cls[40] = {};
    GetClassNameA(hWnd, cls, sizeof cls);
    if (std::strcmp(cls, VW_CLASS_MODALVIEW) == 0 || std::strcmp(cls, VW_CLASS_VIEW) == 0)
        return ViewFromWindow(hWnd);
    // A field control's parent is its view window; a parent without room for
    // the view pointer is no view.
    HWND parent = GetParent(hWnd);
    if (!parent || GetClassLongPtrA(parent, GCL_CBWNDEXTRA) < VWL_VIEW + LONG_PTR(sizeof(LONG_PTR)))
        return nullptr;
    return ViewFromWindow(parent);
}
