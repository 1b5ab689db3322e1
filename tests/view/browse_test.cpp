// The file viewer: its window, scrolling by keys, painting, the hook, files
// at real sizes (a million lines, a megabyte line), memory running out.
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

bool g_takePaint = false;
LRESULT CALLBACK Hook(HWND h, UINT m, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    return m == WM_PAINT && g_takePaint && BeginPaint(h, &ps) && EndPaint(h, &ps);
}

// The lines the viewer draws: where they are, where they end, their text.
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
    void TearDown() override {
        if (window) DestroyWindow(window);
        DeleteFileA("browse.txt");
    }
    HWND Open(const std::string& text, const char* title = "Viewer", const char* caption = "Browsing") {
        FILE* f = std::fopen("browse.txt", "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        if (window) DestroyWindow(window);
        return window = vwBrowse(Instance(), "browse.txt", title, caption, "Courier New", 10, 0, 0, 400, 300, 0, Hook);
    }
    std::vector<Drawn> Repaint() {
        ImportPatch record("user32.dll", "TabbedTextOutA", reinterpret_cast<void*>(&RecordText));
        g_drawn.clear();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return g_drawn;
    }
    // The numbers (after a letter) of the first line shown and of the last drawn.
    std::pair<long, long> Shown() {
        const std::vector<Drawn> d = Repaint();
        for (const Drawn& line : d)
            if (line.y > 0) return {std::atol(line.text.c_str() + 1), std::atol(d.back().text.c_str() + 1)};
        return {-1, -1};
    }
    int Pos(int bar) { return GetScrollPos(window, bar); }
    int Max(int bar) { return GetScrollRange(window, bar, &lo_, &hi_), hi_; }
    void Key(WPARAM key) { SendMessageA(window, WM_KEYDOWN, key, 0); }
    HWND window = nullptr;
    int lo_ = 0, hi_ = 0;
};

int g_allocs = 0;
HGLOBAL WINAPI FailingGlobalAlloc(UINT flags, SIZE_T bytes) {
    return ++g_allocs == 4 ? nullptr : GlobalAlloc(flags, bytes);  // the table, then the third chunk
}
HGLOBAL WINAPI FailingGlobalReAlloc(HGLOBAL, SIZE_T, UINT) { return nullptr; }

} // namespace

TEST_F(Browse, AWindowOfItsOwnScrolledByKeysAndPaintedUnlessTheHookTakesOver) {
    std::string text = "L" + std::string(1u << 20, 'i') + "\r\n";  // a megabyte of the narrowest letter
    for (int i = 1; i < 100; ++i) text += "L" + std::to_string(i) + "\tline\r\n";
    const std::string longCaption(5000, 'c');
    ASSERT_TRUE(Open(text, "Viewer", longCaption.c_str()));
    EXPECT_EQ(ClassOf(window), "ViewBrowse32");
    EXPECT_EQ(TextOf(window), longCaption.substr(0, 254));
    const int vmax = Max(SB_VERT);
    EXPECT_TRUE(vmax > 80 && vmax < 102) << vmax;  // 100 lines + 2 less a page
    Key(VK_RIGHT);
    EXPECT_EQ(Pos(SB_HORZ), 8);  // eight columns at a time
    // a row down each, without the line end; a long line only as far as it shows
    const std::vector<Drawn> lines = Repaint();
    RECT rc;
    GetClientRect(window, &rc);
    ASSERT_GT(lines.size(), 2u);
    EXPECT_GE(lines[0].right, rc.right);
    EXPECT_LT(lines[0].text.size(), 10000u);
    EXPECT_EQ(lines[1].text, "L1\tline");
    EXPECT_EQ(lines[1].y, 2 * lines[0].y);
    Key(VK_DOWN);
    EXPECT_EQ(Pos(SB_VERT), 1);
    EXPECT_EQ(Shown().first, 1);
    Key(VK_END);
    EXPECT_EQ(Pos(SB_VERT), vmax);
    EXPECT_EQ(Shown().second, 99);
    Key(VK_HOME);
    Key(VK_LEFT);
    EXPECT_EQ(Pos(SB_VERT) + Pos(SB_HORZ), 0);
    g_takePaint = true;
    EXPECT_TRUE(Repaint().empty());
    g_takePaint = false;
    ASSERT_TRUE(Open(""));
    EXPECT_EQ(Max(SB_VERT), 0);
    EXPECT_EQ(vwBrowse(Instance(), "no-such-file.txt", "", "", "Courier New", 10, 0, 0, 400, 300, 0, Hook), nullptr);
}

TEST_F(Browse, AMillionLines) {
    const long lines = 1000005;  // "L0000000" to "L1000004"
    std::string text;
    char line[16];
    for (long i = 0; i < lines; ++i) text.append(line, static_cast<std::size_t>(std::snprintf(line, 16, "L%07ld\r\n", i)));
    ASSERT_TRUE(Open(text));
    EXPECT_EQ(Max(SB_VERT), 0xFFFF);  // scaled to what a scroll message carries
    Key(VK_END);
    EXPECT_EQ(Shown().second, lines - 1);
    EXPECT_EQ(Pos(SB_VERT), 0xFFFF);
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0x8000), 0);  // the thumb reaches the middle
    const long middle = Shown().first;
    EXPECT_NEAR(middle, lines / 2, lines / 0xFFFF + 1);
    Key(VK_DOWN);
    EXPECT_EQ(Shown().first, middle + 1);
}

TEST_F(Browse, MemoryRunningOutWhileLoadingIsReportedUnderTheErrorTitle) {
    MessageBoxCapture boxes;
    const std::string longTitle(5000, 't');
    for (auto [function, fake] : {std::pair{"GlobalAlloc", reinterpret_cast<void*>(&FailingGlobalAlloc)},
                                  std::pair{"GlobalReAlloc", reinterpret_cast<void*>(&FailingGlobalReAlloc)}}) {
        ImportPatch failing("kernel32.dll", function, fake);
        EXPECT_EQ(Open(std::string(80000, 'c'), longTitle.c_str()), nullptr) << function;  // the table grows once
    }
    ASSERT_EQ(boxes.boxes().size(), 2u);
    for (const CapturedBox& box : boxes.boxes()) {
        EXPECT_EQ(box.text, "Not Enought Memory");
        EXPECT_EQ(box.caption, longTitle.substr(0, 50));
        EXPECT_TRUE(box.topmost);
    }
    DWORD owner = 0;  // no viewer of this process is left (another program's may be closing)
    GetWindowThreadProcessId(FindWindowA("ViewBrowse32", nullptr), &owner);
    EXPECT_NE(owner, GetCurrentProcessId());
}
