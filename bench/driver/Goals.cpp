// bench/driver/Goals.cpp: judging the collected figures against the benchmark's goals.
#include "Goals.h"
#include "Stats.h"
#include <stdio.h>

namespace {

const double s_maxUsableRatio = 1.05;
const double s_maxDoneRatio = 1.00;
const double s_maxMemoryRatio = 1.25;
const long long s_maxInstallerBytes = 64 * 1024;
const long long s_maxLauncherBytes = 16 * 1024;

Goal RatioGoal(const char* pszName, const std::vector<double>& ratios, double maxRatio,
               const char* pszMissing)
{
    Goal goal = { pszName, GOAL_NOT_MEASURED, pszMissing };
    Summary summary = Summarize(ratios);
    if (!summary.bValid)
        return goal;
    char szMeasured[64];
    snprintf(szMeasured, sizeof szMeasured, "%.3f x (%.3f-%.3f)", summary.median, summary.min, summary.max);
    goal.strMeasured = szMeasured;
    goal.state = summary.median <= maxRatio ? GOAL_MET : GOAL_NOT_MET;
    return goal;
}

Goal SizeGoal(const char* pszName, long long nBytes, long long nMaxBytes)
{
    Goal goal = { pszName, GOAL_NOT_MEASURED, "not built" };
    if (nBytes < 0)
        return goal;
    char szMeasured[64];
    snprintf(szMeasured, sizeof szMeasured, "%lld bytes (%.1f KiB)", nBytes, nBytes / 1024.0);
    goal.strMeasured = szMeasured;
    goal.state = nBytes <= nMaxBytes ? GOAL_MET : GOAL_NOT_MET;
    return goal;
}

} // namespace

std::vector<Goal> EvaluateGoals(const BenchResults& r)
{
    const char* pszMissing = !r.installer.bBuilt ? "Brantovell.exe not built"
                             : !r.floor.bBuilt ? "floor not built" : "no complete round";
    std::vector<Goal> goals;
    goals.push_back(RatioGoal("time to a usable dialog <= 1.05 x floor",
                              RoundRatios(r.installer.toUsableMs, r.floor.toUsableMs),
                              s_maxUsableRatio, pszMissing));
    goals.push_back(RatioGoal("Continue to closing message <= 1.00 x floor",
                              RoundRatios(r.installer.toDoneMs, r.floor.toDoneMs),
                              s_maxDoneRatio, pszMissing));
    goals.push_back(RatioGoal("peak working set above Wine's floor <= 1.25 x floor's",
                              RoundRatiosAbove(r.installer.peakKib, r.floor.peakKib,
                                               r.wineFloor.peakKib),
                              s_maxMemoryRatio,
                              r.wineFloor.bBuilt ? pszMissing : "Wine floor not built"));
    goals.push_back(SizeGoal("Brantovell.exe <= 64 KiB", r.nInstallerBytes, s_maxInstallerBytes));
    goals.push_back(SizeGoal("launcher.exe <= 16 KiB", r.nLauncherBytes, s_maxLauncherBytes));
    return goals;
}
