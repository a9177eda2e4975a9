// harness/RealInput.cpp: pointer and keys through the system's own input queue, and what a failure should say of them.
#include "RealInput.h"
#include <string>
#include "Wait.h"

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
