// Command notifications the view window procedure serves itself: list and
// combo boxes (bound variables, "SERVER" links, directory lists, "@DBLCLK")
// and buttons ("@PROG", "@HELP" on button 998, bound push buttons).
#include "view/internal.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "companion/helio.h"
#include "core/directives.hpp"
#include "core/text.hpp"

namespace ts {
namespace {

// The directive string of a field, as the field answers it.
std::string FieldDirectives(HWND control) {
    char buf[256] = {};
    SendMessageA(control, VWM_GETFIELDSTRING, sizeof buf - 1, reinterpret_cast<LPARAM>(buf));
    return buf;
}

// The number of the field with this control identifier; 0 when none has it.
int FieldWithId(VWVIEW* view, LONG id) {
    for (int n = 1; n <= view->fieldCount; ++n)
        if (view->fields[n]->id == id) return n;
    return 0;
}

struct DirList {
    std::string spec = "*.*";
    int staticId = 0;
    UINT attributes = 0;
};

// "DIRLST" holds up to three parts: file specification, the static control
// that shows the path, and a hexadecimal attribute mask.
DirList ParseDirList(HWND view, const char* argument) {
    DirList d;
    std::vector<std::string_view> parts = core::split_arguments(argument);
    if (parts.size() > 0 && !parts[0].empty()) d.spec = std::string(parts[0]);
    if (parts.size() > 1 && !parts[1].empty()) d.staticId = std::atoi(std::string(parts[1]).c_str());
    if (parts.size() > 2 && !parts[2].empty())
        d.attributes = static_cast<UINT>(std::strtoul(std::string(parts[2]).c_str(), nullptr, 16));
    if (d.staticId && !GetDlgItem(view, d.staticId)) d.staticId = 0;
    return d;
}

// A double-clicked directory or drive is entered: the list is filled again.
void DirectoryStep(HWND view, int listId, const std::string& dirs, bool combo) {
    if (!core::contains_nocase(dirs, "@DIRLST")) return;
    char arg[HL_KEYWORD_BUFFER] = {};
    if (!hlGetKeyword(dirs.c_str(), "DIRLST", arg)) return;
    DirList d = ParseDirList(view, arg);
    char path[256 + MAX_PATH] = {};
    BOOL isDir = combo ? DlgDirSelectComboBoxExA(view, path, 256, listId) : DlgDirSelectExA(view, path, 256, listId);
    if (!isDir) return;
    core::copy_bounded(path + std::strlen(path), sizeof path - std::strlen(path), d.spec);
    if (combo) DlgDirListComboBoxA(view, path, listId, d.staticId, d.attributes);
    else DlgDirListA(view, path, listId, d.staticId, d.attributes);
}

// The text of a list item, measured before it is read; false when the
// control refuses either step.  An item of a list without strings answers
// its data, which takes the room of a pointer.
bool ReadItemText(HWND control, UINT getLength, UINT getText, WPARAM index, std::string& text) {
    const LRESULT length = SendMessageA(control, getLength, index, 0);
    if (length < 0) return false;
    text.assign(std::max<std::size_t>(static_cast<std::size_t>(length), sizeof(ULONG_PTR)) + 1, '\0');
    if (SendMessageA(control, getText, index, reinterpret_cast<LPARAM>(text.data())) == -1) return false;
    text.resize(std::strlen(text.c_str()));
    return true;
}

// A "SERVER" list tells its linked clients the newly selected text.
void AdviseSelection(HWND control, UINT getCurSel, UINT getLength, UINT getText) {
    if (!GetPropA(control, "SERVER")) return;
    g_lib.lastSelection = SendMessageA(control, getCurSel, 0, 0);
    if (g_lib.lastSelection == -1) return;
    std::string text;
    if (ReadItemText(control, getLength, getText, static_cast<WPARAM>(g_lib.lastSelection), text))
        hlDdeAdvise(control, text.c_str());
}

bool ServeList(VWVIEW* view, HWND hWnd, HWND control, int n, WPARAM wParam, LRESULT* result) {
    const LONG id = LOWORD(wParam);
    if (n) vwDoScrToApp(view, id);
    switch (HIWORD(wParam)) {
    case LBN_SELCHANGE:
        AdviseSelection(control, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT);
        break;
    case LBN_DBLCLK: {
        const std::string dirs = FieldDirectives(control);
        DirectoryStep(hWnd, id, dirs, false);
        if (core::contains_nocase(dirs, "@DBLCLK")) {
            *result = SendMessageA(control, WM_CHAR, VK_RETURN, 0);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

void ServeCombo(VWVIEW* view, HWND hWnd, HWND control, int n, WPARAM wParam) {
    const LONG id = LOWORD(wParam);
    switch (HIWORD(wParam)) {
    case CBN_EDITCHANGE:
        if (GetPropA(control, "SERVER")) {
            char text[256] = {};
            if (SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)) != -1)
                hlDdeAdvise(control, text);
        }
        break;
    case CBN_SELCHANGE:
        if (n) vwDoScrToApp(view, id);
        AdviseSelection(control, CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT);
        DirectoryStep(hWnd, id, FieldDirectives(control), true);
        break;
    default:
        break;
    }
}

bool ServeButton(VWVIEW* view, HWND hWnd, HWND control, int n, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    VWFIELD* f = FieldAt(view, n);
    const WORD code = HIWORD(wParam);
    if (!f || !(f->dlgCode & (DLGC_BUTTON | DLGC_RADIOBUTTON)) || (code != BN_CLICKED && code != BN_DOUBLECLICKED))
        return false;
    const LONG type = GetWindowLongA(control, GWL_STYLE) & 0x0F;
    const std::string dirs = FieldDirectives(control);
    const bool prog = HasDirective(dirs.c_str(), "@PROG");
    if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) {
        vwDoScrToApp(view, LOWORD(wParam));
        if (prog) hlRunProgram(hWnd, dirs.c_str());
        return false;
    }
    if (f->var) *static_cast<LONG*>(f->var) = static_cast<LONG>(wParam);
    // picture buttons are drawn released again
    if (HasDirective(dirs.c_str(), "@BITMAP") || HasDirective(dirs.c_str(), "@ICON")) DefButtonProc(control, WM_LBUTTONUP, wParam, lParam);
    if (LOWORD(wParam) == 998 && core::contains_nocase(dirs, "@HELP")) hlShowHelp(control, dirs.c_str());
    if (view->flags & VWF_FILTERMODE) {
        // the application sees the click first; the default procedure never does
        *result = view->viewProc ? view->viewProc(hWnd, WM_COMMAND, wParam, lParam) : 0;
        if (prog) hlRunProgram(hWnd, dirs.c_str());
        return true;
    }
    if (prog) hlRunProgram(hWnd, dirs.c_str());
    return false;
}

} // namespace

bool ServeFieldCommand(VWVIEW* view, HWND hWnd, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!control || !IsWindow(control)) return false;
    const int n = FieldWithId(view, LOWORD(wParam));
    char cls[31] = {};
    GetClassNameA(control, cls, sizeof cls);
    const std::string_view c = cls;
    if (core::equals_nocase(c, "listbox") || core::equals_nocase(c, "tsTable32"))
        return ServeList(view, hWnd, control, n, wParam, result);
    if (core::equals_nocase(c, "combobox") || core::starts_with_nocase(c, "tscbtable")) {
        ServeCombo(view, hWnd, control, n, wParam);
        return false;
    }
    return ServeButton(view, hWnd, control, n, wParam, lParam, result);
}

} // namespace ts
