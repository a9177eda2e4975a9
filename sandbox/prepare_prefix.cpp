// sandbox/prepare_prefix.cpp: makes a fresh Wine prefix look like an NT server ready for the installer.
//
// Usage: prepare_prefix.exe RECORDER_PATH
// Wine has no ControlSet001 of its own (its CurrentControlSet is a separate key, not a link),
// no protocol service keys and no remote boot folder. This adds them, and makes the URL
// recorder the shell's open command for http, https and mailto so that nothing ever starts a
// real browser or mail program.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "RegKey.h"
#include "ShellShortcut.h"

static int s_nFailures = 0;

static void Fail(const char* pszWhat, LONG nError)
{
    fprintf(stderr, "prepare_prefix: %s failed (error %ld)\n", pszWhat, nError);
    ++s_nFailures;
}

// Creates the key (with any missing parents).
static void CreateKey(HKEY hRoot, const char* pszPath)
{
    CRegKey key;
    LONG nError = key.Create(hRoot, pszPath);
    if (nError != ERROR_SUCCESS)
        Fail(pszPath, nError);
}

static void SetString(HKEY hRoot, const char* pszPath, const char* pszName, const char* pszValue)
{
    CRegKey key;
    LONG nError = key.Create(hRoot, pszPath);
    if (nError == ERROR_SUCCESS)
        nError = ::RegSetValueExA(key, pszName, 0, REG_SZ, (const BYTE*)pszValue, (DWORD)strlen(pszValue) + 1);
    if (nError != ERROR_SUCCESS)
        Fail(pszPath, nError);
}

// Registers the recorder as the open command of one URL protocol, in both the machine's and
// the user's classes (the user's win where both exist).
static void RegisterRecorder(const char* pszProtocol, const char* pszRecorder)
{
    char szCommand[MAX_PATH + 16];
    snprintf(szCommand, sizeof szCommand, "\"%s\" \"%%1\"", pszRecorder);
    static const HKEY roots[] = { HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER };
    static const char* const bases[] = { "Software\\Classes\\", "Software\\Classes\\" };
    for (int i = 0; i < 2; ++i)
    {
        char szKey[128];
        snprintf(szKey, sizeof szKey, "%s%s", bases[i], pszProtocol);
        SetString(roots[i], szKey, "", "URL:recorded protocol");
        SetString(roots[i], szKey, "URL Protocol", "");
        snprintf(szKey, sizeof szKey, "%s%s\\shell\\open\\command", bases[i], pszProtocol);
        SetString(roots[i], szKey, "", szCommand);
        snprintf(szKey, sizeof szKey, "%s%s\\shell\\open\\ddeexec", bases[i], pszProtocol);
        ::RegDeleteKeyA(roots[i], szKey);   // a DDE conversation would bypass the command
    }
}

// Writes the prepared shortcut that the installer copies to the common desktop.
static void WritePreparedShortcut()
{
    char szWindows[MAX_PATH];
    ::GetWindowsDirectoryA(szWindows, MAX_PATH);
    char szDir[MAX_PATH], szTarget[MAX_PATH], szLink[MAX_PATH];
    snprintf(szDir, sizeof szDir, "%s\\rpl", szWindows);
    snprintf(szTarget, sizeof szTarget, "%s\\rpl\\Rplmgr.exe", szWindows);
    snprintf(szLink, sizeof szLink, "%s\\rpl\\Rezozire98.lnk", szWindows);
    ::CreateDirectoryA(szDir, NULL);

    HRESULT hr = CreateShellShortcut(szTarget, szLink, "Rezozire98");
    if (FAILED(hr))
        Fail(szLink, hr);
}

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: prepare_prefix RECORDER_PATH\n");
        return 2;
    }
    CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Services");
    CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Control\\Lsa");
    CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\DLC");
    CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\NWlnkIPX");
    CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\Nbf");
    RegisterRecorder("http", argv[1]);
    RegisterRecorder("https", argv[1]);
    RegisterRecorder("mailto", argv[1]);
    WritePreparedShortcut();
    return s_nFailures == 0 ? 0 : 1;
}
