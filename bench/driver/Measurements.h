// bench/driver/Measurements.h: one measured run of each kind of program, appended to its series.
#ifndef MEASUREMENTS_H
#define MEASUREMENTS_H

#include "BenchResults.h"
#include <windows.h>
#include <string>

// Each function runs the program once and, when every step worked, appends that run's figures
// to the series and returns true. Any step that does not happen within nTimeoutMs, or a run
// that did something else than expected, is a broken measurement: the program is ended, the
// function returns false and says why in strError.

// A window counts as usable once it is visible and its thread answers a message sent to it:
// the program has finished its start-up and waits for input in its message loop.

// The installer or its floor: start to dialog usable; Continue to the "Setup Message" box; the
// peak working set while that box is up. The installation is removed before the run, so that
// each run is a first install, and checked after it.
bool MeasureInstallerRun(const std::string& strPath, ProgramSeries& series, DWORD nTimeoutMs,
                         std::string& strError);

// Wine's floor: start to its one window usable, and its peak working set then.
bool MeasureWineFloorRun(const std::string& strPath, ProgramSeries& series, DWORD nTimeoutMs,
                         std::string& strError);

// The launcher: start to both its URL in the recorder's log and the process ended.
bool MeasureLauncherRun(const std::string& strPath, ProgramSeries& series, DWORD nTimeoutMs,
                        std::string& strError);

#endif // MEASUREMENTS_H
