// Speed of the library against the raw Win32 equivalent, measured in the
// same run and reported as ratios (library time / raw time):
//   build    a view from its template and record vs CreateDialog of the
//            same template
//   type     characters through a filtered "@NUM" field (inter-field and
//            edit procedures) vs the same characters into a raw dialog edit
//   paint    a full repaint of the view vs of the raw dialog
//
//   bench.exe [rounds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "tscore32.h"

namespace {

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

INT_PTR CALLBACK RawDialog(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

template <typename F>
double Time(int rounds, F f) {
    const double start = Now();
    for (int i = 0; i < rounds; ++i) f();
    return Now() - start;
}

void Type(HWND edit) {
    SetWindowTextA(edit, "");
    for (const char* s = "12a34b56c7"; *s; ++s) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*s), 1);
}

void Repaint(HWND hWnd) { RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

void Report(const char* what, double lib, double raw) {
    std::printf("%-6s library %8.2f ms  raw %8.2f ms  ratio %5.2f\n", what, lib * 1000, raw * 1000, raw > 0 ? lib / raw : 0);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 100;
    HINSTANCE inst = GetModuleHandleA(nullptr);

    const double libBuild = Time(rounds, [&] { DestroyWindow(vwCreateView(inst, "Form", nullptr, nullptr, 0)->hWnd); });
    const double rawBuild = Time(rounds, [&] { DestroyWindow(CreateDialogA(inst, "Form", nullptr, RawDialog)); });
    Report("build", libBuild, rawBuild);

    HVIEW view = vwCreateView(inst, "Form", nullptr, nullptr, 0);
    vwShowView(view);
    vwShowViewWindow(view, SW_SHOWNA);  // the template is not WS_VISIBLE
    HWND dlg = CreateDialogA(inst, "Form", nullptr, RawDialog);
    ShowWindow(dlg, SW_SHOWNA);
    HWND field = vwGetFieldWindow(view, 101), raw = GetDlgItem(dlg, 101);
    SetFocus(field);
    const double libType = Time(rounds, [&] { Type(field); });
    SetFocus(raw);
    const double rawType = Time(rounds, [&] { Type(raw); });
    Report("type", libType, rawType);

    const double libPaint = Time(rounds, [&] { Repaint(view->hWnd); });
    const double rawPaint = Time(rounds, [&] { Repaint(dlg); });
    Report("paint", libPaint, rawPaint);

    DestroyWindow(dlg);
    DestroyWindow(view->hWnd);
    return 0;
}
