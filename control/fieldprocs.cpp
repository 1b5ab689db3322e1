// The default field procedures of the standard control classes.  Each
// stores its directive string and answers the shared field messages; what
// a class does beyond that lives with the class.
#include "control/shared.h"

using namespace ts;

namespace {

struct Shared {
    bool frame;       // draws "@3D" frames on WM_NCPAINT
    bool eraseFrame;  // erases the frame when hidden
};

LRESULT StandardFieldProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, Shared shared) {
    switch (msg) {
    case VWM_SETFIELDSTRING:
        StoreDirectivesOf(hWnd, lParam);
        return 0;
    case WM_NCPAINT:
        if (shared.frame) return FramedNcPaint(hWnd, wParam, lParam);
        break;
    case WM_SHOWWINDOW:
        if (shared.eraseFrame && !wParam) EraseFieldFrame(hWnd);
        break;
    default:
        break;
    }
    LRESULT r;
    if (SharedFieldMessage(hWnd, msg, wParam, lParam, &r)) return r;
    return CallClassProc(hWnd, msg, wParam, lParam);
}

} // namespace

LRESULT CALLBACK DefButtonProc(HWND h, UINT m, WPARAM w, LPARAM l) { return StandardFieldProc(h, m, w, l, {false, true}); }
LRESULT CALLBACK DefStaticProc(HWND h, UINT m, WPARAM w, LPARAM l) { return StandardFieldProc(h, m, w, l, {true, true}); }
LRESULT CALLBACK DefScrollProc(HWND h, UINT m, WPARAM w, LPARAM l) { return StandardFieldProc(h, m, w, l, {false, false}); }
LRESULT CALLBACK DefListBoxProc(HWND h, UINT m, WPARAM w, LPARAM l) { return StandardFieldProc(h, m, w, l, {true, true}); }
LRESULT CALLBACK DefComboBoxProc(HWND h, UINT m, WPARAM w, LPARAM l) { return StandardFieldProc(h, m, w, l, {true, true}); }

// The edit child of a combo box keeps the procedure it had before.
LRESULT CALLBACK ComboSubProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!g_lib.comboEditProc) return DefWindowProcA(hWnd, msg, wParam, lParam);
    return CallWindowProcA(g_lib.comboEditProc, hWnd, msg, wParam, lParam);
}
