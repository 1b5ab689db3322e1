// Demo application: builds each screen of demo.rc with tscore32, shows it,
// and tells the screenshot script where it is.
//
//   demo.exe VIEWNAME OUTDIR
// shows the view and, once everything in it has painted, writes
// OUTDIR\VIEWNAME.rect ("x y width height" of the window on the screen); it
// keeps running until OUTDIR\VIEWNAME.done appears (or two minutes pass).
//
//   demo.exe VIEWNAME OUTDIR modal
// runs the view modally for a script that types into it and clicks OK.
// VIEWNAME.rect also holds the OK button's rectangle; VIEWNAME.active
// appears when the view is activated, VIEWNAME.typed holds what the first
// field shows after each change, and VIEWNAME.result gets the modal result
// and the text of the first field when the view ends.  The script waits for
// these files rather than for fixed times.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "tscore32.h"

namespace {

const char* g_outDir = "";
const char* g_name = "";
char g_firstField[256] = "";

// Writes OUTDIR\NAME.SUFFIX in one step (a scratch file renamed over it), so
// that the script never reads half a file.
void WriteFile(const char* suffix, const char* text) {
    char path[MAX_PATH], scratch[MAX_PATH + 8];
    std::snprintf(path, sizeof path, "%s\\%s.%s", g_outDir, g_name, suffix);
    std::snprintf(scratch, sizeof scratch, "%s.part", path);
    FILE* f = std::fopen(scratch, "w");
    if (!f) return;
    const bool written = std::fputs(text, f) >= 0;
    if (std::fclose(f) == 0 && written) MoveFileExA(scratch, path, MOVEFILE_REPLACE_EXISTING);
    else DeleteFileA(scratch);
}

void WriteWindowRect(HWND hWnd, HWND button) {
    RECT rc, ok = {};
    GetWindowRect(hWnd, &rc);
    char text[128];
    if (button) {
        GetWindowRect(button, &ok);
        std::snprintf(text, sizeof text, "%ld %ld %ld %ld %ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left,
                      rc.bottom - rc.top, ok.left, ok.top, ok.right - ok.left, ok.bottom - ok.top);
    } else {
        std::snprintf(text, sizeof text, "%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    }
    WriteFile("rect", text);
}

// True when no window of this thread waits to be painted and no message
// is queued: what the screen shows is what the views drew.
bool Painted() {
    GdiFlush();
    return HIWORD(GetQueueStatus(QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_INPUT)) == 0;
}

// Every message waiting for this thread.
void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Announces where the window and its OK button are once the view has
// painted, and keeps what the first field holds when OK is pressed.
LRESULT CALLBACK ModalProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HVIEW view = vwGetView(hWnd);
    switch (msg) {
    case WM_INITDIALOG:
        SetTimer(hWnd, 1, 50, nullptr);
        break;
    case WM_TIMER:
        // timers come after paints: announce once nothing is left to draw
        if (wParam == 1) {
            if (Painted()) {
                KillTimer(hWnd, 1);
                WriteWindowRect(hWnd, vwGetFieldWindow(view, IDOK));
            }
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) WriteFile("active", "1\n");
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            GetWindowTextA(vwGetFieldNoWindow(view, 1), g_firstField, sizeof g_firstField);
        if (HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == vwGetFieldNoWindow(view, 1)) {
            char text[sizeof g_firstField + 2];
            const int n = GetWindowTextA(reinterpret_cast<HWND>(lParam), text, sizeof text - 1);
            text[n] = '\n';
            text[n + 1] = '\0';
            WriteFile("typed", text);
        }
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
    if (msg == WM_INITDIALOG) SetTimer(hWnd, 7, 50, nullptr);
    if (msg != WM_TIMER || wParam != 7) return 0;
    static bool announced = false;
    if (!announced && Painted()) {
        WriteWindowRect(hWnd, nullptr);
        announced = true;
    }
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
    Pump();
    if (std::strcmp(name, "Tools") == 0) {
        // once the view is up: the field's help in the status line and an
        // error balloon below the field
        vwSetFieldFocus(view, 101);
        vwSetViewError(view, 101, 0, 0, "Digits only, please", 0);
    }

    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%s\\%s.done", outDir, name);
    const DWORD start = GetTickCount();
    bool announced = false;
    while (GetTickCount() - start < 120000 && IsWindow(hWnd)) {
        Pump();
        if (!announced && Painted()) {
            WriteWindowRect(hWnd, nullptr);
            announced = true;
        }
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) break;
        Sleep(20);
    }
    if (IsWindow(hWnd)) DestroyWindow(hWnd);
    return 0;
}
