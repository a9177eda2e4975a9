// sandbox/prepare_prefix.cpp: makes a fresh Wine prefix look like an NT server ready for the installer.
//
// Usage: prepare_prefix.exe RECORDER_PATH [TARGET]   TARGET: nt40, win2k, winxp, win2003 (the default)
// Wine's prefix is laid out like Windows 7 and later, with no ControlSet001 of its own, no
// protocol service keys and no remote boot folder. This lays the target server out (harness/Server),
// and makes the URL recorder the shell's open command for http, https and mailto so that nothing
// ever starts a real browser or mail program.
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "RegKey.h"
#include "Server.h"

static int s_nFailures = 0;

static void Fail(const char* pszWhat, LONG nError)
{
    fprintf(stderr, "prepare_prefix: %s failed (error %ld)\n", pszWhat, nError);
    ++s_nFailures;
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

// A crashing program ends with its backtrace on the console instead of waiting, under a display
// nobody looks at, for someone to close Wine's crash dialog: a test that crashes fails at once
// rather than at CTest's time-out.
static void SwitchOffCrashDialog()
{
    CRegKey winedbg;
    const DWORD nNo = 0;
    LONG nError = winedbg.Create(HKEY_CURRENT_USER, "Software\\Wine\\WineDbg");
    if (nError == ERROR_SUCCESS)
        nError = ::RegSetValueExA(winedbg, "ShowCrashDialog", 0, REG_DWORD, (const BYTE*)&nNo, sizeof nNo);
    if (nError != ERROR_SUCCESS)
        Fail("HKCU\\Software\\Wine\\WineDbg", nError);
}

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
    {
        fprintf(stderr, "usage: prepare_prefix RECORDER_PATH [TARGET]   TARGET: %s (default %s)\n",
                Server::TargetNames().c_str(), Server::DefaultTarget().pszName);
        return 2;
    }
    const Server::Target* pTarget = argc == 3 ? Server::FindTarget(argv[2]) : &Server::DefaultTarget();
    if (pTarget == NULL)
    {
        fprintf(stderr, "prepare_prefix: unknown target '%s'; the targets are %s\n", argv[2],
                Server::TargetNames().c_str());
        return 2;
    }
    std::string strFailures = Server::Prepare(*pTarget);
    if (!strFailures.empty())
    {
        fprintf(stderr, "prepare_prefix: could not lay out %s:\n%s", pTarget->pszWindows, strFailures.c_str());
        ++s_nFailures;
    }
    SwitchOffCrashDialog();
    RegisterRecorder("http", argv[1]);
    RegisterRecorder("https", argv[1]);
    RegisterRecorder("mailto", argv[1]);
    return s_nFailures == 0 ? 0 : 1;
}
