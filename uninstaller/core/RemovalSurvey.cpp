// uninstaller/core/RemovalSurvey.cpp: looks for each item where the installer puts it and compares it with what the installer writes.
#include "RemovalSurvey.h"
#include "CommonFolders.h"
#include "ComposeString.h"
#include "RegKey.h"
#include "ShellShortcut.h"

static const char s_szAdminShortcut[] =
    "Shortcut \"Remoteboot Manager\" in the common Administrative Tools folder";
static const char s_szDesktopShortcut[] = "Shortcut \"Remoteboot Manager\" on the common desktop";
static const char s_szDesktopCopy[] = "Copy of Rezozire98.lnk on the common desktop";
static const char s_szBatchFile[] = "Batch file rplcmd.bat";
static const char s_szLsaValue[] = "Lsa value limitblankpassworduse";
static const char s_szServiceEntry[] = "Service entry ";
static const char s_szUnknownFolder[] = "its folder's location could not be read from the registry";

// Subkeys that Windows itself puts under a service's key once the service has been loaded: the
// Plug and Play manager's Enum (drivers) and the service manager's Security. They say nothing of
// whether the entry is the installer's.
static const char* const s_windowsSubkeys[] = { "Enum", "Security" };

// Sets the state and, formatted, why.
static void Judge(RemovalItem& item, RemovalState state, LPCSTR pszFormat = "", LPCSTR pszArg1 = "",
                  LPCSTR pszArg2 = "")
{
    item.state = state;
    // wsprintfA writes at most 1024 characters; the arguments are paths and names of values.
    char szWhy[1100];
    ::wsprintfA(szWhy, pszFormat, pszArg1, pszArg2);
    ComposeString(item.szWhy, sizeof item.szWhy, szWhy, "");
}

// ---- Service entries ----

// Whether the key holds exactly the table's values, by type and bytes, and nothing else; when
// not, says which value differs in pszWhy.
static BOOL HoldsExactly(HKEY hKey, const ServiceValue* pValues, int nValues, LPCSTR pszKey,
                         RemovalItem& item)
{
    char szScratch[SERVICE_SCRATCH_SIZE];
    BYTE data[1024];
    for (int i = 0; i < nValues; ++i)
    {
        const BYTE* pExpected = NULL;
        DWORD nExpected = 0;
        if (ComposeValueData(pValues[i], szScratch, &pExpected, &nExpected) != ERROR_SUCCESS)
        {
            Judge(item, STATE_CHANGED, "HKLM\\%s: value \"%s\" cannot be compared: windir is not usable", pszKey,
                  pValues[i].pszName);
            return FALSE;
        }
        DWORD nType = REG_NONE, nSize = sizeof data;
        LONG nError = ::RegQueryValueExA(hKey, pValues[i].pszName, NULL, &nType, data, &nSize);
        if (nError == ERROR_FILE_NOT_FOUND)
        {
            Judge(item, STATE_CHANGED, "HKLM\\%s: value \"%s\" is missing", pszKey, pValues[i].pszName);
            return FALSE;
        }
        if (nError != ERROR_SUCCESS || nType != pValues[i].nType || nSize != nExpected
            || memcmp(data, pExpected, nSize) != 0)
        {
            Judge(item, STATE_CHANGED, "HKLM\\%s: value \"%s\" is not what the installer wrote", pszKey,
                  pValues[i].pszName);
            return FALSE;
        }
    }
    DWORD nValuesThere = 0;
    if (::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &nValuesThere, NULL, NULL, NULL, NULL)
            != ERROR_SUCCESS
        || nValuesThere != static_cast<DWORD>(nValues))
    {
        Judge(item, STATE_CHANGED, "HKLM\\%s: it holds values that the installer does not write", pszKey);
        return FALSE;
    }
    return TRUE;
}

// Whether every subkey is Parameters (where the entry has one) or one of Windows' own.
static BOOL HasOnlyKnownSubkeys(HKEY hKey, const ServiceGroup& group, RemovalItem& item)
{
    char szName[256];
    for (DWORD i = 0;; ++i)
    {
        DWORD nName = sizeof szName;
        LONG nError = ::RegEnumKeyExA(hKey, i, szName, &nName, NULL, NULL, NULL, NULL);
        if (nError == ERROR_NO_MORE_ITEMS)
            return TRUE;
        if (nError != ERROR_SUCCESS)
            break;
        BOOL bKnown = group.pParameters != NULL && !::lstrcmpiA(szName, g_szParametersKey);
        for (size_t j = 0; j < ARRAYSIZE(s_windowsSubkeys); ++j)
            bKnown = bKnown || !::lstrcmpiA(szName, s_windowsSubkeys[j]);
        if (!bKnown)
        {
            Judge(item, STATE_CHANGED, "HKLM\\%s: it has a subkey \"%s\" that the installer does not write",
                  group.pszKeyPath, szName);
            return FALSE;
        }
    }
    Judge(item, STATE_CHANGED, "HKLM\\%s: its subkeys could not be read", group.pszKeyPath);
    return FALSE;
}

