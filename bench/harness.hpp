// The benchmark harness: a row compares one piece of work done through the
// library with the same work done with plain Win32, in the same process.
// A row is one function that prepares both and hands back two batches; the
// harness warms them up, sizes them, runs them interleaved and prints the
// row's line.
//
// A new row is a function returning its Batches (declared in rows.hpp, in a
// rows_*.cpp of its own) and one line in the table of main.cpp with its name
// and goal.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "bench/stats.hpp"

namespace ts::bench {

// One batch: does the work `reps` times and returns the seconds its timed
// part took (a memory row returns the most bytes the work held instead).  Preparation that is not the work (resetting a field between
// groups of keystrokes, bringing a window to the front) stays outside the
// timed part, and is the same in both arms.
using Batch = std::function<double(long reps)>;

struct Batches {
    Batch lib;
    Batch raw;
    std::string failure;        // set when the row cannot be measured
    long fixedReps = 0;         // 0: the harness sizes the batches; a row
                                // whose one repetition is long sets 1
    Quantity quantity = Quantity::Seconds;  // what the batches return; a
                                // memory row (Bytes) sets fixedReps 1

    static Batches Failed(std::string why) {
        Batches b;
        b.failure = std::move(why);
        return b;
    }
};

struct Row {
    const char* name;           // "P1 build300"
    double goal;                // highest acceptable lib/raw ratio; kNoGoal for none
    Batches (*prepare)();
};

struct Settings {
    int batches = 15;           // timed pairs of batches per row
    double batchSeconds = 0.05; // what one batch should take
};

struct Tally {
    int rows = 0;
    int over = 0;
    int unmeasured = 0;
};

// Runs the rows whose names contain one of `only` (all rows when it is
// empty) and prints one line per row.
Tally run_rows(std::span<const Row> rows, const Settings& settings, std::span<const std::string> only);

// "x86_64" or "i686": the architecture this program was built for.
const char* architecture();

// A batch stops being measured once it reports what went wrong: the work
// did not do what both arms must do (a field refused a key the raw edit
// took, a build produced other controls).
void report_problem(std::string what);

// Seconds on the performance counter.
double now_seconds();

// Runs `work` `reps` times and returns the seconds taken.
template <typename Work>
double timed(long reps, Work&& work) {
    const double start = now_seconds();
    for (long i = 0; i < reps; ++i) work();
    return now_seconds() - start;
}

// Dispatches whatever the windows of this thread have waiting, outside the
// timed parts, so that one batch's leftovers do not land in the next.
void pump_messages();

} // namespace ts::bench
