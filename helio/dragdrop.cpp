// Dragging a field's text onto another field.
//
// A press remembers the point; moving with the button held further than the
// system's drag distance starts a drag: the source gets the property
// "@DRAGSRC" and the mouse capture.  Releasing the button over a window
// whose "@WANTDROP" is 5 sends it VWM_DRAG1 (wParam = source); the target,
// routing that message here, takes over the source's text.  The mouse
// allows one press and one drag at a time, so the state is process-wide.
#include <cstdlib>

#include "companion/helio.h"
#include "helio/internal.h"

namespace {

constexpr UINT kDrag1 = 0x0D12;  // VWM_DRAG1: wParam = source window
constexpr char kSourceProp[] = "@DRAGSRC";
constexpr char kTargetProp[] = "@WANTDROP";
constexpr INT_PTR kWantsDrop = 5;

struct DragState {
    HWND window = nullptr;  // where the button went down
    POINT down{};           // client coordinates of the press
    bool dragging = false;
};
DragState g_drag;

POINT point_of(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void end_drag(HWND source) {
    g_drag = DragState{};
    RemovePropA(source, kSourceProp);
}

LRESULT start_drag_if_moved(HWND hWnd, WPARAM keys, LPARAM lParam) {
    if (g_drag.window != hWnd) return 0;
    if (g_drag.dragging) return 1;  // the drag owns the mouse moves
    if (!(keys & MK_LBUTTON)) return 0;
    POINT p = point_of(lParam);
    if (std::abs(p.x - g_drag.down.x) <= GetSystemMetrics(SM_CXDRAG) &&
        std::abs(p.y - g_drag.down.y) <= GetSystemMetrics(SM_CYDRAG))
        return 0;
    g_drag.dragging = true;
    SetPropA(hWnd, kSourceProp, reinterpret_cast<HANDLE>(1));
    SetCapture(hWnd);
    return 1;
}

LRESULT drop(HWND hWnd, LPARAM lParam) {
    if (g_drag.window != hWnd || !g_drag.dragging) {
        if (g_drag.window == hWnd) g_drag = DragState{};
        return 0;
    }
    g_drag = DragState{};  // before ReleaseCapture, whose WM_CAPTURECHANGED must not cancel
    ReleaseCapture();
    POINT p = point_of(lParam);
    ClientToScreen(hWnd, &p);
    HWND target = WindowFromPoint(p);
    if (target && target != hWnd && reinterpret_cast<INT_PTR>(GetPropA(target, kTargetProp)) == kWantsDrop)
        SendMessageA(target, kDrag1, reinterpret_cast<WPARAM>(hWnd), 0);
    end_drag(hWnd);
    return 1;
}

LRESULT take_text(HWND target, HWND source) {
    if (!IsWindow(source)) return 0;
    int length = GetWindowTextLengthA(source);
    auto* text = static_cast<char*>(LocalAlloc(LMEM_FIXED, static_cast<SIZE_T>(length) + 1));
    if (!text) return 0;
    text[0] = '\0';
    GetWindowTextA(source, text, length + 1);
    SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    LocalFree(text);
    return 1;
}

} // namespace

LRESULT WINAPI hlDragDrop(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (g_drag.dragging) end_drag(g_drag.window);
        g_drag = DragState{hWnd, point_of(lParam), false};
        return 0;
    case WM_MOUSEMOVE:
        return start_drag_if_moved(hWnd, wParam, lParam);
    case WM_LBUTTONUP:
        return drop(hWnd, lParam);
    case WM_CAPTURECHANGED:
        if (g_drag.dragging && g_drag.window == hWnd && reinterpret_cast<HWND>(lParam) != hWnd) end_drag(hWnd);
        return 0;
    case kDrag1:
        return take_text(hWnd, reinterpret_cast<HWND>(wParam));
    default:
        return 0;
    }
}
