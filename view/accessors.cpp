// The small exported functions that read and write one member of a view.
// Those that validate report an invalid handle and return 0; the others
// trust the handle.
#include "view/internal.h"

#include <cstring>
#include <utility>

#include "core/text.hpp"

using namespace ts;

namespace {

bool Validate(HVIEW view) {
    if (vwIsView(view)) return true;
    ReportApplicationError();
    return false;
}

RECT WindowRect(HVIEW view) {
    RECT rc = {};
    GetWindowRect(view->hWnd, &rc);
    return rc;
}

void MoveView(HVIEW view, int x, int y, BOOL redraw) {
    UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (redraw ? 0 : SWP_NOREDRAW);
    SetWindowPos(view->hWnd, nullptr, x, y, 0, 0, flags);
}

void SizeView(HVIEW view, int cx, int cy, BOOL redraw) {
    UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (redraw ? 0 : SWP_NOREDRAW);
    SetWindowPos(view->hWnd, nullptr, 0, 0, cx, cy, flags);
}

void ReplaceSelBrush(HVIEW view) {
    if (view->hSelBrush) DeleteObject(view->hSelBrush);
    view->hSelBrush = CreateSolidBrush(view->selBkColor);
}

} // namespace

// ---- window
HWND VWAPI vwGetViewWindow(HVIEW view) { return Validate(view) ? view->hWnd : nullptr; }

HWND VWAPI vwGetViewParent(HVIEW view) {
    if (!Validate(view)) return nullptr;
    return reinterpret_cast<HWND>(GetWindowLongPtrA(view->hWnd, GWLP_HWNDPARENT));
}

HINSTANCE VWAPI vwGetViewInstance(HVIEW view) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(view->hWnd, GWLP_HINSTANCE));
}
void VWAPI vwSetViewInstance(HVIEW view, HINSTANCE hInst) {
    SetWindowLongPtrA(view->hWnd, GWLP_HINSTANCE, reinterpret_cast<LONG_PTR>(hInst));
}

// ---- position and size
int VWAPI vwGetViewXPos(HVIEW view) { return WindowRect(view).left; }
int VWAPI vwGetViewYPos(HVIEW view) { return WindowRect(view).top; }
int VWAPI vwGetViewWidth(HVIEW view) { RECT rc = WindowRect(view); return rc.right - rc.left; }
int VWAPI vwGetViewHeight(HVIEW view) { RECT rc = WindowRect(view); return rc.bottom - rc.top; }
void VWAPI vwSetViewXPos(HVIEW view, int x, BOOL redraw) { MoveView(view, x, vwGetViewYPos(view), redraw); }
void VWAPI vwSetViewYPos(HVIEW view, int y, BOOL redraw) { MoveView(view, vwGetViewXPos(view), y, redraw); }
void VWAPI vwSetViewWidth(HVIEW view, int cx, BOOL redraw) { SizeView(view, cx, vwGetViewHeight(view), redraw); }
void VWAPI vwSetViewHeight(HVIEW view, int cy, BOOL redraw) { SizeView(view, vwGetViewWidth(view), cy, redraw); }

// ---- styles, caption, menu, icon
DWORD VWAPI vwGetViewStyle(HVIEW view) { return static_cast<DWORD>(GetWindowLongA(view->hWnd, GWL_STYLE)); }

void VWAPI vwSetViewStyle(HVIEW view, DWORD style) {
    view->showState = (style & WS_VISIBLE) ? VWS_SHOWN : VWS_HIDDEN;
    SetWindowLongA(view->hWnd, GWL_STYLE, static_cast<LONG>(style));
    InvalidateRect(view->hWnd, nullptr, TRUE);
}

DWORD VWAPI vwGetViewExStyle(HVIEW view) { return view->exStyle; }

void VWAPI vwSetViewExStyle(HVIEW view, DWORD exStyle) {
    view->exStyle = exStyle;
    SetWindowLongA(view->hWnd, GWL_EXSTYLE, static_cast<LONG>(exStyle));
    InvalidateRect(view->hWnd, nullptr, TRUE);
}

void VWAPI vwSetViewCaption(HVIEW view, LPCSTR text) { SetWindowTextA(view->hWnd, text); }

HMENU VWAPI vwGetViewMenu(HVIEW view) { return GetMenu(view->hWnd); }

