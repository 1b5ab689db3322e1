#include "replace_measure.h"

#include <algorithm>
#include <cstdint>

#include "bench/harness.hpp"
#include "tscore32.h"

namespace replacebench {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameAt(const std::string& text, std::size_t at, const std::string& find) {
    for (std::size_t i = 0; i < find.size(); ++i)
        if (Lower(text[at + i]) != Lower(find[i])) return false;
    return true;
}

// State of one measurement, reached from the timer and the hook.
struct Run {
    std::string find, replacement;
    double pressed = 0, done = 0;
    bool boxSeen = false, boxRight = false;
};
Run* g_run = nullptr;
constexpr UINT_PTR kBoxTimer = 0x5EB0;

BOOL CALLBACK FindReplaceDialog(HWND h, LPARAM lp) {
    if (!IsWindowVisible(h) || !GetDlgItem(h, 520) || !GetDlgItem(h, 525)) return TRUE;
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
}

// Fills the replace dialog once it is up and presses Replace All.
void CALLBACK PressReplaceAll(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dlg = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindReplaceDialog, reinterpret_cast<LPARAM>(&dlg));
    if (!dlg) return;
    KillTimer(nullptr, id);
    SetDlgItemTextA(dlg, 524, g_run->find.c_str());
    SetDlgItemTextA(dlg, 525, g_run->replacement.c_str());
    CheckDlgButton(dlg, 511, BST_UNCHECKED);
    g_run->pressed = ts::bench::now_seconds();
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(520, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, 520)));
}

// The message box is read from a timer inside its own loop, then closed.
void CALLBACK CloseBox(HWND box, UINT, UINT_PTR id, DWORD) {
    KillTimer(box, id);
    char text[64] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    g_run->boxRight = lstrcmpA(text, "Replace All completed") == 0;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK WatchBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_run && !g_run->boxSeen) {
        HWND h = reinterpret_cast<HWND>(wParam);
        char cls[16] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) {
            g_run->done = ts::bench::now_seconds();
            g_run->boxSeen = true;
            SetTimer(h, kBoxTimer, 10, CloseBox);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

std::string MakeText(std::size_t bytes, std::size_t matches, const std::string& find) {
    static const char* const kWords[] = {"lorem", "ipsum", "dolor", "sit", "amet", "consectetur", "adipiscing",
                                         "elit", "sed", "do", "eiusmod", "tempor", "incididunt", "ut", "labore"};
    std::string text;
    text.reserve(bytes + 256);
    std::uint32_t seed = 12345;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    const std::size_t gap = matches ? bytes / matches : bytes;
    std::size_t placed = 0, lineStart = 0;
    while (text.size() < bytes || placed < matches) {
        // one match every `gap` bytes on average, words in between
        if (placed < matches && text.size() >= placed * gap + (next() % 16)) {
            text += find;
            ++placed;
        } else {
            text += kWords[next() % (sizeof kWords / sizeof *kWords)];
        }
        if (text.size() - lineStart > 40 + next() % 80) {
            text += "\r\n";
            lineStart = text.size();
        } else {
            text += ' ';
        }
    }
    return text;
}

std::string Expected(const std::string& text, const std::string& find, const std::string& replacement) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    std::size_t i = 0;
    while (i < text.size()) {
        if (i + find.size() <= text.size() && SameAt(text, i, find)) {
            out += replacement;
            i += find.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

double TimeEditorReplaceAll(HWND editorView, const std::string& find, const std::string& replacement) {
    Run run{find, replacement};
    g_run = &run;
    HWND edit = reinterpret_cast<HWND>(SendMessageA(editorView, VWM_EDITORWINDOW, 0, 0));
    SendMessageA(edit, EM_SETSEL, 0, 0);
    HHOOK hook = SetWindowsHookExA(WH_CBT, WatchBoxes, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, PressReplaceAll);
    SendMessageA(editorView, WM_COMMAND, 120, 0);
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    g_run = nullptr;
    if (!run.boxSeen || !run.boxRight || run.pressed == 0) return -1;
    return run.done - run.pressed;
}

double TimeSetText(HWND edit, const std::string& text) {
    const double start = ts::bench::now_seconds();
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return ts::bench::now_seconds() - start;
}

} // namespace replacebench
