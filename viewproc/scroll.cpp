// Views larger than their window: "@VSCROLL" / "@HSCROLL" set the scroll
// ranges, WM_VSCROLL / WM_HSCROLL move the contents, WM_SIZE recomputes.
#include "viewproc/handlers.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "companion/helio.h"
#include "core/directives.hpp"

namespace ts {
namespace {

// The scroll state of one direction, kept in window properties.
struct Axis {
    const char* range;
    const char* inc;
    const char* pos;
    int bar;
    bool vertical;
};
constexpr Axis kVertical = {"VRNG", "VINC", "VPOS", SB_VERT, true};
constexpr Axis kHorizontal = {"HRNG", "HINC", "HPOS", SB_HORZ, false};

LONG Prop(HWND hWnd, const char* name) {
    return static_cast<LONG>(reinterpret_cast<LONG_PTR>(GetPropA(hWnd, name)));
}
void SetProp(HWND hWnd, const char* name, LONG value) {
    SetPropA(hWnd, name, reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(value)));
}

// The first one or two numbers of a directive's argument.
bool Numbers(const char* viewString, const char* keyword, LONG& first, LONG& second) {
    char arg[HL_KEYWORD_BUFFER] = {};
    if (!hlGetKeyword(viewString, keyword, arg)) return false;
    std::vector<std::string_view> parts = core::split_arguments(arg);
    // a tokenizer skips empty arguments
    parts.erase(std::remove(parts.begin(), parts.end(), std::string_view()), parts.end());
    first = parts.size() > 0 ? std::atol(std::string(parts[0]).c_str()) : 0;
    second = parts.size() > 1 ? std::atol(std::string(parts[1]).c_str()) : 0;
    return true;
}

// The extent in pixels: vertical extents in vertical units, horizontal ones
// in horizontal units; increments are horizontal units in both directions.
void ExtentAndIncrement(HWND hWnd, const Axis& a, LONG extent, LONG inc, LONG& extentPx, LONG& incPx) {
    LONG r[4] = {inc, a.vertical ? extent : 0, a.vertical ? 0 : extent, 0};
    vwMapDialogToScreen(hWnd, r);
    incPx = r[0];
    extentPx = a.vertical ? r[1] : r[2];
}

LONG ClientExtent(HWND hWnd, const Axis& a) {
    RECT rc;
    GetClientRect(hWnd, &rc);
    return a.vertical ? rc.bottom : rc.right;
}

// The bar takes room from the window: it shows when the window is wider
// (taller) than its client area by at least the bar.
bool BarShowing(HWND hWnd, const Axis& a) {
    RECT wr, cr;
    GetWindowRect(hWnd, &wr);
    GetClientRect(hWnd, &cr);
    return a.vertical ? (wr.right - wr.left) - cr.right >= GetSystemMetrics(SM_CXVSCROLL)
                      : (wr.bottom - wr.top) - cr.bottom >= GetSystemMetrics(SM_CYHSCROLL);
}

bool g_resizing[2] = {false, false};  // recursion guards of WM_SIZE, per direction

void RecomputeAxis(HWND hWnd, const char* viewString, const Axis& a) {
    LONG extent, unused;
    if (!Numbers(viewString, a.vertical ? "@VSCROLL" : "@HSCROLL", extent, unused)) return;
    bool& guard = g_resizing[a.vertical ? 0 : 1];
    if (guard) return;
    guard = true;
    LONG px, incPx;
    ExtentAndIncrement(hWnd, a, extent, 0, px, incPx);
    const LONG client = ClientExtent(hWnd, a);
    // whether the bar shows is read first: an empty range hides it
    const bool showing = BarShowing(hWnd, a);
    SetProp(hWnd, a.range, px - client);
    // the contents go back to the top while the bar is still there to take
    // the position; then it goes
    const bool hide = px <= client && showing;
    if (hide) SendMessageA(hWnd, a.vertical ? WM_VSCROLL : WM_HSCROLL, a.vertical ? SB_TOP : SB_LEFT, 0);
    SetScrollRange(hWnd, a.bar, 0, px - client, TRUE);
    if (hide) ShowScrollBar(hWnd, a.bar, FALSE);
    else if (px > client && !showing) ShowScrollBar(hWnd, a.bar, TRUE);
    guard = false;
}

} // namespace

