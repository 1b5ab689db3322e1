// The accessors of one field: colours and brushes with the view fallback,
// geometry and style, font, visibility, protection, edit state, procedures,
// names and application values.
#include "view/internal.h"

#include <cstring>

#include "core/text.hpp"

using namespace ts;

namespace {

// Every accessor resolves its identifier; one that no field has names the
// last field.  Only an empty view gives null.
VWFIELD* F(HVIEW view, LONG id) { return FieldFromID(view, id); }

bool SelColors(HVIEW view) { return (view->flags & VWF_SELCOLORS) != 0; }

// A colour or brush of the field's own colour record, or the view's when
// the field has none.
template <typename T>
T OwnOrView(HVIEW view, LONG id, T VWFIELDCOLORS::*own, T VWVIEW::*fallback) {
    VWFIELD* f = F(view, id);
    return f && f->colors ? f->colors->*own : view->*fallback;
}

RECT FieldRectInParent(VWFIELD* f) {
    RECT rc = {};
    GetWindowRect(f->hWnd, &rc);
    MapWindowPoints(nullptr, GetParent(f->hWnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

BOOL MoveField(HVIEW view, VWFIELD* f, int x, int y, BOOL redraw) {
    RECT old = FieldRectInParent(f);
    InvalidateRect(view->hWnd, &old, TRUE);
    SetWindowPos(f->hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | (redraw ? 0 : SWP_NOREDRAW));
    return InvalidateRect(f->hWnd, nullptr, TRUE);
}

BOOL SizeField(VWFIELD* f, int cx, int cy, BOOL redraw) {
    return SetWindowPos(f->hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | (redraw ? 0 : SWP_NOREDRAW));
}

void DeleteColorBrushes(VWFIELDCOLORS* c) {
    if (c->hBackBrush) DeleteObject(c->hBackBrush);
    if (c->hSelBackBrush) DeleteObject(c->hSelBackBrush);
    c->hBackBrush = c->hSelBackBrush = nullptr;
}

} // namespace

// ---- colours and brushes
void VWAPI vwSetFieldColors(HVIEW view, LONG id, COLORREF text, COLORREF back, COLORREF selText, COLORREF selBack) {
    VWFIELD* f = F(view, id);
    if (!f) return;
    if (!f->colors) {
        f->colors = static_cast<VWFIELDCOLORS*>(LocalAlloc(LPTR, sizeof(VWFIELDCOLORS)));
        if (!f->colors) return;
    } else {
        DeleteColorBrushes(f->colors);
    }
    f->flags |= VWFF_COLORED;
    VWFIELDCOLORS* c = f->colors;
    c->textColor = text;
    c->bkColor = back;
    c->selTextColor = selText;
    c->selBkColor = selBack;
    c->hSelBackBrush = CreateSolidBrush(selBack);
    c->hBackBrush = CreateSolidBrush(back);
    InvalidateRect(f->hWnd, nullptr, TRUE);
}

void VWAPI vwResetFieldColors(HVIEW view, LONG id) {
    VWFIELD* f = F(view, id);
    if (!f || !f->colors) return;
    DeleteColorBrushes(f->colors);
    LocalFree(f->colors);
    f->colors = nullptr;
    f->flags &= ~VWFF_COLORED;
    InvalidateRect(f->hWnd, nullptr, TRUE);
}

int VWAPI vwGetFieldColors(HVIEW view, LONG id, COLORREF* text, COLORREF* back, COLORREF* selText,
                           COLORREF* selBack) {
    VWFIELD* f = F(view, id);
    if (f && f->colors) {
        *text = f->colors->textColor;
        *back = f->colors->bkColor;
        *selText = f->colors->selTextColor;
        *selBack = f->colors->selBkColor;
        return 1;
    }
    vwGetViewDefColors(view, text, back, selText, selBack);
    return 0;
}

int VWAPI vwIsFieldColored(HVIEW view, LONG id) {
    VWFIELD* f = F(view, id);
    return f && (f->flags & VWFF_COLORED) ? 1 : 0;
}

COLORREF VWAPI vwGetFieldTextColor(HVIEW view, LONG id) {
    return OwnOrView(view, id, &VWFIELDCOLORS::textColor, &VWVIEW::textColor);
}

COLORREF VWAPI vwGetFieldBkColor(HVIEW view, LONG id) {
    return OwnOrView(view, id, &VWFIELDCOLORS::bkColor, &VWVIEW::bkColor);
}

COLORREF VWAPI vwGetFieldSelTextColor(HVIEW view, LONG id) {
    if (!SelColors(view)) return vwGetFieldTextColor(view, id);
    return OwnOrView(view, id, &VWFIELDCOLORS::selTextColor, &VWVIEW::selTextColor);
}

COLORREF VWAPI vwGetFieldSelBkColor(HVIEW view, LONG id) {
    if (!SelColors(view)) return vwGetFieldBkColor(view, id);
    return OwnOrView(view, id, &VWFIELDCOLORS::selBkColor, &VWVIEW::selBkColor);
}

HBRUSH VWAPI vwGetFieldBackBrush(HVIEW view, LONG id) {
    return OwnOrView(view, id, &VWFIELDCOLORS::hBackBrush, &VWVIEW::hBackBrush);
}

HBRUSH VWAPI vwGetFieldSelBackBrush(HVIEW view, LONG id) {
    if (!SelColors(view)) return vwGetFieldBackBrush(view, id);
    return OwnOrView(view, id, &VWFIELDCOLORS::hSelBackBrush, &VWVIEW::hSelBrush);
}

// ---- geometry, style, font, visibility
int VWAPI vwGetFieldXPos(HVIEW view, LONG id) { VWFIELD* f = F(view, id); return f ? FieldRectInParent(f).left : 0; }
int VWAPI vwGetFieldYPos(HVIEW view, LONG id) { VWFIELD* f = F(view, id); return f ? FieldRectInParent(f).top : 0; }

int VWAPI vwGetFieldWidth(HVIEW view, LONG id) {
    VWFIELD* f = F(view, id);
    if (!f) return 0;
    RECT rc;
    GetWindowRect(f->hWnd, &rc);
    return rc.right - rc.left;
}

int VWAPI vwGetFieldHeight(HVIEW view, LONG id) {
    VWFIELD* f = F(view, id);
    if (!f) return 0;
    RECT rc;
    GetWindowRect(f->hWnd, &rc);
    return rc.bottom - rc.top;
}

BOOL VWAPI vwSetFieldXPos(HVIEW view, LONG id, int x, BOOL redraw) {
    VWFIELD* f = F(view, id);
    return f ? MoveField(view, f, x, FieldRectInParent(f).top, redraw) : FALSE;
}

BOOL VWAPI vwSetFieldYPos(HVIEW view, LONG id, int y, BOOL redraw) {
    VWFIELD* f = F(view, id);
    return f ? MoveField(view, f, FieldRectInParent(f).left, y, redraw) : FALSE;
}

BOOL VWAPI vwSetFieldWidth(HVIEW view, LONG id, int cx, BOOL redraw) {
    VWFIELD* f = F(view, id);
    return f ? SizeField(f, cx, vwGetFieldHeight(view, id), redraw) : FALSE;
}

BOOL VWAPI vwSetFieldHeight(HVIEW view, LONG id, int cy, BOOL redraw) {
    VWFIELD* f = F(view, id);
    return f ? SizeField(f, vwGetFieldWidth(view, id), cy, redraw) : FALSE;
}

DWORD VWAPI vwGetFieldStyle(HVIEW view, LONG id) {
    VWFIELD* f = F(view, id);
    return f ? static_cast<DWORD>(GetWindowLongA(f->hWnd, GWL_STYLE)) : 0;
}

DWORD VWAPI vwSetFieldStyle(HVIEW view, LONG id, DWORD style, BOOL redraw) {
    VWFIELD* f = F(view, id);
    if (!f) return 0;
    DWORD old = static_cast<DWORD>(SetWindowLongA(f->hWnd, GWL_STYLE, static_cast<LONG>(style)));
    if (redraw) return SetWindowPos(f->hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    return old;
}

HFONT VWAPI vwSetFieldFont(HVIEW view, LONG id, HFONT hFont) {
    VWFIELD* f = F(view, id);
    if (!f) return nullptr;
    HFONT old = f->hFont;
    if (old && (f->flags & VWFF_OWNFONT)) {
        DeleteObject(old);
        f->flags &= ~VWFF_OWNFONT;
    }
    f->hFont = hFont;
    if (view->hWnd) SendMessageA(f->hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    return old;
}

int VWAPI vwHideField(HVIEW view, LONG id) {
    int n = vwGetFieldFromID(view, id);
    if (!view->hWnd || !n) return n;
    return ShowWindow(view->fields[n]->hWnd, SW_HIDE);
}

int VWAPI vwUnhideField(HVIEW view, LONG id) {
    int n = vwGetFieldFromID(view, id);
    if (!view->hWnd || !n) return n;
    return ShowWindow(view->fields[n]->hWnd, SW_SHOW);
}

int VWAPI vwPaintField(HVIEW view, LONG id) {
    int n = vwGetFieldFromID(view, id);
    if (!view->hWnd || !n) return n;
    HWND h = view->fields[n]->hWnd;
    InvalidateRect(h, nullptr, TRUE);
    return UpdateWindow(h);
}

// ---- protection and edit state
DWORD VWAPI vwProtectField(HVIEW view, LONG id) {
    VWFIELD* f = F(view, id);
    if (!f) return 0;
    f->flags |= VWFF_PROTECTED;
    LONG style = GetWindowLongA(f->hWnd, GWL_STYLE);
    SetWindowLongA(f->hWnd, GWL_STYLE, style & ~WS_TABSTOP);
    return static_cast<DWORD>(style);
}

DWORD VWAPI vwUnprotectField(HVIEW view, LONG id) {
    VWFIELD* f = F(view, id);
    if (!f) return 0;
    f->flags &= ~VWFF_PROTECTED;
    EnableWindow(f->hWnd, TRUE);
    LONG style = GetWindowLongA(f->hWnd, GWL_STYLE);
    SetWindowLongA(f->hWnd, GWL_STYLE, style | WS_TABSTOP);
    return static_cast<DWORD>(style);
}

int VWAPI vwIsFieldProtected(HVIEW view, LONG id) {
    VWFIELD* f = F(view, id);
    return f && (f->flags & VWFF_PROTECTED) ? 1 : 0;
}

LRESULT VWAPI vwGetFieldModified(HVIEW view, LONG id) {
    return SendDlgItemMessageA(view->hWnd, static_cast<int>(id), EM_GETMODIFY, 0, 0);
}

LRESULT VWAPI vwSetFieldModified(HVIEW view, LONG id, BOOL modified) {
    return SendDlgItemMessageA(view->hWnd, static_cast<int>(id), EM_SETMODIFY, static_cast<WPARAM>(modified), 0);
}

LRESULT VWAPI vwSetFieldLimit(HVIEW view, LONG id, int limit) {
    VWFIELD* f = F(view, id);
    return f ? SendMessageA(f->hWnd, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0) : 0;
}

LRESULT VWAPI vwGetFieldLimit(HVIEW view, LONG id) {
    VWFIELD* f = F(view, id);
    return f ? SendMessageA(f->hWnd, VWM_GETLIMIT, 0, 0) : 0;
}

// ---- procedures, dialog code, application values
void VWAPI vwSetFieldProc(HVIEW view, LONG id, WNDPROC proc) { if (VWFIELD* f = F(view, id)) f->fieldProc = proc; }
WNDPROC VWAPI vwGetFieldProc(HVIEW view, LONG id) { VWFIELD* f = F(view, id); return f ? f->fieldProc : nullptr; }
void VWAPI vwSetDefFieldProc(HVIEW view, LONG id, WNDPROC proc) { if (VWFIELD* f = F(view, id)) f->defFieldProc = proc; }
WNDPROC VWAPI vwGetDefFieldProc(HVIEW view, LONG id) { VWFIELD* f = F(view, id); return f ? f->defFieldProc : nullptr; }
void VWAPI vwSetFieldDlgCode(HVIEW view, LONG id, WORD code) { if (VWFIELD* f = F(view, id)) f->dlgCode = code; }
WORD VWAPI vwGetFieldDlgCode(HVIEW view, LONG id) { VWFIELD* f = F(view, id); return f ? f->dlgCode : 0; }
void VWAPI vwSetFieldVar(HVIEW view, LONG id, void* var) { if (VWFIELD* f = F(view, id)) f->var = var; }
void* VWAPI vwGetFieldVar(HVIEW view, LONG id) { VWFIELD* f = F(view, id); return f ? f->var : nullptr; }
void VWAPI vwSetFieldSQLPtr(HVIEW view, LONG id, ULONG_PTR value) { if (VWFIELD* f = F(view, id)) f->sqlPtr = value; }
ULONG_PTR VWAPI vwGetFieldSQLPtr(HVIEW view, LONG id) { VWFIELD* f = F(view, id); return f ? f->sqlPtr : 0; }

// ---- names and SQL variables (one slot serves both)
LPSTR VWAPI vwSetFieldName(HVIEW view, LONG id, LPCSTR name) {
    VWFIELD* f = F(view, id);
    if (!f) return nullptr;
    if (f->name) LocalFree(f->name);
    f->name = nullptr;
    if (!name) return nullptr;
    std::size_t n = std::strlen(name);
    f->name = static_cast<char*>(LocalAlloc(LPTR, n + 1));
    if (f->name) std::memcpy(f->name, name, n + 1);
    return f->name;
}

LPSTR VWAPI vwSetSQLVar(HVIEW view, LONG id, void* var, LPCSTR name) {
    if (var) vwSetFieldVar(view, id, var);
    return vwSetFieldName(view, id, name);
}

LPSTR VWAPI vwGetFieldName(HVIEW view, LONG id) { VWFIELD* f = F(view, id); return f ? f->name : nullptr; }
LPSTR VWAPI vwGetSQLVarName(HVIEW view, LONG id) { return vwGetFieldName(view, id); }

int VWAPI vwGetFieldNameFromID(HVIEW view, LONG id, LPSTR buffer, int size) {
    if (!buffer) return 0;
    buffer[0] = '\0';
    VWFIELD* f = F(view, id);
    if (!f || !f->name) return 0;
    // the buffer holds size characters and a terminator
    if (size > 0) core::copy_bounded(buffer, static_cast<std::size_t>(size) + 1, f->name);
    return 1;
}

namespace {
VWFIELD* FieldByName(HVIEW view, LPCSTR name) {
    if (!name) return nullptr;
    for (int n = 1; n <= view->fieldCount; ++n) {
        VWFIELD* f = view->fields[n];
        if (f->name && std::strcmp(f->name, name) == 0) return f;
    }
    return nullptr;
}
} // namespace

LONG VWAPI vwGetFieldIDFromName(HVIEW view, LPCSTR name) { VWFIELD* f = FieldByName(view, name); return f ? f->id : 0; }
LONG VWAPI vwGetSQLVarId(HVIEW view, LPCSTR name) { return vwGetFieldIDFromName(view, name); }
HWND VWAPI vwGetSQLVarWnd(HVIEW view, LPCSTR name) { VWFIELD* f = FieldByName(view, name); return f ? f->hWnd : nullptr; }
