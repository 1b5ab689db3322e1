// Text fields: labels the view draws on its own client area.
#include "view/internal.h"

#include <cstring>

#include "core/text.hpp"

namespace ts {
namespace {

VWTEXTFIELD* TF(VWVIEW* view, int n) {
    return (n >= 1 && n <= view->textFieldCount) ? view->textFields[n] : nullptr;
}

// Removes the first '&' and remembers the character after it.
void TakeMnemonic(VWTEXTFIELD* t, char* text) {
    t->mnemonic = 0;
    t->mnemonicPos = 0;
    if (char* amp = std::strchr(text, '&')) {
        t->mnemonic = amp[1];
        t->mnemonicPos = static_cast<BYTE>(amp - text);
        std::memmove(amp, amp + 1, std::strlen(amp + 1) + 1);
    }
}

char* CopyText(const char* text) {
    std::size_t n = std::strlen(text);
    char* copy = static_cast<char*>(LocalAlloc(LPTR, n + 1));
    if (copy) std::memcpy(copy, text, n + 1);
    return copy;
}

} // namespace

void TextFieldRect(VWVIEW* view, int n, RECT* rc) {
    *rc = {};
    VWTEXTFIELD* t = TF(view, n);
    if (!t || !view->hWnd) return;
    WindowDC dc(view->hWnd);
    HFONT font = t->hFont ? t->hFont : reinterpret_cast<HFONT>(GetWindowLongPtrA(view->hWnd, VWL_FONT));
    SelectGuard sel(dc, font);
    SIZE ext = {};
    const char* text = t->text ? t->text : "";
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &ext);
    RECT client;
    GetClientRect(view->hWnd, &client);
    rc->left = t->x == -1 ? (client.right - ext.cx) / 2 : t->x;
    rc->top = t->y == -1 ? (client.bottom - ext.cy) / 2 : t->y;
    rc->right = rc->left + ext.cx;
    rc->bottom = rc->top + ext.cy;
}

void InvalidateTextField(VWVIEW* view, int n) {
    RECT rc;
    TextFieldRect(view, n, &rc);
    rc.right += 2;
    rc.bottom += 2;
    InvalidateRect(view->hWnd, &rc, TRUE);
}

} // namespace ts

using namespace ts;

int VWAPI vwSetTextField(HVIEW view, int x, int y, LPCSTR text, HFONT hFont) {
    if (!vwIsView(view)) return ReportApplicationError();
    char work[256];
    core::copy_bounded(work, sizeof work, text ? text : "");
    if (view->textFieldCount >= VW_MAXTEXTFIELDS) {
        ShowSystemErrorBox(view->hWnd, "Tessarine unable to allocate additional text field");
        return 0;
    }
    int n = ++view->textFieldCount;
    auto* t = static_cast<VWTEXTFIELD*>(LocalAlloc(LPTR, sizeof(VWTEXTFIELD)));
    if (!t) {
        --view->textFieldCount;
        return 0;
    }
    view->textFields[n] = t;
    LONG r[4] = {x, y, 0, 0};
    vwMapDialogToScreen(view->hWnd, r);
    t->x = (x == -1 || x == 0xFFFF) ? -1 : r[0];
    t->y = (y == -1 || y == 0xFFFF) ? -1 : r[1];
    t->hFont = hFont;
    TakeMnemonic(t, work);
    t->text = CopyText(work);
    if (!t->text) return 0;
    return n;
}

int VWAPI vwDeleteTextField(HVIEW view, int n) {
    VWTEXTFIELD* t = TF(view, n);
    if (!t) return 1;
    if (t->text) LocalFree(t->text);
    LocalFree(t);
    for (int i = n; i < view->textFieldCount; ++i) view->textFields[i] = view->textFields[i + 1];
    view->textFields[view->textFieldCount] = nullptr;
    --view->textFieldCount;
    return 1;
}

WORD VWAPI vwGetTextFieldCount(HVIEW view) { return view->textFieldCount; }

