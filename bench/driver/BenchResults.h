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
    std::string strPath;                // the file timed, as Windows names it
    bool bBuilt;                        // false when the program's file was not found
    std::vector<double> toUsableMs;     // start to main window usable: visible and answering
    std::vector<double> toDoneMs;       // Continue to the closing message; start to end for launcher
    std::vector<double> peakKib;        // peak working set (Wine floor, floor, installer)
};

struct BenchResults
{
    int nRuns;
    int nWarmupRuns;
    unsigned long nPauseMs;             // quiet time before each run
    const char* pszArch;                // the architecture of the programs measured
    bool bShipped;                      // the installer and launcher timed are the shipped files
    ProgramSeries wineFloor, floor, installer, launcher;
    long long nInstallerBytes;          // the shipped programs' sizes, judged; -1: no such file
    long long nLauncherBytes;
    long long nTwinInstallerBytes;      // the measured twins' sizes, for information; -1: none
    long long nTwinLauncherBytes;
};

#endif // BENCHRESULTS_H
