// The progress view of a print job and the abort procedure that keeps the
// application alive while the printer works.
#include "print/internal.h"

#include <algorithm>

namespace ts {

PrintState g_print;

namespace {

// Text lines and the Cancel button placed by the view's character size,
// then the view centred on its parent, kept on the screen.
void LayOut(HWND hWnd) {
    HVIEW view = vwGetView(hWnd);
    TEXTMETRICA tm{};
    {
        WindowDC dc(hWnd);
        GetTextMetricsA(dc, &tm);
    }
    const int h = tm.tmHeight, w = std::max<int>(1, tm.tmAveCharWidth);
    RECT client;
    GetClientRect(hWnd, &client);
    vwSetTextFieldYPos(view, 1, 6 * h / 8);
    vwSetTextFieldYPos(view, 2, 14 * h / 8);
    const int quarters = static_cast<std::int16_t>(4 * client.right / w);
    if (HWND button = vwGetFieldWindow(view, 2))
        MoveWindow(button, (quarters / 2 - 16) * w / 4, 28 * h / 8, 32 * w / 4, 14 * h / 8, TRUE);

    RECT rc, area;
    GetWindowRect(hWnd, &rc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    HWND parent = GetParent(hWnd);
    if (parent) GetWindowRect(parent, &area);
    else area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    int x = area.left + (area.right - area.left - cx) / 2;
    int y = area.top + (area.bottom - area.top - cy) / 2;
    x = std::min(x, GetSystemMetrics(SM_CXSCREEN) - cx);
    y = std::min(y, GetSystemMetrics(SM_CYSCREEN) - cy);
    if (x < 0) x = 0;
    if (y < 1) y = 0;
    MoveWindow(hWnd, x, y, cx, cy, TRUE);
}

} // namespace
} // namespace ts

using namespace ts;

LRESULT CALLBACK vwPrintDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) LayOut(hWnd);
    if (msg == WM_COMMAND) g_print.abort = true;  // any command cancels
    return DefViewProc(hWnd, msg, wParam, lParam);
}

BOOL CALLBACK vwAbortPrintProc(HDC, int) {
    if (g_print.abort) return FALSE;
    MSG msg;
    while (!g_print.abort && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (g_print.progressWindow && IsDialogMessageA(g_print.progressWindow, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return !g_print.abort;
}
