// Printing plain text on a real printer of the test prefix: Wine's
// PostScript driver with its built-in PPD as the default printer, its port a
// file that Ghostscript (txtwrite) reads back page by page.  The library's
// calls of the system are watched, or made to fail, through its imports.
#include <gtest/gtest.h>

#include <winspool.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "imports.h"
#include "msgbox.h"
#include "testapp.h"

using namespace tstest;

namespace {

using Pages = std::vector<std::vector<std::string>>;
constexpr char kPrinter[] = "Tessarine Test Printer";

std::string ReadText(const std::string& path) {
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

// The default printer while the object lives, printing into "printed.ps" in
// `folder` below the current folder.
class FilePrinter {
public:
    explicit FilePrinter(const std::string& folder = ".") {
        char cwd[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof cwd, cwd);
        dir_ = std::string(cwd) + "\\" + folder;
        CreateDirectoryA(dir_.c_str(), nullptr);
        port_ = dir_ + "\\printed.ps";
        Remove();
        HMODULE spool = LoadLibraryA("winspool.drv");  // its own PPD, where each environment's driver looks
        HRSRC res = FindResourceA(spool, MAKEINTRESOURCEA(1), "PPDFILE");
        const std::string ppd(static_cast<const char*>(LockResource(LoadResource(spool, res))), SizeofResource(spool, res));
        for (const char* env : {"Windows NT x86", "Windows x64"}) {
            char driverDir[MAX_PATH] = {};
            DWORD needed = 0;
            GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(env), 1, reinterpret_cast<BYTE*>(driverDir), MAX_PATH, &needed);
            const std::string path = std::string(driverDir) + "\\3\\tstest.ppd";
            CreateDirectoryA((std::string(driverDir) + "\\3").c_str(), nullptr);
            std::ofstream(path, std::ios::binary) << ppd;
            DRIVER_INFO_3A d{3, const_cast<char*>("Wine PostScript Driver"), const_cast<char*>(env),
                             const_cast<char*>("wineps.drv"), const_cast<char*>(path.c_str()), const_cast<char*>("wineps.drv")};
            if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&d), APD_COPY_NEW_FILES))
                problem = "AddPrinterDriverEx failed for " + std::string(env);
        }
        PRINTER_INFO_2A info{};
        info.pPrinterName = const_cast<char*>(kPrinter);
        info.pPortName = const_cast<char*>(port_.c_str());
        info.pDriverName = const_cast<char*>("Wine PostScript Driver");
        info.pPrintProcessor = const_cast<char*>("WinPrint");
        info.pDatatype = const_cast<char*>("RAW");
        HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
        char courier[] = "Courier";  // the printer's own Courier: plain strings in the output
        SetPrinterDataExA(h, const_cast<char*>("PrinterDriverData\\FontSubTable"), const_cast<char*>("Courier New"),
                          REG_SZ, reinterpret_cast<BYTE*>(courier), sizeof courier);
        if (!h || !ClosePrinter(h) || !SetDefaultPrinterA(kPrinter)) problem += "no printer";
    }
    ~FilePrinter() {
        Remove();
        WriteProfileStringA("windows", "Device", nullptr);
    }
    HDC Dc() const { return CreateDCA("wineps.drv", kPrinter, port_.c_str(), nullptr); }
    // Lines on a page in the default font, less the five the library keeps free.
    int LinesPerPage() const {
        HDC dc = Dc();
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        const int lines = GetDeviceCaps(dc, VERTRES) / (tm.tmHeight + tm.tmExternalLeading) - 5;
        DeleteDC(dc);
        return lines;
    }
    // The lines that hold text on each page of the last job, the blanks of
    // the left margin removed.  Ghostscript runs as a Unix program; a file
    // written after it tells that it ended, and how.
    Pages Read() {
        using ToUnix = char*(CDECL*)(LPCWSTR);
        auto toUnix = reinterpret_cast<ToUnix>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, dir_.c_str(), -1, wide, MAX_PATH);
        char* unixDir = toUnix(wide);
        const std::string in = "'" + std::string(unixDir) + "/";
        HeapFree(GetProcessHeap(), 0, unixDir);
        std::string command = "/bin/sh -c \"rm -f " + in + "page'*.txt; gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -o " + in +
                              "page%d.txt' " + in + "printed.ps' >" + in + "gs.log' 2>&1; echo $? >" + in + "gs.done'\"";
        DeleteFileA((dir_ + "\\gs.done").c_str());
        STARTUPINFOA si{sizeof si};
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
        CloseHandle(pi.hThread), CloseHandle(pi.hProcess);
        std::string done;
        for (int i = 0; i < 300 && (done = ReadText(dir_ + "\\gs.done")).empty(); ++i) Sleep(100);
        if (done != "0\n") problem = "Ghostscript (gs, installed by scripts/bootstrap.sh): " + ReadText(dir_ + "\\gs.log");
        Pages pages;
        for (std::string name; GetFileAttributesA((name = dir_ + "\\page" + std::to_string(pages.size() + 1) + ".txt").c_str()) !=
                               INVALID_FILE_ATTRIBUTES;) {
            std::vector<std::string> lines;
            std::size_t margin = std::string::npos;
            std::istringstream s(ReadText(name));
            for (std::string line; std::getline(s, line);) {
                line.erase(line.find_last_not_of("\r ") + 1);
                if (!line.empty()) lines.push_back(line), margin = std::min(margin, line.find_first_not_of(' '));
            }
            for (std::string& l : lines) l.erase(0, margin);
            pages.push_back(lines);
        }
        return pages;
    }
    std::string problem;

