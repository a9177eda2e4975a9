// bench/tests/GoalsTest.cpp: each goal met, not met or not measured, at and around its limit.
#include <gtest/gtest.h>
#include "Goals.h"

namespace {

enum { DIALOG, DONE, MEMORY, INSTALLER_SIZE, LAUNCHER_SIZE };

ProgramSeries Series(const char* pszName, std::vector<double> window, std::vector<double> done,
                     std::vector<double> peak)
{
    ProgramSeries series;
    series.strName = pszName;
    series.bBuilt = true;
    series.toWindowMs = window;
    series.toDoneMs = done;
    series.peakKib = peak;
    return series;
}

// Every goal just met: ratios at their limits, sizes at theirs.
BenchResults AllAtTheirLimits()
{
    BenchResults r;
    r.nRuns = 1;
    r.nWarmupRuns = 0;
    r.nPauseMs = 0;
    r.wineFloor = Series("Wine floor", { 50 }, {}, { 10000 });
    r.floor = Series("floor", { 100 }, { 40 }, { 12000 });
    r.installer = Series("Brantovell", { 110 }, { 44 }, { 13000 });
    r.launcher = Series("launcher", {}, { 80 }, {});
    r.nInstallerBytes = 65536;
    r.nLauncherBytes = 16384;
    return r;
}

TEST(Goals, EachGoalIsMetAtItsLimitAndMissedJustAbove)
{
    static const struct { const char* pszWhat; void (*change)(BenchResults&); int nGoal; } cases[] = {
        { "slower dialog", [](BenchResults& r) { r.installer.toWindowMs[0] = 110.5; }, DIALOG },
        { "slower install", [](BenchResults& r) { r.installer.toDoneMs[0] = 44.5; }, DONE },
        { "more memory", [](BenchResults& r) { r.installer.peakKib[0] = 13010; }, MEMORY },
        { "larger installer", [](BenchResults& r) { r.nInstallerBytes = 65537; }, INSTALLER_SIZE },
        { "larger launcher", [](BenchResults& r) { r.nLauncherBytes = 16385; }, LAUNCHER_SIZE },
    };
    std::vector<Goal> atLimits = EvaluateGoals(AllAtTheirLimits());
    ASSERT_EQ(5u, atLimits.size());
    for (size_t i = 0; i < atLimits.size(); ++i)
        EXPECT_EQ(GOAL_MET, atLimits[i].state) << atLimits[i].strName << ": " << atLimits[i].strMeasured;

    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "case #" << i << ", " << cases[i].pszWhat);
        BenchResults r = AllAtTheirLimits();
        cases[i].change(r);
        std::vector<Goal> goals = EvaluateGoals(r);
        for (int nGoal = 0; nGoal < static_cast<int>(goals.size()); ++nGoal)
            EXPECT_EQ(nGoal == cases[i].nGoal ? GOAL_NOT_MET : GOAL_MET, goals[nGoal].state)
                << goals[nGoal].strName << ": " << goals[nGoal].strMeasured;
    }
}

// Noise that strikes the installer's and the floor's run of the same round alike does not
// decide the result: the goal is judged on per-round ratios, not on a ratio of medians.
TEST(Goals, TimeIsJudgedRoundByRound)
{
    BenchResults r = AllAtTheirLimits();
    r.floor.toWindowMs = { 100, 300, 100 };
    r.installer.toWindowMs = { 105, 315, 400 };     // a ratio of medians would say 3.15
    std::vector<Goal> goals = EvaluateGoals(r);
    EXPECT_EQ(GOAL_MET, goals[DIALOG].state) << goals[DIALOG].strMeasured;
    EXPECT_EQ("1.050 x", goals[DIALOG].strMeasured);
}

TEST(Goals, WithoutTheInstallerOnlyTheLauncherIsJudged)
{
    BenchResults r = AllAtTheirLimits();
    r.installer.bBuilt = false;
    r.installer.toWindowMs.clear();
    r.installer.toDoneMs.clear();
    r.installer.peakKib.clear();
    r.nInstallerBytes = -1;
    std::vector<Goal> goals = EvaluateGoals(r);
    for (int nGoal = DIALOG; nGoal <= INSTALLER_SIZE; ++nGoal)
    {
        EXPECT_EQ(GOAL_NOT_MEASURED, goals[nGoal].state) << goals[nGoal].strName;
        EXPECT_NE(std::string::npos, goals[nGoal].strMeasured.find("not built")) << goals[nGoal].strMeasured;
    }
    EXPECT_EQ(GOAL_MET, goals[LAUNCHER_SIZE].state);
}

} // namespace
