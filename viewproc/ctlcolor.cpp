// WM_CTLCOLOR* and VWM_CTLCOLOR: fields are drawn in their own colours, or
// in the view's.
#include "viewproc/handlers.h"

namespace ts {

LRESULT OnCtlColor(VWVIEW* view, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    auto byDefault = [&] { return DefWindowProcA(hWnd, msg, wParam, lParam); };

    if (msg == WM_CTLCOLORDLG) {
        if ((view->flags & VWF_CTL3D) && g_lib.windows4) {
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(g_lib.grayBrush);
        }
        SetTextColor(dc, view->textColor);
        SetBkColor(dc, view->bkColor);
        return view->hBackBrush ? reinterpret_cast<LRESULT>(view->hBackBrush) : byDefault();
    }

    const LONG id = control ? GetWindowLongA(control, GWL_ID) : 0;
    if (!view->fieldCount || !id || GetParent(control) != hWnd) return byDefault();

    constexpr DWORD kLooks = VWF_CTL3D | VWF_3D | VWF_3D2 | VWF_3D3 | VWF_3D4 | VWF_3D5;
    if ((msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORSTATIC) && (view->flags & kLooks)) {
        SetTextColor(dc, vwGetFieldTextColor(view, id));
        SetBkColor(dc, g_lib.windows4 ? GetSysColor(COLOR_3DLIGHT) : RGB(192, 192, 192));
        return reinterpret_cast<LRESULT>(g_lib.grayBrush);
    }
    HBRUSH brush;
    if (msg == WM_CTLCOLOREDIT && GetFocus() == control) {
        SetTextColor(dc, vwGetFieldSelTextColor(view, id));
        SetBkColor(dc, vwGetFieldSelBkColor(view, id));
        brush = vwGetFieldSelBackBrush(view, id);
    } else {
        SetTextColor(dc, vwGetFieldTextColor(view, id));
        SetBkColor(dc, vwGetFieldBkColor(view, id));
        brush = vwGetFieldBackBrush(view, id);
    }
    if (!brush) brush = view->hBackBrush;
    return brush ? reinterpret_cast<LRESULT>(brush) : byDefault();
}

} // namespace ts
