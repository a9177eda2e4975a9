// afx/AfxWinMain.cpp: the framework's WinMain and the globals that find the application.
#include "CWinApp.h"
#include "CWnd.h"

// A -mwindows program starts in the runtime's main (libmingw32), which calls WinMain. That
// reference comes after the framework's library in the link, too late to pull WinMain out of
// it; CWinApp's constructor sets this variable, and so brings this file, and WinMain, in.
CWinApp* afxCurrentWinApp = NULL;

CWinApp* AfxGetApp()
{
    return afxCurrentWinApp;
}

CWnd* AfxGetMainWnd()
{
    return afxCurrentWinApp != NULL ? afxCurrentWinApp->m_pMainWnd : NULL;
}

HINSTANCE AfxGetInstanceHandle()
{
    return afxCurrentWinApp != NULL ? afxCurrentWinApp->m_hInstance : ::GetModuleHandleA(NULL);
}

// As MFC's AfxWinMain: InitInstance, then the message loop only when it returns TRUE. When
// it returns FALSE the program ends at once, with ExitInstance's code (0).
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/, int /*nCmdShow*/)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT(pApp != NULL);                   // the program defines no application object
    if (pApp == NULL)
        return 0;
    pApp->m_hInstance = hInstance;
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
