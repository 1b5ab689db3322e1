#include "fileprinter.h"

#include <winspool.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace tstest {
namespace {

constexpr char kPrinter[] = "Tessarine Test Printer";
constexpr char kDriver[] = "Wine PostScript Driver";

// winspool.drv's own PPD, written where the driver of each environment
// looks for it.
bool InstallDriver(std::string& problem) {
    HMODULE spool = LoadLibraryA("winspool.drv");
    HRSRC res = spool ? FindResourceA(spool, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
    const void* ppd = res ? LockResource(LoadResource(spool, res)) : nullptr;
    if (!ppd) return problem = "winspool.drv has no built-in PPD", false;
    const DWORD size = SizeofResource(spool, res);
    for (const char* env : {"Windows NT x86", "Windows x64"}) {
        char dir[MAX_PATH] = {};
        DWORD needed = 0;
        if (!GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(env), 1, reinterpret_cast<BYTE*>(dir), sizeof dir,
                                        &needed))
            return problem = "no printer driver folder", false;
        const std::string folder = std::string(dir) + "\\3";
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string path = folder + "\\tstest.ppd";
        HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        const bool ok = f != INVALID_HANDLE_VALUE && WriteFile(f, ppd, size, &written, nullptr) && written == size;
        if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
        if (!ok) return problem = "cannot write " + path, false;
        DRIVER_INFO_3A info{};
        info.cVersion = 3;
        info.pName = const_cast<char*>(kDriver);
        info.pEnvironment = const_cast<char*>(env);
        info.pDriverPath = const_cast<char*>("wineps.drv");
        info.pConfigFile = const_cast<char*>("wineps.drv");
        info.pDataFile = const_cast<char*>(path.c_str());
        if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES))
            return problem = "AddPrinterDriverEx failed for " + std::string(env), false;
    }
    return true;
}

void RemovePrinter() {
    HANDLE h = nullptr;
    PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterA(const_cast<char*>(kPrinter), &h, &access)) {
        DeletePrinter(h);
        ClosePrinter(h);
    }
}

// A Windows path as the Unix path Ghostscript needs.
std::string UnixPath(const std::string& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!toUnix) return {};
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unix = toUnix(wide);
    std::string out = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

// A word for /bin/sh: in single quotes, any of them inside closed and
// escaped.
std::string ShellWord(const std::string& s) {
    std::string out = "'";
    for (const char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

bool ReadFileText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

} // namespace

FilePrinter::FilePrinter(const std::string& folder) {
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof dir, dir);
    folder_ = dir;
    if (!folder.empty()) {
        folder_ += "\\" + folder;
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    output_ = folder_ + "\\printed.ps";
    RemovePrinter();
    if (!InstallDriver(problem_)) return;
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(kPrinter);
    info.pPortName = const_cast<char*>(output_.c_str());
    info.pDriverName = const_cast<char*>(kDriver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!h) {
        problem_ = "AddPrinter failed: " + std::to_string(GetLastError());
        return;
    }
    // the printer's own Courier: plain strings in the output
    char courier[] = "Courier";
    SetPrinterDataExA(h, const_cast<char*>("PrinterDriverData\\FontSubTable"), const_cast<char*>("Courier New"),
                      REG_SZ, reinterpret_cast<BYTE*>(courier), sizeof courier);
    ClosePrinter(h);
    if (!SetDefaultPrinterA(kPrinter)) problem_ = "SetDefaultPrinter failed";
}

FilePrinter::~FilePrinter() {
    RemovePrinter();
    WriteProfileStringA("windows", "Device", nullptr);
}

int FilePrinter::LinesPerPage() const {
    HDC dc = CreateDCA("wineps.drv", kPrinter, output_.c_str(), nullptr);
    if (!dc) return 0;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int lines = GetDeviceCaps(dc, VERTRES) / (tm.tmHeight + tm.tmExternalLeading) - 5;
    DeleteDC(dc);
    return lines;
}

std::vector<std::vector<std::string>> FilePrinter::Pages() {
    // Ghostscript runs as a Unix program; a file written after it tells
    // that it ended, and how
    const std::string folder = UnixPath(folder_);
    if (folder.empty()) return problem_ = "no Unix path for " + folder_, std::vector<std::vector<std::string>>{};
    for (int page = 1;; ++page) {
        char name[32];
        std::snprintf(name, sizeof name, "\\page%d.txt", page);
        if (!DeleteFileA((folder_ + name).c_str())) break;
    }
    DeleteFileA((folder_ + "\\gs.done").c_str());
    std::string command = "/bin/sh -c \"gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -o " + ShellWord(folder + "/page%d.txt") +
                          " " + ShellWord(folder + "/printed.ps") + " >" + ShellWord(folder + "/gs.log") +
                          " 2>&1; echo $? >" + ShellWord(folder + "/gs.done") + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return problem_ = "cannot run /bin/sh", std::vector<std::vector<std::string>>{};
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    std::string done;
    for (int i = 0; i < 300 && !(ReadFileText(folder_ + "\\gs.done", done) && !done.empty()); ++i) Sleep(100);
    if (done.empty() || done[0] != '0') {
        std::string log;
        ReadFileText(folder_ + "\\gs.log", log);
        problem_ = "Ghostscript (gs, installed by scripts/bootstrap.sh) failed: " + log;
        return {};
    }
    std::vector<std::vector<std::string>> pages;
    for (int page = 1;; ++page) {
        char name[32];
        std::snprintf(name, sizeof name, "\\page%d.txt", page);
        std::string text;
        if (!ReadFileText(folder_ + name, text)) break;
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
            if (!line.empty()) lines.push_back(line);
        }
        std::size_t margin = std::string::npos;
        for (const std::string& l : lines) margin = std::min(margin, l.find_first_not_of(' '));
        for (std::string& l : lines) l.erase(0, margin);
        pages.push_back(lines);
    }
    return pages;
}

} // namespace tstest
