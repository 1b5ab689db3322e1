// Speed of the library against plain Win32 doing the same work in the same
// run: one line per row with the median ratio library / raw over interleaved
// batches and its spread, then the count of rows over their goals.
//
//   bench.exe [--batches N] [--ms MILLISECONDS] [NAME...]
//
// NAME selects the rows whose names contain it ("P1", "type").
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/browse_measure.h"
#include "bench/rows.hpp"
#include "bench/stats.hpp"

using namespace ts::bench;

namespace {

constexpr Row kRows[] = {
    {"P1 build10", 1.3, prepare_build10},
    {"P1 build100", 1.3, prepare_build100},
    {"P1 build300", 1.3, prepare_build300},
    {"P2 type", 1.2, prepare_type_accepted},
    {"P2 reject", 1.2, prepare_type_rejected},
    {"P3 lookup repeated", 2.0, prepare_lookup_repeated},
    {"P3 lookup alternating", kNoGoal, prepare_lookup_alternating},
    {"P4 replace", 3.0, prepare_replace},
    {"P5 browse", 2.0, prepare_browse},
    {"P5m", 1.2, prepare_browse_memory},
    {"P5 lf", 1.3, prepare_browse_lf},
    {"P5 cr", 1.3, prepare_browse_cr},
    {"P5 noend", 1.3, prepare_browse_noend},
    {"P5 line", 1.3, prepare_browse_line},
    {"P6 paint300", 1.3, prepare_paint300},
};

} // namespace

int main(int argc, char** argv) {
    // P5m measures the viewer's memory in a fresh copy of this program
    if (argc > 2 && std::strcmp(argv[1], tsbench::PeakChildArgument) == 0)
        return tsbench::PeakBrowseMemoryChild(argv[2]);
    Settings settings;
    std::vector<std::string> only;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--batches") && i + 1 < argc) settings.batches = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--ms") && i + 1 < argc) settings.batchSeconds = std::atof(argv[++i]) / 1000;
        else only.emplace_back(argv[i]);
    }
    const Tally t = run_rows(kRows, settings, only);
    std::printf("bench %s: %d rows, %d over goal", architecture(), t.rows, t.over);
    if (t.unmeasured) std::printf(", %d not measured", t.unmeasured);
    std::printf("\n");
    return 0;
}
