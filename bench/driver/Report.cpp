// bench/driver/Report.cpp: the benchmark's table of figures and its goals, as text.
#include "Report.h"
#include "Goals.h"
#include "Stats.h"

namespace {

// Per-round difference a[i] - base[i].
std::vector<double> RoundDifferences(const std::vector<double>& a, const std::vector<double>& base)
{
    std::vector<double> differences;
    for (size_t i = 0; i < a.size() && i < base.size(); ++i)
        differences.push_back(a[i] - base[i]);
    return differences;
}

// One row: a figure's label (only on its first row), the program, its summary, and the median
// of the per-round ratios with their range when there are ratios.
void PrintRow(FILE* pOut, const char* pszFigure, const ProgramSeries& program,
              const std::vector<double>& values, const std::vector<double>& ratios)
{
    fprintf(pOut, "%-34s %-11s", pszFigure, program.strName.c_str());
    Summary summary = Summarize(values);
    if (!program.bBuilt)
        fprintf(pOut, " %9s\n", "not built");
    else if (!summary.bValid)
        fprintf(pOut, " %9s\n", "no data");
    else
    {
        fprintf(pOut, " %9.1f %9.1f %9.1f", summary.median, summary.min, summary.max);
        Summary ratio = Summarize(ratios);
        if (ratio.bValid)
            fprintf(pOut, " %9.3f  %.3f-%.3f", ratio.median, ratio.min, ratio.max);
        fprintf(pOut, "\n");
    }
}

void PrintSize(FILE* pOut, const char* pszFigure, const char* pszName, long long nBytes)
{
    fprintf(pOut, "%-34s %-11s", pszFigure, pszName);
    if (nBytes < 0)
        fprintf(pOut, " %9s\n", "not built");
    else
        fprintf(pOut, " %9lld\n", nBytes);
}

} // namespace

void PrintReport(const BenchResults& r, FILE* pOut)
{
    const std::vector<double> none;
    fprintf(pOut, "\n%d run(s) per program after %d warm-up round(s), in rounds of Wine floor, floor and %s "
                  "(taking turns at going first), %s, with %lu ms of quiet before each run.\n", r.nRuns,
            r.nWarmupRuns, r.installer.strName.c_str(), r.launcher.strName.c_str(), r.nPauseMs);
    fprintf(pOut, "architecture measured: %s (every program of the table, floors included); %s.\n", r.pszArch,
            r.bShipped ? "the installer and the launcher timed are the shipped files"
                       : "the installer and the launcher timed are the x86_64 twins, as this machine cannot "
                         "run the shipped i686 files; the sizes judged are the shipped programs'");
    fprintf(pOut, "programs timed:\n");
    const ProgramSeries* timed[] = { &r.wineFloor, &r.floor, &r.installer, &r.launcher };
    for (size_t i = 0; i < sizeof timed / sizeof timed[0]; ++i)
        fprintf(pOut, "  %-11s %s%s\n", timed[i]->strName.c_str(), timed[i]->strPath.c_str(),
                timed[i]->bBuilt ? "" : " (not built)");
    fprintf(pOut, "ratio: median over the rounds of %s / floor of the same round "
                  "(memory: of what each adds above Wine's floor).\n\n",
            r.installer.strName.c_str());
    fprintf(pOut, "%-34s %-11s %9s %9s %9s %9s  %s\n", "figure", "program", "median", "min", "max", "ratio",
            "its range");

    PrintRow(pOut, "start to window usable (ms)", r.wineFloor, r.wineFloor.toUsableMs, none);
    PrintRow(pOut, "start to dialog usable (ms)", r.floor, r.floor.toUsableMs, none);
    PrintRow(pOut, "", r.installer, r.installer.toUsableMs,
             RoundRatios(r.installer.toUsableMs, r.floor.toUsableMs));
    PrintRow(pOut, "Continue to closing message (ms)", r.floor, r.floor.toDoneMs, none);
    PrintRow(pOut, "", r.installer, r.installer.toDoneMs,
             RoundRatios(r.installer.toDoneMs, r.floor.toDoneMs));
    PrintRow(pOut, "peak working set (KiB)", r.wineFloor, r.wineFloor.peakKib, none);
    PrintRow(pOut, "", r.floor, r.floor.peakKib, none);
    PrintRow(pOut, "", r.installer, r.installer.peakKib, none);
    PrintRow(pOut, "  above Wine's floor (KiB)", r.floor,
             RoundDifferences(r.floor.peakKib, r.wineFloor.peakKib), none);
    PrintRow(pOut, "", r.installer, RoundDifferences(r.installer.peakKib, r.wineFloor.peakKib),
             RoundRatiosAbove(r.installer.peakKib, r.floor.peakKib, r.wineFloor.peakKib));
    PrintRow(pOut, "start to URL logged and ended (ms)", r.launcher, r.launcher.toDoneMs, none);
    PrintSize(pOut, "file size (bytes)", "Brantovell", r.nInstallerBytes);
    PrintSize(pOut, "", "launcher", r.nLauncherBytes);
    if (r.nTwinInstallerBytes >= 0)
    {
        PrintSize(pOut, "  twins measured (information)", "Brantovell", r.nTwinInstallerBytes);
        PrintSize(pOut, "", "launcher", r.nTwinLauncherBytes);
    }

    fprintf(pOut, "\ngoals\n");
    std::vector<Goal> goals = EvaluateGoals(r);
    for (size_t i = 0; i < goals.size(); ++i)
    {
        const char* pszState = goals[i].state == GOAL_MET ? "met"
                              : goals[i].state == GOAL_NOT_MET ? "NOT met" : "not measured";
        fprintf(pOut, "  %-54s %-28s %s\n", goals[i].strName.c_str(), goals[i].strMeasured.c_str(),
                pszState);
    }
}
