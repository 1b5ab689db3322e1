// Printing through a real printer of the prefix (Wine's PostScript driver
// printing to a file), read back from what it printed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fileprinter.h"
#include "imports.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

using Page = std::vector<std::string>;

WORD PrintText(HWND owner, const std::string& text) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    const WORD r = vwPrintBuffer(owner, mem, "Real");
    GlobalFree(mem);
    return r;
}

std::string Row(const char* format, int a, int b = 0) {
    char line[64];
    std::snprintf(line, sizeof line, format, a, b);
    return line;
}

// A click with the mouse on the progress view's Cancel button once the
// first line of page 3 goes to the printer; the lines still reach it.  The
// click waits in the queue until the abort procedure takes the waiting
// messages.
struct {
    int lines = 0, clickAt = 0;
    bool cancelShown = false;
} g_job;

LONG WINAPI DrawAndClick(HDC dc, int x, int y, LPCSTR text, int n, int tabs, const INT* stops, int origin) {
    if (n > 0 && GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER && ++g_job.lines == g_job.clickAt) {
        HWND progress = FindWindowA(nullptr, "Printing");
        HWND cancel = progress ? FindWindowExA(progress, nullptr, "button", "Cancel") : nullptr;
        g_job.cancelShown = cancel && IsWindowVisible(cancel);
        RECT rc{};
        if (cancel) GetWindowRect(cancel, &rc);
        SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        INPUT press[2] = {};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, press, sizeof(INPUT));
    }
    return TabbedTextOutA(dc, x, y, text, n, tabs, stops, origin);
}

} // namespace

TEST(RealPrinter, LinesTabsFormFeedsAndPageBreaks) {
    // a port path that takes the profile's printer entry past 80 characters
    FilePrinter printer("the printer's output goes to a folder with a long name");
    ASSERT_EQ(printer.problem(), "");
    const int perPage = printer.LinesPerPage();
    ASSERT_GT(perPage, 10);
    std::string text = "first\r\nsecond\ttab\r\n\tindented\r\n\fpage two\r\n";
    for (int row = 1; row <= perPage; ++row) text += Row("row %d\r\n", row);
    Page two{"page two"};
    for (int row = 1; row < perPage; ++row) two.push_back(Row("row %d", row));
    const std::vector<Page> expected{{"first", "second  tab", "        indented"}, two, {Row("row %d", perPage)}};

    EXPECT_EQ(PrintText(nullptr, text), 0);
    EXPECT_EQ(printer.Pages(), expected) << printer.problem();
}

TEST(RealPrinter, CancelWithTheMouseEndsTheDocumentWithThePagesPrinted) {
    FilePrinter printer;
    ASSERT_EQ(printer.problem(), "");
    const int perPage = printer.LinesPerPage(), pages = 40;
    std::string text;
    for (int page = 1; page <= pages; ++page)
        for (int line = 1; line <= perPage; ++line) text += Row("page %d line %d\r\n", page, line);
    HWND owner = CreateWindowA("static", "owner", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                               Instance(), nullptr);
    MessageBoxCapture boxes;
    g_job = {};
    g_job.clickAt = 2 * perPage + 1;
    {
        ImportPatch draw("user32.dll", "TabbedTextOutA", reinterpret_cast<void*>(&DrawAndClick));
        EXPECT_EQ(PrintText(owner, text), 0);
    }
    EXPECT_TRUE(g_job.cancelShown);
    EXPECT_EQ(g_job.lines, 3 * perPage);  // no line after the click's page
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr);
    DestroyWindow(owner);

    // the three pages printed, whole, and no empty page after them
    const std::vector<Page> printed = printer.Pages();
    ASSERT_EQ(printed.size(), 3u) << printer.problem();
    for (int page = 1; page <= 3; ++page) {
        ASSERT_EQ(printed[page - 1].size(), static_cast<std::size_t>(perPage)) << "page " << page;
        EXPECT_EQ(printed[page - 1].front(), Row("page %d line %d", page, 1));
        EXPECT_EQ(printed[page - 1].back(), Row("page %d line %d", page, perPage));
    }
}
