// DefScrollProc: the default procedure of scroll bar fields: help, drop
// acceptance and protection.
#include "control/shared.h"

using namespace ts;

namespace {

// "@PRT" (case-sensitive) disables the scroll bar, its absence enables it.
LRESULT OnSetFieldString(HWND hWnd, LPARAM lParam) {
    if (StoreDirectivesOf(hWnd, lParam)) {
        const std::string_view dirs = reinterpret_cast<const char*>(lParam);
        MarkDropTarget(hWnd, dirs);
        EnableWindow(hWnd, dirs.find("@PRT") == dirs.npos);
    }
    return CallClassProc(hWnd, VWM_SETFIELDSTRING, 0, lParam);
}

} // namespace

LRESULT CALLBACK DefScrollProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_KEYDOWN:
        HelpOnF1(hWnd, wParam);
        break;
    case VWM_SETFIELDSTRING:
        return OnSetFieldString(hWnd, lParam);
    default:
        break;
    }
    return DefFieldMessage(hWnd, msg, wParam, lParam);
}
