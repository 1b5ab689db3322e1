// vwWndProc: the window procedure of both view classes.  It ties a new
// window to its view record and routes every message to the application's
// view procedure and the view's default procedure, in chain or filter mode.
#include "view/internal.h"

namespace ts {
namespace {

// The first of WM_GETMINMAXINFO and WM_NCCREATE during CreateWindowEx
// attaches the view being created.
void AttachCurrentView(HWND hWnd, bool firstSlotOnly) {
    VWVIEW* view = g_lib.current;
    SetWindowLongPtrA(hWnd, VWL_VIEW, reinterpret_cast<LONG_PTR>(view));
    if (!view) return;
    view->hWnd = hWnd;
    for (int i = 1; i <= g_lib.viewCount; ++i) {
        if (g_lib.views[i] != view) continue;
        g_lib.viewWindows[i] = hWnd;
        if (firstSlotOnly) break;
    }
}

} // namespace

LRESULT RouteViewMessage(VWVIEW* view, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!view) return DefWindowProcA(hWnd, msg, wParam, lParam);
    if (!(view->flags & VWF_FILTERMODE)) {
        if (view->viewProc) return view->viewProc(hWnd, msg, wParam, lParam);
        if (view->defViewProc) return view->defViewProc(hWnd, msg, wParam, lParam);
        return 0;
    }
    LRESULT r = view->viewProc ? view->viewProc(hWnd, msg, wParam, lParam) : 0;
    if (LOWORD(r)) return r;
    return view->defViewProc ? view->defViewProc(hWnd, msg, wParam, lParam) : r;
}

namespace {

// The wait tick: 100 ms a tick until the duration is reached.
void OnWaitTick(HWND hWnd) {
    g_lib.wait.elapsed += 100;
    if (g_lib.wait.elapsed >= g_lib.wait.duration) {
        KillTimer(hWnd, VW_TIMER_WAIT);
        g_lib.wait.done = true;
    }
}

} // namespace
} // namespace ts

using namespace ts;

LRESULT CALLBACK vwWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETMINMAXINFO:
        // only a window being created takes the current view: a view
        // window whose record was freed must not take another view's
        if (!ViewFromWindow(hWnd) && g_lib.current && !g_lib.current->hWnd) AttachCurrentView(hWnd, false);
        break;
    case WM_NCCREATE: {
        AttachCurrentView(hWnd, true);
        VWVIEW* view = g_lib.current;
        if (view && view->kind == VWK_MDICHILD) return DefMDIChildProcA(hWnd, msg, wParam, lParam);
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    case WM_CREATE: {
        VWVIEW* view = g_lib.current;
        if (!view || view->kind != VWK_MDICHILD) break;
        if (view->viewProc) view->viewProc(hWnd, msg, wParam, lParam);
        CompleteMDIChild(hWnd);
        return 0;
    }
    case WM_COMMAND: {
        VWVIEW* view = ViewFromWindow(hWnd);
        LRESULT r;
        if (view && ServeFieldCommand(view, hWnd, wParam, lParam, &r)) return r;
        break;
    }
    case WM_TIMER:
        if (wParam == VW_TIMER_WAIT) {
            OnWaitTick(hWnd);
            return 0;
        }
        break;
    default:
        break;
    }
    return RouteViewMessage(ViewFromWindow(hWnd), hWnd, msg, wParam, lParam);
}
