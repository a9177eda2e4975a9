// bench/driver/main.cpp: the benchmark driver: runs the programs in interleaved rounds and prints the table.
//
// Usage: bench_driver [--runs N] [--warmup N] [--timeout-ms N] [--pause-ms N]
//                     --wine-floor EXE --floor EXE [--installer EXE] [--launcher EXE]
//                     [--shipped-installer EXE --shipped-launcher EXE]
// Paths may be host paths (/work/...), which are reached through drive Z:. The two floors belong
// to the benchmark and must be there; a missing installer or launcher is reported as not built.
// The programs measured are of this driver's architecture. Where they are the x86_64 twins, the
// shipped 32-bit programs are named too: their file sizes are the ones judged.
// Defaults: 40 runs, 1 warm-up round, 30 s for each awaited step, 300 ms of quiet before each run.
// Exit code 0 whatever the goals say; 1 when a measurement broke; 2 on a bad command line.
#include "BenchResults.h"
#include "Footprint.h"
#include "UrlLog.h"
#include "Measurements.h"
#include "Report.h"
#include "HostPath.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

struct Options
{
    int nRuns;
    int nWarmupRuns;
    DWORD nTimeoutMs;
    DWORD nPauseMs;
    std::string strWineFloor, strFloor, strInstaller, strLauncher;
    std::string strShippedInstaller, strShippedLauncher;
};

bool ParseNumber(const char* pszText, int nMin, int& nValue)
{
    char* pEnd = NULL;
    long n = strtol(pszText, &pEnd, 10);
    if (*pszText == '\0' || *pEnd != '\0' || n < nMin || n > 100000)
        return false;
    nValue = static_cast<int>(n);
    return true;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    options.nRuns = 40;
    options.nWarmupRuns = 1;
    options.nTimeoutMs = 30000;
    // Wine is still tearing the previous process down for a while after it has ended; without
    // a pause the second program of a pair paid for that (the floor against itself measured
    // up to 1.3 x slower in second place).
    options.nPauseMs = 300;
    for (int i = 1; i < argc; ++i)
    {
        const char* pszName = argv[i];
        if (i + 1 >= argc)
            return false;
        const char* pszValue = argv[++i];
        int nTimeout = 0, nPause = 0;
        if (!strcmp(pszName, "--runs") && ParseNumber(pszValue, 1, options.nRuns))
            continue;
        if (!strcmp(pszName, "--warmup") && ParseNumber(pszValue, 0, options.nWarmupRuns))
            continue;
        if (!strcmp(pszName, "--timeout-ms") && ParseNumber(pszValue, 100, nTimeout))
        {
            options.nTimeoutMs = static_cast<DWORD>(nTimeout);
            continue;
        }
        if (!strcmp(pszName, "--pause-ms") && ParseNumber(pszValue, 0, nPause))
        {
            options.nPauseMs = static_cast<DWORD>(nPause);
            continue;
        }
        std::string* pPath = !strcmp(pszName, "--wine-floor") ? &options.strWineFloor
                           : !strcmp(pszName, "--floor") ? &options.strFloor
                           : !strcmp(pszName, "--installer") ? &options.strInstaller
                           : !strcmp(pszName, "--launcher") ? &options.strLauncher
                           : !strcmp(pszName, "--shipped-installer") ? &options.strShippedInstaller
                           : !strcmp(pszName, "--shipped-launcher") ? &options.strShippedLauncher
                           : NULL;
        if (pPath == NULL)
            return false;
        *pPath = WindowsPathFromHost(pszValue);
    }
    return !options.strWineFloor.empty() && !options.strFloor.empty()
        && options.strShippedInstaller.empty() == options.strShippedLauncher.empty();
}

