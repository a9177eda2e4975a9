// bench/floor/floor.cpp: the benchmark's floor: the least a program can do to show the dialog and install.
//
// Plain Win32 in C style: no framework and no C++ library of its own. It shows dialog template
// 102 centred in the work area and, on Continue, does the installation with the installer's own
// steps (the protocol check, the shortcut writer, the service entries, the path composer), so
// it does the same work by construction; what it leaves out is the framework, the dialog
// classes, the report of failures and the program's start-up. It is never shipped: the
// benchmark measures the installer against it.
#include <windows.h>
#include <objbase.h>
#include "ComposeString.h"
#include "Installer.h"
#include "Protocols.h"
#include "RegKey.h"
#include "ServiceRegistration.h"
#include "ShellShortcut.h"

static const char s_szBatchText[] = "%windir%\\Rpl\\rplcmd.exe %1 %2 %3\r\n";

// Reads one common folder from the shell folders key into pszFolder (MAX_PATH bytes).
static BOOL ReadFolder(LPCSTR pszName, char* pszFolder)
{
    CRegKey folders;
    DWORD nSize = MAX_PATH - 1, nType = REG_NONE;
    pszFolder[MAX_PATH - 1] = '\0';
    return folders.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        KEY_QUERY_VALUE) == ERROR_SUCCESS
        && ::RegQueryValueExA(folders, pszName, NULL, &nType, (BYTE*)pszFolder, &nSize) == ERROR_SUCCESS
        && nType == REG_SZ;
}

// The whole installation; FALSE (after its message) when a protocol is missing.
static BOOL Install(HWND hDlg)
{
    LPCSTR pszMissing = FirstMissingProtocol();
    if (pszMissing != NULL)
    {
        ::MessageBoxA(hDlg, pszMissing, SETUP_MESSAGE_CAPTION, MB_OK | MB_ICONHAND);
        return FALSE;
    }
    char szWindir[MAX_PATH], szTarget[MAX_PATH], szSource[MAX_PATH], szFolder[MAX_PATH], szPath[MAX_PATH];
    if (!::GetEnvironmentVariableA("windir", szWindir, MAX_PATH))
        return FALSE;
    ComposeString(szTarget, MAX_PATH, szWindir, "\\rpl\\Rplmgr.exe");
    ComposeString(szSource, MAX_PATH, szWindir, "\\rpl\\Rezozire98.lnk");

    ::CoInitialize(NULL);
    if (ReadFolder("Common Administrative Tools", szFolder)
        && ComposeString(szPath, MAX_PATH, szFolder, "\\Remoteboot Manager.lnk"))
        CreateShellShortcut(szTarget, szPath, "Remoteboot Manager");
    if (ReadFolder("Common Desktop", szFolder))
    {
        if (ComposeString(szPath, MAX_PATH, szFolder, "\\Remoteboot Manager.lnk"))
            CreateShellShortcut(szTarget, szPath, "Remoteboot Manager");
        if (ComposeString(szPath, MAX_PATH, szFolder, "\\Rezozire98.lnk"))
            ::CopyFileA(szSource, szPath, TRUE);
    }
    ::CoUninitialize();

    ::GetSystemDirectoryA(szPath, MAX_PATH);
    ComposeString(szPath, MAX_PATH, szPath, "\\rplcmd.bat");
    HANDLE hFile = ::CreateFileA(szPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
    {
        DWORD nWritten;
        ::WriteFile(hFile, s_szBatchText, sizeof s_szBatchText - 1, &nWritten, NULL);
        ::CloseHandle(hFile);
    }

    ServiceOutcome outcome;
    RegisterServices(szFolder, outcome);
    ::MessageBoxA(hDlg, INSTALL_SUCCESS_TEXT, SETUP_MESSAGE_CAPTION, MB_OK | MB_ICONEXCLAMATION);
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
