// installer/core/RunInstallation.h: RunInstallation, the whole installation run when Continue is pressed.
#ifndef RUNINSTALLATION_H
#define RUNINSTALLATION_H

#include "afxwin.h"

// Checks that Windows is of the NT family, that DLC, NWLink IPX and NetBEUI are installed and
// that windir is usable, then writes the Remoteboot Manager shortcuts, the copy of the prepared
// Rezozire98 shortcut, rplcmd.bat and the service entries. Every message box is owned by owner.
// Returns true only after the success message. Otherwise it has shown one stop message (none
// when Windows would not even give its version) and the dialog stays open for another try.
bool RunInstallation(CWnd& owner);

#endif // RUNINSTALLATION_H