private:
    void Remove() {
        HANDLE h = nullptr;
        PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (OpenPrinterA(const_cast<char*>(kPrinter), &h, &access)) DeletePrinter(h), ClosePrinter(h);
    }
    std::string dir_, port_;
};

// What reaches the printer through the library: the document name, each
// line drawn, and the state of the owner and the progress view at the first
// line.  A click with the mouse on Cancel when line `clickAt` is drawn waits
// in the queue until the abort procedure takes the waiting messages.
struct {
    HWND owner;
    int clickAt, endPage;
    std::string doc, progress;
    std::vector<std::string> lines;
} g_job;

int WINAPI WatchStartDoc(HDC dc, const DOCINFOA* doc) {
    g_job.doc = doc->lpszDocName;
    return StartDocA(dc, doc);
}

int WINAPI FailingEndPage(HDC dc) { return g_job.endPage ? g_job.endPage : EndPage(dc); }

HGLOBAL WINAPI NoMemory(UINT, SIZE_T) { return nullptr; }

LONG WINAPI WatchText(HDC dc, int x, int y, LPCSTR text, int n, int tabs, const INT* stops, int origin) {
    if (n == 0) return 0;
    g_job.lines.emplace_back(text, n);
    HWND progress = FindWindowA(nullptr, "Printing");
    RECT a{}, b{};
    GetWindowRect(progress, &a), GetWindowRect(g_job.owner, &b);
    if (g_job.lines.size() == 1)  // shown, owner disabled, centred on it
        g_job.progress = std::to_string(IsWindowVisible(progress)) + std::to_string(!IsWindowEnabled(g_job.owner)) +
                         std::to_string(std::abs(a.left + a.right - b.left - b.right) <= 2 &&
                                        std::abs(a.top + a.bottom - b.top - b.bottom) <= 2);
    if (static_cast<int>(g_job.lines.size()) == g_job.clickAt) {
        HWND cancel = FindWindowExA(progress, nullptr, "button", "Cancel");
        GetWindowRect(cancel, &a);
        SetCursorPos((a.left + a.right) / 2, (a.top + a.bottom) / 2);
        INPUT press[2] = {{INPUT_MOUSE}, {INPUT_MOUSE}};
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN, press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, press, sizeof(INPUT));
    }
    return TabbedTextOutA(dc, x, y, text, n, tabs, stops, origin);
}

struct Printing : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(printer.problem, "");
        g_job = {CreateWindowA("STATIC", "owner", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, 0, 0, 0, nullptr)};
        ASSERT_TRUE(startDoc.installed() && endPage.installed() && text.installed());
    }
    void TearDown() override { DestroyWindow(g_job.owner); }
    static WORD Print(const std::string& text, const char* title = "Report", HDC dc = nullptr) {
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        lstrcpyA(static_cast<char*>(GlobalLock(mem)), text.c_str());
        GlobalUnlock(mem);
        const WORD r = vwPrintBufferExt(g_job.owner, mem, title, dc, dc ? VWPF_OWNDC : 0);
        GlobalFree(mem);
        return r;
    }
    FilePrinter printer{"the printer output goes to a folder whose name takes the profile entry past 80 characters"};
    ImportPatch startDoc{"gdi32.dll", "StartDocA", reinterpret_cast<void*>(&WatchStartDoc)};
    ImportPatch endPage{"gdi32.dll", "EndPage", reinterpret_cast<void*>(&FailingEndPage)};
    ImportPatch text{"user32.dll", "TabbedTextOutA", reinterpret_cast<void*>(&WatchText)};
};

std::string Row(const char* format, int a, int b = 0) {
    char line[64];
    std::snprintf(line, sizeof line, format, a, b);
    return line;
}

} // namespace

