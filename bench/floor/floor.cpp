// bench/floor/floor.cpp: the benchmark's floor: the least a program can do to show the dialog and install.
//
// Plain Win32 in C style: no framework, no classes, no C++ library. It shows dialog template 102
// centred in the work area and, on Continue, makes the same checks and writes as the installer
// (protocol keys, the two manager shortcuts, the copied shortcut, rplcmd.bat, the three service
// entries and the Lsa value), shows the same success message and ends. It is never shipped: the
// benchmark measures the installer against it.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include "VendorInfo.h"

#define COUNT_OF(a) (int)(sizeof(a) / sizeof((a)[0]))

static const char s_szCaption[] = "Setup Message";
static const char s_szSuccess[] = "Install Remote Service Success, please reboot the Server!";
static const char s_szServices[] = "SYSTEM\\ControlSet001\\Services";
static const char s_szLsa[] = "SYSTEM\\ControlSet001\\Control\\Lsa";
static const char s_szShellFolders[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
static const char s_szBatchText[] = "%windir%\\Rpl\\rplcmd.exe %1 %2 %3\r\n";

static const struct
{
    const char* pszKey;
    const char* pszMissing;
} s_protocols[] = {
    { "SYSTEM\\CurrentControlSet\\Services\\DLC",
      "Please install Microsoft DLC before installing Remoteboot." },
    { "SYSTEM\\CurrentControlSet\\Services\\NWlnkIPX",
      "Please install NWLink IPX/SPX/NetBios Compatible Transort Protocol before installing Remoteboot." },
    { "SYSTEM\\CurrentControlSet\\Services\\Nbf",
      "Please install NetBEUI Protocol before installing Remoteboot." },
};

// One registry value of a service entry; a string's data is composed with windir when bWindir.
struct Value
{
    const char* pszName;
    DWORD nType;
    DWORD nNumber;          // REG_DWORD data
    const char* pszText;    // string data (or its tail after "\??\" + windir)
    BOOL bWindir;
};

static const Value s_ramdisk[] = {
    { "DisplayName", REG_SZ, 0, "Morvaneth", FALSE },
    { "Group", REG_SZ, 0, "Primary disk", FALSE },
    { "ErrorControl", REG_DWORD, 1, NULL, FALSE },
    { "ImagePath", REG_EXPAND_SZ, 0, "\\system32\\drivers\\ramdiskZ.sys", TRUE },
    { "Start", REG_DWORD, 2, NULL, FALSE },
    { "Type", REG_DWORD, 1, NULL, FALSE },
};
static const Value s_ramdiskParameters[] = {
    { "AllocateMemoryType", REG_DWORD, 1, NULL, FALSE },
    { "AutoSaveEnabled", REG_DWORD, 0, NULL, FALSE },
    { "AutoSaveTrigger", REG_DWORD, 80, NULL, FALSE },
    { "BackgroundUpdate", REG_DWORD, 0, NULL, FALSE },
    { "BootSectType", REG_DWORD, 1, NULL, FALSE },
    { "DiskFormatFAT32", REG_DWORD, 0, NULL, FALSE },
    { "ExcludedRAMPage", REG_DWORD, 16777216, NULL, FALSE },
    { "ExcludedRAMStart", REG_DWORD, 128, NULL, FALSE },
    { "IDAsRAMDisk", REG_DWORD, 0, NULL, FALSE },
    { "LoadImageOnStart", REG_DWORD, 1, NULL, FALSE },
    { "MakeTempDir", REG_DWORD, 0, NULL, FALSE },
    { "SaveImageOnExit", REG_DWORD, 1, NULL, FALSE },
    { "SizeIn4kPages", REG_DWORD, 5120, NULL, FALSE },
    { "UseDiskLabel", REG_DWORD, 0, NULL, FALSE },
    { "DiskLabel", REG_SZ, 0, "Morvaneth", FALSE },
    { "DiskType", REG_SZ, 0, "HDC", FALSE },
    { "LoadImageFile", REG_SZ, 0, "\\system32\\rpldskz.img", TRUE },
    { "SaveImageFile", REG_SZ, 0, "\\system32\\rpldskz.img", TRUE },
    { "UserDriveLetter", REG_SZ, 0, "Z", FALSE },
};
static const Value s_remoteBoot[] = {
    { "DisplayName", REG_SZ, 0, "Remoteboot Service", FALSE },
    { "ErrorControl", REG_DWORD, 1, NULL, FALSE },
    { "ImagePath", REG_EXPAND_SZ, 0, "%SystemRoot%\\Rpl\\rplsvc.exe", FALSE },
    { "DependOnService", REG_MULTI_SZ, 0, "RamdiskZ", FALSE },
    { "ObjectName", REG_SZ, 0, "LocalSystem", FALSE },
    { "Start", REG_DWORD, 2, NULL, FALSE },
    { "Type", REG_DWORD, 16, NULL, FALSE },
};
static const Value s_remoteBootParameters[] = {
    { "BackupInterval", REG_DWORD, 24, NULL, FALSE },
    { "Startup", REG_DWORD, 0, NULL, FALSE },
    { "Directory", REG_EXPAND_SZ, 0, "z:\\rpl", FALSE },
};
static const Value s_morvaneth[] = {
    { "Description", REG_SZ, 0, "Diskless Windows 98 service", FALSE },
    { "DisplayName", REG_SZ, 0, VENDOR_WEB_DOMAIN " Service", FALSE },
    { "ErrorControl", REG_DWORD, 1, NULL, FALSE },
    { "ImagePath", REG_EXPAND_SZ, 0, "%SystemRoot%\\system32\\Quenlar.exe", FALSE },
    { "ObjectName", REG_SZ, 0, "LocalSystem", FALSE },
    { "Start", REG_DWORD, 2, NULL, FALSE },
    { "Type", REG_DWORD, 16, NULL, FALSE },
};

static const struct
{
    const char* pszName;
    const Value* pValues;
    int nValues;
    const Value* pParameters;   // the "Parameters" subkey's values, or NULL when it has none
    int nParameters;
} s_services[] = {
    { "RamdiskZ", s_ramdisk, COUNT_OF(s_ramdisk), s_ramdiskParameters, COUNT_OF(s_ramdiskParameters) },
    { "RemoteBoot", s_remoteBoot, COUNT_OF(s_remoteBoot), s_remoteBootParameters,
      COUNT_OF(s_remoteBootParameters) },
    { "MorvanethService", s_morvaneth, COUNT_OF(s_morvaneth), NULL, 0 },
};

static void WriteValues(HKEY hKey, const Value* pValues, int nValues, const char* pszWindir)
{
    for (int i = 0; i < nValues; ++i)
    {
        const Value& v = pValues[i];
        if (v.nType == REG_DWORD)
        {
            ::RegSetValueExA(hKey, v.pszName, 0, REG_DWORD, (const BYTE*)&v.nNumber, 4);
            continue;
        }
        char szData[MAX_PATH + 1] = "";
        if (v.bWindir)
            ::wsprintfA(szData, "\\??\\%s%s", pszWindir, v.pszText);
        else
            ::lstrcpyA(szData, v.pszText);
        // A multi-string ends with two NULs; the buffer is zero-filled behind the text.
        DWORD nBytes = ::lstrlenA(szData) + (v.nType == REG_MULTI_SZ ? 2 : 1);
        ::RegSetValueExA(hKey, v.pszName, 0, v.nType, (const BYTE*)szData, nBytes);
    }
}

static void RegisterServices(const char* pszWindir)
{
    for (int i = 0; i < COUNT_OF(s_services); ++i)
    {
        HKEY hServices, hService, hParameters;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szServices, 0, KEY_ALL_ACCESS, &hServices))
            continue;
        if (::RegCreateKeyA(hServices, s_services[i].pszName, &hService) == ERROR_SUCCESS)
        {
            WriteValues(hService, s_services[i].pValues, s_services[i].nValues, pszWindir);
            if (s_services[i].pParameters
                && ::RegCreateKeyA(hService, "Parameters", &hParameters) == ERROR_SUCCESS)
            {
                WriteValues(hParameters, s_services[i].pParameters, s_services[i].nParameters,
                            pszWindir);
                ::RegCloseKey(hParameters);
            }
            ::RegCloseKey(hService);
        }
        ::RegCloseKey(hServices);
    }
    HKEY hLsa;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szLsa, 0, KEY_ALL_ACCESS, &hLsa) == ERROR_SUCCESS)
    {
        DWORD nZero = 0;
        ::RegSetValueExA(hLsa, "limitblankpassworduse", 0, REG_DWORD, (const BYTE*)&nZero, 4);
        ::RegCloseKey(hLsa);
    }
}

