// Making view records and windows, showing views modeless and modal,
// validating whole views and freeing them.
#include "view/internal.h"

#include <cstring>

#include "core/text.hpp"
#include "message/balloonhelp.h"

namespace ts {

VWVIEW* MakeViewRecord(WNDPROC viewProc, LPARAM extra) {
    ClearFieldCache();
    if (!g_lib.metricsReady) vwInitViewMetrics();
    auto* view = static_cast<VWVIEW*>(LocalAlloc(LPTR, sizeof(VWVIEW)));
    if (!view) return nullptr;
    if (!AppendView(view)) {
        LocalFree(view);
        return nullptr;
    }
    view->self = view;
    view->viewProc = viewProc;
    if (extra == 1) view->flags |= VWF_FILTERMODE;
    core::copy_bounded(view->messageFile, sizeof view->messageFile, "vwerror.txt");
    view->textColor = view->selTextColor = GetSysColor(COLOR_WINDOWTEXT);
    view->bkColor = view->selBkColor = GetSysColor(COLOR_WINDOW);
    view->hSelBrush = CreateSolidBrush(view->selBkColor);
    view->errorTextColor = 0x000000;
    view->errorBkColor = 0xFFFFFF;
    view->defViewProc = DefViewProc;
    view->fields = static_cast<VWFIELD**>(LocalAlloc(LPTR, (VW_MAXFIELDS + 1) * sizeof(VWFIELD*)));
    if (!view->fields) {
        RemoveView(view);
        DeleteObject(view->hSelBrush);
        LocalFree(view);
        return nullptr;
    }
    g_lib.current = view;
    view->currentField = 0;
    view->kind = VWK_VIEW;
    return view;
}

namespace {

bool IsRadioField(VWFIELD* f) {
    if (!f || !IsWindow(f->hWnd)) return false;
    LRESULT code = SendMessageA(f->hWnd, WM_GETDLGCODE, 0, 0);
    char cls[41] = {};
    GetClassNameA(f->hWnd, cls, sizeof cls);
    if (core::equals_nocase(cls, "borradio")) code |= DLGC_RADIOBUTTON;
    return (code & DLGC_RADIOBUTTON) != 0;
}

// The focus of a radio group lands on its checked member: walk up from the
// current field, wrapping once, until a checked button answers.
void MoveToCheckedRadio(VWVIEW* view) {
    if (!view->fieldCount || !view->currentField) return;
    if (!IsRadioField(FieldAt(view, view->currentField))) return;
    int n = view->currentField;
    int wraps = 0;
    for (;;) {
        VWFIELD* f = FieldAt(view, n);
        if (!IsRadioField(f)) return;
        if (SendMessageA(f->hWnd, BM_GETCHECK, 0, 0)) {
            view->currentField = n;
            return;
        }
        if (++n > view->fieldCount) {
            if (++wraps == 2) return;
            n = 1;
        }
    }
}

// A window that still carries the record forgets it when the record is
// freed, so that no later message reaches freed memory through it: the
// window behaves as a plain window from then on, and the library's timers
// and balloons on it end with the record.
void DetachWindow(VWVIEW* view) {
    HWND hWnd = view->hWnd;
    if (!hWnd || !IsWindow(hWnd) || ViewFromWindow(hWnd) != view) return;
    SetWindowLongPtrA(hWnd, VWL_VIEW, 0);
    for (UINT_PTR timer : {VW_TIMER_ANIMATE, VW_TIMER_WAIT, VW_TIMER_BALLOON}) KillTimer(hWnd, timer);
}

// Modal frames keep only the Move and Close items of the system menu.
void TrimSystemMenu(HWND hWnd) {
    HMENU menu = GetSystemMenu(hWnd, FALSE);
    if (!menu) return;
    for (int pos : {8, 7, 5, 4, 3, 2, 0}) DeleteMenu(menu, pos, MF_BYPOSITION);
}

} // namespace
} // namespace ts

using namespace ts;

