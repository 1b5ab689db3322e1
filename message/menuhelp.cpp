// Menu help: a string resource per menu command, and one per popup numbered
// from the first command ID of the menu bar.
#include "message/menuhelp.h"

namespace {

constexpr UINT kHighestCommand = 22000;
constexpr int kMaxHelpText = 255;

} // namespace

// Popups are counted depth first, the counter running on through submenus.
int VWAPI GetPopupLevel(HMENU menu, HMENU popup, int* counter) {
    if (!menu || !counter) return 0;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        // a popup's state carries its item count in the high byte, so test
        // MF_SEPARATOR only for the other items
        if (id == static_cast<UINT>(-1) && ((state & MF_POPUP) || !(state & MF_SEPARATOR))) ++*counter;
        HMENU sub = GetSubMenu(menu, i);
        if (!sub) continue;
        if (sub == popup) return *counter;
        if (int level = GetPopupLevel(sub, popup, counter)) return level;
    }
    return 0;
}

namespace ts {

UINT FirstMenuCommandId(HMENU menu) {
    if (!menu) return 0;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (UINT id = FirstMenuCommandId(sub)) return id;
            continue;
        }
        const UINT id = GetMenuItemID(menu, i);
        if (id && id <= kHighestCommand) return id;  // separators have ID 0
    }
    return 0;
}

void MenuHelpText(HWND hWnd, UINT item, UINT flags, HMENU menu, char* text, int size) {
    text[0] = '\0';
    UINT id = item;
    if (flags & MF_POPUP) {
        HMENU bar = GetMenu(hWnd);
        int counter = 0;
        const int level = GetPopupLevel(bar, GetSubMenu(menu, static_cast<int>(item)), &counter);
        const UINT first = FirstMenuCommandId(bar);
        if (!level || !first) return;
        id = first / 1000 * 1000 + 400 + static_cast<UINT>(level);
    }
    HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hWnd, GWLP_HINSTANCE));
    if (LoadStringA(inst, id, text, size < kMaxHelpText + 1 ? size : kMaxHelpText + 1) <= 0) text[0] = '\0';
}

} // namespace ts

void VWAPI vwProcessDSL(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_MENUSELECT) return;
    const UINT flags = HIWORD(wParam);
    if (flags & (MF_SYSMENU | MF_SEPARATOR)) return;
    auto* bottom = frame ? static_cast<VWVIEW*>(GetPropA(frame, "TBBOTTOM")) : nullptr;
    if (!bottom || !bottom->hDSLWindow || !IsWindow(bottom->hDSLWindow)) return;
    char text[kMaxHelpText + 1];
    ts::MenuHelpText(frame, LOWORD(wParam), flags, reinterpret_cast<HMENU>(lParam), text, sizeof text);
    SetWindowTextA(bottom->hDSLWindow, text);
}
