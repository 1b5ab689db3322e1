// EditorWndProc: the editor's edit control.  It keeps the status band up
// to date, turns Ctrl+E/F/N/R into menu commands and indents a new line
// like the one before it.
#include "dialog/editor.h"

#include "core/textsearch.hpp"

namespace ts {
namespace {

// Indentation measured when Enter goes down, repeated once the line break
// is in.
core::Indent g_indent;

void MeasureIndent(HWND edit) {
    const LRESULT line = SendMessageA(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
    char text[256] = {};
    *reinterpret_cast<WORD*>(text) = 255;
    const LRESULT n = SendMessageA(edit, EM_GETLINE, line, reinterpret_cast<LPARAM>(text));
    g_indent = core::leading_indent(std::string_view(text, n > 0 && n < 256 ? static_cast<std::size_t>(n) : 0));
}

// Types the indentation with redrawing off until its last character.
void RepeatIndent(HWND edit) {
    const std::size_t count = g_indent.blanks ? g_indent.blanks : g_indent.tabs;
    const WPARAM ch = g_indent.blanks ? ' ' : '\t';
    g_indent = {};
    if (!count) return;
    SendMessageA(edit, WM_SETREDRAW, FALSE, 0);
    for (std::size_t i = 0; i < count; ++i) {
        if (i + 1 == count) SendMessageA(edit, WM_SETREDRAW, TRUE, 0);
        SendMessageA(edit, WM_CHAR, ch, 1);
    }
    InvalidateRect(edit, nullptr, TRUE);
}

WORD CommandOfControlKey(WPARAM key) {
    switch (key) {
    case 'E': return kCmdSaveExit;
    case 'F': return kCmdFind;
    case 'N': return kCmdFindNext;
    case 'R': return kCmdReplace;
    default: return 0;
    }
}

} // namespace
} // namespace ts

using namespace ts;

LRESULT CALLBACK EditorWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND view = GetParent(hWnd);
    switch (msg) {
    case WM_SETFOCUS:
        LoadEditorRecord(view);
        break;
    case WM_PAINT:
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDOWN:
        LoadEditorRecord(view);
        CallClassProc(hWnd, msg, wParam, lParam);
        RefreshEditorStatus(view);
        return 0;
    case WM_KEYDOWN:
        if (GetKeyState(VK_CONTROL) < 0) {
            if (const WORD command = CommandOfControlKey(wParam)) {
                SendMessageA(view, WM_COMMAND, command, 0);
                return 0;
            }
        }
        switch (wParam) {
        case VK_RETURN: case VK_PRIOR: case VK_NEXT: case VK_UP: case VK_DOWN: case VK_DELETE:
            if (wParam == VK_RETURN) MeasureIndent(hWnd);
            CallClassProc(hWnd, msg, wParam, lParam);
            RefreshEditorStatus(view);
            return 0;
        default:
            break;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r') {
            CallClassProc(hWnd, msg, wParam, lParam);
            RepeatIndent(hWnd);
            return 0;
        }
        break;
    default:
        break;
    }
    return CallClassProc(hWnd, msg, wParam, lParam);
}
