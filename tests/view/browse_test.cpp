// The file viewer: its window, scrolling by keys, painting, the hook, and
// files at real sizes (generated here): a million lines, lone line ends,
// long lines, memory running out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "imports.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

void WriteFile(const char* path, const std::string& text) {
    FILE* f = std::fopen(path, "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

int g_paints = 0;
bool g_takePaint = false;
LRESULT CALLBACK Hook(HWND h, UINT m, WPARAM, LPARAM) {
    if (m != WM_PAINT) return 0;
    ++g_paints;
    if (!g_takePaint) return 0;
    PAINTSTRUCT ps;
    BeginPaint(h, &ps);
    EndPaint(h, &ps);
    return 1;
}

// The lines the viewer draws, where they start and end.
struct Drawn {
    int y, right;
    std::string text;
};
std::vector<Drawn> g_drawn;
LONG WINAPI RecordText(HDC dc, int x, int y, LPCSTR text, int n, int, const INT*, int) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, n, &size);
    g_drawn.push_back({y, x + size.cx, std::string(text, static_cast<std::size_t>(n))});
    return 0;
}

struct Browse : ::testing::Test {
    void SetUp() override {
        std::string text;
        for (int i = 0; i < 100; ++i) text += "Line number " + std::to_string(i) + "\r\n";
        WriteFile("browse.txt", text);
        WriteFile("empty.txt", "");
    }
    void TearDown() override {
        if (window) DestroyWindow(window);
        DeleteFileA("browse.txt");
        DeleteFileA("empty.txt");
    }
    HWND Open(const char* file) {
        window = vwBrowse(Instance(), file, "Viewer", "Browsing", "Courier New", 10, 0, 0, 400, 300, 0, Hook);
        return window;
    }
    // What one full repaint draws, top to bottom.
    std::vector<Drawn> Repaint() {
        ImportPatch record("user32.dll", "TabbedTextOutA", reinterpret_cast<void*>(&RecordText));
        g_drawn.clear();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return g_drawn;
    }
    // The first line shown (drawn one row down) and the last line drawn,
    // for lines that hold their number after one letter.
    std::pair<long, long> Shown() {
        const std::vector<Drawn> d = Repaint();
        for (const Drawn& line : d)
            if (line.y > 0) return {std::atol(line.text.c_str() + 1), std::atol(d.back().text.c_str() + 1)};
        return {-1, -1};
    }
    HWND window = nullptr;
};

} // namespace

TEST_F(Browse, WindowScrollsByKeys) {
    ASSERT_TRUE(Open("browse.txt"));
    EXPECT_EQ(ClassOf(window), "ViewBrowse32");
    EXPECT_EQ(TextOf(window), "Browsing");
    EXPECT_EQ(static_cast<DWORD>(StyleOf(window)) & 0x02FF0000UL, 0x02FF0000UL);
    int lo = 0, vmax = 0, hmax = 0;
    GetScrollRange(window, SB_VERT, &lo, &vmax);
    GetScrollRange(window, SB_HORZ, &lo, &hmax);
    EXPECT_GT(vmax, 80);  // 100 lines + 2 less a page
    EXPECT_LT(vmax, 102);
    EXPECT_GT(hmax, 150);  // 257 columns less a window width
    EXPECT_LT(hmax, 257);
    SendMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 1);
    SendMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(GetScrollPos(window, SB_HORZ), 8);  // eight columns at a time
    SendMessageA(window, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageA(window, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(GetScrollPos(window, SB_HORZ), 0);
    SendMessageA(window, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), vmax);
    SendMessageA(window, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 0);
}

TEST_F(Browse, PaintsTheTextUnlessTheHookTakesOver) {
    ASSERT_TRUE(Open("browse.txt"));
    auto inkInFirstLine = [&] {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = GetDC(window);
        int ink = 0;
        for (int y = 10; y < 40; ++y)
            for (int x = 0; x < 120; ++x) ink += GetPixel(dc, x, y) != GetSysColor(COLOR_WINDOW);
        ReleaseDC(window, dc);
        return ink;
    };
    EXPECT_GT(inkInFirstLine(), 20);
    EXPECT_GT(g_paints, 0);
    g_takePaint = true;
    EXPECT_EQ(inkInFirstLine(), 0);
    g_takePaint = false;
}

