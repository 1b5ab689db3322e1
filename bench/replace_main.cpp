// Replace All of M matches in an N-byte text in the library's editor,
// against one WM_SETTEXT of the final text into the same edit control in
// the same run; the input is generated here.
//
//   replace_measure.exe [matches [bytes [rounds]]]   (default 10000 1048576 3)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "replace_measure.h"
#include "tscore32.h"

using namespace replacebench;

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string TextOf(HWND edit) {
    std::string s(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    s.resize(static_cast<std::size_t>(GetWindowTextA(edit, s.data(), static_cast<int>(s.size()))));
    return s;
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t matches = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    const std::size_t bytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1048576;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::string find = "Needle", replacement = "pin";
    const std::string text = MakeText(bytes, matches, find);
    const std::string want = Expected(text, find, replacement);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ReplaceBenchOwner";
    RegisterClassA(&wc);
    HWND owner = CreateWindowA(wc.lpszClassName, "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
    HWND view = reinterpret_cast<HWND>(vwEditFile(owner, nullptr, "*.txt", 10, 10, 300, 200, 0));
    HWND edit = reinterpret_cast<HWND>(SendMessageA(view, VWM_EDITORWINDOW, 0, 0));
    if (!view || !edit) {
        std::printf("replace: no editor\n");
        return 1;
    }

    std::vector<double> lib, raw;
    bool exact = true;
    for (int r = 0; r < rounds; ++r) {
        SetWindowTextA(edit, text.c_str());
        lib.push_back(TimeEditorReplaceAll(view, find, replacement));
        exact = exact && lib.back() >= 0 && TextOf(edit) == want;
        SetWindowTextA(edit, text.c_str());
        raw.push_back(TimeSetText(edit, want));
    }
    const double l = Median(lib), w = Median(raw);
    std::printf("replace %zu matches in %zu bytes: library %8.2f ms  raw WM_SETTEXT %8.2f ms  ratio %5.2f  %s\n",
                matches, text.size(), l * 1000, w * 1000, w > 0 ? l / w : 0, exact ? "exact" : "WRONG RESULT");
    DestroyWindow(view);
    DestroyWindow(owner);
    return exact ? 0 : 1;
}
