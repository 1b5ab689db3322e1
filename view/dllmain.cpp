// Module start and end, the view window classes and the library-wide metrics
// and brushes gathered by the first view.
#include "view/internal.h"

#include <cstdio>

namespace ts {

LibraryState g_lib;

namespace {

using Ctl3dRegisterProc = BOOL(WINAPI*)(HINSTANCE);

void ReleaseCtl3d() {
    if (!g_lib.ctl3d) return;
    if (auto unregister = reinterpret_cast<Ctl3dRegisterProc>(
            reinterpret_cast<void*>(GetProcAddress(g_lib.ctl3d, "Ctl3dUnregister"))))
        unregister(g_lib.module);
    FreeLibrary(g_lib.ctl3d);
    g_lib.ctl3d = nullptr;
}

HBRUSH PatternBrushFromResource(const char* name) {
    HBITMAP bmp = LoadBitmapA(g_lib.module, name);
    if (!bmp) return nullptr;
    HBRUSH brush = CreatePatternBrush(bmp);
    DeleteObject(bmp);  // the brush keeps its own copy of the pattern
    return brush;
}

void DeleteSharedBrush(HBRUSH& brush) {
    if (!brush) return;
    if (GetSystemMetrics(SM_DEBUG)) {
        char line[64];
        std::snprintf(line, sizeof line, "TSCORE Brush has been deleted: %lX\r\n",
                      static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(brush)));
        DebugLine(line);
    }
    DeleteObject(brush);
    brush = nullptr;
}

} // namespace
} // namespace ts

using namespace ts;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        g_lib.module = hInst;
        DisableThreadLibraryCalls(hInst);
        RegistervwWndProc(hInst);
        break;
    case DLL_PROCESS_DETACH:
        ReleaseCtl3d();
        break;
    }
    return TRUE;
}

int VWAPI WEP(int exitCode) {
    if (exitCode != 0) return 1;
    DeleteSharedBrush(g_lib.steelBrush);
    if (g_lib.windows4) DeleteSharedBrush(g_lib.grayBrush);
    for (HBRUSH& b : g_lib.patternBrush) DeleteSharedBrush(b);
    ReleaseCtl3d();
    return 1;
}

BOOL VWAPI RegistervwWndProc(HINSTANCE hInst) {
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS | CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = vwWndProc;
    wc.cbWndExtra = VW_WNDEXTRA;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = VW_CLASS_VIEW;
    BOOL first = RegisterClassA(&wc) != 0;
    wc.lpszClassName = VW_CLASS_MODALVIEW;
    BOOL second = RegisterClassA(&wc) != 0;
    return first && second;
}

void VWAPI vwInitViewMetrics(void) {
    LONG base = GetDialogBaseUnits();
    g_lib.baseUnitX = LOWORD(base);
    g_lib.baseUnitY = HIWORD(base);
    g_lib.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    g_lib.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    g_lib.windows4 = LOBYTE(LOWORD(GetVersion())) >= 4;
    if (!g_lib.steelBrush) g_lib.steelBrush = PatternBrushFromResource("steel");
    static const char* const patterns[3] = {"Pattern1", "Pattern2", "Pattern3"};
    for (int i = 0; i < 3; ++i)
        if (!g_lib.patternBrush[i]) g_lib.patternBrush[i] = PatternBrushFromResource(patterns[i]);
    if (!g_lib.grayBrush)
        g_lib.grayBrush = g_lib.windows4 ? CreateSolidBrush(GetSysColor(COLOR_3DLIGHT))
                                         : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    if (!g_lib.windows4 && !g_lib.ctl3d) {
        HMODULE m = LoadLibraryA("Ctl3d32.dll");
        if (reinterpret_cast<ULONG_PTR>(m) >= 32) {
            g_lib.ctl3d = m;
            if (auto reg = reinterpret_cast<Ctl3dRegisterProc>(
                    reinterpret_cast<void*>(GetProcAddress(m, "Ctl3dRegister"))))
                reg(g_lib.module);
        }
    }
    g_lib.metricsReady = true;
}
