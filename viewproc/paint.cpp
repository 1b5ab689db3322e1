// Erasing a view's background (brushes and frames) and painting its text
// fields.
#include "viewproc/handlers.h"

#include <cstring>

namespace ts {
namespace {

// Erases with `brush` by lending it to the window class for one default erase.
LRESULT EraseWithBrush(HWND hWnd, HDC dc, HBRUSH brush) {
    LONG_PTR old = SetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush));
    LRESULT r = DefWindowProcA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND, old);
    return r;
}

void RaisedRect(HDC dc, RECT rc, COLORREF light, COLORREF dark) {
    HPEN lightPen = CreatePen(PS_SOLID, 1, light);
    HPEN darkPen = CreatePen(PS_SOLID, 1, dark);
    HGDIOBJ old = SelectObject(dc, lightPen);
    MoveToEx(dc, rc.left, rc.bottom, nullptr);
    LineTo(dc, rc.left, rc.top);
    LineTo(dc, rc.right, rc.top);
    SelectObject(dc, darkPen);
    LineTo(dc, rc.right, rc.bottom);
    LineTo(dc, rc.left, rc.bottom);
    SelectObject(dc, old);
    DeleteObject(lightPen);
    DeleteObject(darkPen);
}

// "@LIGHT" draws a one-pixel raised frame inside the client area, black only
// on a two-colour device.  "@OUT" draws a two-pixel one, white and shadow
// only on a device that reports more than two colours: true-colour devices
// report -1 and get a black frame.
void DrawViewFrame(VWVIEW* view, HWND hWnd, HDC dc) {
    if (!(view->flags & (VWF_OUT | VWF_LIGHT))) return;
    RECT rc;
    GetClientRect(hWnd, &rc);
    --rc.right;
    --rc.bottom;
    const int colours = GetDeviceCaps(dc, NUMCOLORS);
    const bool mono = colours == 2;
    if (view->flags & VWF_OUT) {
        const bool colour = colours > 2;
        COLORREF light = colour ? RGB(255, 255, 255) : 0, dark = colour ? GetSysColor(COLOR_BTNSHADOW) : 0;
        RaisedRect(dc, rc, light, dark);
        InflateRect(&rc, -1, -1);
        RaisedRect(dc, rc, light, dark);
    } else {
        RaisedRect(dc, rc, mono ? 0 : RGB(255, 255, 255), mono ? 0 : GetSysColor(COLOR_BTNSHADOW));
    }
}

HBRUSH StyleBrush(DWORD flags) {
    if (flags & VWF_3D) return g_lib.steelBrush;
    if (flags & VWF_3D3) return g_lib.grayBrush;
    if (flags & VWF_3D2) return g_lib.patternBrush[0];
    if (flags & VWF_3D4) return g_lib.patternBrush[1];
    if (flags & VWF_3D5) return g_lib.patternBrush[2];
    return nullptr;
}

} // namespace

LRESULT OnEraseBkgnd(VWVIEW* view, HWND hWnd, HDC dc) {
    if (IsIconic(hWnd)) return DefWindowProcA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if ((view->flags & VWF_BITBRUSH) && GetPropA(hWnd, "BITBRUSH")) {
        EraseWithBrush(hWnd, dc, static_cast<HBRUSH>(GetPropA(hWnd, "BITBRUSH")));
        DrawViewFrame(view, hWnd, dc);
        return 0;
    }
    if (HBITMAP bmp = static_cast<HBITMAP>(GetPropA(hWnd, "BITMAP"))) return DrawBackgroundBitmap(view, hWnd, dc, bmp);
    HBRUSH brush = StyleBrush(view->flags);
    if (!brush) brush = view->hBackBrush;
    if (brush) {
        LRESULT r = EraseWithBrush(hWnd, dc, brush);
        DrawViewFrame(view, hWnd, dc);
        return r;
    }
    WindowDC wdc(hWnd);
    brush = reinterpret_cast<HBRUSH>(SendMessageA(hWnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(HDC(wdc)),
                                                  reinterpret_cast<LPARAM>(hWnd)));
    if (brush) return EraseWithBrush(hWnd, dc, brush);
    return EraseWithBrush(hWnd, dc, GetSysColorBrush(COLOR_WINDOW));
}

// The gray brush follows the system colours; a view without its own brush
// follows COLOR_WINDOW.
void OnSysColorChange(VWVIEW* view, HWND hWnd) {
    if (g_lib.windows4) {
        if (g_lib.grayBrush) DeleteObject(g_lib.grayBrush);
        g_lib.grayBrush = CreateSolidBrush(GetSysColor(COLOR_3DLIGHT));
    }
    if (!view->hBackBrush) {
        view->bkColor = GetSysColor(COLOR_WINDOW);
        SetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND, COLOR_WINDOW + 1);
    }
}

LRESULT OnPaint(VWVIEW* view, HWND hWnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    if (IsIconic(hWnd)) {
        DefWindowProcA(hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        DrawIcon(dc, 0, 0, view->hIcon ? view->hIcon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
        EndPaint(hWnd, &ps);
        return 0;
    }
    SetTextColor(dc, view->textColor);
    SetBkColor(dc, view->bkColor);
    if (GetPropA(hWnd, "BITMAP")) SetBkMode(dc, TRANSPARENT);
    HFONT viewFont = reinterpret_cast<HFONT>(GetWindowLongPtrA(hWnd, VWL_FONT));
    RECT client;
    GetClientRect(hWnd, &client);
    for (int n = 1; n <= view->textFieldCount; ++n) {
        VWTEXTFIELD* t = view->textFields[n];
        if (!t || t->hidden || !t->text) continue;
        COLORREF oldText = 0, oldBack = 0;
        if (t->hasColors) {
            oldText = SetTextColor(dc, t->textColor);
            oldBack = SetBkColor(dc, t->bkColor);
        }
        SelectGuard font(dc, t->hFont ? t->hFont : viewFont);
        const int len = static_cast<int>(std::strlen(t->text));
        SIZE ext = {};
        GetTextExtentPoint32A(dc, t->text, len, &ext);
        int x = t->x == -1 ? (client.right - ext.cx) / 2 : t->x;
        int y = t->y == -1 ? (client.bottom - ext.cy) / 2 : t->y;
        TextOutA(dc, x, y, t->text, len);
        if (t->mnemonic && t->mnemonicPos < len) {
            SIZE before = {}, through = {};
            GetTextExtentPoint32A(dc, t->text, t->mnemonicPos, &before);
            GetTextExtentPoint32A(dc, t->text, t->mnemonicPos + 1, &through);
            HPEN pen = CreatePen(PS_SOLID, ext.cy / 10, view->textColor);
            HGDIOBJ old = SelectObject(dc, pen);
            MoveToEx(dc, t->x + before.cx, t->y + ext.cy, nullptr);
            LineTo(dc, t->x + through.cx, t->y + ext.cy);
            SelectObject(dc, old);
            DeleteObject(pen);
        }
        if (t->hasColors) {
            SetTextColor(dc, oldText);
            SetBkColor(dc, oldBack);
        }
    }
    EndPaint(hWnd, &ps);
    return 0;
}

} // namespace ts
