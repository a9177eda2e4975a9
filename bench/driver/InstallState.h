// bench/driver/InstallState.h: what an installation leaves behind, removed before each run and checked after it.
#ifndef INSTALLSTATE_H
#define INSTALLSTATE_H

#include <string>
#include <vector>

namespace InstallState
{
    // Removes everything an installation writes: the three service keys under
    // HKLM\SYSTEM\ControlSet001\Services, the Lsa value, both "Remoteboot Manager.lnk", the copied
    // Rezozire98.lnk on the common desktop and rplcmd.bat, so that the next run is a first install.
    // Returns what could not be removed (empty when all is gone).
    std::vector<std::string> Reset();

    // What a finished installation should have left but is not there (empty when complete).
    std::vector<std::string> Missing();

    // The paths of the four files an installation writes, in the order above.
    std::vector<std::string> InstalledFiles();
}

#endif // INSTALLSTATE_H
