// Demo application: builds each screen of demo.rc with tscore32, shows it,
// and tells the screenshot script where it is.
//
//   demo.exe VIEWNAME OUTDIR
// shows the view, writes OUTDIR\VIEWNAME.rect ("x y width height" of the
// window on the screen) and keeps running until OUTDIR\VIEWNAME.done
// appears or ten seconds pass.
//
//   demo.exe VIEWNAME OUTDIR modal
// runs the view modally for a script that types into it and clicks OK.
// VIEWNAME.rect also holds the OK button's rectangle; VIEWNAME.result gets
// the modal result and the text of the first field when the view ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "tscore32.h"

namespace {

const char* g_outDir = "";
const char* g_name = "";
char g_firstField[256] = "";

void WriteFile(const char* suffix, const char* text) {
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%s\\%s.%s", g_outDir, g_name, suffix);
    if (FILE* f = std::fopen(path, "w")) {
        std::fputs(text, f);
        std::fclose(f);
    }
}

// Announces where the window and its OK button are once the view has
// painted, and keeps what the first field holds when OK is pressed.
LRESULT CALLBACK ModalProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HVIEW view = vwGetView(hWnd);
    switch (msg) {
    case WM_INITDIALOG:
        SetTimer(hWnd, 1, 300, nullptr);
        break;
    case WM_TIMER:
        if (wParam == 1) {
            KillTimer(hWnd, 1);
            RECT rc, ok = {};
            GetWindowRect(hWnd, &rc);
            GetWindowRect(vwGetFieldWindow(view, IDOK), &ok);
            char text[128];
            std::snprintf(text, sizeof text, "%ld %ld %ld %ld %ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left,
                          rc.bottom - rc.top, ok.left, ok.top, ok.right - ok.left, ok.bottom - ok.top);
            WriteFile("rect", text);
            return 0;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            GetWindowTextA(vwGetFieldNoWindow(view, 1), g_firstField, sizeof g_firstField);
        break;
    }
    return DefViewProc(hWnd, msg, wParam, lParam);
}

int RunModal(HINSTANCE hInst) {
    HVIEW view = vwCreateView(hInst, g_name, nullptr, ModalProc, 0);
    if (!view) return 1;
    LONG result = vwShowModalView(view);
    char text[300];
    std::snprintf(text, sizeof text, "%ld %s\n", result, g_firstField);
    WriteFile("result", text);
    return 0;
}

// The library's own windows: the file open dialog (ended by the screenshot
// script's .done file) and the file browser showing this source's resources.
LRESULT CALLBACK AnnounceHook(HWND hWnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) SetTimer(hWnd, 7, 300, nullptr);
    if (msg != WM_TIMER || wParam != 7) return 0;
    RECT rc;
    GetWindowRect(hWnd, &rc);
    char text[64];
    std::snprintf(text, sizeof text, "%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    WriteFile("rect", text);
    char done[MAX_PATH];
    std::snprintf(done, sizeof done, "%s\\%s.done", g_outDir, g_name);
    if (GetFileAttributesA(done) != INVALID_FILE_ATTRIBUTES) {
        KillTimer(hWnd, 7);
        PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hWnd, IDCANCEL)));
    }
    return 1;
}

HWND OpenLibraryWindow(HINSTANCE hInst, const char* name) {
    if (std::strcmp(name, "FileOpen") == 0) {
        if (HGLOBAL chosen = vwFileOpenDlg(nullptr, "*.*", "", 0, AnnounceHook)) GlobalFree(chosen);
        return reinterpret_cast<HWND>(-1);  // ran to its end
    }
    if (std::strcmp(name, "Browse") == 0) {
        char path[MAX_PATH];
        std::snprintf(path, sizeof path, "%s\\browse.txt", g_outDir);
        if (FILE* f = std::fopen(path, "w")) {
            for (int i = 1; i <= 40; ++i) std::fprintf(f, "%2d\tA read-only view of a text file, line %d\n", i, i);
            std::fclose(f);
        }
        return vwBrowse(hInst, path, "Demo", "Browse", "Courier New", 10, 40, 40, 420, 260, 0, nullptr);
    }
    return nullptr;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE, LPSTR, int) {
    if (__argc < 3) {
        std::fprintf(stderr, "usage: demo VIEWNAME OUTDIR\n");
        return 2;
    }
    const char* name = g_name = __argv[1];
    const char* outDir = g_outDir = __argv[2];
    if (__argc > 3 && std::strcmp(__argv[3], "modal") == 0) return RunModal(hInst);
    HWND own = OpenLibraryWindow(hInst, name);
    if (own == reinterpret_cast<HWND>(-1)) return 0;
    HVIEW view = own ? nullptr : vwCreateView(hInst, name, nullptr, nullptr, 0);
    if (!own && !view) return 1;
    HWND hWnd = own ? own : vwShowView(view);
    if (!hWnd || hWnd == reinterpret_cast<HWND>(-1)) return 1;
    UpdateWindow(hWnd);

    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%s\\%s.done", outDir, name);
    DWORD start = GetTickCount();
    bool announced = false, decorated = false;
    while (GetTickCount() - start < 10000 && IsWindow(hWnd)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!decorated && std::strcmp(name, "Tools") == 0 && GetTickCount() - start > 100) {
            // once the view is up: the field's help in the status line and
            // an error balloon below the field
            vwSetFieldFocus(view, 101);
            vwSetViewError(view, 101, 0, 0, "Digits only, please", 0);
            decorated = true;
        }
        if (!announced && GetTickCount() - start > 300) {
            // the window has painted: say where it is
            RECT rc;
            GetWindowRect(hWnd, &rc);
            char rectPath[MAX_PATH];
            std::snprintf(rectPath, sizeof rectPath, "%s\\%s.rect", outDir, name);
            if (FILE* f = std::fopen(rectPath, "w")) {
                std::fprintf(f, "%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
                std::fclose(f);
            }
            announced = true;
        }
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(20);
    }
    if (IsWindow(hWnd)) DestroyWindow(hWnd);
    return 0;
}