HVIEW VWAPI vwOpenView(HINSTANCE hInst, LPCSTR caption, DWORD style, HWND hParent, WNDPROC viewProc,
                       LPARAM extra) {
    g_lib.lastInstance = hInst;
    VWVIEW* view = MakeViewRecord(viewProc, extra);
    if (!view) return nullptr;

    view->showState = (style & WS_VISIBLE) ? VWS_SHOWN : VWS_HIDDEN;
    style &= ~WS_VISIBLE;

    int x = CW_USEDEFAULT, y = 0, cx = CW_USEDEFAULT, cy = 0;
    if (hParent && IsWindow(hParent)) {
        RECT rc = ParentClientPlacement(hParent, (style & WS_CHILD) != 0);
        x = rc.left;
        y = rc.top;
        cx = rc.right;
        cy = rc.bottom;
    }

    view->exStyle |= g_lib.pendingExStyle;
    const char* cls = VW_CLASS_VIEW;
    if ((style & WS_DLGFRAME) || (view->exStyle & WS_EX_DLGMODALFRAME)) {
        cls = VW_CLASS_MODALVIEW;
        if (!(style & (WS_POPUP | WS_CHILD))) style |= WS_POPUP;
    }

    HWND hWnd = CreateWindowExA(view->exStyle, cls, caption, style, x, y, cx, cy, hParent, nullptr, hInst, nullptr);
    if (!hWnd) {
        if (hParent && IsWindow(hParent)) EnableWindow(hParent, TRUE);
        vwFreeView(view);
        return nullptr;
    }
    view->hWnd = hWnd;
    SetWindowLongPtrA(hWnd, VWL_VIEW, reinterpret_cast<LONG_PTR>(view));
    SetPropA(hWnd, "VWPARENT", hParent);
    return view;
}

HWND VWAPI vwShowView(HVIEW view) {
    if (!vwIsView(view)) return reinterpret_cast<HWND>(static_cast<LONG_PTR>(ReportApplicationError()));
    g_lib.current = view;
    HWND hWnd = view->hWnd;
    if (view->hFont) SetWindowLongPtrA(hWnd, VWL_FONT, reinterpret_cast<LONG_PTR>(view->hFont));

    vwGotoFirstField(view);
    SendMessageA(hWnd, WM_INITDIALOG, 0, 0);
    if (!IsWindow(hWnd)) return reinterpret_cast<HWND>(-1);

    vwUpdateScreen(view);
    if (!g_lib.windowOnly) MoveToCheckedRadio(view);

    LONG style = GetWindowLongA(hWnd, GWL_STYLE);
    if ((style & WS_SYSMENU) && (view->exStyle & WS_EX_DLGMODALFRAME)) TrimSystemMenu(hWnd);

    g_lib.showing = true;
    if (!g_lib.windowOnly && (view->kind == VWK_MODAL || view->showState)) {
        if (style & WS_MAXIMIZE) {
            SetWindowLongA(hWnd, GWL_STYLE, style & ~WS_MAXIMIZE);
            ShowWindow(hWnd, SW_SHOWMAXIMIZED);
        } else if (style & WS_MINIMIZE) {
            SetWindowLongA(hWnd, GWL_STYLE, style & ~WS_MINIMIZE);
            ShowWindow(hWnd, SW_SHOWMINIMIZED);
        } else {
            ShowWindow(hWnd, SW_SHOWNORMAL);
            if (view->fieldCount && view->currentField)
                if (VWFIELD* f = FieldAt(view, view->currentField)) SetFocus(f->hWnd);
        }
        UpdateWindow(hWnd);
    }
    g_lib.showing = false;

    if (view->kind == VWK_MODAL && IsWindow(hWnd)) {
        if (HWND parent = GetParent(hWnd))
            EnableWindow(parent, FALSE);
        else
            SetWindowLongPtrA(hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(GetDesktopWindow()));
    }
    return IsWindow(hWnd) ? hWnd : reinterpret_cast<HWND>(-1);
}

HWND VWAPI vwShowViewWindow(HVIEW view, int showCmd) {
    if (vwIsView(view) && view->hWnd)
        SetWindowLongA(view->hWnd, GWL_STYLE, GetWindowLongA(view->hWnd, GWL_STYLE) & ~WS_VISIBLE);
    g_lib.windowOnly = true;
    HWND result = vwShowView(view);
    g_lib.windowOnly = false;
    if (result && result != reinterpret_cast<HWND>(-1)) ShowWindow(result, showCmd);
    return result;
}

