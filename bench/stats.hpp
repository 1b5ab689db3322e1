// What the batches of one benchmark row come to, and the line that reports
// it: "P1 build300 x86_64 lib 41.2 ms raw 37.9 ms ratio 1.09 (1.05-1.14)
// goal 1.30".
#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ts::bench {

// One library batch and the raw batch run beside it: the seconds each took
// for `reps` repetitions of the work (or, for a memory row, the bytes).
struct BatchPair {
    double lib = 0;
    double raw = 0;
    long reps = 1;
};

struct RowResult {
    double libPerRep = 0;     // median seconds of one repetition
    double rawPerRep = 0;
    double ratio = 0;         // median of the batch ratios lib / raw
    double ratioMin = 0;      // spread of the batch ratios
    double ratioMax = 0;
};

// The medians and the spread; nothing when no pair has both times positive
// (pairs with a zero time say nothing and are left out).
std::optional<RowResult> summarize(std::span<const BatchPair> pairs);

// A duration with three significant digits in the unit that suits it:
// "41.2 ms", "3.85 us", "812 ns", "2.10 s".
std::string format_duration(double seconds);

// A memory size with three significant digits: "52.4 MiB", "812 B".
std::string format_bytes(double bytes);

// What a row's batches measure: the seconds they took, or the most bytes
// the work held at once (a memory row, whose batches return that).
enum class Quantity { Seconds, Bytes };

// No goal: the row is reported for information and never counts as over.
inline constexpr double kNoGoal = 0;

// The row's line.  The goal reads "-" for kNoGoal.
std::string format_row(std::string_view name, std::string_view arch, const RowResult& r, double goal,
                       Quantity quantity = Quantity::Seconds);

// Whether the ratio, as the line shows it (two decimals), exceeds the goal.
bool over_goal(double ratio, double goal);

} // namespace ts::bench
