// Demo application: builds each screen of demo.rc with tscore32, shows it,
// and tells the screenshot script where it is.
//
//   demo.exe VIEWNAME OUTDIR
// shows the view, writes OUTDIR\VIEWNAME.rect ("x y width height" of the
// window on the screen) and keeps running until OUTDIR\VIEWNAME.done
// appears or ten seconds pass.
#include <windows.h>

#include <cstdio>

#include "tscore32.h"

int WINAPI WinMain(HINSTANCE hInst, HINSTANCE, LPSTR, int) {
    if (__argc < 3) {
        std::fprintf(stderr, "usage: demo VIEWNAME OUTDIR\n");
        return 2;
    }
    const char* name = __argv[1];
    const char* outDir = __argv[2];
    HVIEW view = vwCreateView(hInst, name, nullptr, nullptr, 0);
    if (!view) return 1;
    HWND hWnd = vwShowView(view);
    if (!hWnd || hWnd == reinterpret_cast<HWND>(-1)) return 1;
    UpdateWindow(hWnd);

    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%s\\%s.done", outDir, name);
    DWORD start = GetTickCount();
    bool announced = false;
    while (GetTickCount() - start < 10000 && IsWindow(hWnd)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
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
