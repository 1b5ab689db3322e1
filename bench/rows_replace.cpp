// Replace All: the editor's Replace All of 10,000 matches in a 1 MB text,
// against one WM_SETTEXT of the final text into the same edit control.
// Both arms start from the same text, set outside the timed part; the
// library arm's result is checked byte for byte.
#include <memory>
#include <string>

#include "bench/replace_measure.h"
#include "bench/rows.hpp"
#include "tscore32.h"

namespace ts::bench {
namespace {

struct Editor {
    HWND owner = nullptr, view = nullptr, edit = nullptr;
    std::string text, want;
    ~Editor() {
        if (view && IsWindow(view)) DestroyWindow(view);
        if (owner) DestroyWindow(owner);
    }
};

std::string TextOf(HWND edit) {
    std::string s(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    s.resize(static_cast<std::size_t>(GetWindowTextA(edit, s.data(), static_cast<int>(s.size()))));
    return s;
}

} // namespace

Batches prepare_replace() {
    const std::string find = "Needle", replacement = "pin";
    auto e = std::make_shared<Editor>();
    e->text = replacebench::MakeText(1u << 20, 10000, find);
    e->want = replacebench::Expected(e->text, find, replacement);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BenchEditorOwner";
    RegisterClassA(&wc);
    e->owner = CreateWindowA(wc.lpszClassName, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                             wc.hInstance, nullptr);
    e->view = reinterpret_cast<HWND>(vwEditFile(e->owner, nullptr, "*.txt", 10, 10, 300, 200, 0));
    if (e->view) e->edit = reinterpret_cast<HWND>(SendMessageA(e->view, VWM_EDITORWINDOW, 0, 0));
    if (!e->edit) return Batches::Failed("no editor");
    Batches b;
    b.fixedReps = 1;
    b.lib = [e, find, replacement](long) {
        SetWindowTextA(e->edit, e->text.c_str());
        pump_messages();
        const double t = replacebench::TimeEditorReplaceAll(e->view, find, replacement);
        if (t < 0) report_problem("Replace All did not complete");
        else if (TextOf(e->edit) != e->want) report_problem("Replace All gave another text");
        return t;
    };
    b.raw = [e](long) {
        SetWindowTextA(e->edit, e->text.c_str());
        pump_messages();
        return replacebench::TimeSetText(e->edit, e->want);
    };
    return b;
}

} // namespace ts::bench