TEST_F(Printing, LinesTabsFormFeedsAndPageBreaksWithTheProgressView) {
    const int perPage = printer.LinesPerPage();
    ASSERT_GT(perPage, 10);
    std::string text = "first\r\nsecond\ttab\r\n\tindented\r\n\fpage two\r\n";
    std::vector<std::string> two{"page two"};
    for (int row = 1; row <= perPage; ++row) text += Row("row %d\r\n", row);
    for (int row = 1; row < perPage; ++row) two.push_back(Row("row %d", row));
    EXPECT_EQ(Print(text, std::string(5000, 't').c_str()), 0);
    EXPECT_EQ(g_job.doc, std::string(31, 't') + " ");  // of a title of 5,000
    EXPECT_EQ(g_job.progress, "111");  // shown, the owner disabled, centred on it
    EXPECT_TRUE(IsWindowEnabled(g_job.owner) && !FindWindowA(nullptr, "Printing"));
    EXPECT_EQ(printer.Read(), (Pages{{"first", "second  tab", "        indented"}, two, {Row("row %d", perPage)}}))
        << printer.problem;
}

TEST_F(Printing, CancelWithTheMouseEndsTheDocumentWithThePagesPrinted) {
    const int perPage = printer.LinesPerPage();
    std::string text;
    for (int page = 1; page <= 40; ++page)
        for (int line = 1; line <= perPage; ++line) text += Row("page %d line %d\r\n", page, line);
    g_job.clickAt = 2 * perPage + 1;
    MessageBoxCapture boxes;
    EXPECT_EQ(Print(text), 0);
    EXPECT_EQ(g_job.lines.size(), 3u * perPage);  // no line after the click's page
    EXPECT_EQ(boxes.transcript(), "");
    EXPECT_TRUE(IsWindowEnabled(g_job.owner) && !FindWindowA(nullptr, "Printing"));
    const Pages printed = printer.Read();  // three whole pages, no empty one after them
    ASSERT_EQ(printed.size(), 3u) << printer.problem;
    for (int page = 1; page <= 3; ++page) {
        ASSERT_EQ(printed[page - 1].size(), static_cast<std::size_t>(perPage)) << "page " << page;
        EXPECT_EQ(printed[page - 1].back(), Row("page %d line %d", page, perPage));
    }
}

TEST_F(Printing, FilesAreReadInBlocksOnTheCallersPrinter) {
    std::ofstream("print.txt", std::ios::binary) << std::string(10001, 'x') + "\r\nend";
    HDC dc = printer.Dc();
    EXPECT_EQ(vwPrintFileExt(g_job.owner, "print.txt", "file", dc, VWPF_OWNDC | VWPF_HIDDEN), 0);
    EXPECT_EQ(g_job.lines, (std::vector<std::string>{std::string(10000, 'x'), "x", "end"}));  // split at the block
    EXPECT_EQ(g_job.progress.substr(0, 2), "01");  // hidden
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_DC));  // the caller's, still alive
    MessageBoxCapture boxes;
    EXPECT_EQ(vwPrintFileExt(g_job.owner, "no-such-file.txt", "file", dc, VWPF_OWNDC), 2);
    {
        ImportPatch noMemory{"kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(&NoMemory)};
        EXPECT_EQ(vwPrintFileExt(g_job.owner, "print.txt", "file", dc, VWPF_OWNDC), 1);
    }
    EXPECT_EQ(boxes.transcript(), "");
    DeleteDC(dc);
    DeleteFileA("print.txt");
}

TEST_F(Printing, FailuresAreReportedAndTheOwnerEnabledAgain) {
    MessageBoxCapture boxes;
    for (int status : {SP_OUTOFDISK, SP_OUTOFMEMORY}) {
        g_job.endPage = status;
        EXPECT_EQ(Print("a\fb\fc"), 0);
    }
    EXPECT_EQ(g_job.lines, (std::vector<std::string>{"a", "a"}));  // the first page break fails
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    HDC memoryDc = CreateCompatibleDC(nullptr);  // no printer: the spooler refuses the document
    EXPECT_EQ(vwPrintBufferExt(g_job.owner, mem, "t", memoryDc, VWPF_OWNDC), 4);
    EXPECT_EQ(GetObjectType(memoryDc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(vwPrintBufferExt(g_job.owner, nullptr, "t", memoryDc, VWPF_OWNDC), 1);
    DeleteDC(memoryDc);
    WriteProfileStringA("windows", "Device", nullptr);  // no default printer
    EXPECT_EQ(vwGetPrinterDC(), nullptr);
    EXPECT_EQ(vwPrintBuffer(g_job.owner, mem, "t"), 4);
    WriteProfileStringA("windows", "Device", "Nowhere,nodriver,nul:");
    EXPECT_EQ(vwGetPrinterDC(), nullptr);
    GlobalFree(mem);
    EXPECT_EQ(boxes.transcript(), "Error: Out of disk space | Error: Out of memory space | Error: Unable to start print "
                                  "job | Error: Unable to lock global data handle. | Error: Unable to access printer.");
    EXPECT_TRUE(IsWindowEnabled(g_job.owner) && !FindWindowA(nullptr, "Printing"));
}