static void SurveyService(const ServiceGroup& group, RemovalItem& item)
{
    ComposeString(item.szPlace, MAX_PATH, "HKLM\\", group.pszKeyPath);
    CRegKey service, parameters;
    // Only the access the survey needs: values, and the list of subkeys of the service's key.
    LONG nError = service.Open(HKEY_LOCAL_MACHINE, group.pszKeyPath, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS);
    if (nError == ERROR_FILE_NOT_FOUND)
        return Judge(item, STATE_ABSENT);
    if (nError != ERROR_SUCCESS)
        return Judge(item, STATE_CHANGED, "HKLM\\%s: the key could not be read", group.pszKeyPath);
    if (!HoldsExactly(service, group.pValues, group.nValues, group.pszKeyPath, item)
        || !HasOnlyKnownSubkeys(service, group, item))
        return;
    if (group.pParameters == NULL)
        return Judge(item, STATE_AS_INSTALLED);
    nError = parameters.Open(service, g_szParametersKey, KEY_QUERY_VALUE);
    if (nError != ERROR_SUCCESS)
        return Judge(item, STATE_CHANGED, "HKLM\\%s: the key is %s", group.pszParametersPath,
                     nError == ERROR_FILE_NOT_FOUND ? "missing" : "not readable");
    if (!HoldsExactly(parameters, group.pParameters, group.nParameters, group.pszParametersPath, item))
        return;
    // Parameters has no subkeys of its own.
    DWORD nSubkeys = 0;
    if (::RegQueryInfoKeyA(parameters, NULL, NULL, NULL, &nSubkeys, NULL, NULL, NULL, NULL, NULL, NULL, NULL)
            != ERROR_SUCCESS || nSubkeys != 0)
        return Judge(item, STATE_CHANGED, "HKLM\\%s: it has subkeys that the installer does not write",
                     group.pszParametersPath);
    Judge(item, STATE_AS_INSTALLED);
}

// ---- The Lsa value ----

static void SurveyLsaValue(BOOL bDefaultIsOne, RemovalItem& item)
{
    ComposeString(item.szPlace, MAX_PATH, "HKLM\\", g_szLsaKey);
    CRegKey lsa;
    LONG nError = lsa.Open(HKEY_LOCAL_MACHINE, g_szLsaKey, KEY_QUERY_VALUE);
    if (nError == ERROR_FILE_NOT_FOUND)
        return Judge(item, STATE_ABSENT);
    if (nError != ERROR_SUCCESS)
        return Judge(item, STATE_CHANGED, "the Lsa key could not be read");
    DWORD nType = REG_NONE, nValue = 0xDEADBEEF, nSize = sizeof nValue;
    nError = ::RegQueryValueExA(lsa, g_lsaValue.pszName, NULL, &nType, reinterpret_cast<BYTE*>(&nValue), &nSize);
    if (nError == ERROR_FILE_NOT_FOUND)
        return Judge(item, STATE_ABSENT);
    BOOL bDword = nError == ERROR_SUCCESS && nType == REG_DWORD && nSize == sizeof(DWORD);
    if (bDword && nValue == g_lsaValue.nNumber)
        return Judge(item, STATE_AS_INSTALLED);
    if (bDword && nValue == 1 && bDefaultIsOne)
        return Judge(item, STATE_ABSENT);           // Windows' own setting
    char szValue[16];
    ::wsprintfA(szValue, "%lu", nValue);
    if (bDword)
        return Judge(item, STATE_CHANGED, "it holds %s, not the installer's 0", szValue);
    Judge(item, STATE_CHANGED, "it is not the DWORD the installer writes");
}

// ---- Files ----

static void SurveyManagerShortcut(LONG (*pfnReadFolder)(char*), RemovalItem& item)
{
    char szFolder[MAX_PATH], szTarget[MAX_PATH], szFound[MAX_PATH];
    if (pfnReadFolder(szFolder) != ERROR_SUCCESS)
        return Judge(item, STATE_ABSENT, s_szUnknownFolder);
    if (!ComposeString(item.szPlace, MAX_PATH, szFolder, g_szManagerLink)
        || ::GetFileAttributesA(item.szPlace) == INVALID_FILE_ATTRIBUTES)
        return Judge(item, STATE_ABSENT);
    if (!ComposeManagerTarget(szTarget))
        return Judge(item, STATE_CHANGED, "its target cannot be compared: windir is not usable");
    if (FAILED(ReadShellShortcutTarget(item.szPlace, szFound)))
        return Judge(item, STATE_CHANGED, "it is not a shortcut that can be read");
    if (::lstrcmpiA(szFound, szTarget) != 0)
        return Judge(item, STATE_CHANGED, "it points at %s, not at %s", szFound, szTarget);
    Judge(item, STATE_AS_INSTALLED);
}