LONG_PTR VWAPI vwSetTextFieldText(HVIEW view, int n, LPCSTR text) {
    VWTEXTFIELD* t = TF(view, n);
    if (!t) return 0;
    char work[255];
    core::copy_bounded(work, sizeof work, text ? text : "");
    if (view->hWnd) InvalidateTextField(view, n);
    if (t->text) LocalFree(t->text);
    TakeMnemonic(t, work);
    t->text = CopyText(work);
    if (!t->text) return 0;
    if (view->hWnd) {
        InvalidateTextField(view, n);
        return UpdateWindow(view->hWnd);
    }
    return reinterpret_cast<LONG_PTR>(t->text);
}

void VWAPI vwGetTextFieldText(HVIEW view, int n, LPSTR buffer, int size) {
    VWTEXTFIELD* t = TF(view, n);
    if (!buffer) return;
    buffer[0] = '\0';
    if (!t || !t->text || size <= 0) return;
    // `size` counts characters of the stored text: the buffer holds them, the
    // '&' put back in front of the mnemonic character, and a terminator
    const std::string_view text = std::string_view(t->text).substr(0, static_cast<std::size_t>(size));
    const std::size_t pos = t->mnemonicPos;
    if (!t->mnemonic || pos >= text.size()) {
        core::copy_bounded(buffer, text.size() + 1, text);
        return;
    }
    std::memcpy(buffer, text.data(), pos);
    buffer[pos] = '&';
    core::copy_bounded(buffer + pos + 1, text.size() - pos + 1, text.substr(pos));
}

void VWAPI vwSetTextFieldColors(HVIEW view, int n, COLORREF text, COLORREF back) {
    if (VWTEXTFIELD* t = TF(view, n)) {
        t->textColor = text;
        t->bkColor = back;
        t->hasColors = 1;
    }
}

int VWAPI vwGetTextFieldColors(HVIEW view, int n, COLORREF* text, COLORREF* back) {
    VWTEXTFIELD* t = TF(view, n);
    if (t && t->hasColors) {
        *text = t->textColor;
        *back = t->bkColor;
        return 1;
    }
    *text = view->textColor;
    *back = view->bkColor;
    return 0;
}

HFONT VWAPI vwSetTextFieldFont(HVIEW view, int n, HFONT hFont) {
    VWTEXTFIELD* t = TF(view, n);
    if (!t) return nullptr;
    if (t->hFont && t->ownsFont) {
        DeleteObject(t->hFont);
        t->ownsFont = 0;
    }
    t->hFont = hFont;
    return hFont;
}

HFONT VWAPI vwGetTextFieldFont(HVIEW view, int n) { VWTEXTFIELD* t = TF(view, n); return t ? t->hFont : nullptr; }
void VWAPI vwSetTextFieldLink(HVIEW view, int n, LONG id) { if (VWTEXTFIELD* t = TF(view, n)) t->link = id; }
LONG VWAPI vwGetTextFieldLink(HVIEW view, int n) { VWTEXTFIELD* t = TF(view, n); return t ? t->link : 0; }
void VWAPI vwSetTextFieldXPos(HVIEW view, int n, int x) { if (VWTEXTFIELD* t = TF(view, n)) t->x = x; }
void VWAPI vwSetTextFieldYPos(HVIEW view, int n, int y) { if (VWTEXTFIELD* t = TF(view, n)) t->y = y; }
int VWAPI vwGetTextFieldXPos(HVIEW view, int n) { VWTEXTFIELD* t = TF(view, n); return t ? t->x : 0; }
int VWAPI vwGetTextFieldYPos(HVIEW view, int n) { VWTEXTFIELD* t = TF(view, n); return t ? t->y : 0; }

int VWAPI vwHideTextField(HVIEW view, int n, BOOL redraw) {
    VWTEXTFIELD* t = TF(view, n);
    if (!t) return 1;
    t->hidden = 1;
    if (view->hWnd && redraw) {
        RECT rc;
        TextFieldRect(view, n, &rc);
        InvalidateRect(view->hWnd, &rc, TRUE);
        UpdateWindow(view->hWnd);
    }
    return 1;
}

int VWAPI vwUnhideTextField(HVIEW view, int n, BOOL redraw) {
    VWTEXTFIELD* t = TF(view, n);
    if (!t) return -1;
    signed char was = t->hidden;
    t->hidden = 0;
    if (view->hWnd && redraw) InvalidateTextField(view, n);
    return ~was;
}
