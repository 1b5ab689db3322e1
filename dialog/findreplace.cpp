// Find and replace in the editor: two small modal views of the library,
// and the search on a copy of the edit control's text.
#include "dialog/editor.h"

#include <cstdio>
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

// A copy of the edit control's text in moveable global memory, freed with
// the object.
class TextCopy {
public:
    explicit TextCopy(HWND edit) {
        const int length = GetWindowTextLengthA(edit);
        h_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, SIZE_T(length) + 2);
        p_ = h_ ? static_cast<char*>(GlobalLock(h_)) : nullptr;
        if (p_) size_ = static_cast<std::size_t>(GetWindowTextA(edit, p_, length + 1));
    }
    ~TextCopy() {
        if (p_) GlobalUnlock(h_);
        if (h_) GlobalFree(h_);
    }
    TextCopy(const TextCopy&) = delete;
    TextCopy& operator=(const TextCopy&) = delete;
    std::string_view text() const { return p_ ? std::string_view(p_, size_) : std::string_view(); }
private:
    HGLOBAL h_ = nullptr;
    char* p_ = nullptr;
    std::size_t size_ = 0;
};

// Searches the text from the end of the selection; selects a match and
// scrolls its line to the second visible line.
bool FindAndShow(HWND edit) {
    TextCopy copy(edit);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto& s = g_editSettings;
    const std::size_t at = core::find_text(copy.text(), s.find, end, s.matchCase);
    if (at == core::kNotFound) return false;
    const std::size_t length = std::string_view(s.find).size();
    SendMessageA(edit, EM_SETSEL, at, at + length);
    const LRESULT line = SendMessageA(edit, EM_LINEFROMCHAR, at, 0);
    const LRESULT first = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    if (line - first > 0) SendMessageA(edit, EM_LINESCROLL, 0, line - first - 1);
    return true;
}

void NotFound(HWND view, const char* text) { MessageBoxA(view, text, kEditorCaption, MB_OK); }

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
    for (;;) {
        if (!FindAndShow(edit)) {
            NotFound(view, how == kReplaceAll ? "Replace All completed" : "Unable to locate text string");
            return;
        }
        if (how == kReplaceOne) {
            char question[256];
            std::snprintf(question, sizeof question, "Replace: %s with: %s", s.find, s.replace);
            if (MessageBoxA(view, question, "Replace text", MB_YESNOCANCEL) == IDYES)
                SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(s.replace));
            return;
        }
        if (how != kReplaceAll) return;
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(s.replace));
    }
}

} // namespace ts
