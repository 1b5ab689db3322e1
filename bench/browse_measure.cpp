#include "browse_measure.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/harness.hpp"
#include "tscore32.h"

namespace tsbench {
namespace {

HWND Browse(const char* path) {
    return vwBrowse(GetModuleHandleA(nullptr), path, "Bench", "Bench", "Courier New", 10, 0, 0, 640, 480, 0, nullptr);
}

volatile long long g_feedSink = 0;

} // namespace

bool WriteTextFile(const char* path, std::size_t bytes, LineEnd end) {
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    const char* ending = end == LineEnd::CrLf ? "\r\n" : end == LineEnd::Lf ? "\n" : end == LineEnd::Cr ? "\r" : "";
    std::string block;
    bool ok = true;
    for (std::size_t written = 0, line = 0; ok && written < bytes;) {
        char text[80];
        const int n = std::snprintf(text, sizeof text, "line %09zu the quick brown fox jumps over the lazy dog%s",
                                    line++, ending);
        block.append(text, static_cast<std::size_t>(n));
        if (block.size() >= (1u << 20) || written + block.size() >= bytes) {
            const std::size_t take = std::min(block.size(), bytes - written);
            DWORD done = 0;
            ok = WriteFile(f, block.data(), static_cast<DWORD>(take), &done, nullptr) && done == take;
            written += take;
            block.clear();
        }
    }
    CloseHandle(f);
    return ok;
}

double TimeRawRead(const char* path) {
    const double start = ts::bench::now_seconds();
    HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 0;
    const DWORD size = GetFileSize(f, nullptr);
    auto* bytes = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, size + 1));
    DWORD got = 0;
    ReadFile(f, bytes, size, &got, nullptr);
    CloseHandle(f);
    const auto feeds = std::count(bytes, bytes + got, '\n');
    HeapFree(GetProcessHeap(), 0, bytes);
    const double seconds = ts::bench::now_seconds() - start;
    // the count must be made: it goes where the compiler cannot drop it
    g_feedSink = feeds;
    return seconds;
}

double TimeBrowseOpen(const char* path, HWND* window) {
    const double start = ts::bench::now_seconds();
    *window = Browse(path);
    return ts::bench::now_seconds() - start;
}

double TimeRepaint(HWND window, int rounds) {
    const double start = ts::bench::now_seconds();
    for (int i = 0; i < rounds; ++i) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return ts::bench::now_seconds() - start;
}

void ScrollToMiddle(HWND window) {
    int lo = 0, hi = 0;
    GetScrollRange(window, SB_VERT, &lo, &hi);
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, hi / 2), 0);
}

long long PeakBrowseMemory(const char* path) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = std::string("\"") + self + "\" " + PeakChildArgument + " \"" + path + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code == 0xFFFFFFFFu ? -1 : static_cast<long long>(code) * 1024;
}

int PeakBrowseMemoryChild(const char* path) {
    // a first small window pays for the class, the font and the painting
    char warm[MAX_PATH];
    GetTempPathA(sizeof warm, warm);
    std::string small = std::string(warm) + "tsbench-warm.txt";
    WriteTextFile(small.c_str(), 1000, LineEnd::CrLf);
    DestroyWindow(Browse(small.c_str()));
    DeleteFileA(small.c_str());

    PROCESS_MEMORY_COUNTERS before{}, after{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before)) return -1;
    HWND window = Browse(path);
    if (!window || !GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after)) return -1;
    DestroyWindow(window);
    // the rise of the peak over what the process held before: an upper bound
    const SIZE_T base = before.WorkingSetSize;
    return static_cast<int>((after.PeakWorkingSetSize > base ? after.PeakWorkingSetSize - base : 0) / 1024);
}

} // namespace tsbench
