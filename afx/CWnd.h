// afx/CWnd.h: CWnd, the framework's thin owner of a window handle.
#ifndef AFX_CWND_H
#define AFX_CWND_H

#include <windows.h>

class CWnd
{
public:
    // Construction
    CWnd();
    virtual ~CWnd();

    // Attributes
    HWND m_hWnd;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // Operations
    // Shows a message box owned by this window; as in the framework, a NULL caption
    // means the default "Error" title of MessageBoxA.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = NULL, UINT nType = MB_OK);
};

#endif // AFX_CWND_H
