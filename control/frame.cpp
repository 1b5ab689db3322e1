// 3-D frames that the "@3D" directives draw around controls, on the
// parent's pixels just outside (or, for the shadowed style, on the edge of)
// the control.
#include "control/shared.h"

#include "core/text.hpp"

namespace ts {
namespace {

class Pen {
public:
    Pen(HDC dc, COLORREF colour, int width = 1) : dc_(dc), pen_(CreatePen(PS_SOLID, width, colour)) {
        old_ = SelectObject(dc, pen_);
    }
    ~Pen() {
        SelectObject(dc_, old_);
        DeleteObject(pen_);
    }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;
private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ old_;
};

void Line(HDC dc, COLORREF colour, std::initializer_list<POINT> points, int width = 1) {
    Pen pen(dc, colour, width);
    Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

// Two polylines: up the left side and along the top, then down the right
// side and along the bottom.
void Ring(HDC dc, int l, int t, int r, int b, COLORREF topLeft, COLORREF bottomRight) {
    Line(dc, topLeft, {{l, b}, {l, t}, {r, t}});
    Line(dc, bottomRight, {{r, t}, {r, b}, {l, b}});
}

} // namespace

int PaintFieldFrame(HWND control, int style) {
    HWND parent = GetParent(control);
    if (!parent) return 1;
    if (!IsWindowVisible(control)) return 0;
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    WindowDC dc(parent);
    const bool mono = GetDeviceCaps(dc, NUMCOLORS) == 2;
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF shadow = mono ? black : GetSysColor(COLOR_BTNSHADOW);
    const COLORREF white = mono ? black : RGB(255, 255, 255);
    const COLORREF lightGray = mono ? black : RGB(192, 192, 192);
    switch (style) {
    case 1:  // sunken
        Ring(dc, L - 2, T - 2, R + 1, B + 1, shadow, white);
        Ring(dc, L - 1, T - 1, R, B, shadow, white);
        break;
    case 4:  // raised
        Ring(dc, L - 2, T - 2, R + 1, B + 1, white, shadow);
        Ring(dc, L - 1, T - 1, R, B, white, shadow);
        break;
    case 8:  // etched
        Ring(dc, L - 2, T - 2, R + 1, B + 1, shadow, white);
        Ring(dc, L - 1, T - 1, R, B, white, shadow);
        break;
    case 2:  // shadowed: the shadow keeps its colour on two-colour displays
        Line(dc, black, {{L, T}, {R - 1, T}, {R - 1, B - 1}, {L, B - 1}, {L, T}});
        Line(dc, GetSysColor(COLOR_BTNSHADOW), {{R + 2, T + 4}, {R + 2, B + 2}, {L + 4, B + 2}}, 4);
        break;
    case 16:  // client edge
        if (g_lib.windows4) {
            RECT edge = {L - 2, T - 2, R + 2, B + 2};
            DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        } else {
            Line(dc, shadow, {{L - 1, B}, {L - 1, T - 1}, {R + 1, T - 1}});
            Line(dc, black, {{L, B - 1}, {L, T}, {R, T}});
            Line(dc, white, {{R + 1, T - 1}, {R + 1, B}, {L - 1, B}});
            Line(dc, lightGray, {{R, T}, {R, B - 1}, {L, B - 1}});
        }
        break;
    default:
        break;
    }
    return 0;
}

void EraseFieldFrame(HWND control) {
    HWND parent = GetParent(control);
    if (!parent) return;
    RECT rc;
    GetClientRect(control, &rc);
    MapWindowPoints(control, parent, reinterpret_cast<POINT*>(&rc), 2);
    InflateRect(&rc, 6, 6);
    InvalidateRect(parent, &rc, TRUE);
}

int FrameStyleOf(const char* directives) {
    if (core::contains_nocase(directives, "@3D2")) return 2;
    if (core::contains_nocase(directives, "@3D3")) return 4;
    if (core::contains_nocase(directives, "@3D4")) return 8;
    if (core::contains_nocase(directives, "@3D5")) return 16;
    return 1;
}

LRESULT FramedNcPaint(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    char dirs[256] = {};
    FieldContext fc = FieldContextOf(hWnd);
    if (fc.view) CopyFieldDirectives(fc.view, fc.id, dirs, sizeof dirs);
    if (!core::contains_nocase(dirs, "@3D")) return CallClassProc(hWnd, WM_NCPAINT, wParam, lParam);
    CallClassProc(hWnd, WM_NCPAINT, wParam, lParam);
    PaintFieldFrame(hWnd, FrameStyleOf(dirs));
    return 0;
}

} // namespace ts
