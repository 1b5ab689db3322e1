// DefTSControlProc: the default procedure of fields whose class the library
// has no procedure of its own for.
#include "control/shared.h"

#include "core/text.hpp"

using namespace ts;

namespace {

// "@PRT" disables the control, its absence enables it.
LRESULT OnSetFieldString(HWND hWnd, LPARAM lParam) {
    if (!StoreDirectivesOf(hWnd, lParam)) return 0;
    EnableWindow(hWnd, !core::contains_nocase(reinterpret_cast<const char*>(lParam), "@PRT"));
    return 0;
}

} // namespace

LRESULT CALLBACK DefTSControlProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case VWM_SETFIELDSTRING:
        return OnSetFieldString(hWnd, lParam);
    case VWM_GETFIELDSTRING:
        if (!lParam) return 0;
        break;
    case WM_NCPAINT:
        return FramedNcPaint(hWnd, wParam, lParam);
    default:
        break;
    }
    return DefFieldMessage(hWnd, msg, wParam, lParam);
}
