// Find and replace in the editor: two small modal views of the library,
// and the search on a copy of the edit control's text.
#include "dialog/editor.h"

#include <cstdio>
#include <span>
#include <string_view>

#include "core/text.hpp"
#include "core/textsearch.hpp"

namespace ts {
namespace {

constexpr int kFindBox = 524, kReplaceBox = 525, kMatchCase = 511;
constexpr int kFindNext = 1, kReplaceOne = 529, kReplaceAll = 520;
constexpr int kTextMax = 98;

bool HasText(HWND dlg, int id) { return SendDlgItemMessageA(dlg, id, WM_GETTEXTLENGTH, 0, 0) > 0; }

void ReadSearch(HWND dlg, bool replacement) {
    auto& s = g_editSettings;
    s.matchCase = IsDlgButtonChecked(dlg, kMatchCase) == BST_CHECKED;
    GetDlgItemTextA(dlg, kFindBox, s.find, kTextMax + 1);
    if (replacement) GetDlgItemTextA(dlg, kReplaceBox, s.replace, kTextMax + 1);
}

LRESULT CALLBACK FindDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& s = g_editSettings;
    if (msg == WM_INITDIALOG) {
        SetDlgItemTextA(hWnd, kFindBox, s.find);
        EnableWindow(GetDlgItem(hWnd, IDOK), s.find[0] != '\0');
        CheckDlgButton(hWnd, kMatchCase, s.matchCase ? BST_CHECKED : BST_UNCHECKED);
        return 1;
    }
    if (msg == WM_COMMAND) {
        const WORD id = LOWORD(wParam);
        if (id == IDOK) ReadSearch(hWnd, false);
        if (id == kFindBox && HIWORD(wParam) == EN_CHANGE) EnableWindow(GetDlgItem(hWnd, IDOK), HasText(hWnd, kFindBox));
    }
    return DefViewProc(hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK ReplaceDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& s = g_editSettings;
    if (msg == WM_INITDIALOG) {
        SetDlgItemTextA(hWnd, kFindBox, s.find);
        SetDlgItemTextA(hWnd, kReplaceBox, s.replace);
        EnableWindow(GetDlgItem(hWnd, kFindNext), s.find[0] != '\0');
        CheckDlgButton(hWnd, kMatchCase, s.matchCase ? BST_CHECKED : BST_UNCHECKED);
        return 1;
    }
    if (msg == WM_COMMAND) {
        const WORD id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == kFindBox && code == EN_CHANGE) EnableWindow(GetDlgItem(hWnd, kFindNext), HasText(hWnd, kFindBox));
        if (id == kReplaceBox && code == EN_CHANGE) {
            const bool on = HasText(hWnd, kReplaceBox);
            EnableWindow(GetDlgItem(hWnd, kReplaceOne), on);
            EnableWindow(GetDlgItem(hWnd, kReplaceAll), on);
        }
        if ((id == kFindNext || id == kReplaceOne || id == kReplaceAll) && code == BN_CLICKED) {
            ReadSearch(hWnd, true);
            vwEndModalView(vwGetView(hWnd), id);
            return 0;
        }
    }
    return DefViewProc(hWnd, msg, wParam, lParam);
}

// Runs one of the dialogs modal to the edit control; its result, 0 when it
// could not be shown.
LONG RunSearchDialog(HWND edit, const char* name, WNDPROC proc) {
    VWVIEW* view = vwCreateView(g_lib.module, name, edit, proc, 0);
    if (!view) return 0;
    const LONG result = vwShowModalView(view);
    if (result == -1) {
        MessageBoxA(nullptr, "Unable to display view", "System Error", MB_SYSTEMMODAL | MB_ICONHAND);
        return 0;
    }
    return result;
}

// A copy of the edit control's text in moveable global memory of its
// length + 2 bytes, freed with the object.
class TextCopy {
public:
    explicit TextCopy(HWND edit) : block_(SIZE_T(GetWindowTextLengthA(edit)) + 2) {
        if (block_.get())
            size_ = static_cast<std::size_t>(GetWindowTextA(edit, block_.get(), static_cast<int>(block_.size() - 1)));
    }
    std::string_view text() const { return block_.get() ? std::string_view(block_.get(), size_) : std::string_view(); }
private:
    GlobalBlock block_;
    std::size_t size_ = 0;
};

DWORD SelectionEnd(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end;
}

// Searches the text from the end of the selection; selects a match and
// scrolls its line to the second visible line.
bool FindAndShow(HWND edit) {
    TextCopy copy(edit);
    const auto& s = g_editSettings;
    const std::size_t at = core::find_text(copy.text(), s.find, SelectionEnd(edit), s.matchCase);
    if (at == core::kNotFound) return false;
    const std::size_t length = std::string_view(s.find).size();
    SendMessageA(edit, EM_SETSEL, at, at + length);
    const LRESULT line = SendMessageA(edit, EM_LINEFROMCHAR, at, 0);
    const LRESULT first = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    if (line - first > 0) SendMessageA(edit, EM_LINESCROLL, 0, line - first - 1);
    return true;
}

void NotFound(HWND view, const char* text) { MessageBoxA(view, text, kEditorCaption, MB_OK); }

// Paints what waits to be painted, what the dialog covered included, before
// a long piece of work.
void PaintNow(HWND view) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&msg);
    RedrawWindow(view, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Replace All in one go: the stretch from the first match to the end of the
// last is computed from one copy of the text and put in with a single
// EM_REPLACESEL.  That leaves the caret behind the last replacement, as
// replacing match by match did, lets Undo take the whole run back, and
// costs about one setting of the text however many matches there are.
// False when there was no memory for the work (not reported on its own).
bool ReplaceAll(HWND view, HWND edit) {
    const auto& s = g_editSettings;
    WaitCursor wait;
    PaintNow(view);
    const TextCopy copy(edit);
    const std::string_view find(s.find), replacement(s.replace);
    const core::ReplaceAllPlan plan =
        core::plan_replace_all(copy.text(), find, replacement.size(), SelectionEnd(edit), s.matchCase);
    if (plan.count == 0) return true;
    GlobalBlock stretch(SIZE_T(plan.size) + 1);
    if (!stretch.get() || core::write_replace_all(copy.text(), find, replacement, s.matchCase, plan,
                                                  std::span<char>(stretch.get(), plan.size)) != plan.size)
        return false;
    const LRESULT top = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    const LRESULT firstLine = SendMessageA(edit, EM_LINEFROMCHAR, plan.first, 0);
    SendMessageA(edit, EM_SETSEL, plan.first, plan.end);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(stretch.get()));
    // each match used to be shown as the second visible line in turn
    const LRESULT lastLine = SendMessageA(edit, EM_LINEFROMCHAR, plan.first + plan.lastAt, 0);
    const std::size_t want = core::first_visible_after_replace_all(
        static_cast<std::size_t>(top), static_cast<std::size_t>(firstLine), static_cast<std::size_t>(lastLine));
    const LRESULT now = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageA(edit, EM_LINESCROLL, 0, static_cast<LPARAM>(want) - now);
    return true;
}

} // namespace

void EditorFind(HWND view, bool next) {
    HWND edit = GetDlgItem(view, kEditId);
    if ((!next || !g_editSettings.find[0]) && RunSearchDialog(edit, "TSFindText", FindDlgProc) == 0) return;
    if (!FindAndShow(edit)) NotFound(view, "Unable to locate text string");
}

void EditorReplace(HWND view) {
    HWND edit = GetDlgItem(view, kEditId);
    const LONG how = RunSearchDialog(edit, "TSReplaceText", ReplaceDlgProc);
    const auto& s = g_editSettings;
    if (how == 0 || !s.find[0] || !s.replace[0]) return;
    if (how == kReplaceAll) {
        if (ReplaceAll(view, edit)) NotFound(view, "Replace All completed");
        return;
    }
    if (!FindAndShow(edit)) {
        NotFound(view, "Unable to locate text string");
        return;
    }
    if (how == kReplaceOne) {
        char question[256];
        std::snprintf(question, sizeof question, "Replace: %s with: %s", s.find, s.replace);
        if (MessageBoxA(view, question, "Replace text", MB_YESNOCANCEL) == IDYES)
            SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(s.replace));
    }
}

} // namespace ts