// Whether the two files hold the same bytes: both read to their ends, a block at a time.
static BOOL SameBytes(LPCSTR pszFirst, LPCSTR pszSecond)
{
    HANDLE hFirst = ::CreateFileA(pszFirst, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    HANDLE hSecond = ::CreateFileA(pszSecond, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    BOOL bSame = hFirst != INVALID_HANDLE_VALUE && hSecond != INVALID_HANDLE_VALUE;
    while (bSame)
    {
        BYTE first[1024], second[1024];
        DWORD nFirst = 0, nSecond = 0;
        bSame = ::ReadFile(hFirst, first, sizeof first, &nFirst, NULL)
                && ::ReadFile(hSecond, second, sizeof second, &nSecond, NULL)
                && nFirst == nSecond && memcmp(first, second, nFirst) == 0;
        if (nFirst == 0)
            break;
    }
    if (hSecond != INVALID_HANDLE_VALUE)
        ::CloseHandle(hSecond);
    if (hFirst != INVALID_HANDLE_VALUE)
        ::CloseHandle(hFirst);
    return bSame;
}

static void SurveyDesktopCopy(RemovalItem& item)
{
    char szDesktop[MAX_PATH], szSource[MAX_PATH];
    if (ReadCommonDesktop(szDesktop) != ERROR_SUCCESS)
        return Judge(item, STATE_ABSENT, s_szUnknownFolder);
    if (!ComposeString(item.szPlace, MAX_PATH, szDesktop, g_szPreparedLink)
        || ::GetFileAttributesA(item.szPlace) == INVALID_FILE_ATTRIBUTES)
        return Judge(item, STATE_ABSENT);
    if (!ComposePreparedSource(szSource) || ::GetFileAttributesA(szSource) == INVALID_FILE_ATTRIBUTES)
        return Judge(item, STATE_CHANGED, "the prepared shortcut %s is not there to compare it with", szSource);
    if (!SameBytes(item.szPlace, szSource))
        return Judge(item, STATE_CHANGED, "it is not, byte for byte, the prepared shortcut %s", szSource);
    Judge(item, STATE_AS_INSTALLED);
}

static void SurveyBatchFile(RemovalItem& item)
{
    if (!ComposeBatchPath(item.szPlace) || ::GetFileAttributesA(item.szPlace) == INVALID_FILE_ATTRIBUTES)
        return Judge(item, STATE_ABSENT);
    HANDLE hFile = ::CreateFileA(item.szPlace, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return Judge(item, STATE_CHANGED, "it could not be read");
    char szStart[64];
    DWORD nLine = ::lstrlenA(g_szBatchLine), nRead = 0;
    BOOL bRead = ::ReadFile(hFile, szStart, nLine, &nRead, NULL);
    ::CloseHandle(hFile);
    if (!bRead || nRead != nLine || memcmp(szStart, g_szBatchLine, nLine) != 0)
        return Judge(item, STATE_CHANGED, "it does not begin with the installer's line %s", g_szBatchLine);
    Judge(item, STATE_AS_INSTALLED);
}

// ---- The survey ----

static RemovalItem& Start(RemovalItem& item, RemovalItemKind kind, LPCSTR pszName, LPCSTR pszService = "")
{
    item.kind = kind;
    ComposeString(item.szName, sizeof item.szName, pszName, pszService);
    item.pService = NULL;
    item.szPlace[0] = '\0';
    item.state = STATE_ABSENT;
    item.szWhy[0] = '\0';
    item.bRemoved = FALSE;
    item.pszOutcome = NULL;
    item.nError = ERROR_SUCCESS;
    return item;
}

void SurveyInstallation(const OSVERSIONINFOEXA& version, RemovalSurvey& survey)
{
    survey.bRebootNeeded = FALSE;
    survey.bLsaDefaultIsOne = version.dwMajorVersion > 5
                              || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
    int n = 0;
    // The installer's table lists a service after those it depends on; removal goes backwards.
    for (int i = INSTALL_SERVICE_COUNT - 1; i >= 0; --i)
    {
        RemovalItem& item = Start(survey.items[n++], ITEM_SERVICE, s_szServiceEntry,
                                  g_installServices[i].pszName);
        item.pService = &g_installServices[i];
        SurveyService(g_installServices[i], item);
    }
    SurveyLsaValue(survey.bLsaDefaultIsOne, Start(survey.items[n++], ITEM_LSA_VALUE, s_szLsaValue));
    SurveyManagerShortcut(ReadAdminToolsFolder, Start(survey.items[n++], ITEM_MANAGER_SHORTCUT, s_szAdminShortcut));
    SurveyManagerShortcut(ReadCommonDesktop, Start(survey.items[n++], ITEM_MANAGER_SHORTCUT, s_szDesktopShortcut));
    SurveyDesktopCopy(Start(survey.items[n++], ITEM_DESKTOP_COPY, s_szDesktopCopy));
    SurveyBatchFile(Start(survey.items[n++], ITEM_BATCH_FILE, s_szBatchFile));
}

int CountItems(const RemovalSurvey& survey, RemovalState state)
{
    int nCount = 0;
    for (int i = 0; i < RemovalSurvey::ITEM_COUNT; ++i)
        nCount += survey.items[i].state == state ? 1 : 0;
    return nCount;
}
