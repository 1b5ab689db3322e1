// vwBrowse and DefViewBrowseProc: a read-only viewer of a text file.  The
// whole file is read when the window is created; painting draws only the
// lines an update needs, and the arrow and page keys scroll.
#include "view/internal.h"

#include <algorithm>
#include <new>

#include "core/browsetext.hpp"
#include "core/text.hpp"

namespace ts {
namespace {

constexpr char kBrowseClass[] = "ViewBrowse32";
constexpr int kRecordSlot = 0;  // the window's only extra slot

// Per window: the record the window keeps in its extra slot.
struct BrowseRecord {
    WORD charWidth, lineHeight;
    WORD clientWidth, clientHeight;
    WORD vMax, hMax;
    WORD vPos, hPos;
    WORD lineCount;
    core::BrowseText* text;
    HFONT font;
    DWORD failed;
    WNDPROC hook;
};

// What vwBrowse hands to the window it is creating.
struct {
    char caption[255] = {};
    char errorTitle[51] = {};
    char face[33] = {};
    int points = 0;
    HINSTANCE instance = nullptr;
    WNDPROC hook = nullptr;
    HFILE file = HFILE_ERROR;
    bool outOfMemory = false;
} g_browse;

BrowseRecord* RecordOf(HWND hWnd) { return reinterpret_cast<BrowseRecord*>(GetWindowLongPtrA(hWnd, kRecordSlot)); }

HFONT MakeFont(HWND hWnd) {
    LONG height = 0;
    {
        WindowDC dc(hWnd);
        const int saved = SaveDC(dc);
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowExtEx(dc, 1440, 1440, nullptr);
        SetViewportExtEx(dc, GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), nullptr);
        POINT p{0, g_browse.points * 20};
        LPtoDP(dc, &p, 1);
        RestoreDC(dc, saved);
        height = std::abs(p.y);
    }
    BYTE charset = 0, family = 0;
    if (core::equals_nocase(g_browse.face, "Modern")) charset = OEM_CHARSET, family = FF_MODERN;
    else if (core::equals_nocase(g_browse.face, "Script")) charset = OEM_CHARSET, family = FF_SCRIPT;
    else if (core::equals_nocase(g_browse.face, "Roman")) charset = OEM_CHARSET, family = FF_ROMAN;
    return CreateFontA(height, 0, 0, 0, 0, 0, 0, 0, charset, 0, 0, 0, family, g_browse.face);
}

void ReadMetrics(HDC dc, BrowseRecord* r) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    r->charWidth = static_cast<WORD>(tm.tmAveCharWidth ? tm.tmAveCharWidth : 15);
    const LONG lh = tm.tmHeight + tm.tmExternalLeading;
    r->lineHeight = static_cast<WORD>(lh ? lh : 15);
}

// The whole file, read while the window is created.
bool Load(HWND hWnd, BrowseRecord* r) {
    const LONG size = _llseek(g_browse.file, 0, FILE_END);
    _llseek(g_browse.file, 0, FILE_BEGIN);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(std::max<LONG>(size, 0)) + 1);
    char* bytes = mem ? static_cast<char*>(GlobalLock(mem)) : nullptr;
    if (!bytes) {
        if (mem) GlobalFree(mem);
        return false;
    }
    const UINT got = size > 0 ? _lread(g_browse.file, bytes, static_cast<UINT>(size)) : 0;
    const std::size_t n = got == static_cast<UINT>(HFILE_ERROR) ? 0 : got;
    r->text = new (std::nothrow) core::BrowseText(core::index_browse_text(std::string_view(bytes, n)));
    GlobalUnlock(mem);
    GlobalFree(mem);
    if (!r->text) return false;
    r->lineCount = r->text->lineCount;
    (void)hWnd;
    return true;
}

