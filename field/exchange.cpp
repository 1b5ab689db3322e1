// Moving values between application variables and fields, dropped text,
// and the string-editing helpers of input handling.
#include "view/internal.h"

#include <cstring>
#include <string>

#include "core/text.hpp"

namespace ts {
namespace {

enum class Kind { Radio, Button, Other };

Kind KindOf(const VWFIELD* f) {
    if (f->dlgCode & DLGC_RADIOBUTTON) return Kind::Radio;
    if (f->dlgCode & DLGC_BUTTON) return Kind::Button;
    return Kind::Other;
}

LONG& IntVar(VWFIELD* f) { return *static_cast<LONG*>(f->var); }

bool IsChecked(VWFIELD* f) { return SendMessageA(f->hWnd, BM_GETCHECK, 0, 0) != 0; }

bool Validate(HVIEW view) {
    if (vwIsView(view)) return true;
    ReportApplicationError();
    return false;
}

// A field number of the view that has a window and fields to exchange.
int ResolveWithWindow(HVIEW view, LONG id) {
    if (!view->hWnd) return 0;
    return vwGetFieldFromID(view, id);
}

} // namespace

} // namespace ts

using namespace ts;

void VWAPI vwDoAppToScr(HVIEW view, LONG id) {
    VWFIELD* f = FieldAt(view, ResolveWithWindow(view, id));
    if (!f) return;
    switch (KindOf(f)) {
    case Kind::Radio:
        if (f->var && (IntVar(f) == 1 || IntVar(f) == id)) CheckDlgButton(view->hWnd, id, BST_CHECKED);
        break;
    case Kind::Button:
        if (f->var) SendMessageA(f->hWnd, BM_SETCHECK, IntVar(f) ? 1 : 0, 0);
        break;
    case Kind::Other:
        SendMessageA(f->hWnd, VWM_APPTOSCR, 0, reinterpret_cast<LPARAM>(f->var));
        break;
    }
    InvalidateRect(f->hWnd, nullptr, TRUE);
}

void VWAPI vwDoScrToApp(HVIEW view, LONG id) {
    const int n = ResolveWithWindow(view, id);
    VWFIELD* f = FieldAt(view, n);
    if (!f) return;
    switch (KindOf(f)) {
    case Kind::Radio: {
        if (!f->var || !IsChecked(f)) break;
        // a group shares its variable with a neighbour: store the identifier
        VWFIELD* next = FieldAt(view, n + 1);
        VWFIELD* prev = FieldAt(view, n - 1);
        bool group = (next && next->var == f->var) || (prev && prev->var == f->var);
        IntVar(f) = group ? id : 1;
        break;
    }
    case Kind::Button:
        if (f->var) IntVar(f) = static_cast<LONG>(SendMessageA(f->hWnd, BM_GETCHECK, 0, 0));
        break;
    case Kind::Other:
        SendMessageA(f->hWnd, VWM_SCRTOAPP, 0, reinterpret_cast<LPARAM>(f->var));
        break;
    }
}

