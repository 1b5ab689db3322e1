// The file viewer: its window, scrolling by keys, painting, the hook.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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
