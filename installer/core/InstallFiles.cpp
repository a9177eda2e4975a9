// installer/core/InstallFiles.cpp: the files an installation writes: their names, their contents and where they go.
#include <stdlib.h>
#include "ComposeString.h"
#include "InstallItems.h"
#include "ServiceRegistration.h"

const char g_szManagerLink[] = "\\Remoteboot Manager.lnk";
const char g_szManagerDescription[] = "Remoteboot Manager";
const char g_szPreparedLink[] = "\\Rezozire98.lnk";
const char g_szBatchLine[] = "%windir%\\Rpl\\rplcmd.exe %1 %2 %3";
const char g_szBatchText[] = "%windir%\\Rpl\\rplcmd.exe %1 %2 %3\r\n";

static const char s_szRplDir[] = "\\rpl";
static const char s_szManagerExe[] = "\\Rplmgr.exe";
static const char s_szBatchName[] = "\\rplcmd.bat";

// windir + "\rpl" + pszName, refused when windir is unset.
static BOOL ComposeUnderRpl(char* pszPath, LPCSTR pszName)
{
    pszPath[0] = '\0';
    LPCSTR pszWindir = getenv("windir");
    if (pszWindir == NULL || *pszWindir == '\0')
        return FALSE;
    return ComposeString(pszPath, MAX_PATH, pszWindir, s_szRplDir, pszName);
}

BOOL ComposeManagerTarget(char* pszPath)
{
    return ComposeUnderRpl(pszPath, s_szManagerExe);
}

BOOL ComposePreparedSource(char* pszPath)
{
    return ComposeUnderRpl(pszPath, g_szPreparedLink);
}

BOOL ComposeBatchPath(char* pszPath)
{
    UINT nLength = ::GetSystemDirectoryA(pszPath, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
    {
        pszPath[0] = '\0';
        return FALSE;
    }
    return ComposeString(pszPath, MAX_PATH, pszPath, s_szBatchName);
}

// The prepared shortcut's source is the longest path of ours; in the service values it is the
// driver's image path.
int MaxWindirLength()
{
    int nOurs = MAX_PATH - 1 - ::lstrlenA(s_szRplDir) - ::lstrlenA(g_szPreparedLink);
    int nServices = MaxServiceWindirLength();
    return nOurs < nServices ? nOurs : nServices;
}
