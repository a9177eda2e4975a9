// afx/CWinApp.cpp: the application object's registration, resources, default start and end.
#include "CWinApp.h"

CWinApp::CWinApp(LPCSTR /*lpszAppName*/) : m_pMainWnd(NULL), m_hInstance(::GetModuleHandleA(NULL))
{
    ASSERT(afxCurrentWinApp == NULL);       // one application object per program
    afxCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    if (afxCurrentWinApp == this)
        afxCurrentWinApp = NULL;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursorA(m_hInstance, MAKEINTRESOURCEA(nIDResource));
}

BOOL CWinApp::Enable3dControls()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::OnHelp()
{
}
