// afx/CWinApp.h: CWinApp, the one application object, and the framework's global functions.
#ifndef AFX_CWINAPP_H
#define AFX_CWINAPP_H

#include "CCmdTarget.h"

class CWnd;

// The program defines one global object of a class derived from CWinApp; the framework's
// WinMain (AfxWinMain.cpp) finds it and calls InitInstance. MFC's CWinThread layer is folded
// in: the programs have one thread.
class CWinApp : public CCmdTarget
{
public:
    // Construction
    // Registers this object as the application; the name is not kept, since every message
    // box of the programs names its own caption.
    CWinApp(LPCSTR lpszAppName = NULL);
    virtual ~CWinApp();

    // Attributes
    CWnd* m_pMainWnd;           // the main window; cleared when that window is destroyed
    HINSTANCE m_hInstance;      // the program's module, set before InitInstance

    // Operations
    // Load from the program's own resources.
    HICON LoadIcon(UINT nIDResource) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    // Controls are drawn 3-D by default from NT 4.0 on, so there is nothing to switch on.
    BOOL Enable3dControls();

    // Overridables
    // FALSE ends the program at once, with no message loop (ExitInstance's result).
    virtual BOOL InitInstance();
    // The message loop, for an InitInstance that returns TRUE; ends with ExitInstance.
    virtual int Run();
    // The exit code: 0, as on every normal end of the programs.
    virtual int ExitInstance();

    // Command handlers
    // The programs ship no help file, so unlike MFC's (which would start WinHelp on a file
    // that is not there and show its error) this does nothing.
    afx_msg void OnHelp();
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// Registers a window class; a class this instance has registered already counts as success.
BOOL AfxRegisterClass(WNDCLASSA* lpWndClass);

// MFC's hosting of ActiveX controls in dialogs. The programs' dialogs hold none, so there
// is nothing to enable.
inline void AfxEnableControlContainer()
{
}

// Implementation: the application object, set by CWinApp's constructor. Defined next to
// WinMain, so that a program with an application object links the framework's WinMain.
extern CWinApp* afxCurrentWinApp;

#endif // AFX_CWINAPP_H
