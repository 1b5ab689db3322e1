// Dialog units and the placement of view windows.
#include "view/internal.h"

#include "core/units.hpp"

namespace ts {
namespace {

core::UnitBasis BaseUnits() {
    if (!g_lib.metricsReady) vwInitViewMetrics();
    return {g_lib.baseUnitX, g_lib.baseUnitY};
}

// The font units a view keeps in its window, or the dialog base units when
// there is no window or either unit is 0.
core::UnitBasis WindowUnits(HWND hWnd) {
    if (hWnd && GetClassLongPtrA(hWnd, GCL_CBWNDEXTRA) >= VW_WNDEXTRA) {
        int x = static_cast<short>(GetWindowWord(hWnd, VWW_CHARWIDTH));
        int y = static_cast<short>(GetWindowWord(hWnd, VWW_CHARHEIGHT));
        if (x && y) return {x, y};
    }
    return BaseUnits();
}

// Grows a client size to the window size for the frame the styles ask for.
void GrowToWindowSize(HWND hWnd, DWORD style, DWORD exStyle, int& cx, int& cy) {
    const bool caption = (style & WS_CAPTION) == WS_CAPTION;
    const bool thick = (style & WS_THICKFRAME) != 0;
    const bool modalFrame = (exStyle & WS_EX_DLGMODALFRAME) != 0;
    const int cxBorder = GetSystemMetrics(SM_CXBORDER), cyBorder = GetSystemMetrics(SM_CYBORDER);
    const int cxDlg = GetSystemMetrics(SM_CXDLGFRAME), cyDlg = GetSystemMetrics(SM_CYDLGFRAME);
    if (caption) {
        cy += GetSystemMetrics(SM_CYCAPTION);
        if (!thick && !modalFrame) {
            cx += 2 * cxBorder;
            cy += 2 * cyBorder;
        }
    } else if (style & WS_DLGFRAME) {
        cx += 2 * cxDlg + 2 * cxBorder;
        cy += 2 * cyDlg + 2 * cyBorder;
    }
    if (style & WS_VSCROLL) cx += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) cy += GetSystemMetrics(SM_CYHSCROLL) - 1;
    if (thick) {
        cx += 2 * GetSystemMetrics(SM_CXFRAME);
        cy += 2 * GetSystemMetrics(SM_CYFRAME);
    } else if (modalFrame) {
        cx += 2 * cxDlg;
        cy += 2 * cyDlg;
        if (!caption) {
            cx += 2 * cxBorder;
            cy += 2 * cyBorder;
        }
    } else if ((style & WS_BORDER) && !caption) {
        cx += 2 * cxBorder;
        cy += 2 * cyBorder;
    }
    // GetMenu of a child window answers its identifier: children have no menu
    if (hWnd && !(style & WS_CHILD) && GetMenu(hWnd)) cy += GetSystemMetrics(SM_CYMENU);
}

} // namespace

RECT ParentClientPlacement(HWND parent, bool child) {
    RECT rc;
    GetClientRect(parent, &rc);
    POINT origin = {0, 0};
    if (!child) ClientToScreen(parent, &origin);
    return {origin.x, origin.y, rc.right, rc.bottom};
}

// -(points x LOGPIXELSY / 72), rounded by mapping twips through the DC.
int FontHeightFromPoints(HDC dc, int points) {
    int oldMode = SetMapMode(dc, MM_ANISOTROPIC);
    SIZE oldWin, oldView;
    SetWindowExtEx(dc, 1440, 1440, &oldWin);
    SetViewportExtEx(dc, GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), &oldView);
    POINT pt = {0, points * 20};
    LPtoDP(dc, &pt, 1);
    SetViewportExtEx(dc, oldView.cx, oldView.cy, nullptr);
    SetWindowExtEx(dc, oldWin.cx, oldWin.cy, nullptr);
    SetMapMode(dc, oldMode);
    return -pt.y;
}

} // namespace ts

using namespace ts;

void VWAPI vwDialogToScreen(LONG* rect) {
    core::rect_dialog_to_pixels(reinterpret_cast<std::int32_t*>(rect), BaseUnits());
}

void VWAPI vwScreenToDialog(LONG* rect) {
    core::rect_pixels_to_dialog(reinterpret_cast<std::int32_t*>(rect), BaseUnits());
}

void VWAPI vwMapDialogToScreen(HWND hWnd, LONG* rect) {
    core::UnitBasis u = core::version_uses_base_units(g_lib.recordVersion) ? BaseUnits() : WindowUnits(hWnd);
    core::rect_dialog_to_pixels(reinterpret_cast<std::int32_t*>(rect), u);
}

void VWAPI vwMapScreenToDialog(HWND hWnd, LONG* rect) {
    for (int i = 0; i < 4; ++i) ++rect[i];
    core::rect_pixels_to_dialog(reinterpret_cast<std::int32_t*>(rect), WindowUnits(hWnd));
}

void VWAPI vwSetTSFlags(DWORD flags, LONG value) {
    if (flags & VWTS_VERSION) g_lib.recordVersion = static_cast<WORD>(value);
}

void VWAPI vwSetViewPosition(HVIEW view, int x, int y, int cx, int cy, UINT mode) {
    if (!g_lib.metricsReady) vwInitViewMetrics();
    HWND hWnd = view->hWnd;
    HWND parent = hWnd ? reinterpret_cast<HWND>(GetWindowLongPtrA(hWnd, GWLP_HWNDPARENT)) : nullptr;
    DWORD style = hWnd ? static_cast<DWORD>(GetWindowLongA(hWnd, GWL_STYLE)) : 0;

    if (mode & VWP_FILLPARENT) {
        if (parent) {
            RECT rc = ParentClientPlacement(parent, (style & WS_CHILD) != 0);
            x = rc.left;
            y = rc.top;
            cx = rc.right;
            cy = rc.bottom;
        } else {
            x = y = 0;
            cx = 200;
            cy = 100;
        }
    } else if (mode & VWP_CENTER) {
        RECT rc = {};
        if (hWnd) GetWindowRect(hWnd, &rc);
        if (cx == 0) cx = rc.right - rc.left;
        if (cy == 0) cy = rc.bottom - rc.top;
        if (x == 0) x = (g_lib.screenWidth - cx) / 2;
        if (y == 0) y = (g_lib.screenHeight - cy) / 2;
    } else if (mode & VWP_DIALOGUNITS) {
        LONG r[4] = {x, y, cx, cy};
        vwMapDialogToScreen(hWnd, r);
        x = r[0];
        y = r[1];
        cx = r[2];
        cy = r[3];
        if (!(mode & VWP_ABSOLUTE) && parent) {
            if (!(style & WS_CHILD)) {
                POINT origin = {0, 0};
                ClientToScreen(parent, &origin);
                x += origin.x;
                y += origin.y;
            }
            if (x + cx > g_lib.screenWidth) x = g_lib.screenWidth - cx;
            if (y + cy > g_lib.screenHeight) y = g_lib.screenHeight - cy;
        }
        if (static_cast<DWORD>(cx) != static_cast<DWORD>(CW_USEDEFAULT))
            GrowToWindowSize(hWnd, style, view->exStyle, cx, cy);
    }

    if (hWnd) {
        MoveWindow(hWnd, x, y, cx, cy, (mode & VWP_REPAINT) != 0);
        if (mode & VWP_REPAINT) InvalidateRect(hWnd, nullptr, TRUE);
    }
}
