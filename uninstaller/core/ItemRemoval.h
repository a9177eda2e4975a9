// uninstaller/core/ItemRemoval.h: RemoveFoundItems, which takes away the items found as the installer writes them.
#ifndef ITEMREMOVAL_H
#define ITEMREMOVAL_H

#include "RemovalSurvey.h"

// How long the removal waits for a service to stop before it gives up on it and leaves it in
// place; the service control manager's own start and stop hints are at most as long.
enum { SERVICE_STOP_WAIT_MS = 30000 };

// Removes, in the survey's order, each item in STATE_AS_INSTALLED, and notes in the item how
// it went; items in any other state are not touched. A service that the service control
// manager knows is stopped first (waiting at most nStopWaitMs, with this thread's windows
// still served) and deleted through it; then the entry's key and its subkeys go from the
// control set the installer wrote. A service that will not stop is left whole. The Lsa value
// goes back to Windows' default: 1 on XP and later, no value on NT 4.0 and 2000.
void RemoveFoundItems(RemovalSurvey& survey, DWORD nStopWaitMs = SERVICE_STOP_WAIT_MS);

// Deletes the key pszSubKey under hParent with every subkey under it. ERROR_SUCCESS, or the
// error of the first key that could not go (the keys under it that went stay gone).
LONG DeleteKeyTree(HKEY hParent, LPCSTR pszSubKey);

#endif // ITEMREMOVAL_H
