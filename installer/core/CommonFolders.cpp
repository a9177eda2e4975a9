// installer/core/CommonFolders.cpp: the common folders read from the shell's "Shell Folders" key.
#include "CommonFolders.h"
#include "ComposeString.h"
#include "RegKey.h"

static const char s_szShellFoldersKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
static const char s_szDesktop[] = "Common Desktop";
static const char s_szAdminTools[] = "Common Administrative Tools";
static const char s_szPrograms[] = "Common Programs";
// NT 4.0 (English editions) keeps the administrators' group as a folder of this name under the
// common Programs folder; other languages name it in their own words.
static const char s_szNt4AdminGroup[] = "\\Administrative Tools (Common)";

LONG ReadCommonFolder(LPCSTR pszValueName, char* pszFolder)
{
    pszFolder[0] = '\0';
    CRegKey shellFolders;
    LONG nError = shellFolders.Open(HKEY_LOCAL_MACHINE, s_szShellFoldersKey, KEY_QUERY_VALUE);
    if (nError != ERROR_SUCCESS)
        return nError;
    // One byte is held back for a NUL, which a stored string need not have.
    DWORD nType = REG_NONE;
    DWORD nSize = MAX_PATH - 1;
    nError = ::RegQueryValueExA(shellFolders, pszValueName, NULL, &nType,
                                reinterpret_cast<BYTE*>(pszFolder), &nSize);
    if (nError == ERROR_SUCCESS && nType != REG_SZ && nType != REG_EXPAND_SZ)
        nError = ERROR_DATATYPE_MISMATCH;
    if (nError == ERROR_SUCCESS)
        pszFolder[nSize] = '\0';
    if (nError == ERROR_SUCCESS && pszFolder[0] == '\0')
        nError = ERROR_FILE_NOT_FOUND;
    if (nError != ERROR_SUCCESS)
        pszFolder[0] = '\0';
    return nError;
}

LONG ReadCommonDesktop(char* pszFolder)
{
    return ReadCommonFolder(s_szDesktop, pszFolder);
}

LONG ReadAdminToolsFolder(char* pszFolder)
{
    // "Common Administrative Tools" came with the Windows 2000 shell (shell32 5.0); NT 4.0's
    // shell writes only Common Desktop, Programs, Start Menu and Startup.
    LONG nError = ReadCommonFolder(s_szAdminTools, pszFolder);
    if (nError == ERROR_SUCCESS)
        return nError;
    if (ReadCommonFolder(s_szPrograms, pszFolder) != ERROR_SUCCESS)
        return nError;
    // The NT 4.0 group where it is there; otherwise the Programs folder, which every
    // administrator finds on the Start menu.
    char szGroup[MAX_PATH];
    if (ComposeString(szGroup, MAX_PATH, pszFolder, s_szNt4AdminGroup))
    {
        DWORD nAttributes = ::GetFileAttributesA(szGroup);
        if (nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ComposeString(pszFolder, MAX_PATH, szGroup, "");
    }
    return ERROR_SUCCESS;
}
