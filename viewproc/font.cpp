// WM_SETFONT: a new view font for the view, its fields and its text fields.
#include "viewproc/handlers.h"

namespace ts {

LRESULT OnSetFont(VWVIEW* view, HWND hWnd, HFONT font, LPARAM lParam) {
    if (font) {
        WindowDC dc(hWnd);
        SelectGuard sel(dc, font);
        TEXTMETRICA tm = {};
        GetTextMetricsA(dc, &tm);
        SetWindowWord(hWnd, VWW_CHARWIDTH, static_cast<WORD>(tm.tmAveCharWidth + tm.tmOverhang));
        SetWindowWord(hWnd, VWW_CHARHEIGHT, static_cast<WORD>(tm.tmHeight));
    }
    HFONT old = view->hFont;
    view->hFont = font;
    for (int n = 1; n <= view->fieldCount; ++n) {
        HWND field = view->fields[n]->hWnd;
        HFONT current = reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0));
        if (!current || current == old) SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    }
    for (int n = 1; n <= view->textFieldCount; ++n) vwSetTextFieldFont(view, n, font);
    if (lParam != 999) {
        HFONT held = reinterpret_cast<HFONT>(GetWindowLongPtrA(hWnd, VWL_FONT));
        if (held && view->fontState) DeleteObject(held);
        SetWindowLongPtrA(hWnd, VWL_FONT, reinterpret_cast<LONG_PTR>(font));
        if (lParam) {
            InvalidateRect(hWnd, nullptr, TRUE);
            UpdateWindow(hWnd);
        }
        view->fontState = VWFS_NONE;
    } else {
        SetWindowLongPtrA(hWnd, VWL_FONT, reinterpret_cast<LONG_PTR>(font));
    }
    return DefWindowProcA(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), lParam);
}

} // namespace ts