TEST_F(Browse, EmptyAndMissingFiles) {
    ASSERT_TRUE(Open("empty.txt"));
    int lo = 0, vmax = -1;
    GetScrollRange(window, SB_VERT, &lo, &vmax);
    EXPECT_EQ(vmax, 0);
    DestroyWindow(window);
    window = nullptr;
    EXPECT_EQ(Open("no-such-file.txt"), nullptr);
}

TEST_F(Browse, AMillionLinesByKeysAndScrollBar) {
    const long lines = 1000005;  // "L0000000" to "L1000004"
    std::string text;
    char line[16];
    for (long i = 0; i < lines; ++i) text.append(line, static_cast<std::size_t>(std::snprintf(line, 16, "L%07ld\r\n", i)));
    WriteFile("million.txt", text);
    ASSERT_TRUE(Open("million.txt"));
    const long page = Shown().second + 1;  // the rows of the window
    int lo = 0, barMax = 0;
    GetScrollRange(window, SB_VERT, &lo, &barMax);
    EXPECT_EQ(barMax, 0xFFFF);  // scaled to what a scroll message carries

    SendMessageA(window, WM_KEYDOWN, VK_END, 0);
    const auto [bottom, last] = Shown();
    EXPECT_EQ(last, lines - 1);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), barMax);
    SendMessageA(window, WM_KEYDOWN, VK_UP, 0);
    SendMessageA(window, WM_KEYDOWN, VK_PRIOR, 0);
    EXPECT_EQ(Shown().first, bottom - 1 - page);

    // the thumb reaches the middle and the ends, the arrows every line
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0x8000), 0);
    const long middle = Shown().first;
    EXPECT_NEAR(middle, lines / 2, lines / 0xFFFF + 1);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 0x8000);
    SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Shown().first, middle + 1);
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, barMax), 0);
    EXPECT_EQ(Shown().second, lines - 1);
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    EXPECT_EQ(Shown().first, 0);
    DeleteFileA("million.txt");
}

TEST_F(Browse, LoneLineEndsAndLongLinesStayQuick) {
    // 5 MB of lines ended by a lone LF: counted, drawn together up to the
    // next CR, and no painted line is built from the rest of the file
    std::string lf;
    while (lf.size() < (5u << 20)) lf += "a line ended by a lone line feed\n";
    WriteFile("lf.txt", lf);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(Open("lf.txt"));
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0x8000), 0);
    for (int i = 0; i < 5; ++i) Repaint();
    EXPECT_LT(GetTickCount() - start, 5000u);
    DestroyWindow(window);
    DeleteFileA("lf.txt");

    // a 1 MB line (of the narrowest letter of most faces) is drawn as far as
    // the window shows it, also scrolled right
    WriteFile("long.txt", std::string(1u << 20, 'i') + "\r\n");
    ASSERT_TRUE(Open("long.txt"));
    for (int i = 0; i < 3; ++i) SendMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    const std::vector<Drawn> d = Repaint();
    RECT rc;
    GetClientRect(window, &rc);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_GE(d[0].right, rc.right);
    EXPECT_LT(d[0].text.size(), 10000u);
    DeleteFileA("long.txt");
}

namespace {
int g_allocs = 0;
HGLOBAL WINAPI FailingGlobalAlloc(UINT flags, SIZE_T bytes) {
    return ++g_allocs == 4 ? nullptr : GlobalAlloc(flags, bytes);  // the table, then the third chunk
}
HGLOBAL WINAPI FailingGlobalReAlloc(HGLOBAL, SIZE_T, UINT) { return nullptr; }
} // namespace

TEST_F(Browse, MemoryRunningOutWhileLoading) {
    WriteFile("chunks.txt", std::string(80000, 'c'));  // eight chunks: the table grows once
    MessageBoxCapture boxes;
    for (auto [function, fake] : {std::pair{"GlobalAlloc", reinterpret_cast<void*>(&FailingGlobalAlloc)},
                                  std::pair{"GlobalReAlloc", reinterpret_cast<void*>(&FailingGlobalReAlloc)}}) {
        ImportPatch failing("kernel32.dll", function, fake);
        EXPECT_EQ(Open("chunks.txt"), nullptr) << function;
    }
    ASSERT_EQ(boxes.boxes().size(), 2u);
    for (const CapturedBox& box : boxes.boxes()) {
        EXPECT_EQ(box.text, "Not Enought Memory");
        EXPECT_EQ(box.caption, "Viewer");
        EXPECT_TRUE(box.topmost);
    }
    EXPECT_EQ(FindWindowA("ViewBrowse32", nullptr), nullptr);
    DeleteFileA("chunks.txt");
}
