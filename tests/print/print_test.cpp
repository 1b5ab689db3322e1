// Printing plain text.  This machine has no printer, so the spooler calls
// of the library are pointed at a recording "printer" over a memory device
// context; everything else (the progress view, the owner, the abort path,
// the message boxes) is real.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "imports.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

struct Printed {
    int y;
    std::string text;
};

struct Spool {
    std::string docName;
    int startPage = 0, endPage = 0, endDoc = 0;
    int endPageResult = 1;
    std::vector<Printed> lines;
    int cancelAtLine = 0;  // a click on Cancel while this line prints
    bool ownerDisabled = false, progressShown = false, centred = false;
    HWND owner = nullptr;
} g_spool;

int WINAPI FakeStartDoc(HDC, const DOCINFOA* doc) {
    g_spool.docName = doc->lpszDocName;
    return 1;
}
int WINAPI FakeStartPage(HDC) { return ++g_spool.startPage, 1; }
int WINAPI FakeEndPage(HDC) { return ++g_spool.endPage, g_spool.endPageResult; }
int WINAPI FakeEndDoc(HDC) { return ++g_spool.endDoc, 1; }

LONG WINAPI FakeTabbedTextOut(HDC, int, int y, LPCSTR text, int n, int, const INT*, int) {
    if (n == 0) return 0;
    g_spool.lines.push_back({y, std::string(text, static_cast<std::size_t>(n))});
    HWND progress = FindWindowA(nullptr, "Printing");
    g_spool.progressShown = progress && IsWindowVisible(progress);
    g_spool.ownerDisabled = g_spool.owner && !IsWindowEnabled(g_spool.owner);
    if (progress && g_spool.owner) {
        RECT a, b;
        GetWindowRect(progress, &a);
        GetWindowRect(g_spool.owner, &b);
        g_spool.centred = std::abs((a.left + a.right) - (b.left + b.right)) <= 2 &&
                          std::abs((a.top + a.bottom) - (b.top + b.bottom)) <= 2;
    }
    if (static_cast<int>(g_spool.lines.size()) == g_spool.cancelAtLine && progress) {
        HWND cancel = FindWindowExA(progress, nullptr, "button", "Cancel");
        SendMessageA(progress, WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    }
    return 0;
}

struct Printing : ::testing::Test {
    void SetUp() override {
        g_spool = Spool{};
        owner = CreateWindowA("static", "owner", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                              Instance(), nullptr);
        g_spool.owner = owner;
        paper = CreateCompatibleDC(nullptr);
        TEXTMETRICA tm{};
        GetTextMetricsA(paper, &tm);
        lineHeight = tm.tmHeight + tm.tmExternalLeading;
    }
    void TearDown() override {
        DeleteDC(paper);
        DestroyWindow(owner);
    }
    WORD PrintText(const char* text, const char* title, DWORD flags = VWPF_OWNDC) {
        return PrintBytes(std::string_view(text, strlen(text) + 1), title, flags);
    }
    // The block is cut down from a larger one whose bytes after `bytes`
    // repeat its last character: reading past the block shows.
    WORD PrintBytes(std::string_view bytes, const char* title, DWORD flags = VWPF_OWNDC) {
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 64);
        auto* p = static_cast<char*>(GlobalLock(mem));
        std::memset(p, bytes.back(), bytes.size() + 64);
        std::memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(mem);
        mem = GlobalReAlloc(mem, bytes.size(), GMEM_MOVEABLE);
        WORD r = vwPrintBufferExt(owner, mem, title, paper, flags);
        GlobalFree(mem);
        return r;
    }
    HWND owner = nullptr;
    HDC paper = nullptr;
    int lineHeight = 0;
    ImportPatch startDoc{"gdi32.dll", "StartDocA", reinterpret_cast<void*>(&FakeStartDoc)};
    ImportPatch startPage{"gdi32.dll", "StartPage", reinterpret_cast<void*>(&FakeStartPage)};
    ImportPatch endPage{"gdi32.dll", "EndPage", reinterpret_cast<void*>(&FakeEndPage)};
    ImportPatch endDoc{"gdi32.dll", "EndDoc", reinterpret_cast<void*>(&FakeEndDoc)};
    ImportPatch textOut{"user32.dll", "TabbedTextOutA", reinterpret_cast<void*>(&FakeTabbedTextOut)};
};

} // namespace

