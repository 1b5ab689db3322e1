#include "bench/stats.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace ts::bench {
namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

double Rounded2(double v) { return std::round(v * 100) / 100; }

} // namespace

std::optional<RowResult> summarize(std::span<const BatchPair> pairs) {
    std::vector<double> lib, raw, ratio;
    for (const BatchPair& p : pairs) {
        if (!(p.lib > 0) || !(p.raw > 0) || p.reps <= 0) continue;
        lib.push_back(p.lib / static_cast<double>(p.reps));
        raw.push_back(p.raw / static_cast<double>(p.reps));
        ratio.push_back(p.lib / p.raw);
    }
    if (ratio.empty()) return std::nullopt;
    RowResult r;
    r.libPerRep = Median(lib);
    r.rawPerRep = Median(raw);
    r.ratio = Median(ratio);
    const auto [lo, hi] = std::minmax_element(ratio.begin(), ratio.end());
    r.ratioMin = *lo;
    r.ratioMax = *hi;
    return r;
}

std::string format_duration(double seconds) {
    static constexpr struct {
        double scale;
        const char* unit;
    } kUnits[] = {{1, "s"}, {1e-3, "ms"}, {1e-6, "us"}, {1e-9, "ns"}};
    const auto* u = &kUnits[0];
    for (const auto& candidate : kUnits) {
        u = &candidate;
        // the unit in which the value, rounded to three digits, is at least 1
        if (std::abs(seconds) / candidate.scale >= 0.9995) break;
    }
    const double v = seconds / u->scale;
    const int decimals = std::abs(v) >= 99.95 ? 0 : std::abs(v) >= 9.995 ? 1 : 2;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f %s", decimals, v, u->unit);
    return buf;
}

std::string format_bytes(double bytes) {
    static constexpr const char* kUnits[] = {"B", "KiB", "MiB", "GiB"};
    int u = 0;
    while (u < 3 && std::abs(bytes) >= 1023.5) {
        bytes /= 1024;
        ++u;
    }
    const int decimals = u == 0 || std::abs(bytes) >= 99.95 ? 0 : std::abs(bytes) >= 9.995 ? 1 : 2;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f %s", decimals, bytes, kUnits[u]);
    return buf;
}

std::string format_row(std::string_view name, std::string_view arch, const RowResult& r, double goal,
                       Quantity quantity) {
    const auto format = quantity == Quantity::Bytes ? format_bytes : format_duration;
    char ratios[96];
    std::snprintf(ratios, sizeof ratios, "ratio %.2f (%.2f-%.2f)", r.ratio, r.ratioMin, r.ratioMax);
    char goalText[24] = "goal -";
    if (goal != kNoGoal) std::snprintf(goalText, sizeof goalText, "goal %.2f", goal);
    std::string line;
    line.append(name).append(" ").append(arch);
    line += " lib " + format(r.libPerRep) + " raw " + format(r.rawPerRep);
    line += std::string(" ") + ratios + " " + goalText;
    return line;
}

bool over_goal(double ratio, double goal) { return goal != kNoGoal && Rounded2(ratio) > Rounded2(goal); }

} // namespace ts::bench
