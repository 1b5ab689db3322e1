// Menu help in the status line: the text for the menu item a WM_MENUSELECT
// names, shared by frames (vwProcessDSL) and views (DefViewProc).
#pragma once
#include "view/internal.h"

namespace ts {

// The first command ID not above 22000 in a depth-first walk; 0 = none.
UINT FirstMenuCommandId(HMENU menu);

// The help text of the item: for a command the string resource with its ID,
// for a popup the resource (F / 1000) * 1000 + 400 + its popup number, with
// F the first command ID of the window's menu bar.  "" when there is none.
// The resources come from the window's module instance.
void MenuHelpText(HWND hWnd, UINT item, UINT flags, HMENU menu, char* text, int size);

} // namespace ts
