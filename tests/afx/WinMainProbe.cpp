// tests/afx/WinMainProbe.cpp: a GUI program built like the product, to run the framework's WinMain.
// An argument: InitInstance posts WM_QUIT (code 3) and returns TRUE; else it queues WM_APP and returns FALSE.
// Exit code 0: all right; 10: not the application or its instance; 20: the loop ran wrongly; 3: its code.
#include "afxwin.h"

class CProbeApp : public CWinApp
{
public:
    virtual BOOL InitInstance()
    {
        m_bLoop = __argc > 1;
        m_nFault = AfxGetApp() == this && AfxGetInstanceHandle() == ::GetModuleHandleA(NULL) ? 0 : 10;
        if (m_bLoop)
            ::PostQuitMessage(3);
        else
            ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0);
        return m_bLoop;
    }
    // The loop takes WM_QUIT; only a loop takes WM_APP.
    virtual int ExitInstance()
    {
        MSG msg;
        UINT nLeft = m_bLoop ? WM_QUIT : WM_APP;
        if (::PeekMessageA(&msg, NULL, nLeft, nLeft, PM_NOREMOVE) == m_bLoop)
            m_nFault += 20;
        return CWinApp::ExitInstance() + m_nFault;
    }
    BOOL m_bLoop;
    int m_nFault;
};

CProbeApp theApp;
