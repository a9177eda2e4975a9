// bench/floor/floor.cpp: the benchmark's floor: the least a program can do to show the dialog and install.
//
// Plain Win32 in C style: no framework and no C++ library of its own. It shows dialog template
// 102 centred in the work area and, on Continue, does the installation with the installer's own
// steps (the protocol check, the folders, the shortcut writer, the service entries, the paths
// and contents of InstallItems.h), so it does the same work by construction; what it leaves
// out is the framework, the dialog classes, the report of failures and the program's start-up. It is never shipped: the
// benchmark measures the installer against it.
#include <windows.h>
#include <objbase.h>
#include "CommonFolders.h"
#include "ComposeString.h"
#include "InstallItems.h"
#include "Installer.h"
#include "Protocols.h"
#include "ServiceRegistration.h"
#include "ShellShortcut.h"

// The whole installation; FALSE (after its message) when a protocol is missing. What it writes
// and where comes from the installer's own tables (InstallItems.h) and folder readers.
static BOOL Install(HWND hDlg)
{
    LPCSTR pszMissing = FirstMissingProtocol();
    if (pszMissing != NULL)
    {
        ::MessageBoxA(hDlg, pszMissing, SETUP_MESSAGE_CAPTION, MB_OK | MB_ICONHAND);
        return FALSE;
    }
    char szTarget[MAX_PATH], szSource[MAX_PATH], szFolder[MAX_PATH], szPath[MAX_PATH];
    if (!ComposeManagerTarget(szTarget) || !ComposePreparedSource(szSource))
        return FALSE;

    ::CoInitialize(NULL);
    if (ReadAdminToolsFolder(szFolder) == ERROR_SUCCESS
        && ComposeString(szPath, MAX_PATH, szFolder, g_szManagerLink))
        CreateShellShortcut(szTarget, szPath, g_szManagerDescription);
    if (ReadCommonDesktop(szFolder) == ERROR_SUCCESS)
    {
        if (ComposeString(szPath, MAX_PATH, szFolder, g_szManagerLink))
            CreateShellShortcut(szTarget, szPath, g_szManagerDescription);
        if (ComposeString(szPath, MAX_PATH, szFolder, g_szPreparedLink))
            ::CopyFileA(szSource, szPath, TRUE);
    }
    ::CoUninitialize();

    HANDLE hFile = ComposeBatchPath(szPath)
        ? ::CreateFileA(szPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                        NULL)
        : INVALID_HANDLE_VALUE;
    if (hFile != INVALID_HANDLE_VALUE)
    {
        DWORD nWritten;
        ::WriteFile(hFile, g_szBatchText, ::lstrlenA(g_szBatchText), &nWritten, NULL);
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
