// bench/driver/BenchResults.h: every figure the benchmark collected, one value per run and program.
#ifndef BENCHRESULTS_H
#define BENCHRESULTS_H

#include <string>
#include <vector>

// One program's figures. Round i of every series comes from the same round of the benchmark,
// so that series of different programs can be paired.
struct ProgramSeries
{
    std::string strName;
    bool bBuilt;                        // false when the program's file was not found
    std::vector<double> toWindowMs;     // start to main window visible (Wine floor, floor, installer)
    std::vector<double> toDoneMs;       // Continue to the closing message; start to end for launcher
    std::vector<double> peakKib;        // peak working set (Wine floor, floor, installer)
};

struct BenchResults
{
    int nRuns;
    int nWarmupRuns;
    unsigned long nPauseMs;             // quiet time before each run
    ProgramSeries wineFloor, floor, installer, launcher;
    long long nInstallerBytes;          // -1 when the file is not there
    long long nLauncherBytes;
};

#endif // BENCHRESULTS_H