void VWAPI vwUpdateScreen(HVIEW view) {
    if (!Validate(view) || !view->hWnd || !view->fieldCount) return;
    for (int n = 1; n <= view->fieldCount; ++n) {
        VWFIELD* f = view->fields[n];
        if (!f->var) continue;
        switch (KindOf(f)) {
        case Kind::Radio: {
            LONG v = IntVar(f);
            bool on = v == 1 || v == GetWindowLongA(f->hWnd, GWL_ID);
            SendMessageA(f->hWnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        }
        case Kind::Button:
            SendMessageA(f->hWnd, BM_SETCHECK, IntVar(f) ? 1 : 0, 0);
            break;
        case Kind::Other:
            SendMessageA(f->hWnd, VWM_APPTOSCR, 0, reinterpret_cast<LPARAM>(f->var));
            InvalidateRect(f->hWnd, nullptr, TRUE);
            break;
        }
    }
    UpdateWindow(view->hWnd);
}

void VWAPI vwUpdateApp(HVIEW view) {
    if (!Validate(view) || !view->hWnd || !view->fieldCount) return;
    for (int n = 1; n <= view->fieldCount; ++n) {
        VWFIELD* f = view->fields[n];
        if (!f->var) continue;
        switch (KindOf(f)) {
        case Kind::Radio:
            if (IsChecked(f)) IntVar(f) = GetWindowLongA(f->hWnd, GWL_ID);
            break;
        case Kind::Button:
            IntVar(f) = static_cast<LONG>(SendMessageA(f->hWnd, BM_GETCHECK, 0, 0));
            break;
        case Kind::Other:
            SendMessageA(f->hWnd, VWM_SCRTOAPP, 0, reinterpret_cast<LPARAM>(f->var));
            break;
        }
    }
}

int VWAPI vwGetViewDropData(HVIEW view, LPSTR buffer, LPSTR nameBuffer, int size) {
    if (!view->hDropData) return 0;
    if (!buffer) return 1;
    if (const void* p = GlobalLock(view->hDropData)) {
        if (size > 0) std::memcpy(buffer, p, static_cast<std::size_t>(size));
        GlobalUnlock(view->hDropData);
    }
    if (nameBuffer) core::copy_bounded(nameBuffer, sizeof view->dropName, view->dropName);
    return 1;
}

namespace {

// Puts the dropped items into a list: appended, or inserted from the row
// under the cursor on.  Lists insert; empty items vanish.
void DropOnList(HWND list, char* text) {
    LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(list, &pt);
    LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    LRESULT row = top + (height > 0 && pt.y > 0 ? pt.y / height : 0);
    if (row > count) row = count;
    for (char* item = text; item && *item;) {
        char* end = std::strchr(item, '\n');
        if (end) *end = '\0';
        if (*item) SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(row++), reinterpret_cast<LPARAM>(item));
        if (end) *end = '\n';
        item = end ? end + 1 : nullptr;
    }
    SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

void RemoveLineFeeds(char* text, bool toBlanks) {
    char* out = text;
    for (char* p = text; *p; ++p) {
        if (*p != '\n') *out++ = *p;
        else if (toBlanks) *out++ = ' ';
    }
    *out = '\0';
}

} // namespace

int VWAPI vwUpdateFromViewData(HVIEW target, HVIEW source, LONG id) {
    if (!source->hDropData) return 0;
    if (id == 0) return 1;
    HWND control = vwGetFieldWindow(target, id);
    char cls[80] = {};
    GetClassNameA(control, cls, sizeof cls);
    if (source->dropKind != 1) return 1;
    char* text = static_cast<char*>(GlobalLock(source->hDropData));
    if (!text) return 1;
    const std::string_view c = cls;
    if (core::equals_nocase(c, "edit")) {
        const bool multiLine = (GetWindowLongA(control, GWL_STYLE) & ES_MULTILINE) != 0;
        if (!multiLine) RemoveLineFeeds(text, true);
        if (multiLine) SetWindowTextA(control, text);
        else SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    } else if (core::starts_with_nocase(c, "tsstring") || core::starts_with_nocase(c, "tsreal") ||
               core::starts_with_nocase(c, "tsnumeric") || core::starts_with_nocase(c, "tsdate") ||
               core::starts_with_nocase(c, "tscurrency")) {
        RemoveLineFeeds(text, false);
        if (SendMessageA(control, EM_GETSEL, 0, 0)) SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
        else SetWindowTextA(control, text);
    } else if (core::equals_nocase(c, "listbox") || core::equals_nocase(c, "tsTable32")) {
        DropOnList(control, text);
    }
    GlobalUnlock(source->hDropData);
    return 1;
}

int VWAPI vwOverWriteChar(LPSTR string, char c, int pos) {
    const int len = static_cast<int>(std::strlen(string));
    if (pos < 0 || pos > len) return 0;
    char old = string[pos];
    string[pos] = c;
    if (pos == len) string[pos + 1] = '\0';
    return static_cast<unsigned char>(old);
}

int VWAPI vwDeleteChar(LPSTR string, int pos) {
    const int len = static_cast<int>(std::strlen(string));
    if (pos < 0 || pos >= len) return 0;
    char old = string[pos];
    std::memmove(string + pos, string + pos + 1, static_cast<std::size_t>(len - pos));
    return static_cast<unsigned char>(old);
}

LPSTR VWAPI vwInsertChar(LPSTR string, char c, int pos) {
    const int len = static_cast<int>(std::strlen(string));
    if (pos < 0 || pos > len || len >= 999) return string;
    std::memmove(string + pos + 1, string + pos, static_cast<std::size_t>(len - pos) + 1);
    string[pos] = c;
    return string;
}