LRESULT OnCreate(HWND hWnd) {
    auto* r = static_cast<BrowseRecord*>(LocalAlloc(LPTR, sizeof(BrowseRecord)));
    if (!r) {
        g_browse.outOfMemory = true;
        return 0;
    }
    SetWindowLongPtrA(hWnd, kRecordSlot, reinterpret_cast<LONG_PTR>(r));
    r->hook = g_browse.hook;
    r->font = MakeFont(hWnd);
    {
        WindowDC dc(hWnd);
        SelectGuard font(dc, r->font);
        ReadMetrics(dc, r);
    }
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    if (!Load(hWnd, r)) {
        r->failed = 1;
        g_browse.outOfMemory = true;
    }
    _lclose(g_browse.file);
    g_browse.file = HFILE_ERROR;
    SetCursor(previous);
    return 0;
}

void OnPaint(HWND hWnd, BrowseRecord* r) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    {
        SelectGuard font(dc, r->font);
        ReadMetrics(dc, r);
        const int v = r->vPos, h = r->hPos, lh = r->lineHeight;
        int first = v + ps.rcPaint.top / lh - 1;
        if (first < 1) first = 0;
        const int last = std::min<int>(v + ps.rcPaint.bottom / lh, r->lineCount);
        for (int line = first; r->text && line < last; ++line) {
            const std::string text = core::browse_line(*r->text, line);
            TabbedTextOutA(dc, r->charWidth * (1 - h), (line - v + 1) * lh, text.c_str(), static_cast<int>(text.size()),
                           0, nullptr, 0);
        }
    }
    EndPaint(hWnd, &ps);
}

void OnSize(HWND hWnd, BrowseRecord* r, LPARAM lParam) {
    r->clientWidth = LOWORD(lParam);
    r->clientHeight = HIWORD(lParam);
    r->vMax = static_cast<WORD>(std::max(0, r->lineCount + 2 - r->clientHeight / r->lineHeight));
    r->hMax = static_cast<WORD>(std::max(0, 257 - r->clientWidth / r->charWidth));
    r->vPos = std::min(r->vPos, r->vMax);
    r->hPos = std::min(r->hPos, r->hMax);
    SetScrollRange(hWnd, SB_VERT, 0, r->vMax, FALSE);
    SetScrollPos(hWnd, SB_VERT, r->vPos, TRUE);
    SetScrollRange(hWnd, SB_HORZ, 0, r->hMax, FALSE);
    SetScrollPos(hWnd, SB_HORZ, r->hPos, TRUE);
}

int Clamp(int step, int pos, int max) { return std::clamp(step, -pos, max - pos); }

void OnVScroll(HWND hWnd, BrowseRecord* r, WPARAM wParam) {
    const int page = r->clientHeight / r->lineHeight;
    int step = 0;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: step = -1; break;
    case SB_LINEDOWN: step = 1; break;
    case SB_PAGEUP: step = std::min(-page, -1); break;
    case SB_PAGEDOWN: step = std::max(page, 1); break;
    case SB_THUMBPOSITION: step = HIWORD(wParam) - r->vPos; break;
    case SB_TOP: step = -r->vPos; break;
    case SB_BOTTOM: step = r->vMax - r->vPos; break;
    default: break;
    }
    step = Clamp(step, r->vPos, r->vMax);
    if (!step) return;
    r->vPos = static_cast<WORD>(r->vPos + step);
    ScrollWindow(hWnd, 0, -step * r->lineHeight, nullptr, nullptr);
    SetScrollPos(hWnd, SB_VERT, r->vPos, TRUE);
    UpdateWindow(hWnd);
}

void OnHScroll(HWND hWnd, BrowseRecord* r, WPARAM wParam) {
    int step = 0;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: step = -1; break;
    case SB_LINEDOWN: step = 1; break;
    case SB_PAGEUP: step = -8; break;
    case SB_PAGEDOWN: step = 8; break;
    case SB_THUMBPOSITION: step = HIWORD(wParam) - r->hPos; break;
    default: break;
    }
    step = Clamp(step, r->hPos, r->hMax);
    if (!step) return;
    r->hPos = static_cast<WORD>(r->hPos + step);
    ScrollWindow(hWnd, -step * r->charWidth, 0, nullptr, nullptr);
    SetScrollPos(hWnd, SB_HORZ, r->hPos, TRUE);
}

