// The file viewer at real sizes, printed as rows of the benchmark:
//   P5 browse  vwBrowse opening a 50 MB file against one ReadFile of it and
//              counting its line feeds (goal: ratio at most 2)
//   P5m        the peak memory of that open over the file size (goal: at
//              most 1.2), measured in a fresh process
//   LF, CR, no line end, 1 MB line: opening and repainting such files
//              against CRLF files of the same size (goal: about 1)
//
//   browse_bench.exe [megabytes]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "browse_measure.h"

using namespace tsbench;

namespace {

std::string TempFile(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

// The best of three: the least disturbed run.
template <typename F>
double Best(F f) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) best = std::min(best, f());
    return best;
}

struct Figures {
    double open, repaint;
};

Figures OpenAndRepaint(const std::string& path) {
    Figures f{};
    f.open = Best([&] {
        HWND w = nullptr;
        const double t = TimeBrowseOpen(path.c_str(), &w);
        DestroyWindow(w);
        return t;
    });
    HWND w = nullptr;
    TimeBrowseOpen(path.c_str(), &w);
    ScrollToMiddle(w);
    f.repaint = Best([&] { return TimeRepaint(w, 20); });
    DestroyWindow(w);
    return f;
}

void Row(const char* what, double lib, double raw, const char* goal) {
    std::printf("%-14s library %9.2f ms  raw %9.2f ms  ratio %5.2f  (goal %s)\n", what, lib * 1000, raw * 1000,
                raw > 0 ? lib / raw : 0, goal);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], PeakChildArgument) == 0) return PeakBrowseMemoryChild(argv[2]);
    const std::size_t megabytes = argc > 1 ? static_cast<std::size_t>(std::atoi(argv[1])) : 50;

    const std::string big = TempFile("tsbench-big.txt");
    if (!WriteTextFile(big.c_str(), megabytes << 20, LineEnd::CrLf)) {
        std::printf("cannot write %s\n", big.c_str());
        return 1;
    }
    const double raw = Best([&] { return TimeRawRead(big.c_str()); });
    const double open = OpenAndRepaint(big).open;
    Row("P5 browse", open, raw, "<= 2");
    const long long peak = PeakBrowseMemory(big.c_str());
    const double size = static_cast<double>(megabytes << 20);
    std::printf("%-14s peak %9.2f MB  file %9.2f MB  ratio %5.2f  (goal <= 1.2)\n", "P5m", peak / 1048576.0,
                size / 1048576.0, peak >= 0 ? peak / size : -1.0);
    DeleteFileA(big.c_str());

    // other line ends against CRLF of the same size: opening, and repainting
    // the middle of the file
    const std::string crlf = TempFile("tsbench-crlf.txt"), other = TempFile("tsbench-other.txt");
    struct Case {
        const char* name;
        LineEnd end;
        std::size_t bytes;
        bool endedOnce;
    };
    const Case cases[] = {{"LF", LineEnd::Lf, 5u << 20, false},
                          {"CR", LineEnd::Cr, 5u << 20, false},
                          {"no end", LineEnd::None, 5u << 20, false},
                          {"1 MB line", LineEnd::None, 1u << 20, true}};
    for (const Case& c : cases) {
        WriteTextFile(crlf.c_str(), c.bytes, LineEnd::CrLf);
        WriteTextFile(other.c_str(), c.bytes, c.end);
        if (c.endedOnce) {  // a single line, ended at the end
            HANDLE f = CreateFileA(other.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            DWORD done = 0;
            WriteFile(f, "\r\n", 2, &done, nullptr);
            CloseHandle(f);
        }
        const Figures base = OpenAndRepaint(crlf), odd = OpenAndRepaint(other);
        char name[32];
        std::snprintf(name, sizeof name, "%s open", c.name);
        Row(name, odd.open, base.open, "about 1");
        std::snprintf(name, sizeof name, "%s paint", c.name);
        Row(name, odd.repaint, base.repaint, "about 1");
    }
    DeleteFileA(crlf.c_str());
    DeleteFileA(other.c_str());
    return 0;
}