// The file's size in bytes, or -1 when there is no such file.
long long FileSize(const std::string& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (strPath.empty() || !::GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &data)
        || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

ProgramSeries MakeSeries(const char* pszName, const std::string& strPath)
{
    ProgramSeries series;
    series.strName = pszName;
    series.strPath = strPath;
    series.bBuilt = FileSize(strPath) >= 0;
    return series;
}

typedef bool (*MeasureRun)(const std::string&, ProgramSeries&, DWORD, std::string&);

// Runs one program once if it is built; false (after saying why) when the measurement broke.
bool RunOnce(MeasureRun measure, const std::string& strPath, ProgramSeries& series, const Options& options,
             const char* pszRound)
{
    if (!series.bBuilt)
        return true;
    ::Sleep(options.nPauseMs);
    std::string strError;
    if (measure(strPath, series, options.nTimeoutMs, strError))
    {
        fprintf(stderr, "bench: %s, %s:", pszRound, series.strName.c_str());
        if (!series.toUsableMs.empty())
            fprintf(stderr, " usable %.1f ms", series.toUsableMs.back());
        if (!series.toDoneMs.empty())
            fprintf(stderr, " done %.1f ms", series.toDoneMs.back());
        if (!series.peakKib.empty())
            fprintf(stderr, " peak %.0f KiB", series.peakKib.back());
        fprintf(stderr, "\n");
        return true;
    }
    fprintf(stderr, "bench: %s, %s: %s\n", pszRound, series.strName.c_str(), strError.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
    {
        fprintf(stderr, "usage: bench_driver [--runs N] [--warmup N] [--timeout-ms N] [--pause-ms N] "
                        "--wine-floor EXE --floor EXE [--installer EXE] [--launcher EXE] "
                        "[--shipped-installer EXE --shipped-launcher EXE]\n");
        return 2;
    }

    BenchResults results;
    results.nRuns = options.nRuns;
    results.nWarmupRuns = options.nWarmupRuns;
    results.nPauseMs = options.nPauseMs;
    results.wineFloor = MakeSeries("Wine floor", options.strWineFloor);
    results.floor = MakeSeries("floor", options.strFloor);
    results.installer = MakeSeries("Brantovell", options.strInstaller);
    results.launcher = MakeSeries("launcher", options.strLauncher);
#ifdef _WIN64
    results.pszArch = "x86_64";
#else
    results.pszArch = "i686";
#endif
    // The x86_64 driver times twins; the i686 one the shipped files, unless told otherwise.
    results.bShipped = strcmp(results.pszArch, "i686") == 0 && options.strShippedInstaller.empty();
    results.nInstallerBytes = FileSize(options.strInstaller);
    results.nLauncherBytes = FileSize(options.strLauncher);
    results.nTwinInstallerBytes = results.nTwinLauncherBytes = -1;
    if (!options.strShippedInstaller.empty())
    {
        results.nTwinInstallerBytes = results.nInstallerBytes;
        results.nTwinLauncherBytes = results.nLauncherBytes;
        results.nInstallerBytes = FileSize(options.strShippedInstaller);
        results.nLauncherBytes = FileSize(options.strShippedLauncher);
    }
    if (!results.wineFloor.bBuilt || !results.floor.bBuilt)
    {
        fprintf(stderr, "bench: the floor programs are missing: %s, %s\n", options.strWineFloor.c_str(),
                options.strFloor.c_str());
        return 1;
    }

    // The pointer waits in the screen's corner, away from where the dialogs open: a dialog
    // that opens under it gets mouse moves, and the installer's links light up on them, which
    // the floor's do not. Neither program is timed on what the pointer happened to cover.
    ::SetCursorPos(0, 0);

    // Warm-up rounds fill scratch series of their own; the rounds proper interleave the programs,
    // so that a busy moment of the machine falls on all of them alike.
    bool bBroken = false;
    for (int nRound = -options.nWarmupRuns; nRound < options.nRuns && !bBroken; ++nRound)
    {
        bool bWarmup = nRound < 0;
        BenchResults scratch = results;
        BenchResults& target = bWarmup ? scratch : results;
        char szRound[48];
        if (bWarmup)
            snprintf(szRound, sizeof szRound, "warm-up round %d", nRound + options.nWarmupRuns + 1);
        else
            snprintf(szRound, sizeof szRound, "round %d of %d", nRound + 1, options.nRuns);
        // The floor and the installer take turns at going first, so that neither is always
        // the one that runs while Wine still tidies up after the other.
        bool bFloorFirst = (nRound + options.nWarmupRuns) % 2 == 0;
        bBroken = !RunOnce(MeasureWineFloorRun, options.strWineFloor, target.wineFloor, options, szRound)
               || (bFloorFirst && !RunOnce(MeasureInstallerRun, options.strFloor, target.floor, options, szRound))
               || !RunOnce(MeasureInstallerRun, options.strInstaller, target.installer, options, szRound)
               || (!bFloorFirst && !RunOnce(MeasureInstallerRun, options.strFloor, target.floor, options, szRound))
               || !RunOnce(MeasureLauncherRun, options.strLauncher, target.launcher, options, szRound);
    }

    // Leave the prefix as it was found: no installation, no recorded URL.
    Footprint::Reset();
    UrlLog::Clear();
    if (bBroken)
    {
        fprintf(stderr, "bench: measurement broken; no table\n");
        return 1;
    }
    PrintReport(results, stdout);
    return 0;
}