void ApplyScrollDirectives(VWVIEW*, HWND hWnd, const char* viewString) {
    for (const Axis* a : {&kVertical, &kHorizontal}) {
        LONG extent, inc;
        if (!Numbers(viewString, a->vertical ? "@VSCROLL" : "@HSCROLL", extent, inc)) continue;
        LONG extentPx, incPx;
        ExtentAndIncrement(hWnd, *a, extent, inc, extentPx, incPx);
        const LONG range = extentPx - ClientExtent(hWnd, *a);
        SetProp(hWnd, a->range, range);
        SetProp(hWnd, a->inc, incPx);
        SetScrollRange(hWnd, a->bar, 0, range, !a->vertical);
    }
}

LRESULT OnScroll(VWVIEW* view, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (lParam) return DefWindowProcA(hWnd, msg, wParam, lParam);
    const Axis& a = msg == WM_VSCROLL ? kVertical : kHorizontal;
    LONG range = Prop(hWnd, a.range);
    if (!range) range = 100;
    LONG inc = Prop(hWnd, a.inc);
    if (!inc) inc = 20;
    const LONG pos = Prop(hWnd, a.pos);
    const LONG page = ClientExtent(hWnd, a);
    LONG delta = 0;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: delta = -inc; break;
    case SB_LINEDOWN: delta = inc; break;
    case SB_PAGEUP: delta = inc - page; break;
    case SB_PAGEDOWN: delta = page - inc; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: delta = static_cast<LONG>(HIWORD(wParam)) - pos; break;
    case SB_TOP: delta = -pos; break;
    case SB_BOTTOM: delta = range - pos; break;
    default: break;
    }
    delta = std::max(std::min(delta, range - pos), -pos);
    if (delta == 0) return 0;
    // framed views and views with toolbars do not scroll
    if ((view->flags & (VWF_OUT | VWF_LIGHT)) || GetPropA(hWnd, "TBTOP") || GetPropA(hWnd, "TBBOTTOM") ||
        GetPropA(hWnd, "TBRIGHT") || GetPropA(hWnd, "TBLEFT")) {
        MessageBeep(0);
        return 0;
    }
    // every text field moves, centred ones included
    for (int n = 1; n <= view->textFieldCount; ++n) {
        LONG& c = a.vertical ? view->textFields[n]->y : view->textFields[n]->x;
        c -= delta;
    }
    if (a.vertical) ScrollWindow(hWnd, 0, -delta, nullptr, nullptr);
    else ScrollWindow(hWnd, -delta, 0, nullptr, nullptr);
    SetProp(hWnd, a.pos, pos + delta);
    SetScrollPos(hWnd, a.bar, pos + delta, TRUE);
    UpdateWindow(hWnd);
    return 0;
}

void OnSize(VWVIEW* view, HWND hWnd, WPARAM wParam) {
    vwSizeToolBars(hWnd);
    if (view->flags & (VWF_OUT | VWF_LIGHT)) {
        // the frame along the right and bottom edges is drawn again
        RECT rc;
        GetClientRect(hWnd, &rc);
        RECT right = {rc.right - 8, 0, rc.right, rc.bottom};
        RECT bottom = {0, rc.bottom - 8, rc.right, rc.bottom};
        InvalidateRect(hWnd, &right, TRUE);
        InvalidateRect(hWnd, &bottom, TRUE);
    }
    if (wParam != SIZE_RESTORED && wParam != SIZE_MAXIMIZED) return;
    char s[512] = {};
    vwGetViewString(view, s, sizeof s);
    RecomputeAxis(hWnd, s, kVertical);
    RecomputeAxis(hWnd, s, kHorizontal);
}

} // namespace ts
