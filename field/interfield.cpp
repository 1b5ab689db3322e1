// vwInterFieldProc: the window procedure every field control is subclassed
// with.  It keeps the view's current field, moves between fields with Tab,
// the arrow keys, Enter and Alt+mnemonics while the field being left may
// veto the move, presses OK, Cancel and push buttons from the keyboard,
// scrolls a focused field into view, shows status texts and balloon help
// for the field under the mouse and refuses clicks on protected fields.
// Everything else goes to the application's field procedure, or else to the
// field's default procedure.
#include "view/internal.h"

#include <algorithm>
#include <cstring>

#include "companion/helio.h"
#include "core/text.hpp"
#include "message/balloonhelp.h"

using namespace ts;

namespace {

// Set while the dialog manager moves the focus for a key of ours.
bool g_keyboardMove = false;
MSG g_savedKey = {};
bool g_inMnemonic = false;

struct Context {
    VWVIEW* view;
    VWFIELD* field;
    int n;
    LONG id;
};

LRESULT PassOn(const Context& c, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    VWFIELD* f = c.field;
    if (f && f->fieldProc) return f->fieldProc(hWnd, msg, wParam, lParam);
    if (f && f->defFieldProc) return f->defFieldProc(hWnd, msg, wParam, lParam);
    return CallClassProc(hWnd, msg, wParam, lParam);  // a control that is no field
}

bool AskSpecialKey(VWVIEW* view, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return view->specialKey && view->specialKey(hWnd, msg, wParam, lParam);
}

// A protected field shows the arrow cursor and takes no mouse message.
bool RefuseProtected(const Context& c) {
    if (!c.field || !(c.field->flags & VWFF_PROTECTED)) return false;
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    return true;
}

// Lets the dialog manager move the focus for a saved key message.
bool DialogMove(VWVIEW* view, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    g_savedKey = {hWnd, msg, wParam, lParam, GetTickCount(), {0, 0}};
    g_keyboardMove = true;
    bool handled = IsDialogMessageA(view->hWnd, &g_savedKey) != 0;
    g_keyboardMove = false;
    return handled;
}

// Scrolls the view so that a focused field is inside its client area.
void ScrollIntoView(VWVIEW* view, LONG id) {
    RECT client;
    GetClientRect(view->hWnd, &client);
    if (GetPropA(view->hWnd, "VRNG")) {
        const int y = vwGetFieldYPos(view, id), h = vwGetFieldHeight(view, id);
        const int pos = GetScrollPos(view->hWnd, SB_VERT);
        int minPos = 0, maxPos = 0;
        GetScrollRange(view->hWnd, SB_VERT, &minPos, &maxPos);
        int target = -1;
        if (y + h > client.bottom) target = pos + (y + h - client.bottom) + 2;
        else if (y < 0) target = pos + std::min(y, maxPos) - 2;
        if (target >= 0 || y < 0)
            SendMessageA(view->hWnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(target)), 0);
    }
    if (GetPropA(view->hWnd, "HRNG")) {
        const int x = vwGetFieldXPos(view, id), w = vwGetFieldWidth(view, id);
        const int pos = GetScrollPos(view->hWnd, SB_HORZ);
        int minPos = 0, maxPos = 0;
        GetScrollRange(view->hWnd, SB_HORZ, &minPos, &maxPos);
        if (x + w > client.right)
            SendMessageA(view->hWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(pos + x + w - client.right)), 0);
        else if (x < 0)
            SendMessageA(view->hWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(pos + std::min(x, maxPos))), 0);
    }
}