void VWAPI vwSetViewMenu(HVIEW view, LPCSTR menuName) {
    if (!view->hWnd) return;
    HMENU menu = LoadMenuA(vwGetViewInstance(view), menuName);
    SetMenu(view->hWnd, menu);
    DrawMenuBar(view->hWnd);
    SizeView(view, vwGetViewWidth(view), vwGetViewHeight(view) + GetSystemMetrics(SM_CYMENU), FALSE);
}

HICON VWAPI vwGetViewIcon(HVIEW view) { return view->hIcon; }

void VWAPI vwSetViewIcon(HVIEW view, HICON hIcon) {
    view->hIcon = hIcon;
    if (view->hWnd) SetClassLongPtrA(view->hWnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(hIcon));
}

// ---- procedures
WNDPROC VWAPI vwGetViewProc(HVIEW view) { return view->viewProc; }

WNDPROC VWAPI vwSetViewProc(HVIEW view, WNDPROC proc) {
    if (!Validate(view)) return nullptr;
    view->viewProc = proc;
    return proc;
}

WNDPROC VWAPI vwSetDefViewProc(HVIEW view, WNDPROC proc) {
    if (!Validate(view)) return nullptr;
    view->defViewProc = proc;
    return proc;
}

WNDPROC VWAPI vwSetViewDefProc(HVIEW view, WNDPROC proc) { return vwSetDefViewProc(view, proc); }

VWSPECIALKEYPROC VWAPI vwSetSpecialKey(HVIEW view, VWSPECIALKEYPROC proc) {
    if (!Validate(view)) return nullptr;
    view->specialKey = proc;
    return proc;
}

// ---- view string and name
int VWAPI vwGetViewString(HVIEW view, LPSTR buffer, int size) {
    if (buffer) buffer[0] = '\0';
    if (size <= 0 || !view->hViewString) return 0;
    return static_cast<int>(CopyLocalString(view->hViewString, buffer, static_cast<std::size_t>(size)));
}

int VWAPI vwSetViewString(HVIEW view, LPCSTR string) {
    if (!Validate(view)) return 0;
    std::string_view s = string ? string : "";
    view->hViewString = ReplaceLocalString(view->hViewString, s);
    if (!s.empty() && !view->hViewString) return 0;
    if (view->hWnd) SendMessageA(view->hWnd, VWM_SETVIEWSTRING, 0, 0);
    return static_cast<int>(s.size());
}

void VWAPI vwSetViewName(HVIEW view, LPCSTR name) {
    core::copy_bounded(view->name, 26, name ? name : "");
}

int VWAPI vwGetViewResourceName(HVIEW view, LPSTR buffer) {
    std::size_t n = std::strlen(view->name);
    std::memcpy(buffer, view->name, n + 1);
    return static_cast<int>(n);
}

// ---- colours and brushes
void VWAPI vwGetViewDefColors(HVIEW view, COLORREF* text, COLORREF* back, COLORREF* selText, COLORREF* selBack) {
    *text = view->textColor;
    *back = view->bkColor;
    *selText = view->selTextColor;
    *selBack = view->selBkColor;
}

void VWAPI vwSetViewDefColors(HVIEW view, COLORREF text, COLORREF back, COLORREF selText, COLORREF selBack) {
    view->textColor = text;
    view->bkColor = back;
    view->selTextColor = selText;
    view->selBkColor = selBack;
    ReplaceSelBrush(view);
}

COLORREF VWAPI vwSetViewTextColor(HVIEW view, COLORREF color) { return std::exchange(view->textColor, color); }

COLORREF VWAPI vwSetViewBkColor(HVIEW view, COLORREF color) { return std::exchange(view->bkColor, color); }

COLORREF VWAPI vwSetViewSelTextColor(HVIEW view, COLORREF color) { return std::exchange(view->selTextColor, color); }

COLORREF VWAPI vwSetViewSelBkColor(HVIEW view, COLORREF color) {
    COLORREF old = std::exchange(view->selBkColor, color);
    ReplaceSelBrush(view);
    return old;
}

void VWAPI vwGetViewErrorColors(HVIEW view, COLORREF* text, COLORREF* back) {
    *text = view->errorTextColor;
    *back = view->errorBkColor;
}

