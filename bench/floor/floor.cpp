// bench/floor/floor.cpp: the benchmark's floor: the least a program can do to show the installer's dialog and install.
//
// Plain Win32 in C style: no framework and no C++ library of its own. It shows the dialog the
// installer shows: template 102 centred in the work area, the About entry in its system menu,
// the program icon, the painted title and the two links over their placeholders (in the
// placeholders' font, underlined, blue on the button face, with the hand cursor). On Continue it
// installs with the installer's own steps (the platform and protocol checks, the folders, the
// shortcut writer, the service entries, the paths and contents of InstallItems.h), so it does the
// same work by construction. What it
// leaves out is the framework, the dialog classes, the links' hover and click, the About box,
// the report of failures and the program's check of its own file. It draws through gdi/, as
// the installer does, so both programs load their DLLs in the same order. It is never shipped:
// the benchmark measures the installer against it.
#include <windows.h>
#include <objbase.h>
#include "CommonFolders.h"
#include "ComposeString.h"
#include "DialogLook.h"
#include "Gdi.h"
#include "InstallItems.h"
#include "Installer.h"
#include "Protocols.h"
#include "ServiceRegistration.h"
#include "ShellShortcut.h"
#include "VendorInfo.h"
#include "WindowsVersion.h"
#include "resource.h"

static const char s_szLinkClass[] = "FloorLink";

// One link: its text, and the placeholder's font underlined, deleted with the window.
struct FloorLink
{
    LPCSTR pszText;
    HFONT hFont;
};
static FloorLink s_links[2] = { { VENDOR_HOME_URL, NULL }, { VENDOR_EMAIL, NULL } };

// The whole installation; FALSE (after its message) when the platform or a protocol is wrong.
// What it writes and where comes from the installer's own tables (InstallItems.h) and folder readers.
static BOOL Install(HWND hDlg)
{
    OSVERSIONINFOEXA version;
    if (!QueryWindowsVersion(version) || version.dwPlatformId != VER_PLATFORM_WIN32_NT)
    {
        ::MessageBoxA(hDlg, g_szNotNT, SETUP_MESSAGE_CAPTION, MB_OK | MB_ICONHAND);
        return FALSE;
    }
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

// A link's window: its text at the top left, the text's cells on the button face.
static LRESULT CALLBACK LinkProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    FloorLink* pLink = (FloorLink*)::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    if (nMsg == WM_NCCREATE)
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    else if (nMsg == WM_PAINT && pLink != NULL)
    {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        HGDIOBJ hOldFont = Gdi::SelectObject(hDC, pLink->hFont);
        Gdi::SetBkColor(hDC, ::GetSysColor(COLOR_BTNFACE));
        Gdi::SetTextColor(hDC, LINK_NORMAL_COLOR);
        Gdi::TextOutA(hDC, 0, 0, pLink->pszText, ::lstrlenA(pLink->pszText));
        Gdi::SelectObject(hDC, hOldFont);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    else if (nMsg == WM_NCDESTROY && pLink != NULL && pLink->hFont != NULL)
    {
        Gdi::DeleteObject(pLink->hFont);
        pLink->hFont = NULL;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

// Lays a link over the placeholder nPlaceholderID, with its rectangle and its font underlined.
static void CreateLink(HWND hDlg, int nPlaceholderID, FloorLink* pLink)
{
    HWND hPlaceholder = ::GetDlgItem(hDlg, nPlaceholderID);
    RECT rect;
    ::GetWindowRect(hPlaceholder, &rect);
    ::MapWindowPoints(NULL, hDlg, (POINT*)&rect, 2);
    LOGFONTA lf;
    HFONT hFont = (HFONT)::SendMessageA(hPlaceholder, WM_GETFONT, 0, 0);
    if (hFont != NULL && Gdi::GetObjectA(hFont, sizeof lf, &lf) == sizeof lf)
    {
        lf.lfUnderline = 1;
        pLink->hFont = Gdi::CreateFontIndirectA(&lf);
    }
    ::CreateWindowExA(0, s_szLinkClass, NULL, WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, hDlg, (HMENU)IDC_MAIN_LINK_WND, (HINSTANCE)::GetModuleHandleA(NULL),
                      pLink);
}

// The About entry in the system menu, the program icon, the two links.
static void SetUpDialog(HWND hDlg)
{
    HINSTANCE hInstance = ::GetModuleHandleA(NULL);
    HMENU hSysMenu = ::GetSystemMenu(hDlg, FALSE);
    char szAbout[64];
    if (hSysMenu != NULL && ::LoadStringA(hInstance, IDS_ABOUTBOX, szAbout, sizeof szAbout) > 0)
    {
        ::AppendMenuA(hSysMenu, MF_SEPARATOR, 0, NULL);
        ::AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, szAbout);
    }
    HICON hIcon = ::LoadIconA(hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ::SendMessageA(hDlg, WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    ::SendMessageA(hDlg, WM_SETICON, ICON_SMALL, (LPARAM)hIcon);
    CreateLink(hDlg, IDC_HOMEPAGE, &s_links[0]);
    CreateLink(hDlg, IDC_EMAIL, &s_links[1]);
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

// The bold magenta title, with no box behind the letters.
static void PaintTitle(HWND hDlg)
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(hDlg, &ps);
    Gdi::SetBkMode(hDC, TRANSPARENT);
    HFONT hFont = Gdi::CreateFontA(TITLE_FONT_HEIGHT, 0, 0, 0, TITLE_FONT_WEIGHT, FALSE, FALSE, FALSE,
                                   TITLE_FONT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   TITLE_FONT_PITCH_AND_FAMILY, TITLE_FONT_FACE);
    HGDIOBJ hOldFont = Gdi::SelectObject(hDC, hFont);
    Gdi::SetTextColor(hDC, TITLE_COLOR);
    Gdi::TextOutA(hDC, TITLE_X, TITLE_Y, TITLE_TEXT, sizeof TITLE_TEXT - 1);
    Gdi::SelectObject(hDC, hOldFont);
    Gdi::DeleteObject(hFont);
    ::EndPaint(hDlg, &ps);
}

static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM /*lParam*/)
{
    switch (nMsg)
    {
    case WM_INITDIALOG:
        SetUpDialog(hDlg);
        CentreInWorkArea(hDlg);
        return TRUE;
    case WM_PAINT:
        PaintTitle(hDlg);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && Install(hDlg))
            ::EndDialog(hDlg, IDOK);
        else if (LOWORD(wParam) == IDCANCEL)
            ::EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int /*nShowCmd*/)
{
    WNDCLASSA wc;
    ::ZeroMemory(&wc, sizeof wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = LinkProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorA(hInstance, MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    wc.lpszClassName = s_szLinkClass;
    ::RegisterClassA(&wc);
    ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_INSTALLER_DIALOG), NULL, DialogProc, 0);
    return 0;
}
