// Balloons: small borderless pop-ups next to a field, for error messages and
// for balloon help.  The window class "tsBalloon" is registered on first
// use; each balloon keeps its font, colours and style in its extra bytes.
#include "view/internal.h"

#include <algorithm>

namespace {

// The margins every balloon paints with: set by each vwBalloonMsg call.
int g_marginX = 4;
int g_marginY = 4;
bool g_registered = false;

constexpr int kMaxText = 1024;

void RegisterBalloonClass() {
    if (g_registered) return;
    WNDCLASSA wc = {};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = DefBalloonWndProc;
    wc.cbWndExtra = VWB_WNDEXTRA;
    wc.hInstance = ts::g_lib.module;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = VW_CLASS_BALLOON;
    g_registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The font a balloon draws with: its own, or an 8-point "Helv" made for
// the occasion and deleted with the object.
class BalloonFont {
public:
    explicit BalloonFont(HFONT given) : made_(given ? nullptr : vwCreateFont("Helv", 8, 0)), font_(given ? given : made_) {}
    ~BalloonFont() { if (made_) DeleteObject(made_); }
    BalloonFont(const BalloonFont&) = delete;
    BalloonFont& operator=(const BalloonFont&) = delete;
    HFONT get() const { return font_; }
private:
    HFONT made_;
    HFONT font_;
};

class SolidBrush {
public:
    explicit SolidBrush(COLORREF c) : brush_(CreateSolidBrush(c)) {}
    ~SolidBrush() { if (brush_) DeleteObject(brush_); }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    HBRUSH get() const { return brush_; }
private:
    HBRUSH brush_;
};

void Shape(HDC dc, bool rounded, int left, int top, int right, int bottom) {
    if (rounded) RoundRect(dc, left, top, right, bottom, g_marginX, g_marginY);
    else Rectangle(dc, left, top, right, bottom);
}

void PaintBalloon(HWND hWnd) {
    const UINT style = static_cast<UINT>(GetWindowLongA(hWnd, VWBL_STYLE));
    const bool rounded = !(style & VWB_SQUARE);
    RECT rc;
    GetClientRect(hWnd, &rc);
    if (!(style & VWB_NOSHADOW)) {
        ts::WindowDC dc(hWnd);
        ExcludeClipRect(dc, 0, 0, rc.right - g_marginX - 2, rc.bottom - g_marginY - 2);
        ts::SelectGuard brush(dc, GetStockObject(GRAY_BRUSH));
        ts::SelectGuard pen(dc, GetStockObject(NULL_PEN));
        Shape(dc, rounded, g_marginX, g_marginY, rc.right, rc.bottom);
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    {
        const bool colored = (style & VWB_COLORS) != 0;
        SolidBrush back(static_cast<COLORREF>(GetWindowLongA(hWnd, VWBL_BKCOLOR)));
        ts::SelectGuard brush(dc, colored ? back.get() : nullptr);
        if (colored) {
            SetTextColor(dc, static_cast<COLORREF>(GetWindowLongA(hWnd, VWBL_TEXTCOLOR)));
            SetBkColor(dc, static_cast<COLORREF>(GetWindowLongA(hWnd, VWBL_BKCOLOR)));
        }
        RECT body = {0, 0, rc.right - g_marginX, rc.bottom - g_marginY};
        Shape(dc, rounded, body.left, body.top, body.right, body.bottom);

        char text[kMaxText + 1] = {};
        GetWindowTextA(hWnd, text, sizeof text);
        BalloonFont font(reinterpret_cast<HFONT>(GetWindowLongPtrA(hWnd, VWBL_FONT)));
        ts::SelectGuard selected(dc, font.get());
        SetBkMode(dc, TRANSPARENT);
        body.left += g_marginX;
        body.top += g_marginY;
        if (rounded) body.bottom -= g_marginY;
        DrawTextA(dc, text, -1, &body, (style & VWB_SINGLELINE) ? DT_SINGLELINE : DT_WORDBREAK);
    }
    EndPaint(hWnd, &ps);
}

} // namespace

LRESULT CALLBACK DefBalloonWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        PaintBalloon(hWnd);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (GetWindowLongA(hWnd, VWBL_STYLE) & VWB_CLICKCLOSE) SendMessageA(hWnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

HWND VWAPI vwBalloonMsg(HWND owner, LPCSTR text, int x, int y, int width, int height, HFONT font,
                        COLORREF textColor, COLORREF bkColor, UINT style) {
    if (!text) text = "";
    if (style & VWB_SQUARE) {
        g_marginX = g_marginY = 4;
    } else {
        LONG margins[4] = {5, 5, 0, 0};
        vwDialogToScreen(margins);
        g_marginX = margins[0];
        g_marginY = margins[1];
    }
    RegisterBalloonClass();

    if (!width) width = 100;
    if (!(style & VWB_PIXELS)) {
        LONG r[4] = {x, y, width, height};
        vwDialogToScreen(r);
        x = r[0];
        y = r[1];
        width = r[2];
        height = r[3];
    }
    RECT ownerRect = {};
    if (owner) GetWindowRect(owner, &ownerRect);
    auto centre = [&] {
        x = (ownerRect.right - ownerRect.left - width) / 2;
        y = (ownerRect.bottom - ownerRect.top - height) / 2;
    };
    if (!height) {
        ts::WindowDC dc(owner);
        BalloonFont measure(font);
        ts::SelectGuard selected(dc, measure.get());
        RECT r = {g_marginX, 0, width - 2 * g_marginX, 0};
        DrawTextA(dc, text, -1, &r, DT_CALCRECT | ((style & VWB_SINGLELINE) ? DT_SINGLELINE : DT_WORDBREAK));
        height = 3 * g_marginY + r.bottom;
        width = 3 * g_marginX + r.right;
        if ((style & VWB_CENTER) && owner) centre();
    }
    if (owner) {
        if (!(style & VWB_SCREEN)) {
            x += ownerRect.left;
            y += ownerRect.top;
        } else if (style & VWB_CENTER) {
            centre();
        }
    }
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (x + width > screenWidth) x = screenWidth - width;
    if (y + height > screenHeight) y = screenHeight - height;

    HWND balloon = CreateWindowExA(0, VW_CLASS_BALLOON, text, WS_POPUP, x, y, width, height, owner, nullptr,
                                   ts::g_lib.module, nullptr);
    if (!balloon) return nullptr;
    SetWindowLongPtrA(balloon, VWBL_FONT, reinterpret_cast<LONG_PTR>(font));
    SetWindowLongA(balloon, VWBL_TEXTCOLOR, static_cast<LONG>(textColor));
    SetWindowLongA(balloon, VWBL_BKCOLOR, static_cast<LONG>(bkColor));
    SetWindowLongA(balloon, VWBL_STYLE, static_cast<LONG>(style));
    ShowWindow(balloon, SW_SHOWNOACTIVATE);
    if (owner) UpdateWindow(owner);
    UpdateWindow(balloon);
    return balloon;
}