HBRUSH VWAPI vwGetViewBackBrush(HVIEW view) { return view->hBackBrush; }

HBRUSH VWAPI vwGetViewSelBackBrush(HVIEW view) {
    return (view->flags & VWF_SELCOLORS) ? view->hSelBrush : view->hBackBrush;
}

void VWAPI vwSetViewBackBrush(HVIEW view, HBRUSH brush) {
    if (!Validate(view)) return;
    if (view->ownsBackBrush && view->hBackBrush) {
        DeleteObject(view->hBackBrush);
        view->ownsBackBrush = 0;
    }
    view->hBackBrush = brush;
}

// ---- application values
ULONG_PTR VWAPI vwGetViewDataHandle(HVIEW view) { return view->dataHandle; }
void VWAPI vwSetViewDataHandle(HVIEW view, ULONG_PTR value) { view->dataHandle = value; }
ULONG_PTR VWAPI vwGetViewLongDataHandle(HVIEW view) { return view->longDataHandle; }
void VWAPI vwSetViewLongDataHandle(HVIEW view, ULONG_PTR value) { view->longDataHandle = value; }
ULONG_PTR VWAPI vwGetSQLViewPtr(HVIEW view) { return view->sqlViewPtr; }
void VWAPI vwSetSQLViewPtr(HVIEW view, ULONG_PTR value) { view->sqlViewPtr = value; }
LONG_PTR VWAPI vwGetViewThisPtr(HVIEW view) { return GetWindowLongPtrA(view->hWnd, VWL_THISPTR); }
void VWAPI vwSetViewThisPtr(HVIEW view, LONG_PTR value) { SetWindowLongPtrA(view->hWnd, VWL_THISPTR, value); }

// ---- state
LONG VWAPI vwIsViewActive(HVIEW view) { return view->active; }
WORD VWAPI vwGetFieldCount(HVIEW view) { return view->fieldCount; }

LONG VWAPI vwGetCurrField(HVIEW view) {
    if (!view->currentField) return 0;
    VWFIELD* f = FieldAt(view, view->currentField);
    return f ? GetWindowLongA(f->hWnd, GWL_ID) : 0;
}

DWORD VWAPI vwGetOKButton(HVIEW view) { return view->okButton; }
WORD VWAPI vwGetCancelButton(HVIEW view) { return static_cast<WORD>(view->cancelButton); }

DWORD VWAPI vwSetOKButton(HVIEW view, DWORD id) { return std::exchange(view->okButton, id); }
DWORD VWAPI vwSetCancelButton(HVIEW view, DWORD id) { return std::exchange(view->cancelButton, id); }

// ---- showing and painting
BOOL VWAPI vwHideView(HVIEW view) {
    if (!Validate(view)) return FALSE;
    return ShowWindow(view->hWnd, SW_HIDE);
}

BOOL VWAPI vwUnhideView(HVIEW view) {
    if (!Validate(view)) return FALSE;
    return view->hWnd ? ShowWindow(view->hWnd, SW_SHOW) : FALSE;
}

void VWAPI vwPaintViewFields(HVIEW view) {
    if (!Validate(view) || !view->hWnd) return;
    for (int n = 1; n <= view->fieldCount; ++n) {
        HWND h = view->fields[n]->hWnd;
        InvalidateRect(h, nullptr, TRUE);
        UpdateWindow(h);
    }
}

WORD VWAPI vwGotoFirstField(HVIEW view) {
    if (!Validate(view)) return 0;
    if (!view->fieldCount) return 0;
    int found = 0;
    for (int n = 1; n <= view->fieldCount && !found; ++n) {
        VWFIELD* f = view->fields[n];
        LONG style = GetWindowLongA(f->hWnd, GWL_STYLE);
        if ((style & WS_TABSTOP) && !(f->flags & VWFF_PROTECTED) && IsWindowEnabled(f->hWnd)) found = n;
    }
    if (found) {
        VWFIELD* f = view->fields[found];
        if (f->dlgCode & DLGC_HASSETSEL) SendMessageA(f->hWnd, EM_SETSEL, 0, 5000);
        if (IsWindowVisible(view->hWnd)) SetFocus(f->hWnd);
    }
    view->currentField = found;
    return static_cast<WORD>(static_cast<BYTE>(view->errorStatus));
}
