// tests/afx/AfxTestSupport.h: the tests' application object and a plain host window.
#ifndef AFXTESTSUPPORT_H
#define AFXTESTSUPPORT_H

#include "afxwin.h"

// The one application object of the test program, as a program has it. Its map holds
// ID_HELP for CWinApp::OnHelp, as the installer's does, and a command of its own.
class CTestApp : public CWinApp
{
public:
    CTestApp() : m_nAppCommands(0) {}
    void OnAppCommand() { ++m_nAppCommands; }
    int m_nAppCommands;

    DECLARE_MESSAGE_MAP()
};

extern CTestApp theTestApp;

// A visible top-level window of a class with DefWindowProcA, owned by no CWnd; destroyed
// with this object.
class CHostWindow
{
public:
    CHostWindow(int x = 100, int y = 100, int cx = 400, int cy = 300, DWORD dwStyle = WS_POPUP | WS_VISIBLE);
    ~CHostWindow();
    operator HWND() const { return m_hWnd; }
    HWND m_hWnd;

private:
    CHostWindow(const CHostWindow&);
    void operator=(const CHostWindow&);
};

// Registers (once) the tests' window class, whose procedure is DefWindowProcA.
LPCSTR TestWindowClass();

// Handles whatever this thread's queue holds, without waiting.
void PumpMessages();

#endif // AFXTESTSUPPORT_H
