// DefEditProc: the default procedure of edit fields.  It filters keystrokes
// by the field's directives ("@NUM", "@ALPHA", "@UP", "@EXCLUDE",
// "@Include", "@AUTOTAB" with "@LIMIT"), exchanges the text with the bound
// character buffer, validates through the companion library and hands DDE,
// drag and help messages to it.
#include "control/filter.h"

#include <dde.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "companion/helio.h"
#include "core/text.hpp"

using namespace ts;

namespace {

// The "@LIMIT" argument, 0 when absent or not a number.
int LimitOf(const std::string& dirs) {
    char arg[HL_KEYWORD_BUFFER] = {};
    return HasDirective(dirs.c_str(), "@LIMIT", arg) ? std::atoi(arg) : 0;
}

void RecomputeFilter(HWND hWnd) {
    const std::string dirs = FieldDirectives(hWnd);
    ResetFilter();
    if (dirs.empty()) return;
    g_filter.rules.numeric = HasDirective(dirs.c_str(), "@NUM");
    g_filter.rules.alpha = HasDirective(dirs.c_str(), "@ALPHA");
    g_filter.rules.upper = HasDirective(dirs.c_str(), "@UP");
    if (core::contains_nocase(dirs, "@AUTOTAB")) {
        g_filter.autoTab = true;
        g_filter.autoTabLength = LimitOf(dirs);
    }
}

// Whether the text plus one more character reaches the right edge.
bool FullByWidth(HWND hWnd, const char* text, const core::KeyChar& c) {
    HDC dc = GetDC(hWnd);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE textSize = {}, charSize = {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &textSize);
    GetTextExtentPoint32A(dc, c.bytes, c.size, &charSize);
    if (old) SelectObject(dc, old);
    ReleaseDC(hWnd, dc);
    RECT rc;
    GetClientRect(hWnd, &rc);
    return textSize.cx + charSize.cx >= rc.right;
}

// WM_CHAR: the keystroke filter.  Only whole characters are judged and
// passed on: the lead byte of a double-byte character waits for its trail
// byte, so auto-tab never counts half a character.
LRESULT OnChar(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    core::KeyChar c = TypedChar(hWnd, wParam);
    if (!c.size) return 0;
    if (c.text() == "\r")
        return (GetWindowLongA(hWnd, GWL_STYLE) & ES_MULTILINE) ? CallClassProc(hWnd, WM_CHAR, '\r', lParam) : 0;
    if (c.text() == "\t") return 0;
    if (IsFilteredCharacter(c)) {
        // "@EXCLUDE" and "@Include" (spelled with this capitalisation) are
        // read from the directive string at every keystroke, into buffers
        // on the stack: this runs for every character typed
        char dirs[256] = "";
        const FieldContext fc = FieldContextOf(hWnd);
        if (fc.view) CopyFieldDirectives(fc.view, fc.id, dirs, sizeof dirs);
        char excluded[HL_KEYWORD_BUFFER], included[HL_KEYWORD_BUFFER];
        excluded[0] = included[0] = '\0';
        const bool hasExclude = dirs[0] && HasDirective(dirs, "@EXCLUDE", excluded);
        const std::size_t inc = std::string_view(dirs).find("@Include");
        const bool hasInclude = inc != std::string_view::npos;
        if (hasInclude) hlGetKeyword(dirs + inc, "@Include", included);
        if (!PassesFilter(c, hasExclude ? std::optional<std::string_view>(excluded) : std::nullopt,
                          hasInclude ? std::optional<std::string_view>(included) : std::nullopt))
            return RejectKey();
    }
    if (g_filter.autoTab) {
        PassChar(hWnd, c, lParam, CallClassProc);
        char text[256] = {};
        GetWindowTextA(hWnd, text, sizeof text);
        const int len = static_cast<int>(std::strlen(text));
        if (g_filter.autoTabLength ? len == g_filter.autoTabLength : FullByWidth(hWnd, text, c)) hlAutoTab(hWnd);
        return 0;
    }
    if (GetPropA(hWnd, "SERVER")) {
        PassChar(hWnd, c, lParam, CallClassProc);
        char text[256] = {};
        GetWindowTextA(hWnd, text, sizeof text);
        hlDdeAdvise(hWnd, text);
        return 0;
    }
    return PassChar(hWnd, c, lParam, CallClassProc);
}

LRESULT OnSetFieldString(HWND hWnd, LPARAM lParam) {
    if (!StoreDirectivesOf(hWnd, lParam)) return 0;
    const std::string dirs = reinterpret_cast<const char*>(lParam);
    FieldContext fc = FieldContextOf(hWnd);
    if (HasDirective(dirs.c_str(), "@PRT")) vwProtectField(fc.view, fc.id);
    if (dirs.find("@CLIENT") != std::string::npos) hlDdeConnect(hWnd, dirs.c_str());
    if (dirs.find("@SERVER") != std::string::npos) hlDdeConnect(hWnd, dirs.c_str());
    MarkDropTarget(hWnd, dirs);
    char arg[HL_KEYWORD_BUFFER] = {};
    if (HasDirective(dirs.c_str(), "@LIMIT", arg)) {
        const int n = std::atoi(arg);
        SendMessageA(hWnd, EM_LIMITTEXT, static_cast<WPARAM>(n), 0);
        vwSetFieldLimit(fc.view, fc.id, n);
    }
    return 0;
}

LRESULT OnAppToScr(HWND hWnd, LPARAM lParam) {
    if (GetPropA(hWnd, "CLIENT")) {
        hlDdeRequest(hWnd);
        return 0;
    }
    if (!lParam) return 0;
    SetWindowTextA(hWnd, reinterpret_cast<const char*>(lParam));
    if (GetPropA(hWnd, "SERVER")) hlDdeAdvise(hWnd, reinterpret_cast<const char*>(lParam));
    return 0;
}

LRESULT OnScrToApp(HWND hWnd, LPARAM lParam) {
    if (!lParam) return 0;
    const int limit = LimitOf(FieldDirectives(hWnd));
    GetWindowTextA(hWnd, reinterpret_cast<char*>(lParam), limit > 0 ? limit + 1 : 80);
    return 0;
}

LRESULT OnValidate(HWND hWnd) {
    char text[160] = {};
    GetWindowTextA(hWnd, text, sizeof text);
    const std::string dirs = FieldDirectives(hWnd);
    return hlValidate(hWnd, 4, text, dirs.c_str(), text) ? 0 : -1;
}

LRESULT OnGetFieldType(HWND hWnd, LPARAM lParam) {
    if (lParam) {
        const std::string dirs = FieldDirectives(hWnd);
        *reinterpret_cast<LONG*>(lParam) = HasDirective(dirs.c_str(), "@LIMIT") ? LimitOf(dirs) : 80;
    }
    return 4;
}

// Edit frames: "@3D" … "@3D4" draw their frame; without one (or with
// "@3D5") the edit gets a sunken system edge one pixel outside its client.
LRESULT EditFrame(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, bool classDone) {
    const std::string dirs = FieldDirectives(hWnd);
    if (core::contains_nocase(dirs, "@3D") && !core::contains_nocase(dirs, "@3D5")) {
        if (!classDone) CallClassProc(hWnd, msg, wParam, lParam);
        PaintFieldFrame(hWnd, FrameStyleOf(dirs.c_str()));  // never 16: "@3D5" is excluded
        return 0;
    }
    if (!IsWindowVisible(hWnd)) return 0;
    HWND parent = GetParent(hWnd);
    if (!parent) return 1;
    if (!classDone) DefWindowProcA(hWnd, msg, wParam, lParam);
    RECT rc;
    GetClientRect(hWnd, &rc);
    MapWindowPoints(hWnd, parent, reinterpret_cast<POINT*>(&rc), 2);
    InflateRect(&rc, 1, 1);
    HDC dc = GetDC(parent);
    DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT);
    ReleaseDC(parent, dc);
    return 0;
}