LONG VWAPI vwShowModalView(HVIEW view) {
    if (!vwIsView(view)) {
        ReportApplicationError();
        return -1;
    }
    HWND hWnd = view->hWnd;
    HWND owner = reinterpret_cast<HWND>(GetWindowLongPtrA(hWnd, GWLP_HWNDPARENT));

    RECT rc;
    GetWindowRect(hWnd, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = rc.left, y = rc.top;
    if (rc.right > g_lib.screenWidth) x = g_lib.screenWidth - w - 2;
    if (rc.bottom > g_lib.screenHeight) y = g_lib.screenHeight - h - 2;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    SetWindowPos(hWnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);

    LONG style = GetWindowLongA(hWnd, GWL_STYLE);
    if (style & WS_CHILD) SetWindowLongA(hWnd, GWL_STYLE, (style & ~WS_CHILD) | WS_POPUP);
    view->kind = VWK_MODAL;

    const HWND shown = vwShowView(view);
    if (!shown) {
        HWND parent = GetParent(hWnd);
        if (parent && IsWindow(parent)) EnableWindow(parent, TRUE);
        return -1;
    }
    // A view that ended itself while it was shown has nothing to wait for:
    // no message of its window will ever end the loop.
    if (shown == reinterpret_cast<HWND>(-1) || !IsWindow(hWnd)) {
        g_lib.current = nullptr;
        return -1;
    }
    EnableWindow(hWnd, TRUE);

    // A view whose window was destroyed under the loop is already freed: it
    // ends the loop with -1.
    MSG msg;
    bool alive = true;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (!(alive = vwIsView(view) && IsWindow(hWnd))) break;
        if (view->showState == VWS_ENDMODAL) break;
    }
    if (owner && IsWindow(owner)) EnableWindow(owner, TRUE);
    LONG result = alive ? view->modalResult : -1;
    if (IsWindow(hWnd)) DestroyWindow(hWnd);
    g_lib.current = nullptr;
    return result;
}

void VWAPI vwEndModalView(HVIEW view, LONG result) {
    view->showState = VWS_ENDMODAL;
    view->modalResult = result;
}

int VWAPI vwEditView(HVIEW view) {
    if (!vwIsView(view)) return ReportApplicationError();
    view->errorStatus = 0;
    for (int n = 1; n <= view->fieldCount; ++n) {
        VWFIELD* f = view->fields[n];
        if (f && (f->dlgCode & (DLGC_WANTCHARS | DLGC_WANTMESSAGE | DLGC_WANTARROWS)) &&
            EditField(view, f->id) == -1)
            return 1;
    }
    return 0;
}

void VWAPI vwFreeView(HVIEW view) {
    if (!view) {
        ReportApplicationError();
        return;
    }
    RemoveErrorBalloon(view);
    ForgetHoverView(view);
    DetachWindow(view);
    vwRemoveViewDSL(view);
    for (int n = 1; n <= view->textFieldCount; ++n) {
        if (VWTEXTFIELD* t = view->textFields[n]) {
            if (t->text) LocalFree(t->text);
            LocalFree(t);
        }
        view->textFields[n] = nullptr;
    }
    if (view->fields) {
        for (int n = 1; n <= view->fieldCount; ++n) {
            FreeFieldRecord(view->fields[n]);
            view->fields[n] = nullptr;
        }
    }
    if (view->hSelBrush) DeleteObject(view->hSelBrush);
    if (view->ownsBackBrush && view->hBackBrush) DeleteObject(view->hBackBrush);
    RemoveView(view);
    if (g_lib.cacheView == view) ClearFieldCache();
    if (g_lib.current == view) g_lib.current = nullptr;
    if (g_lib.interFieldView == view) g_lib.interFieldView = nullptr;
    if (view->hViewString) LocalFree(view->hViewString);
    if (view->fields) LocalFree(view->fields);
    if (view->hDropData) GlobalFree(view->hDropData);
    view->self = nullptr;
    LocalFree(view);
}
