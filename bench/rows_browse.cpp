// The file viewer at real sizes.
//   P5 browse   vwBrowse opening a 50 MB file (window shown and painted)
//               against one ReadFile of it into fresh memory and counting
//               its line feeds
//   P5m         the most memory that open holds, measured in a fresh
//               process, against the size of the file
//   P5 lf/cr/noend/line  opening a 5 MB file with lone LF or CR line ends
//               or none, or a 1 MB single line, and repainting its middle,
//               against the same for a CRLF file of the same size
#include <memory>
#include <string>

#include "bench/browse_measure.h"
#include "bench/rows.hpp"

namespace ts::bench {
namespace {

// A generated file, deleted with the last batch that reads it.
struct TempText {
    std::string path;
    explicit TempText(const char* name) {
        char dir[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        path = std::string(dir) + name;
    }
    ~TempText() { DeleteFileA(path.c_str()); }
};

std::shared_ptr<TempText> Write(const char* name, std::size_t bytes, tsbench::LineEnd end, bool endedOnce = false) {
    auto f = std::make_shared<TempText>(name);
    if (!tsbench::WriteTextFile(f->path.c_str(), bytes, end)) return nullptr;
    if (endedOnce) {  // a single line, ended at the end of the file
        HANDLE h = CreateFileA(f->path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD done = 0;
        WriteFile(h, "\r\n", 2, &done, nullptr);
        CloseHandle(h);
    }
    return f;
}

double OpenAndPaint(const std::string& path) {
    HWND w = nullptr;
    double t = tsbench::TimeBrowseOpen(path.c_str(), &w);
    if (t < 0 || !w) {
        report_problem("vwBrowse did not open " + path);
        return t;
    }
    tsbench::ScrollToMiddle(w);
    t += tsbench::TimeRepaint(w, 5);
    DestroyWindow(w);
    return t;
}

Batches Against(const char* name, std::size_t bytes, tsbench::LineEnd end, bool endedOnce) {
    auto odd = Write(name, bytes, end, endedOnce);
    auto crlf = Write("tsbench-crlf.txt", bytes, tsbench::LineEnd::CrLf);
    if (!odd || !crlf) return Batches::Failed("cannot write the test files");
    Batches b;
    b.fixedReps = 1;
    b.lib = [odd](long) { return OpenAndPaint(odd->path); };
    b.raw = [crlf](long) { return OpenAndPaint(crlf->path); };
    return b;
}

constexpr std::size_t kBig = 50u << 20;

} // namespace

Batches prepare_browse() {
    auto f = Write("tsbench-big.txt", kBig, tsbench::LineEnd::CrLf);
    if (!f) return Batches::Failed("cannot write the test file");
    Batches b;
    b.fixedReps = 1;
    b.lib = [f](long) {
        HWND w = nullptr;
        const double t = tsbench::TimeBrowseOpen(f->path.c_str(), &w);
        if (t < 0 || !w) report_problem("vwBrowse did not open the file");
        if (w) DestroyWindow(w);
        return t;
    };
    b.raw = [f](long) { return tsbench::TimeRawRead(f->path.c_str()); };
    return b;
}

Batches prepare_browse_memory() {
    auto f = Write("tsbench-peak.txt", kBig, tsbench::LineEnd::CrLf);
    if (!f) return Batches::Failed("cannot write the test file");
    Batches b;
    b.fixedReps = 1;
    b.quantity = Quantity::Bytes;
    b.lib = [f](long) {
        const long long peak = tsbench::PeakBrowseMemory(f->path.c_str());
        if (peak < 0) report_problem("the peak memory could not be measured");
        return static_cast<double>(peak);
    };
    b.raw = [](long) { return static_cast<double>(kBig); };
    return b;
}

Batches prepare_browse_lf() { return Against("tsbench-lf.txt", 5u << 20, tsbench::LineEnd::Lf, false); }
Batches prepare_browse_cr() { return Against("tsbench-cr.txt", 5u << 20, tsbench::LineEnd::Cr, false); }
Batches prepare_browse_noend() { return Against("tsbench-noend.txt", 5u << 20, tsbench::LineEnd::None, false); }
Batches prepare_browse_line() { return Against("tsbench-line.txt", 1u << 20, tsbench::LineEnd::None, true); }

} // namespace ts::bench
