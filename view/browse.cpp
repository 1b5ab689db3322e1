// vwBrowse and DefViewBrowseProc: a read-only viewer of a text file.  The
// file is read in blocks of 10000 bytes when the window is created;
// painting draws only the lines an update needs, and the arrow and page
// keys scroll.
#include "view/internal.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/browsetext.hpp"
#include "core/text.hpp"

namespace ts {
namespace {

constexpr char kBrowseClass[] = "ViewBrowse32";
constexpr int kRecordSlot = 0;         // the window's only extra slot
constexpr DWORD kTableStep = 5;        // chunk entries the table grows by
constexpr DWORD kBarRange = 0xFFFF;    // largest vertical scroll-bar value

// Per window: the record the window keeps in its extra slot.  Its 16-bit
// members are those of the classic record; the vertical place in the file
// is kept in full after them, and the vertical scroll bar shows it scaled
// down to at most kBarRange.
struct BrowseRecord {
    WORD charWidth, lineHeight;
    WORD clientWidth, clientHeight;
    WORD vMax, hMax;    // vMax and vPos: the vertical scroll bar's range and position
    WORD vPos, hPos;
    WORD lineCount;     // lines, or 0xFFFF for that many and more
    HGLOBAL chunks;     // the chunk table: core::BrowseChunk entries
    HFILE file;         // open while loading
    WORD currentChunk;  // the chunk being read; 0xFFFF after a failed load
    HFONT font;
    DWORD failed;
    WNDPROC hook;
    DWORD lines;          // line feeds in the file
    DWORD top, topMax;    // the first line shown, and its largest value
    DWORD chunkCount, chunkRoom;
    WORD minAdvance;      // the font's narrowest character, at least 1 pixel
    core::BrowseLines* reader;
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

// The chunk table, locked for the life of the object.
class TableLock {
public:
    explicit TableLock(HGLOBAL h) : h_(h), p_(h ? static_cast<core::BrowseChunk*>(GlobalLock(h)) : nullptr) {}
    ~TableLock() { if (p_) GlobalUnlock(h_); }
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;
    core::BrowseChunk* get() const { return p_; }
    // Grows the block by `bytes`: unlocked, reallocated, locked again.
    bool Grow(SIZE_T bytes) {
        if (p_) GlobalUnlock(h_);
        p_ = nullptr;
        HGLOBAL grown = GlobalReAlloc(h_, GlobalSize(h_) + bytes, GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (!grown) return false;
        h_ = grown;
        p_ = static_cast<core::BrowseChunk*>(GlobalLock(h_));
        return p_ != nullptr;
    }
    HGLOBAL handle() const { return h_; }
private:
    HGLOBAL h_;
    core::BrowseChunk* p_;
};

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

// The narrowest printable character of the font: a painted line needs no
// more characters than its width in pixels over this.
WORD NarrowestAdvance(HDC dc) {
    INT widths[256 - 32] = {};
    if (!GetCharWidth32A(dc, 32, 255, widths)) return 1;
    int narrowest = widths[0];
    for (const INT w : widths)
        if (w > 0) narrowest = std::min(narrowest, w);
    return static_cast<WORD>(std::max(narrowest, 1));
}

// Reads the file into chunks of 10000 bytes and indexes their lines.
bool Load(BrowseRecord* r) {
    const LONG end = _llseek(r->file, 0, FILE_END);
    _llseek(r->file, 0, FILE_BEGIN);
    const DWORD size = end > 0 ? static_cast<DWORD>(end) : 0;
    r->chunks = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kTableStep * sizeof(core::BrowseChunk));
    if (!r->chunks) return false;
    r->chunkRoom = kTableStep;
    TableLock table(r->chunks);
    if (!table.get()) return false;