static void CreateShortcut(const char* pszTarget, const char* pszLink)
{
    IShellLinkA* pLink;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  (void**)&pLink)))
        return;
    pLink->SetPath(pszTarget);
    pLink->SetDescription("Remoteboot Manager");
    IPersistFile* pFile;
    if (SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, (void**)&pFile)))
    {
        WCHAR wszLink[MAX_PATH];
        if (::MultiByteToWideChar(CP_ACP, 0, pszLink, -1, wszLink, MAX_PATH))
            pFile->Save(wszLink, TRUE);
        pFile->Release();
    }
    pLink->Release();
}

// Reads one shell folder into pszFolder (MAX_PATH bytes); FALSE when it cannot be read.
static BOOL ReadFolder(HKEY hFolders, const char* pszName, char* pszFolder)
{
    DWORD nSize = MAX_PATH - 1, nType;
    pszFolder[MAX_PATH - 1] = '\0';
    return ::RegQueryValueExA(hFolders, pszName, NULL, &nType, (BYTE*)pszFolder, &nSize)
               == ERROR_SUCCESS && nType == REG_SZ;
}

// The whole installation; FALSE (after its message) when a protocol is missing.
static BOOL Install(HWND hDlg)
{
    for (int i = 0; i < COUNT_OF(s_protocols); ++i)
    {
        HKEY hKey;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_protocols[i].pszKey, 0, KEY_QUERY_VALUE, &hKey))
        {
            ::MessageBoxA(hDlg, s_protocols[i].pszMissing, s_szCaption, MB_OK | MB_ICONHAND);
            return FALSE;
        }
        ::RegCloseKey(hKey);
    }

    char szWindir[MAX_PATH], szTarget[MAX_PATH], szSource[MAX_PATH];
    char szAdminTools[MAX_PATH], szDesktop[MAX_PATH], szPath[MAX_PATH + 32];
    if (!::GetEnvironmentVariableA("windir", szWindir, 200))
        return FALSE;
    ::wsprintfA(szTarget, "%s\\rpl\\Rplmgr.exe", szWindir);
    ::wsprintfA(szSource, "%s\\rpl\\Rezozire98.lnk", szWindir);

    ::CoInitialize(NULL);
    HKEY hFolders;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szShellFolders, 0, KEY_QUERY_VALUE, &hFolders)
            == ERROR_SUCCESS)
    {
        BOOL bAdmin = ReadFolder(hFolders, "Common Administrative Tools", szAdminTools);
        BOOL bDesktop = ReadFolder(hFolders, "Common Desktop", szDesktop);
        ::RegCloseKey(hFolders);
        if (bAdmin)
        {
            ::wsprintfA(szPath, "%s\\Remoteboot Manager.lnk", szAdminTools);
            CreateShortcut(szTarget, szPath);
        }
        if (bDesktop)
        {
            ::wsprintfA(szPath, "%s\\Remoteboot Manager.lnk", szDesktop);
            CreateShortcut(szTarget, szPath);
            ::wsprintfA(szPath, "%s\\Rezozire98.lnk", szDesktop);
            ::CopyFileA(szSource, szPath, TRUE);
        }
    }

    ::GetSystemDirectoryA(szPath, MAX_PATH);
    ::lstrcatA(szPath, "\\rplcmd.bat");
    HANDLE hFile = ::CreateFileA(szPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
    {
        DWORD nWritten;
        ::WriteFile(hFile, s_szBatchText, sizeof s_szBatchText - 1, &nWritten, NULL);
        ::CloseHandle(hFile);
    }

    RegisterServices(szWindir);
    ::MessageBoxA(hDlg, s_szSuccess, s_szCaption, MB_OK | MB_ICONEXCLAMATION);
    return TRUE;
}

// The template asks for no placement: centre the dialog in the work area, as the installer does.
static void CentreInWorkArea(HWND hDlg)
{
    RECT rcArea, rcDlg;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    ::GetWindowRect(hDlg, &rcDlg);
    int x = rcArea.left + (rcArea.right - rcArea.left - (rcDlg.right - rcDlg.left)) / 2;
    int y = rcArea.top + (rcArea.bottom - rcArea.top - (rcDlg.bottom - rcDlg.top)) / 2;
    ::SetWindowPos(hDlg, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM /*lParam*/)
{
    if (nMsg == WM_INITDIALOG)
    {
        CentreInWorkArea(hDlg);
        return TRUE;
    }
    if (nMsg != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDOK && Install(hDlg))
        ::EndDialog(hDlg, IDOK);
    else if (LOWORD(wParam) == IDCANCEL)
        ::EndDialog(hDlg, IDCANCEL);
    return TRUE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int /*nShowCmd*/)
{
    ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(102), NULL, DialogProc, 0);
    return 0;
}
