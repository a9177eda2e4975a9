// bench/driver/Goals.h: the benchmark's goals, each met, not met or not measured.
#ifndef GOALS_H
#define GOALS_H

#include "BenchResults.h"
#include <string>
#include <vector>

enum GoalState { GOAL_MET, GOAL_NOT_MET, GOAL_NOT_MEASURED };

struct Goal
{
    std::string strName;        // what is promised, e.g. "time to a usable dialog <= 1.05 x floor"
    GoalState state;
    std::string strMeasured;    // the figure it was judged on, or why there is none
};

// The times are judged on the median of the per-round installer/floor ratios (their range is
// shown beside it); memory on the median per-round ratio of what each adds above Wine's floor;
// sizes on the files.
std::vector<Goal> EvaluateGoals(const BenchResults& results);

#endif // GOALS_H
