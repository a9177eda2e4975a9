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
        // Cancel ends the dialog alone; with a box or the About box in front it is killed.
        HWND hDialog = WaitForWindow(g_szDialogCaption, 0);
        if (hDialog == NULL || !IsWindowEnabled(hDialog) || !PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0)
            || WaitForSingleObject(m_pi.hProcess, WAIT_DEADLINE_MS) == WAIT_TIMEOUT)
            TerminateProcess(m_pi.hProcess, 99);
        WaitForSingleObject(m_pi.hProcess, WAIT_DEADLINE_MS);
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
    WaitUntil([&data] {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&data));
        return data.hFound != NULL;
    }, nTimeoutMs);
    return data.hFound;
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
    WaitUntil([hBox] { return !IsWindow(hBox); }, nTimeoutMs);
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

// Moves the pointer to pt and, with buttons, presses and releases them there. Every event
// carries the position: a button event without one happens wherever the pointer is when Wine
// queues it, and Wine also turns the X server's reports of earlier pointer moves into moves of
// its own, which under emulation can arrive between our move and our press and take the click
// elsewhere.
static bool SendMouse(POINT pt, const DWORD* pButtons, UINT nButtons)
{
    INPUT inputs[3];
    ZeroMemory(inputs, sizeof inputs);
    for (UINT i = 0; i <= nButtons && i < 3; ++i)
    {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = MulDiv(pt.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        inputs[i].mi.dy = MulDiv(pt.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        inputs[i].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | (i == 0 ? 0 : pButtons[i - 1]);
    }
    return SendInput(nButtons + 1, inputs, sizeof inputs[0]) == nButtons + 1;
}

void MovePointer(POINT pt)
{
    SendMouse(pt, NULL, 0);
}

// Waits until the window at pt belongs to the top-level window hRoot. (Seen from another
// process, a placeholder that lets the input through to the link over it is the window at the
// point, so the top-level windows are compared.)
static bool Uncovered(HWND hRoot, POINT pt)
{
    return hRoot != NULL && WaitUntil([&] { return GetAncestor(WindowFromPoint(pt), GA_ROOT) == hRoot; });
}

static POINT CentreOf(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    return pt;
}

bool MovePointerOnto(HWND hTarget)
{
    POINT pt = CentreOf(hTarget);
    return Uncovered(GetAncestor(hTarget, GA_ROOT), pt) && SendMouse(pt, NULL, 0);
}

bool MovePointerOntoCorner(HWND hDialog)
{
    POINT pt = { 4, 4 };        // above the dialog's first control
    ClientToScreen(hDialog, &pt);
    return Uncovered(hDialog, pt) && SendMouse(pt, NULL, 0);
}

bool ClickOn(HWND hTarget)
{
    static const DWORD s_click[] = { MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP };
    POINT pt = CentreOf(hTarget);
    return Uncovered(GetAncestor(hTarget, GA_ROOT), pt) && SendMouse(pt, s_click, 2);
}

bool PressKey(HWND hForeground, WORD wVk)
{
    SetForegroundWindow(hForeground);
    if (!WaitUntil([hForeground] { return GetForegroundWindow() == hForeground; }))
        return false;
    INPUT keys[2];
    ZeroMemory(keys, sizeof keys);
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = wVk;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, keys, sizeof keys[0]) == 2;
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

// A window as a failure message names it: class, identifier, caption and process.
static std::string NameOf(HWND hWnd)
{
    if (hWnd == NULL)
        return "none";
    char szClass[64] = "", szCaption[64] = "";
    GetClassNameA(hWnd, szClass, sizeof szClass);
    GetWindowTextA(hWnd, szCaption, sizeof szCaption);
    DWORD nPid = 0;
    GetWindowThreadProcessId(hWnd, &nPid);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    return std::string(szClass) + " #" + std::to_string(GetDlgCtrlID(hWnd)) + " '" + szCaption + "' at ("
        + std::to_string(rc.left) + "," + std::to_string(rc.top) + ")-(" + std::to_string(rc.right) + ","
        + std::to_string(rc.bottom) + ") of process " + std::to_string(nPid);
}

std::string DescribeInput(HWND hProgramWindow)
{
    POINT pt = { -1, -1 };
    GetCursorPos(&pt);
    GUITHREADINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(hProgramWindow, NULL), &info);
    return std::string(Answers(hProgramWindow, 5000) ? "the program answers" : "the program does not answer within 5 s")
        + "; pointer at (" + std::to_string(pt.x) + "," + std::to_string(pt.y) + ") over " + NameOf(WindowFromPoint(pt))
        + "; in front: " + NameOf(GetForegroundWindow()) + "; the program's active window: " + NameOf(info.hwndActive)
        + ", focus: " + NameOf(info.hwndFocus) + ", capture: " + NameOf(info.hwndCapture);
}
