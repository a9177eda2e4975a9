// installer/core/InstallItems.h: everything an installation writes, as data: the installer writes from it, the removal judges by it.
#ifndef INSTALLITEMS_H
#define INSTALLITEMS_H

#include <windows.h>

// ---- The registry ----

// One value of a service entry: a DWORD (nNumber) or a string (pszText) of type nType.
// Strings are written with their NUL counted; the REG_MULTI_SZ text carries its second NUL.
struct ServiceValue
{
    LPCSTR pszName;
    DWORD nType;
    DWORD nNumber;
    LPCSTR pszText;
    bool bUnderWindir;      // pszText is a path under windir: written as "\??\" + windir + pszText
};

// One service: its key under the Services key and, where it has one, its Parameters subkey.
struct ServiceGroup
{
    LPCSTR pszName;
    LPCSTR pszKeyPath;              // the service's key under HKEY_LOCAL_MACHINE
    const ServiceValue* pValues;
    int nValues;
    LPCSTR pszParametersPath;       // its Parameters subkey under HKEY_LOCAL_MACHINE, or NULL
    const ServiceValue* pParameters;
    int nParameters;
};

// The entries go to control set 001, whichever control set is current.
extern const char g_szServicesKey[];        // "SYSTEM\ControlSet001\Services"
extern const char g_szParametersKey[];      // "Parameters"
extern const char g_szLsaKey[];             // "SYSTEM\ControlSet001\Control\Lsa"

// The three service entries, in the order the installer writes them: RamdiskZ, RemoteBoot
// (which depends on RamdiskZ), MorvanethService.
enum { INSTALL_SERVICE_COUNT = 3 };
extern const ServiceGroup g_installServices[INSTALL_SERVICE_COUNT];

// The blank-password setting under the Lsa key: "limitblankpassworduse" 0.
extern const ServiceValue g_lsaValue;

// Size of the scratch buffer a value's data is composed in.
enum { SERVICE_SCRATCH_SIZE = MAX_PATH };

// The bytes the installer writes for a value: *ppData points at nNumber or pszText, or at
// pszScratch (SERVICE_SCRATCH_SIZE bytes) for a path under windir. Returns ERROR_SUCCESS, or
// why the data cannot be made (windir unset, or the path would not fit).
LONG ComposeValueData(const ServiceValue& value, char* pszScratch, const BYTE** ppData, DWORD* pnBytes);

// ---- The files ----

extern const char g_szManagerLink[];        // "\Remoteboot Manager.lnk", in a common folder
extern const char g_szManagerDescription[]; // "Remoteboot Manager"
extern const char g_szPreparedLink[];       // "\Rezozire98.lnk", on the common desktop
extern const char g_szBatchLine[];          // the batch file's one line, without its line end
extern const char g_szBatchText[];          // the whole batch file: that line and CRLF

// Each composes a path into pszPath (MAX_PATH bytes) and returns FALSE, with pszPath empty,
// when windir is unset or the path would not fit.
BOOL ComposeManagerTarget(char* pszPath);   // windir\rpl\Rplmgr.exe, the manager shortcuts' target
BOOL ComposePreparedSource(char* pszPath);  // windir\rpl\Rezozire98.lnk, the prepared shortcut
// The batch file in the system directory; FALSE when its path cannot be found or would not fit.
BOOL ComposeBatchPath(char* pszPath);

// The longest windir for which every path composed from it fits: those above, and the
// service values under windir.
int MaxWindirLength();

#endif // INSTALLITEMS_H
