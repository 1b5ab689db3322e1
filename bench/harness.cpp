#include "bench/harness.hpp"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/stats.hpp"

namespace ts::bench {
namespace {

std::string g_problem;

bool Selected(const char* name, std::span<const std::string> only) {
    if (only.empty()) return true;
    const std::string_view n(name);
    return std::any_of(only.begin(), only.end(), [&](const std::string& s) { return n.find(s) != n.npos; });
}

// One library batch and one raw batch; every other pair runs the raw batch
// first, so that neither arm always follows the other.
BatchPair RunPair(Batches& b, long reps, bool rawFirst) {
    BatchPair p;
    p.reps = reps;
    pump_messages();
    if (rawFirst) {
        p.raw = b.raw(reps);
        pump_messages();
        p.lib = b.lib(reps);
    } else {
        p.lib = b.lib(reps);
        pump_messages();
        p.raw = b.raw(reps);
    }
    return p;
}

// Grows the repetitions until the slower arm takes a quarter of a batch,
// then scales them to a whole batch.  These runs are the warm-up.
long SizeBatches(Batches& b, const Settings& s) {
    long reps = 1;
    for (int round = 0; round < 40; ++round) {
        const BatchPair p = RunPair(b, reps, false);
        const double slower = std::max(p.lib, p.raw);
        if (!g_problem.empty()) return 0;
        if (slower >= s.batchSeconds / 4) {
            const double scaled = static_cast<double>(reps) * s.batchSeconds / slower;
            return std::max(1L, static_cast<long>(scaled));
        }
        if (reps > (1L << 26)) break;
        reps *= slower > 0 ? std::clamp(static_cast<long>(s.batchSeconds / 4 / slower) + 1, 2L, 16L) : 16L;
    }
    return reps;
}

} // namespace

const char* architecture() {
#ifdef _WIN64
    return "x86_64";
#else
    return "i686";
#endif
}

void report_problem(std::string what) {
    if (g_problem.empty()) g_problem = std::move(what);
}

double now_seconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / frequency;
}

void pump_messages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

Tally run_rows(std::span<const Row> rows, const Settings& settings, std::span<const std::string> only) {
    Tally tally;
    for (const Row& row : rows) {
        if (!Selected(row.name, only)) continue;
        g_problem.clear();
        Batches b = row.prepare();
        if (b.failure.empty() && (!b.lib || !b.raw)) b.failure = "no batches";
        long reps = b.failure.empty() ? (b.fixedReps ? b.fixedReps : SizeBatches(b, settings)) : 0;
        if (b.fixedReps) RunPair(b, reps, false);  // warm-up
        std::vector<BatchPair> pairs;
        for (int i = 0; i < settings.batches && b.failure.empty() && g_problem.empty(); ++i)
            pairs.push_back(RunPair(b, reps, i % 2 == 1));
        const std::string why = !b.failure.empty() ? b.failure : g_problem;
        const auto result = why.empty() ? summarize(pairs) : std::nullopt;
        if (!result) {
            std::printf("%s %s not measured: %s\n", row.name, architecture(),
                        why.empty() ? "the timer measured nothing" : why.c_str());
            ++tally.unmeasured;
        } else {
            std::printf("%s\n", format_row(row.name, architecture(), *result, row.goal, b.quantity).c_str());
            ++tally.rows;
            if (over_goal(result->ratio, row.goal)) ++tally.over;
        }
        std::fflush(stdout);
        b = {};  // the row's windows go before the next row is prepared
        pump_messages();
    }
    return tally;
}

} // namespace ts::bench
