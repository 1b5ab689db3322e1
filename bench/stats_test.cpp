// The figures of a benchmark row and the line that reports them.
#include <gtest/gtest.h>

#include <vector>

#include "bench/stats.hpp"

using namespace ts::bench;

TEST(BenchStats, MediansSpreadAndPairsThatSayNothing) {
    // per repetition: lib 2, 3, 8 and raw 1, 2, 2: ratios 2, 1.5, 4
    const std::vector<BatchPair> pairs = {{20, 10, 10}, {6, 4, 2}, {0, 5, 1}, {16, 4, 2}, {5, 0, 1}};
    const auto r = summarize(pairs);
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->ratio, 2);
    EXPECT_DOUBLE_EQ(r->ratioMin, 1.5);
    EXPECT_DOUBLE_EQ(r->ratioMax, 4);
    EXPECT_DOUBLE_EQ(r->libPerRep, 3);
    EXPECT_DOUBLE_EQ(r->rawPerRep, 2);
    // an even count takes the mean of the middle two
    const std::vector<BatchPair> even = {{1, 1, 1}, {3, 1, 1}, {2, 1, 1}, {4, 1, 1}};
    EXPECT_DOUBLE_EQ(summarize(even)->ratio, 2.5);
    const std::vector<BatchPair> nothing = {{0, 1, 1}};
    EXPECT_FALSE(summarize(nothing));
}

TEST(BenchStats, DurationsTakeTheUnitThatSuitsThem) {
    EXPECT_EQ(format_duration(0.0412), "41.2 ms");
    EXPECT_EQ(format_duration(2.1), "2.10 s");
    EXPECT_EQ(format_duration(0.9996), "1.00 s");  // not "1000 ms"
    EXPECT_EQ(format_duration(0.0009994), "999 us");
    EXPECT_EQ(format_duration(3.85e-6), "3.85 us");
    EXPECT_EQ(format_duration(812e-9), "812 ns");
    EXPECT_EQ(format_duration(0), "0.00 ns");
    EXPECT_EQ(format_bytes(812), "812 B");
    EXPECT_EQ(format_bytes(52.4 * 1024 * 1024), "52.4 MiB");
    EXPECT_EQ(format_bytes(1023.7 * 1024), "1.00 MiB");
}

TEST(BenchStats, TheRowLineAndItsGoal) {
    const RowResult r{0.0412, 0.0379, 1.09, 1.05, 1.14};
    EXPECT_EQ(format_row("P1 build300", "x86_64", r, 1.3),
              "P1 build300 x86_64 lib 41.2 ms raw 37.9 ms ratio 1.09 (1.05-1.14) goal 1.30");
    EXPECT_EQ(format_row("P3 lookup alternating", "i686", r, kNoGoal),
              "P3 lookup alternating i686 lib 41.2 ms raw 37.9 ms ratio 1.09 (1.05-1.14) goal -");
    const RowResult m{60e6, 50e6, 1.2, 1.2, 1.2};
    EXPECT_EQ(format_row("P5m browse", "x86_64", m, 1.2, Quantity::Bytes),
              "P5m browse x86_64 lib 57.2 MiB raw 47.7 MiB ratio 1.20 (1.20-1.20) goal 1.20");
    // over as the line shows it: 1.304 reads 1.30
    EXPECT_FALSE(over_goal(1.304, 1.3));
    EXPECT_TRUE(over_goal(1.306, 1.3));
    EXPECT_FALSE(over_goal(50, kNoGoal));
}