TEST_F(Printing, LinesPagesAndTheProgressView) {
    ASSERT_TRUE(startDoc.installed() && textOut.installed());
    EXPECT_EQ(PrintText("A\r\nB\fC", "Report"), 0);
    EXPECT_EQ(g_spool.docName, "Report ");
    ASSERT_EQ(g_spool.lines.size(), 3u);
    EXPECT_EQ(g_spool.lines[0].y, lineHeight);  // A on line 1, B on line 2, C on line 1 of page 2
    EXPECT_EQ(g_spool.lines[1].y, 2 * lineHeight);
    EXPECT_EQ(g_spool.lines[2].y, lineHeight);
    EXPECT_EQ(g_spool.startPage, 2);
    EXPECT_EQ(g_spool.endPage, 2);
    EXPECT_EQ(g_spool.endDoc, 1);
    EXPECT_TRUE(g_spool.progressShown);
    EXPECT_TRUE(g_spool.ownerDisabled);
    EXPECT_TRUE(g_spool.centred);
    // afterwards: the owner is back, the view gone, the caller's context alive
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr);
    EXPECT_EQ(GetObjectType(paper), static_cast<DWORD>(OBJ_MEMDC));

    g_spool = Spool{};
    PrintText("x", std::string(40, 't').c_str(), VWPF_OWNDC | VWPF_HIDDEN);
    EXPECT_EQ(g_spool.docName, std::string(31, 't') + " ");
    EXPECT_FALSE(g_spool.progressShown);

    // a block without a terminating 0 ends with the block
    g_spool = Spool{};
    PrintBytes(std::string(5000, 'u'), "t");
    ASSERT_EQ(g_spool.lines.size(), 1u);
    EXPECT_EQ(g_spool.lines[0].text, std::string(5000, 'u'));
}

TEST_F(Printing, CancelSendsThePagesBegun) {
    g_spool.cancelAtLine = 2;
    EXPECT_EQ(PrintText("a\nb\nc\nd", "t"), 0);
    ASSERT_EQ(g_spool.lines.size(), 2u);
    EXPECT_EQ(g_spool.endPage, 1);
    EXPECT_EQ(g_spool.endDoc, 1);
}

TEST_F(Printing, PrintingErrorsAreReported) {
    MessageBoxCapture boxes;
    g_spool.endPageResult = SP_OUTOFDISK;
    EXPECT_EQ(PrintText("a\fb\fc", "t"), 0);
    EXPECT_EQ(g_spool.lines.size(), 1u);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Out of disk space");
    EXPECT_EQ(boxes.boxes()[0].caption, "Error");
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(Printing, FilesAreReadInBlocks) {
    FILE* f = std::fopen("print.txt", "wb");
    std::fputs((std::string(10001, 'x') + "\r\nend").c_str(), f);
    std::fclose(f);
    EXPECT_EQ(vwPrintFileExt(owner, "print.txt", "file", paper, VWPF_OWNDC), 0);
    ASSERT_EQ(g_spool.lines.size(), 3u);  // a line crossing the block boundary prints as two
    EXPECT_EQ(g_spool.lines[0].text.size(), 10000u);
    EXPECT_EQ(g_spool.lines[1].text, "x");
    EXPECT_EQ(g_spool.lines[2].text, "end");
    DeleteFileA("print.txt");
    MessageBoxCapture boxes;
    EXPECT_EQ(vwPrintFileExt(owner, "no-such-file.txt", "file", paper, VWPF_OWNDC), 2);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST(PrintFailures, NoPrinterAndARefusingSpooler) {
    HWND owner = CreateWindowA("static", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                               Instance(), nullptr);
    MessageBoxCapture boxes;
    WriteProfileStringA("windows", "Device", nullptr);
    EXPECT_EQ(vwGetPrinterDC(), nullptr);  // no default printer in the profile
    WriteProfileStringA("windows", "Device", "Nowhere,nodriver,nul:");
    EXPECT_EQ(vwGetPrinterDC(), nullptr);
    WriteProfileStringA("windows", "Device", nullptr);

    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    EXPECT_EQ(vwPrintBuffer(owner, mem, "t"), 4);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Unable to access printer.");
    EXPECT_TRUE(IsWindowEnabled(owner));

    // a context that is no printer: the spooler refuses the document
    HDC mem_dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(vwPrintBufferExt(owner, mem, "t", mem_dc, VWPF_OWNDC), 4);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].text, "Unable to start print job");
    EXPECT_EQ(GetObjectType(mem_dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(FindWindowA(nullptr, "Printing"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(vwPrintBufferExt(owner, nullptr, "t", mem_dc, VWPF_OWNDC), 1);
    EXPECT_EQ(boxes.boxes().back().text, "Unable to lock global data handle.");
    DeleteDC(mem_dc);
    GlobalFree(mem);
    DestroyWindow(owner);
}