    core::BrowseIndexer indexer;
    for (DWORD offset = 0;;) {
        if (r->chunkCount == r->chunkRoom) {
            const bool grown = table.Grow(kTableStep * sizeof(core::BrowseChunk));
            r->chunks = table.handle();
            if (!grown) return false;
            r->chunkRoom += kTableStep;
        }
        // a text block holds its bytes and a terminating 0, and 10002
        // bytes while more than a chunk is left
        const DWORD left = size - offset;
        const UINT want = std::min<DWORD>(left, core::kBrowseChunk);
        const SIZE_T blockSize = left > core::kBrowseChunk ? core::kBrowseChunk + 2 : left + 1;
        auto* text = static_cast<char*>(GlobalAlloc(GMEM_FIXED, blockSize));
        if (!text) return false;
        UINT got = want ? _lread(r->file, text, want) : 0;
        if (got == static_cast<UINT>(HFILE_ERROR)) got = 0;
        std::memset(text + got, 0, blockSize - got);
        r->currentChunk = static_cast<WORD>(std::min<DWORD>(r->chunkCount, 0xFFFE));
        const bool more = indexer.add(table.get()[r->chunkCount++], std::string_view(text, got));
        offset += got;
        if (!more || got < core::kBrowseChunk || offset >= size) break;
    }
    core::link_browse_chunks(std::span(table.get(), r->chunkCount));
    r->lines = indexer.lineCount();
    r->lineCount = static_cast<WORD>(std::min<DWORD>(r->lines, 0xFFFF));
    r->reader = new (std::nothrow) core::BrowseLines;
    return r->reader != nullptr;
}

LRESULT OnCreate(HWND hWnd) {
    auto* r = static_cast<BrowseRecord*>(LocalAlloc(LPTR, sizeof(BrowseRecord)));
    if (!r) {
        g_browse.outOfMemory = true;
        return 0;
    }
    SetWindowLongPtrA(hWnd, kRecordSlot, reinterpret_cast<LONG_PTR>(r));
    r->file = g_browse.file;
    r->hook = g_browse.hook;
    r->font = MakeFont(hWnd);
    {
        WindowDC dc(hWnd);
        SelectGuard font(dc, r->font);
        ReadMetrics(dc, r);
        r->minAdvance = NarrowestAdvance(dc);
    }
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    if (!Load(r)) {
        r->failed = 1;
        r->currentChunk = 0xFFFF;
        g_browse.outOfMemory = true;
    }
    _lclose(r->file);
    r->file = g_browse.file = HFILE_ERROR;
    SetCursor(previous);
    return 0;
}

// The vertical scroll bar shows line positions scaled down to kBarRange
// when there are more of them.
DWORD BarOf(const BrowseRecord* r, DWORD line) {
    if (r->topMax <= kBarRange) return line;
    return static_cast<DWORD>((static_cast<ULONGLONG>(line) * kBarRange + r->topMax / 2) / r->topMax);
}

DWORD LineOfBar(const BrowseRecord* r, DWORD bar) {
    if (r->topMax <= kBarRange) return bar;
    return static_cast<DWORD>((static_cast<ULONGLONG>(bar) * r->topMax + kBarRange / 2) / kBarRange);
}

bool OnPaint(HWND hWnd, BrowseRecord* r) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    bool locked = true;
    {
        SelectGuard font(dc, r->font);
        ReadMetrics(dc, r);
        TableLock table(r->chunks);
        locked = table.get() != nullptr;
        const LONGLONG v = r->top, lh = r->lineHeight;
        const LONGLONG first = std::max<LONGLONG>(v + ps.rcPaint.top / lh - 1, 0);
        const LONGLONG last = std::min<LONGLONG>(v + ps.rcPaint.bottom / lh, r->lines);
        const int x = r->charWidth * (1 - r->hPos);
        // a line is drawn only as far as the update reaches
        const std::size_t maxChars = static_cast<std::size_t>(std::max<LONG>(ps.rcPaint.right - x, 0)) / r->minAdvance + 1;
        if (locked && r->reader) {
            r->reader->set_chunks(std::span<const core::BrowseChunk>(table.get(), r->chunkCount));
            for (LONGLONG line = first; line < last; ++line) {
                const std::string_view text = r->reader->text(static_cast<DWORD>(line), maxChars);
                TabbedTextOutA(dc, x, static_cast<int>((line - v + 1) * lh), text.data(), static_cast<int>(text.size()),
                               0, nullptr, 0);
            }
        }
    }
    EndPaint(hWnd, &ps);
    return locked;
}

// Shows the first line on the vertical scroll bar.
void SetVerticalBar(HWND hWnd, BrowseRecord* r, bool range) {
    r->vMax = static_cast<WORD>(BarOf(r, r->topMax));
    r->vPos = static_cast<WORD>(BarOf(r, r->top));
    if (range) SetScrollRange(hWnd, SB_VERT, 0, r->vMax, FALSE);
    SetScrollPos(hWnd, SB_VERT, r->vPos, TRUE);
}

void OnSize(HWND hWnd, BrowseRecord* r, LPARAM lParam) {
    r->clientWidth = LOWORD(lParam);
    r->clientHeight = HIWORD(lParam);
    r->topMax = static_cast<DWORD>(std::max<LONGLONG>(0, LONGLONG{r->lines} + 2 - r->clientHeight / r->lineHeight));
    r->hMax = static_cast<WORD>(std::max(0, 257 - r->clientWidth / r->charWidth));
    r->top = std::min(r->top, r->topMax);
    r->hPos = std::min(r->hPos, r->hMax);
    SetVerticalBar(hWnd, r, true);
    SetScrollRange(hWnd, SB_HORZ, 0, r->hMax, FALSE);
    SetScrollPos(hWnd, SB_HORZ, r->hPos, TRUE);
}

void OnVScroll(HWND hWnd, BrowseRecord* r, WPARAM wParam) {
    const LONGLONG page = r->clientHeight / r->lineHeight, top = r->top;
    LONGLONG step = 0;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: step = -1; break;
    case SB_LINEDOWN: step = 1; break;
    case SB_PAGEUP: step = std::min<LONGLONG>(-page, -1); break;
    case SB_PAGEDOWN: step = std::max<LONGLONG>(page, 1); break;
    case SB_THUMBPOSITION: step = LONGLONG{LineOfBar(r, HIWORD(wParam))} - top; break;
    case SB_TOP: step = -top; break;
    case SB_BOTTOM: step = LONGLONG{r->topMax} - top; break;
    default: break;
    }
    step = std::clamp<LONGLONG>(step, -top, LONGLONG{r->topMax} - top);
    if (!step) return;
    r->top = static_cast<DWORD>(top + step);
    if (std::abs(step) <= page) ScrollWindow(hWnd, 0, static_cast<int>(-step * r->lineHeight), nullptr, nullptr);
    else InvalidateRect(hWnd, nullptr, TRUE);  // nothing shown stays in view
    SetVerticalBar(hWnd, r, false);
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
    step = std::clamp(step, -int{r->hPos}, r->hMax - r->hPos);
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
    if (r->chunks) {
        if (auto* table = static_cast<core::BrowseChunk*>(GlobalLock(r->chunks))) {
            for (DWORD i = 0; i < r->chunkCount; ++i) GlobalFree(const_cast<char*>(table[i].text));
            GlobalUnlock(r->chunks);
        }
        GlobalFree(r->chunks);
    }
    delete r->reader;
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
        if (!OnPaint(hWnd, r)) {  // the chunk table cannot be locked
            r->failed = 1;
            g_browse.outOfMemory = true;
            DestroyWindow(hWnd);
        }
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