LRESULT OnSetFocus(const Context& c, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    c.view->currentField = c.n;
    ScrollIntoView(c.view, c.id);
    ShowFieldStatusText(c.view, c.id);
    if (g_keyboardMove && (SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
        SendMessageA(hWnd, EM_SETSEL, 0, 5000);
    return PassOn(c, hWnd, WM_SETFOCUS, wParam, lParam);
}

LRESULT OnKeyDown(const Context& c, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    RemoveErrorBalloon(c.view);
    if (g_keyboardMove) return 0;
    if (AskSpecialKey(c.view, hWnd, WM_KEYDOWN, wParam, lParam)) return 0;
    const bool arrow = wParam >= VK_LEFT && wParam <= VK_DOWN;
    if (wParam == VK_TAB || arrow) {
        const LRESULT code = SendMessageA(hWnd, WM_GETDLGCODE, 0, 0);
        if ((arrow && (code & DLGC_WANTARROWS)) || (!(arrow && (code & DLGC_WANTARROWS)) && (code & DLGC_WANTTAB)))
            return PassOn(c, hWnd, WM_KEYDOWN, wParam, lParam);
        if (CheckFieldOnLeave(c.view, c.id, nullptr, true) == -1) return 0;
        if (DialogMove(c.view, hWnd, WM_KEYDOWN, wParam, lParam)) return 0;
    }
    return PassOn(c, hWnd, WM_KEYDOWN, wParam, lParam);
}

LRESULT OnChar(const Context& c, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    VWVIEW* view = c.view;
    if (AskSpecialKey(view, hWnd, WM_CHAR, wParam, lParam)) return 0;
    if (wParam == VK_ESCAPE && view->cancelButton)
        return SendMessageA(view->hWnd, WM_COMMAND, LOWORD(view->cancelButton), reinterpret_cast<LPARAM>(hWnd));
    if (wParam != VK_RETURN) return PassOn(c, hWnd, WM_CHAR, wParam, lParam);
    char viewString[257] = {};
    vwGetViewString(view, viewString, sizeof viewString - 1);
    if (core::contains_nocase(viewString, "@ENTERKEY")) {
        SendMessageA(hWnd, WM_KEYDOWN, VK_TAB, 0);
        return 0;
    }
    if (!view->okButton) return PassOn(c, hWnd, WM_CHAR, wParam, lParam);
    const WORD code = c.field ? c.field->dlgCode : 0;
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && static_cast<DWORD>(c.id) != view->okButton &&
        IsWindowEnabled(hWnd))
        return SendMessageA(view->hWnd, WM_COMMAND, LOWORD(c.id), reinterpret_cast<LPARAM>(hWnd));
    char cls[16] = {};
    GetClassNameA(hWnd, cls, sizeof cls);
    if (core::equals_nocase(cls, "edit") && IsWindowEnabled(hWnd) && (GetWindowLongA(hWnd, GWL_STYLE) & ES_WANTRETURN))
        return PassOn(c, hWnd, WM_CHAR, wParam, lParam);
    HWND ok = vwGetFieldWindow(view, static_cast<LONG>(view->okButton));
    if (ok && IsWindowEnabled(ok)) {
        SendMessageA(view->hWnd, WM_COMMAND, LOWORD(view->okButton), reinterpret_cast<LPARAM>(ok));
        return 0;
    }
    MessageBeep(0);
    return PassOn(c, hWnd, WM_CHAR, wParam, lParam);
}

// The first '&' letter of a button's "@TXT" or of a text field moves there.
bool MnemonicToField(const Context& c, char typed) {
    VWVIEW* view = c.view;
    if (g_inMnemonic || !view->fieldCount) return false;
    g_inMnemonic = true;
    const char upper = core::ascii_lower(typed);
    bool used = false;
    const int count = view->fieldCount;
    for (int step = 1; step <= count && !used; ++step) {
        const int n = (view->currentField + step - 1) % count + 1;
        if (view->currentField && n == view->currentField) break;
        VWFIELD* f = view->fields[n];
        char cls[16] = {};
        GetClassNameA(f->hWnd, cls, sizeof cls);
        if (!(f->dlgCode & DLGC_BUTTON) || !core::equals_nocase(cls, "button")) continue;
        char dirs[101] = {}, arg[HL_KEYWORD_BUFFER] = {};
        vwGetFieldString(view, f->id, dirs, sizeof dirs - 1);
        if (!dirs[0] || !hlGetKeyword(dirs, "@TXT", arg)) continue;
        const char* amp = std::strchr(arg, '&');
        if (!amp || core::ascii_lower(amp[1]) != upper || (f->flags & VWFF_PROTECTED) || !IsWindowEnabled(f->hWnd))
            continue;
        PostMessageA(f->hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        vwWait(view, 100);
        PostMessageA(f->hWnd, WM_LBUTTONUP, 0, 0);
        used = true;
    }
    for (int t = 1; t <= view->textFieldCount && !used; ++t) {
        VWTEXTFIELD* tf = view->textFields[t];
        if (!tf->mnemonic || core::ascii_lower(tf->mnemonic) != upper || !tf->link) continue;
        VWFIELD* target = FieldAt(view, vwGetFieldFromID(view, tf->link));
        if (!target || target->id != tf->link || !IsWindowEnabled(target->hWnd)) continue;
        if (CheckFieldOnLeave(view, tf->link, nullptr, true) != -1) SetFocus(target->hWnd);
        used = true;
    }
    g_inMnemonic = false;
    return used;
}

LRESULT OnSysChar(const Context& c, HWND hWnd, WPARAM wParam, LPARAM lParam) {
    if (AskSpecialKey(c.view, hWnd, WM_SYSCHAR, wParam, lParam)) return 0;
    if (g_keyboardMove) return 0;
    if (CheckFieldOnLeave(c.view, c.id, nullptr, true) == -1) return 0;
    if (MnemonicToField(c, static_cast<char>(wParam))) return 0;
    if (DialogMove(c.view, hWnd, WM_SYSCHAR, wParam, lParam)) return 0;
    return PassOn(c, hWnd, WM_SYSCHAR, wParam, lParam);
}

// A non-default push button that is clicked becomes the default one.
void MakeDefaultButton(const Context& c, HWND hWnd) {
    if (!(SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) return;
    for (int n = 1; n <= c.view->fieldCount; ++n) {
        VWFIELD* f = c.view->fields[n];
        if (!(SendMessageA(f->hWnd, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) continue;
        SendMessageA(f->hWnd, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        f->dlgCode = static_cast<WORD>((f->dlgCode | DLGC_UNDEFPUSHBUTTON) & ~DLGC_DEFPUSHBUTTON);
    }
    SendMessageA(hWnd, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    if (c.field) c.field->dlgCode = static_cast<WORD>((c.field->dlgCode | DLGC_DEFPUSHBUTTON) & ~DLGC_UNDEFPUSHBUTTON);
}

LRESULT OnLButtonDown(const Context& c, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    VWVIEW* view = c.view;
    OnFieldClick(hWnd);
    if (view->hBalloon) {
        RemoveErrorBalloon(view);
        return 0;
    }
    if (AskSpecialKey(view, hWnd, msg, wParam, lParam)) return 0;
    if (RefuseProtected(c)) return 0;
    MakeDefaultButton(c, hWnd);
    if (view->currentField && view->currentField != c.n && static_cast<DWORD>(c.id) != view->cancelButton &&
        c.id != 998) {
        VWFIELD* cur = FieldAt(view, view->currentField);
        if (cur && CheckFieldOnLeave(view, cur->id, hWnd, true)) return 0;
    }
    return PassOn(c, hWnd, msg, wParam, lParam);
}

} // namespace

LRESULT CALLBACK vwInterFieldProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND parent = GetParent(hWnd);
    VWVIEW* view = parent ? ViewFromWindow(parent) : nullptr;
    // the control of a view window that lost its record is a plain control
    if (!view) return CallClassProc(hWnd, msg, wParam, lParam);
    Context c;
    c.view = view;
    c.n = FieldNumberFromWindow(view, hWnd);
    // a field's record holds the window's identifier; only a control that is
    // no field is asked for it
    c.id = c.n ? view->fields[c.n]->id : GetWindowLongA(hWnd, GWL_ID);
    if (!c.n) c.n = view->currentField;
    c.field = FieldAt(view, c.n);
    g_lib.interFieldView = view;
    g_lib.interFieldWindow = hWnd;

    switch (msg) {
    case WM_SETFOCUS:
        return OnSetFocus(c, hWnd, wParam, lParam);
    case WM_SETCURSOR:
        if (RefuseProtected(c)) return 0;
        break;
    case BM_SETCHECK:
        if (c.field && (c.field->dlgCode & DLGC_RADIOBUTTON) && wParam == 0 &&
            (GetWindowLongA(hWnd, GWL_STYLE) & 0x9) && c.field->var &&  // automatic radio buttons
            *static_cast<LONG*>(c.field->var) == 1)
            *static_cast<LONG*>(c.field->var) = 0;
        break;
    case WM_KEYDOWN:
        return OnKeyDown(c, hWnd, wParam, lParam);
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        g_keyboardMove = false;
        if (AskSpecialKey(view, hWnd, msg, wParam, lParam)) return 0;
        break;
    case WM_CHAR:
        return OnChar(c, hWnd, wParam, lParam);
    case WM_SYSCHAR:
        return OnSysChar(c, hWnd, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return OnLButtonDown(c, hWnd, msg, wParam, lParam);
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        OnFieldClick(hWnd);
        if (AskSpecialKey(view, hWnd, msg, wParam, lParam)) return 0;
        if (RefuseProtected(c)) return 0;
        break;
    case WM_MOUSEMOVE:
        OnFieldMouseMove(view, hWnd, c.id, lParam);
        break;
    case WM_TIMER:
        // started when the mouse left the field's balloon: the field
        // procedures see it once
        if (wParam == VW_TIMER_BALLOON) KillTimer(hWnd, VW_TIMER_BALLOON);
        break;
    case VWM_SETFIELDSTRING:
        if (lParam && core::contains_nocase(reinterpret_cast<const char*>(lParam), "@PRT")) {
            vwProtectField(view, c.id);
            if (core::contains_nocase(reinterpret_cast<const char*>(lParam), "PRT(gray)")) EnableWindow(hWnd, FALSE);
        }
        break;
    default:
        break;
    }
    return PassOn(c, hWnd, msg, wParam, lParam);
}
