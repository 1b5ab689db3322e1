// Moving on from a full field.
#include "companion/helio.h"

int WINAPI hlAutoTab(HWND field) {
    HWND parent = field ? GetParent(field) : nullptr;
    if (!parent) return 0;
    HWND next = GetNextDlgTabItem(parent, field, FALSE);
    if (!next || next == field) return 0;
    SetFocus(next);
    return GetFocus() == next ? 1 : 0;
}
