// bench/tests/StatsTest.cpp: median, minimum and maximum, and the per-round ratios the goals are judged on.
#include <gtest/gtest.h>
#include "Stats.h"

namespace {

TEST(Stats, SummarizesSeriesOfAnyOrderAndLength)
{
    static const struct { std::vector<double> values; double median, min, max; } cases[] = {
        { { 7 }, 7, 7, 7 },
        { { 3, 1, 2 }, 2, 1, 3 },
        { { 4, 1, 3, 2 }, 2.5, 1, 4 },              // even count: mean of the middle two
        { { 5, 5, 1, 5 }, 5, 1, 5 },
        { { 10, 200, 11, 12, 13 }, 12, 10, 200 },   // one outlier does not move the median far
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "case #" << i);
        Summary summary = Summarize(cases[i].values);
        ASSERT_TRUE(summary.bValid);
        EXPECT_DOUBLE_EQ(cases[i].median, summary.median);
        EXPECT_DOUBLE_EQ(cases[i].min, summary.min);
        EXPECT_DOUBLE_EQ(cases[i].max, summary.max);
    }
    EXPECT_FALSE(Summarize(std::vector<double>()).bValid);
}

// Ratios pair round i with round i only, stop at the shorter series and skip a zero divisor.
TEST(Stats, RatiosPairTheSameRound)
{
    std::vector<double> product = { 110, 300, 90, 50 };
    std::vector<double> floor = { 100, 200, 0 };
    std::vector<double> ratios = RoundRatios(product, floor);
    ASSERT_EQ(2u, ratios.size());
    EXPECT_DOUBLE_EQ(1.1, ratios[0]);
    EXPECT_DOUBLE_EQ(1.5, ratios[1]);
}

TEST(Stats, RatiosAboveABaseCompareWhatEachAdds)
{
    std::vector<double> product = { 13000, 14000, 9000 };
    std::vector<double> floor = { 12000, 12000, 8000 };
    std::vector<double> base = { 10000, 10000, 8000 };     // round 3: the floor adds nothing
    std::vector<double> ratios = RoundRatiosAbove(product, floor, base);
    ASSERT_EQ(2u, ratios.size());
    EXPECT_DOUBLE_EQ(1.5, ratios[0]);
    EXPECT_DOUBLE_EQ(2.0, ratios[1]);
}

} // namespace
