// sandbox/prepare_prefix.cpp: makes a fresh Wine prefix look like an NT server ready for the installer.
//
// Usage: prepare_prefix.exe RECORDER_PATH
// Wine has no ControlSet001 of its own (its CurrentControlSet is a separate key, not a link),
// no protocol service keys and no remote boot folder. This adds them, and makes the URL
// recorder the shell's open command for http, https and mailto so that nothing ever starts a
// real browser or mail program.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

static int s_nFailures = 0;

static void Fail(const char* pszWhat, LONG nError)
{
    fprintf(stderr, "prepare_prefix: %s failed (error %ld)\n", pszWhat, nError);
    ++s_nFailures;
}

// Creates HKLM\pszPath (with any missing parents).
static void CreateKey(HKEY hRoot, const char* pszPath)
{
    HKEY hKey;
    LONG nError = ::RegCreateKeyExA(hRoot, pszPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL);
    if (nError != ERROR_SUCCESS)
        return Fail(pszPath, nError);
    ::RegCloseKey(hKey);
}

static void SetString(HKEY hRoot, const char* pszPath, const char* pszName, const char* pszValue)
{
    HKEY hKey;
    LONG nError = ::RegCreateKeyExA(hRoot, pszPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL);
    if (nError == ERROR_SUCCESS)
    {
        nError = ::RegSetValueExA(hKey, pszName, 0, REG_SZ, (const BYTE*)pszValue,
                                  (DWORD)strlen(pszValue) + 1);
        ::RegCloseKey(hKey);
    }
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

    ::CoInitialize(NULL);
    IShellLinkA* pLink = NULL;
    HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    (void**)&pLink);
    if (FAILED(hr))
        return Fail("CoCreateInstance(ShellLink)", hr);
    pLink->SetPath(szTarget);
    pLink->SetDescription("Rezozire98");
    IPersistFile* pFile = NULL;
    hr = pLink->QueryInterface(IID_IPersistFile, (void**)&pFile);
    if (SUCCEEDED(hr))
    {
        WCHAR wszLink[MAX_PATH];
        ::MultiByteToWideChar(CP_ACP, 0, szLink, -1, wszLink, MAX_PATH);
        hr = pFile->Save(wszLink, TRUE);
        pFile->Release();
    }
    pLink->Release();
    ::CoUninitialize();
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
