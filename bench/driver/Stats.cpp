// bench/driver/Stats.cpp: median, minimum and maximum of a series, and per-round ratios between two series.
#include "Stats.h"
#include <algorithm>

Summary Summarize(const std::vector<double>& values)
{
    Summary summary = { false, 0, 0, 0 };
    if (values.empty())
        return summary;
    std::vector<double> sorted(values);
    std::sort(sorted.begin(), sorted.end());
    size_t n = sorted.size();
    summary.bValid = true;
    summary.min = sorted.front();
    summary.max = sorted.back();
    summary.median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    return summary;
}

std::vector<double> RoundRatios(const std::vector<double>& a, const std::vector<double>& b)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (b[i] != 0)
            ratios.push_back(a[i] / b[i]);
    return ratios;
}

std::vector<double> RoundRatiosAbove(const std::vector<double>& a, const std::vector<double>& b,
                                     const std::vector<double>& base)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < a.size() && i < b.size() && i < base.size(); ++i)
        if (b[i] != base[i])
            ratios.push_back((a[i] - base[i]) / (b[i] - base[i]));
    return ratios;
}
