// tests/afx/AfxTestSupport.h: the tests' application object and windows that no CWnd owns.
#ifndef AFXTESTSUPPORT_H
#define AFXTESTSUPPORT_H

#include "afxwin.h"

extern CWinApp theTestApp;      // the one application object, as a program has it (AppTest.cpp)

// The tests' window class, procedure DefWindowProcA, registered on first use.
inline LPCSTR TestWindowClass()
{
    static WNDCLASSA s_wc = { 0, ::DefWindowProcA, 0, 0, AfxGetInstanceHandle(), NULL, NULL, NULL, NULL,
                              "AfxTestWindow" };
    AfxRegisterClass(&s_wc);
    return s_wc.lpszClassName;
}

// A window that no CWnd owns, of the tests' class unless another is named.
inline HWND NewWindow(DWORD dwStyle, HWND hParent = NULL, LPCSTR pszClass = TestWindowClass(),
                      const RECT& rc = {100, 100, 500, 400})
{
    return ::CreateWindowExA(0, pszClass, "", dwStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                             hParent, NULL, AfxGetInstanceHandle(), NULL);
}

// A top-level window destroyed with this object.
struct CHostWindow
{
    explicit CHostWindow(const RECT& rc = {100, 100, 500, 400}, DWORD dwStyle = WS_POPUP | WS_VISIBLE)
        : m_hWnd(NewWindow(dwStyle, NULL, TestWindowClass(), rc)) {}
    CHostWindow(const CHostWindow&) = delete;
    ~CHostWindow() { ::DestroyWindow(m_hWnd); }
    operator HWND() const { return m_hWnd; }
    HWND m_hWnd;
};

#endif // AFXTESTSUPPORT_H
