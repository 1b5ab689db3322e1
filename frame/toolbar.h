// Toolbar directives of a view string ("@TB_TOP", "@TB_BOTTOM", "@TB_LEFT",
// "@TB_RIGHT"): each names the dialog template of a toolbar to attach to
// the view's window when it has none at that edge.
#pragma once
#include "view/internal.h"

namespace ts {

int ApplyToolBarDirectives(VWVIEW* view, const char* viewString);

// The edge (VWTB_LEFT, VWTB_TOP, VWTB_RIGHT, VWTB_BOTTOM, asked in this
// order) at which `view` is a toolbar of `frame`; 0 when it is none.
int ToolBarEdgeOf(HWND frame, VWVIEW* view);

} // namespace ts
