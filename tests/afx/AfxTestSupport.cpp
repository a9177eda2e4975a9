// tests/afx/AfxTestSupport.cpp: the tests' application object and host windows.
#include "AfxTestSupport.h"
#include "AfxTestResource.h"

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
    ON_COMMAND(ID_TEST_APP_COMMAND, OnAppCommand)
END_MESSAGE_MAP()

CTestApp theTestApp;

LPCSTR TestWindowClass()
{
    static const char s_szClass[] = "AfxTestWindow";
    WNDCLASSA wc;
    ::ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = s_szClass;
    AfxRegisterClass(&wc);
    return s_szClass;
}

CHostWindow::CHostWindow(int x, int y, int cx, int cy, DWORD dwStyle)
{
    m_hWnd = ::CreateWindowExA(0, TestWindowClass(), "afx test host", dwStyle, x, y, cx, cy,
                               NULL, NULL, AfxGetInstanceHandle(), NULL);
    PumpMessages();
}

CHostWindow::~CHostWindow()
{
    ::DestroyWindow(m_hWnd);
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
