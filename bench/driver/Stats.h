// bench/driver/Stats.h: median, minimum and maximum of a series, and per-round ratios between two series.
#ifndef STATS_H
#define STATS_H

#include <vector>

struct Summary
{
    bool bValid;        // false for an empty series
    double median, min, max;
};

// The median of an even count is the mean of the two middle values.
Summary Summarize(const std::vector<double>& values);

// a[i] / b[i] for each round i that both series have; rounds where b[i] is 0 are left out.
std::vector<double> RoundRatios(const std::vector<double>& a, const std::vector<double>& b);

// (a[i] - base[i]) / (b[i] - base[i]) for each round that all three have: what a adds above the
// base, relative to what b adds. Rounds where b adds nothing are left out.
std::vector<double> RoundRatiosAbove(const std::vector<double>& a, const std::vector<double>& b,
                                     const std::vector<double>& base);

#endif // STATS_H
