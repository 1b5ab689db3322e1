// VWM_SETVIEWSTRING: applying the view directive string.
#include "viewproc/handlers.h"

#include "core/text.hpp"
#include "frame/toolbar.h"

namespace ts {

LRESULT OnSetViewString(VWVIEW* view, HWND hWnd) {
    char s[1001] = {};
    vwGetViewString(view, s, sizeof s);
    auto has = [&s](const char* keyword) { return core::contains_nocase(s, keyword); };

    if (has("@CTL3D")) view->flags |= VWF_CTL3D;
    char bitmap[240] = {};
    const bool wantsBitmap = BackgroundBitmapName(view, s, bitmap, sizeof bitmap);

    // toolbars named here build views of their own, whose strings are
    // applied without toolbar directives
    if (!g_lib.toolbarGuard) {
        char head[357] = {};
        core::copy_bounded(head, sizeof head, s);
        g_lib.toolbarGuard = true;
        ApplyToolBarDirectives(view, head);
        g_lib.toolbarGuard = false;
        vwGetViewString(view, s, sizeof s);
    }

    view->flags &= ~(VWF_LIGHT | VWF_OUT);
    if (has("@LIGHT")) view->flags |= VWF_LIGHT;
    else if (has("@OUT")) view->flags |= VWF_OUT;

    // the background styles exclude each other; the first match wins
    constexpr DWORD kStyles = VWF_3D | VWF_3D2 | VWF_3D3 | VWF_3D4 | VWF_3D5;
    view->flags &= ~kStyles;
    if (has("@3D2")) view->flags |= VWF_3D2;
    else if (has("@3D3")) view->flags |= VWF_3D3;
    else if (has("@3D4")) view->flags |= VWF_3D4;
    else if (has("@3D5")) view->flags |= VWF_3D5;
    else if (has("@3D")) view->flags |= VWF_3D;

    if (has("@SELCOLORS")) view->flags |= VWF_SELCOLORS;
    else view->flags &= ~VWF_SELCOLORS;

    ApplyScrollDirectives(view, hWnd, s);
    ApplyDSLDirective(view, s);
    if (wantsBitmap) LoadBackgroundBitmap(view, hWnd, bitmap, s);
    return 0;
}

} // namespace ts
