// uninstaller/core/RemovalSurvey.h: each item an installation writes, looked for and judged: as the installer wrote it, changed since, or not there.
#ifndef REMOVALSURVEY_H
#define REMOVALSURVEY_H

#include <windows.h>
#include "InstallItems.h"

enum RemovalItemKind
{
    ITEM_SERVICE,           // a service entry with its subkeys
    ITEM_LSA_VALUE,         // limitblankpassworduse under the Lsa key
    ITEM_MANAGER_SHORTCUT,  // a Remoteboot Manager shortcut
    ITEM_DESKTOP_COPY,      // the copy of the prepared Rezozire98 shortcut
    ITEM_BATCH_FILE         // rplcmd.bat
};

enum RemovalState
{
    STATE_ABSENT,           // not there (or, for the Lsa value, Windows' own default)
    STATE_AS_INSTALLED,     // exactly as the installer writes it: the removal takes it away
    STATE_CHANGED           // there, but not as the installer writes it: left in place
};

// One item, where it lies and what was found there.
struct RemovalItem
{
    RemovalItemKind kind;
    char szName[96];                // how the dialog and the closing message name it
    const ServiceGroup* pService;   // ITEM_SERVICE: the installer's table of the entry
    char szPlace[MAX_PATH];         // the file's path, or the key's path under HKLM; "" when unknown
    RemovalState state;
    char szWhy[2 * MAX_PATH];       // what is not the installer's, or why it was not looked for

    // What the removal did with an item found as installed (RemoveFoundItems).
    BOOL bRemoved;
    LPCSTR pszOutcome;              // how it went, or what could not be done; NULL: not tried
    LONG nError;                    // the Windows error when it could not be removed
};

// Every item an installation writes, in the order the removal takes them: the services
// dependants first (MorvanethService, RemoteBoot, then RamdiskZ, which RemoteBoot depends on),
// the Lsa value, the two manager shortcuts, the desktop copy and the batch file.
struct RemovalSurvey
{
    enum { ITEM_COUNT = INSTALL_SERVICE_COUNT + 5 };
    RemovalItem items[ITEM_COUNT];
    BOOL bLsaDefaultIsOne;          // Windows XP and later ship the value as 1; NT 4.0 and 2000 have none
    BOOL bRebootNeeded;             // the service control manager stopped or deleted a service
};

// Looks at every item. version tells which default the Lsa value goes back to.
void SurveyInstallation(const OSVERSIONINFOEXA& version, RemovalSurvey& survey);

// How many items are in this state.
int CountItems(const RemovalSurvey& survey, RemovalState state);

#endif // REMOVALSURVEY_H
