// The local message loop of vwWait and vwAnimateField.
#include "view/internal.h"

namespace ts {
namespace {

// How often a loop with nothing to do looks whether its view is still there.
constexpr UINT kWakeInterval = 250;

// The view is still in the table, still the same record, and its window
// still exists; none of this touches freed memory.
bool ViewStays(VWVIEW* view, HWND hWnd) {
    return vwIsView(view) && view->hWnd == hWnd && IsWindow(hWnd);
}

} // namespace

void RunViewLoop(VWVIEW* view, HWND hWnd, const bool& done) {
    // A view that goes away takes its timers along, and nothing else may be
    // posted afterwards: a thread timer wakes the loop to notice.
    const UINT_PTR wake = SetTimer(nullptr, 0, kWakeInterval, nullptr);
    MSG msg;
    while (!done && ViewStays(view, hWnd) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (wake) KillTimer(nullptr, wake);
}

} // namespace ts
