// ComboSubProc: the procedure of the edit child of a combo box field.  It
// filters typing like an edit field ("@NUM", "@EXCLUDE", "@ALPHA", "@UP";
// no "@Include" and no auto-tab) and hands the navigation keys to the
// combo box, whose field procedures decide what they mean.  Everything
// else goes to the procedure the edit child had before.
#include "control/filter.h"

#include "companion/helio.h"

using namespace ts;

namespace {

// Sending a key to the combo box can bring it straight back here.
struct Reentry {
    bool keyDown = false, enter = false, escape = false;
} g_reentry;

LRESULT EditProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!g_lib.comboEditProc) return DefWindowProcA(hWnd, msg, wParam, lParam);
    return CallWindowProcA(g_lib.comboEditProc, hWnd, msg, wParam, lParam);
}

bool SpecialKeyConsumes(HWND combo, UINT msg, WPARAM wParam, LPARAM lParam) {
    VWVIEW* view = FieldContextOf(combo).view;
    return view && view->specialKey && view->specialKey(combo, msg, wParam, lParam);
}

void OnSetFocus(HWND combo) {
    g_reentry.keyDown = false;
    char dirs[256] = {};
    FieldContext fc = FieldContextOf(combo);
    if (fc.view) CopyFieldDirectives(fc.view, fc.id, dirs, sizeof dirs);
    ResetFilter();
    if (!dirs[0]) return;
    g_filter.rules.numeric = HasDirective(dirs, "@NUM");
    g_filter.exclude = HasDirective(dirs, "@EXCLUDE", g_filter.excludedChars);
    g_filter.rules.alpha = HasDirective(dirs, "@ALPHA");
    g_filter.rules.upper = HasDirective(dirs, "@UP");
}

LRESULT OnKeyDown(HWND hWnd, HWND combo, WPARAM wParam, LPARAM lParam) {
    if (g_reentry.keyDown) return 0;
    g_reentry.keyDown = true;
    if (!SpecialKeyConsumes(combo, WM_KEYDOWN, wParam, lParam)) {
        switch (wParam) {
        case VK_RETURN:
            SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
            [[fallthrough]];
        case VK_TAB:
        case VK_F1:
            SendMessageA(combo, WM_KEYDOWN, wParam, lParam);
            break;
        default:
            EditProc(hWnd, WM_KEYDOWN, wParam, lParam);
            break;
        }
    }
    g_reentry.keyDown = false;
    return 0;
}

// Enter and Escape go to the combo box once, however it answers.
LRESULT ForwardOnce(bool& busy, HWND combo, WPARAM wParam, LPARAM lParam) {
    if (!busy) {
        busy = true;
        SendMessageA(combo, WM_CHAR, wParam, lParam);
        busy = false;
    }
    return 0;
}

// Whole characters only, as in edit fields: a lead byte waits for its trail.
LRESULT OnChar(HWND hWnd, HWND combo, WPARAM wParam, LPARAM lParam) {
    if (SpecialKeyConsumes(combo, WM_CHAR, wParam, lParam)) return 0;
    core::KeyChar c = TypedChar(hWnd, wParam);
    if (!c.size) return 0;
    const WPARAM single = static_cast<unsigned char>(c.bytes[0]);
    if (c.text() == "\t") return 0;
    if (c.text() == "\r") return ForwardOnce(g_reentry.enter, combo, single, lParam);
    if (c.text() == "\x1b") return ForwardOnce(g_reentry.escape, combo, single, lParam);
    if (IsFilteredCharacter(c) &&
        !PassesFilter(c, g_filter.exclude ? std::optional<std::string_view>(g_filter.excludedChars) : std::nullopt,
                      std::nullopt))
        return RejectKey();
    return PassChar(hWnd, c, lParam, EditProc);
}

LRESULT OnLButtonDown(HWND hWnd, HWND combo, WPARAM wParam, LPARAM lParam) {
    g_reentry.keyDown = false;
    FieldContext fc = FieldContextOf(combo);
    if (fc.view && vwIsFieldProtected(fc.view, fc.id)) return 0;
    SendMessageA(combo, WM_LBUTTONDOWN, wParam, lParam);
    if (GetFocus() != hWnd) return 0;
    return EditProc(hWnd, WM_LBUTTONDOWN, wParam, lParam);
}

} // namespace

LRESULT CALLBACK ComboSubProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND combo = GetParent(hWnd);
    switch (msg) {
    case WM_SETFOCUS:
        OnSetFocus(combo);
        break;
    case WM_KEYDOWN:
        return OnKeyDown(hWnd, combo, wParam, lParam);
    case WM_CHAR:
        return OnChar(hWnd, combo, wParam, lParam);
    case WM_SYSCHAR:
        return SendMessageA(combo, msg, wParam, lParam);
    case WM_MOUSEMOVE:
        SendMessageA(combo, msg, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
        return OnLButtonDown(hWnd, combo, wParam, lParam);
    default:
        break;
    }
    return EditProc(hWnd, msg, wParam, lParam);
}