void OnKeyDown(HWND hWnd, WPARAM key) {
    struct Move {
        WPARAM key;
        UINT msg;
        WPARAM code;
    };
    static constexpr Move kMoves[] = {
        {VK_HOME, WM_VSCROLL, SB_TOP},      {VK_END, WM_VSCROLL, SB_BOTTOM},  {VK_PRIOR, WM_VSCROLL, SB_PAGEUP},
        {VK_NEXT, WM_VSCROLL, SB_PAGEDOWN}, {VK_UP, WM_VSCROLL, SB_LINEUP},   {VK_DOWN, WM_VSCROLL, SB_LINEDOWN},
        {VK_LEFT, WM_HSCROLL, SB_PAGEUP},   {VK_RIGHT, WM_HSCROLL, SB_PAGEDOWN},
    };
    for (const Move& m : kMoves)
        if (m.key == key) SendMessageA(hWnd, m.msg, m.code, 0);
}

void OnDestroy(HWND hWnd, BrowseRecord* r) {
    delete r->text;
    if (r->font) DeleteObject(r->font);
    SetWindowLongPtrA(hWnd, kRecordSlot, 0);
    LocalFree(r);
}

bool HookSees(UINT msg) {
    return msg != WM_CREATE && msg != WM_NCCREATE && msg != WM_GETMINMAXINFO && msg != WM_NCCALCSIZE;
}

} // namespace
} // namespace ts

using namespace ts;

LRESULT CALLBACK DefViewBrowseProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) return OnCreate(hWnd);
    BrowseRecord* r = RecordOf(hWnd);
    if (!r) return DefWindowProcA(hWnd, msg, wParam, lParam);
    if (r->hook && HookSees(msg) && r->hook(hWnd, msg, wParam, lParam)) return 0;
    switch (msg) {
    case WM_PAINT:
        OnPaint(hWnd, r);
        return 0;
    case WM_SIZE:
        OnSize(hWnd, r, lParam);
        return 0;
    case WM_VSCROLL:
        OnVScroll(hWnd, r, wParam);
        return 0;
    case WM_HSCROLL:
        OnHScroll(hWnd, r, wParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(hWnd, wParam);
        return 0;
    case WM_DESTROY:
        OnDestroy(hWnd, r);
        return 0;
    default:
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

HWND VWAPI vwBrowse(HINSTANCE hInst, LPCSTR fileName, LPCSTR errorTitle, LPCSTR caption, LPCSTR face, int points,
                    int x, int y, int cx, int cy, LONG, WNDPROC hook) {
    core::copy_bounded(g_browse.caption, sizeof g_browse.caption, caption ? caption : "");
    core::copy_bounded(g_browse.errorTitle, sizeof g_browse.errorTitle, errorTitle ? errorTitle : "");
    core::copy_bounded(g_browse.face, sizeof g_browse.face, face ? face : "");
    g_browse.points = points;
    g_browse.instance = hInst;
    g_browse.hook = hook;
    OFSTRUCT of{};
    g_browse.file = fileName ? OpenFile(fileName, &of, OF_READ) : HFILE_ERROR;
    if (g_browse.file == HFILE_ERROR) return nullptr;
    g_browse.outOfMemory = false;

    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefViewBrowseProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = hInst;
    wc.hIcon = LoadIconA(g_lib.module, "BrowseIcon");
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kBrowseClass;
    RegisterClassA(&wc);  // later registrations fail harmlessly

    HWND hWnd = CreateWindowExA(0, kBrowseClass, g_browse.caption, 0x02FF0000, x, y, cx, cy, GetFocus(), nullptr,
                                hInst, nullptr);
    if (g_browse.file != HFILE_ERROR) {  // creation failed before loading
        _lclose(g_browse.file);
        g_browse.file = HFILE_ERROR;
    }
    if (g_browse.outOfMemory) {
        MessageBoxA(nullptr, "Not Enought Memory", g_browse.errorTitle, MB_SYSTEMMODAL | MB_ICONHAND);
        g_browse.outOfMemory = false;
        if (hWnd) DestroyWindow(hWnd);
        return nullptr;
    }
    if (!hWnd) return nullptr;
    ShowWindow(hWnd, SW_SHOWNORMAL);
    UpdateWindow(hWnd);
    return hWnd;
}
