// afx/CWnd.h: CWnd, the framework's owner of a window handle, and the routing of its messages.
#ifndef AFX_CWND_H
#define AFX_CWND_H

#include "CCmdTarget.h"
#include "CPoint.h"
#include "CRect.h"

class CMenu;

// MFC passes it to the views of documents; the programs have none, so it stays empty.
struct CCreateContext
{
};

// A CWnd is permanent when it is bound to its window (Attach, SubclassWindow, Create, or a
// dialog's WM_INITDIALOG): one map finds it from the handle, and it is taken out of the map
// when the window gets WM_NCDESTROY. A CWnd for a window the program does not own comes from
// FromHandle as a temporary (see CObject) and must not be stored.
//
// Messages to a subclassed window go to WindowProc: a handler in the message map, or the
// window's own procedure (its class's, or the dialog manager's) as default processing.
class CWnd : public CCmdTarget
{
public:
    // Construction
    CWnd();
    // Destroys the window if this object still owns it, as MFC does.
    virtual ~CWnd();

    // Creates a child window and subclasses it before its first message (WM_NCCREATE), so
    // that every message passes through the message map. WS_CHILD is added, as in MFC.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = NULL);
    virtual BOOL DestroyWindow();

    // Attributes
    HWND m_hWnd;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // The permanent object of hWnd, or else a temporary one; NULL for a NULL handle.
    static CWnd* FromHandle(HWND hWnd);
    // The permanent object of hWnd, or NULL.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Binds this object to hWnd without subclassing it; FALSE when either is bound already.
    BOOL Attach(HWND hWnd);
    // Unbinds the window, and gives it back its own procedure if this object subclassed it.
    HWND Detach();
    // Binds this object to hWnd and routes the window's messages through the message map.
    BOOL SubclassWindow(HWND hWnd);

    // Operations
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    CWnd* GetParent() const;                        // may be temporary
    CWnd* SetCapture();                             // the previous holder; may be temporary
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE);
    CMenu* GetSystemMenu(BOOL bRevert) const;       // temporary
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    BOOL IsIconic() const;
    CWnd* GetDlgItem(int nID) const;                // may be temporary
    void SetDlgItemText(int nID, LPCSTR lpszString);
    BOOL EnableWindow(BOOL bEnable = TRUE);         // whether it was disabled before
    // Centres a top-level window over its owner (or pAlternateOwner), or in the work area
    // when it has none, and keeps it inside the work area.
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    // Shows a message box owned by this window; as in the framework, a NULL caption
    // means the default "Error" title of MessageBoxA.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = NULL, UINT nType = MB_OK);

    // Overridables
    // Routes one message: the message map first, default processing otherwise.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Message handlers: each passes the message to default processing.
    afx_msg void OnPaint();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();

    // Implementation
    // Default processing of the message being handled now.
    LRESULT Default();
    // The window's own procedure: its class's (or the dialog manager's) when subclassed.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Calls the handler that the message map holds for the message; FALSE when none.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

private:
    WNDPROC m_pfnSuper;         // the procedure SubclassWindow replaced, or NULL
    CWnd* m_pNextPermanent;     // the handle map is a list through its objects

    friend LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Hands one message to pWnd->WindowProc: records it for Default, deletes the temporaries
// its handling made, and unbinds the object after WM_NCDESTROY.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure of every subclassed window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

#endif // AFX_CWND_H
