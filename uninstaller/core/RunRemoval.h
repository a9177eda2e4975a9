// uninstaller/core/RunRemoval.h: the removal's checks at start, and the whole removal run when Remove is pressed.
#ifndef RUNREMOVAL_H
#define RUNREMOVAL_H

#include "afxwin.h"
#include "ItemRemoval.h"

// The installer's platform check: Windows must be of the NT family. Fills version and returns
// true; otherwise shows the installer's message (none when Windows gives no version at all),
// owned by owner, and returns false.
bool CheckRemovalPlatform(CWnd& owner, OSVERSIONINFOEXA& version);

// Looks at every item again (the dialog's list may be old by now), removes those found as the
// installer writes them, and shows one closing message, owned by owner: what was removed, what
// was left and why, what failed. nStopWaitMs bounds the wait for each service to stop.
void RunRemoval(CWnd& owner, const OSVERSIONINFOEXA& version, DWORD nStopWaitMs = SERVICE_STOP_WAIT_MS);

#endif // RUNREMOVAL_H
