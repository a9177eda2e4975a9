// tests/ui/InstallerProcess.cpp: starting the installer, finding its windows, real input, reading the screen.
#include "InstallerProcess.h"
#include <vector>

const char g_szDialogCaption[] = "Velmorath for  Win2003, 2000, XP ";
const char g_szAboutCaption[] = "About Brantovell";

InstallerProcess::InstallerProcess(const std::string& strExePath)
{
    ZeroMemory(&m_pi, sizeof m_pi);
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    std::string strCommand = "\"" + strExePath + "\"";
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back('\0');
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
        ZeroMemory(&m_pi, sizeof m_pi);
}

InstallerProcess::~InstallerProcess()
{
    if (!Started())
        return;
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
    {
        HWND hDialog = WaitForWindow(g_szDialogCaption, 0);
        if (hDialog)
            PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
        if (WaitForSingleObject(m_pi.hProcess, 5000) == WAIT_TIMEOUT)
            TerminateProcess(m_pi.hProcess, 99);
        WaitForSingleObject(m_pi.hProcess, 5000);
    }
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
}

struct FindData
{
    DWORD nPid;
    const char* pszCaption;
    HWND hFound;
};

static BOOL CALLBACK FindVisibleWindow(HWND hWnd, LPARAM lParam)
{
    FindData* pData = reinterpret_cast<FindData*>(lParam);
    DWORD nPid = 0;
    GetWindowThreadProcessId(hWnd, &nPid);
    char szCaption[256] = "";
    GetWindowTextA(hWnd, szCaption, sizeof szCaption);
    if (nPid == pData->nPid && IsWindowVisible(hWnd) && !lstrcmpA(szCaption, pData->pszCaption))
    {
        pData->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND InstallerProcess::WaitForWindow(const char* pszCaption, DWORD nTimeoutMs) const
{
    FindData data = { m_pi.dwProcessId, pszCaption, NULL };
    DWORD nStart = GetTickCount();
    for (;;)
    {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&data));
        if (data.hFound || GetTickCount() - nStart >= nTimeoutMs)
            return data.hFound;
        Sleep(30);
    }
}

HWND InstallerProcess::WaitForDialog(DWORD nTimeoutMs) const
{
    return WaitForWindow(g_szDialogCaption, nTimeoutMs);
}

int InstallerProcess::WaitForExit(DWORD nTimeoutMs) const
{
    if (!Started() || WaitForSingleObject(m_pi.hProcess, nTimeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD nExit = 0;
    GetExitCodeProcess(m_pi.hProcess, &nExit);
    return static_cast<int>(nExit);
}

ForeignBox AnswerMessageBox(const InstallerProcess& process, DWORD nTimeoutMs)
{
    ForeignBox box = { false, "" };
    HWND hBox = process.WaitForWindow("Setup Message", nTimeoutMs);
    if (!hBox)
        return box;
    char szText[2048] = "";
    GetDlgItemTextA(hBox, 0xFFFF, szText, sizeof szText);
    box.bFound = true;
    box.strText = szText;
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    for (DWORD nStart = GetTickCount(); IsWindow(hBox) && GetTickCount() - nStart < 5000;)
        Sleep(20);
    return box;
}

int CountChildren(HWND hParent, const char* pszClass, HWND* phFirst)
{
    int nCount = 0;
    for (HWND hChild = GetWindow(hParent, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        char szClass[64] = "";
        GetClassNameA(hChild, szClass, sizeof szClass);
        if (lstrcmpiA(szClass, pszClass) == 0 && nCount++ == 0 && phFirst)
            *phFirst = hChild;
    }
    return nCount;
}

HWND LinkOver(HWND hDialog, int nPlaceholder)
{
    RECT rcPlaceholder, rcChild;
    GetWindowRect(GetDlgItem(hDialog, nPlaceholder), &rcPlaceholder);
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        char szClass[64] = "";
        GetClassNameA(hChild, szClass, sizeof szClass);
        GetWindowRect(hChild, &rcChild);
        if (!lstrcmpA(szClass, "HyperlinkWnd") && EqualRect(&rcChild, &rcPlaceholder))
            return hChild;
    }
    return NULL;
}

static void SendMouse(POINT pt, DWORD dwFlags)
{
    INPUT input;
    ZeroMemory(&input, sizeof input);
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(pt.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(pt.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
    Sleep(150);
}

void MovePointer(POINT pt)
{
    SendMouse(pt, 0);
}

void ClickAt(POINT pt)
{
    SendMouse(pt, 0);
    SendMouse(pt, MOUSEEVENTF_LEFTDOWN);
    SendMouse(pt, MOUSEEVENTF_LEFTUP);
}

void PressKey(HWND hForeground, WORD wVk)
{
    SetForegroundWindow(hForeground);
    Sleep(200);
    INPUT keys[2];
    ZeroMemory(keys, sizeof keys);
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = wVk;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
}

POINT CentreOf(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    return pt;
}

int CountScreenPixels(HWND hWnd, COLORREF cr)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return 0;
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HDC hScreen = GetDC(NULL);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateDIBSection(hScreen, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    int nCount = 0;
    const DWORD* pPixels = static_cast<const DWORD*>(pBits);
    DWORD nWanted = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
    for (int i = 0; i < cx * cy; ++i)
        if ((pPixels[i] & 0xFFFFFF) == nWanted)
            ++nCount;
    SelectObject(hMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(NULL, hScreen);
    return nCount;
}