LRESULT OnNcDestroy(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    if (HasDdeLink(hWnd)) hlDdeTerminate(hWnd);
    CallClassProc(hWnd, WM_NCDESTROY, wParam, lParam);
    if (HANDLE h = RemovePropA(hWnd, "EditHandle")) GlobalFree(h);
    RemoveDragMarks(hWnd);
    return 0;
}

} // namespace

LRESULT CALLBACK DefEditProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETFOCUS:
        RecomputeFilter(hWnd);
        break;
    case WM_NCDESTROY:
        return OnNcDestroy(hWnd, wParam, lParam);
    case WM_PAINT:
        CallClassProc(hWnd, msg, wParam, lParam);
        return EditFrame(hWnd, msg, wParam, lParam, true);
    case WM_NCPAINT:
        return EditFrame(hWnd, msg, wParam, lParam, false);
    case WM_SHOWWINDOW:
        if (!wParam) EraseFieldFrame(hWnd);
        break;
    case WM_GETDLGCODE:
        if (GetWindowLongA(hWnd, GWL_STYLE) & ES_MULTILINE)
            return DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTCHARS | VW_DLGC_FIELD;
        return CallClassProc(hWnd, msg, wParam, lParam) | VW_DLGC_FIELD;
    case WM_KEYDOWN:
        HelpOnF1(hWnd, wParam);
        if ((wParam == VK_DELETE || wParam == VK_BACK) && GetPropA(hWnd, "SERVER")) {
            CallClassProc(hWnd, msg, wParam, lParam);
            char text[160] = {};
            GetWindowTextA(hWnd, text, sizeof text);
            hlDdeAdvise(hWnd, text);
            return 0;
        }
        break;
    case WM_CHAR:
        return OnChar(hWnd, wParam, lParam);
    case WM_MOUSEMOVE:
        hlDragDrop(hWnd, msg, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        if (hlDragDrop(hWnd, msg, wParam, lParam)) return 0;
        break;
    case VWM_SETFIELDSTRING:
        return OnSetFieldString(hWnd, lParam);
    case VWM_APPTOSCR:
        return OnAppToScr(hWnd, lParam);
    case VWM_SCRTOAPP:
        return OnScrToApp(hWnd, lParam);
    case VWM_VALIDATE:
        return OnValidate(hWnd);
    case VWM_GETFIELDTYPE:
        return OnGetFieldType(hWnd, lParam);
    case VWM_DRAG1:
    case VWM_DRAG2:
    case VWM_DRAG3:
        return hlDragDrop(hWnd, msg, wParam, lParam);
    default:
        if (msg >= WM_DDE_FIRST && msg <= WM_DDE_FIRST + 6)
            return hlDdeMessage(hWnd, msg, wParam, lParam, FieldDirectives(hWnd).c_str());
        break;
    }
    return DefFieldMessage(hWnd, msg, wParam, lParam);
}
