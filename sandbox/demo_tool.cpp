// sandbox/demo_tool.cpp: drives the installer for the main-job demo and reports what it wrote.
//
// Usage: demo_tool wait      waits (up to 60 s) for the installer's dialog to be visible
//        demo_tool continue  presses Continue, answers the "Setup Message" box, prints its text
//        demo_tool report    prints the registry entries, shortcuts and batch file written
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

static const char s_szDialogCaption[] = "Velmorath for  Win2003, 2000, XP ";

static HWND WaitForWindow(const char* pszCaption, DWORD nTimeoutMs)
{
    for (DWORD nStart = GetTickCount(); GetTickCount() - nStart < nTimeoutMs; Sleep(50))
    {
        HWND hWnd = FindWindowA("#32770", pszCaption);
        if (hWnd && IsWindowVisible(hWnd))
            return hWnd;
    }
    return NULL;
}

static int PressContinue()
{
    HWND hDialog = WaitForWindow(s_szDialogCaption, 60000);
    if (!hDialog)
    {
        printf("the installer's dialog is not there\n");
        return 1;
    }
    PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(hDialog, IDOK));
    HWND hBox = WaitForWindow("Setup Message", 60000);
    if (!hBox)
    {
        printf("no \"Setup Message\" box appeared\n");
        return 1;
    }
    char szText[2048] = "";
    GetDlgItemTextA(hBox, 0xFFFF, szText, sizeof szText);
    printf("Setup Message: %s\n", szText);
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    return 0;
}

static void PrintValue(const char* pszName, DWORD nType, const BYTE* pData, DWORD nBytes)
{
    static const char* const types[] = { "NONE", "REG_SZ", "REG_EXPAND_SZ", "BINARY", "REG_DWORD",
                                         "DWORD_BE", "LINK", "REG_MULTI_SZ" };
    printf("    %-22s %-13s %3lu bytes  ", pszName, nType < 8 ? types[nType] : "?", nBytes);
    if (nType == REG_DWORD && nBytes == 4)
        printf("%lu\n", *(const DWORD*)pData);
    else
    {
        putchar('"');
        for (DWORD i = 0; i < nBytes; ++i)
            pData[i] ? putchar(pData[i]) : printf("\\0");
        printf("\"\n");
    }
}

static void PrintKey(const char* pszPath)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, pszPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
    {
        printf("  HKLM\\%s: missing\n", pszPath);
        return;
    }
    printf("  HKLM\\%s\n", pszPath);
    for (DWORD i = 0;; ++i)
    {
        char szName[256];
        BYTE data[1024];
        DWORD nName = sizeof szName, nData = sizeof data, nType = 0;
        if (RegEnumValueA(hKey, i, szName, &nName, NULL, &nType, data, &nData) != ERROR_SUCCESS)
            break;
        PrintValue(szName, nType, data, nData);
    }
    RegCloseKey(hKey);
}

static void PrintShortcut(const char* pszPath)
{
    IShellLinkA* pLink = NULL;
    IPersistFile* pFile = NULL;
    char szTarget[MAX_PATH] = "", szDescription[MAX_PATH] = "";
    WCHAR wszPath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, pszPath, -1, wszPath, MAX_PATH);
    bool bLoaded = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   (void**)&pLink)))
    {
        if (SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, (void**)&pFile)))
        {
            bLoaded = SUCCEEDED(pFile->Load(wszPath, STGM_READ));
            pFile->Release();
        }
        if (bLoaded)
        {
            pLink->GetPath(szTarget, MAX_PATH, NULL, 0);
            pLink->GetDescription(szDescription, MAX_PATH);
        }
        pLink->Release();
    }
    if (bLoaded)
        printf("  %s\n    -> %s  (\"%s\")\n", pszPath, szTarget, szDescription);
    else
        printf("  %s: missing\n", pszPath);
}

static void Report()
{
    printf("Registry:\n");
    static const char* const keys[] = {
        "SYSTEM\\ControlSet001\\Services\\RamdiskZ",
        "SYSTEM\\ControlSet001\\Services\\RamdiskZ\\Parameters",
        "SYSTEM\\ControlSet001\\Services\\RemoteBoot",
        "SYSTEM\\ControlSet001\\Services\\RemoteBoot\\Parameters",
        "SYSTEM\\ControlSet001\\Services\\MorvanethService",
        "SYSTEM\\ControlSet001\\Control\\Lsa",
    };
    for (size_t i = 0; i < sizeof keys / sizeof keys[0]; ++i)
        PrintKey(keys[i]);

    char szAdminTools[MAX_PATH] = "", szDesktop[MAX_PATH] = "", szPath[MAX_PATH];
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &hKey) == ERROR_SUCCESS)
    {
        DWORD n = sizeof szAdminTools;
        RegQueryValueExA(hKey, "Common Administrative Tools", NULL, NULL, (BYTE*)szAdminTools, &n);
        n = sizeof szDesktop;
        RegQueryValueExA(hKey, "Common Desktop", NULL, NULL, (BYTE*)szDesktop, &n);
        RegCloseKey(hKey);
    }
    printf("Shortcuts:\n");
    CoInitialize(NULL);
    snprintf(szPath, sizeof szPath, "%s\\Remoteboot Manager.lnk", szAdminTools);
    PrintShortcut(szPath);
    snprintf(szPath, sizeof szPath, "%s\\Remoteboot Manager.lnk", szDesktop);
    PrintShortcut(szPath);
    snprintf(szPath, sizeof szPath, "%s\\Rezozire98.lnk", szDesktop);
    PrintShortcut(szPath);
    CoUninitialize();

    GetSystemDirectoryA(szPath, MAX_PATH);
    lstrcatA(szPath, "\\rplcmd.bat");
    printf("Batch file:\n  %s: ", szPath);
    HANDLE hFile = CreateFileA(szPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        printf("missing\n");
        return;
    }
    char data[256];
    DWORD nRead = 0;
    ReadFile(hFile, data, sizeof data, &nRead, NULL);
    CloseHandle(hFile);
    printf("%lu bytes: \"", nRead);
    for (DWORD i = 0; i < nRead; ++i)
        data[i] == '\r' ? printf("\\r") : data[i] == '\n' ? printf("\\n") : putchar(data[i]);
    printf("\"\n");
}

int main(int argc, char** argv)
{
    if (argc == 2 && !strcmp(argv[1], "wait"))
        return WaitForWindow(s_szDialogCaption, 60000) ? 0 : 1;
    if (argc == 2 && !strcmp(argv[1], "continue"))
        return PressContinue();
    if (argc == 2 && !strcmp(argv[1], "report"))
        return Report(), 0;
    fprintf(stderr, "usage: demo_tool wait|continue|report\n");
    return 2;
}
