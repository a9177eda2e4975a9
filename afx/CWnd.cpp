// afx/CWnd.cpp: the handle map, subclassing, message routing and the operations every window shares.
#include "CWnd.h"
#include "CMenu.h"
#include "CWinApp.h"

// The message being handled now, for Default; saved and restored around nested messages.
struct AfxCurrentMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

static AfxCurrentMessage s_msgCurrent;
static CWnd* s_pFirstPermanent = NULL;     // the handle map: a list through its CWnd objects
static CWnd* s_pWndInit = NULL;            // the object Create is binding, until its window exists

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL), m_pNextPermanent(NULL)
{
}

// A temporary is never in the map, so it never destroys the window it stands for.
CWnd::~CWnd()
{
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

// ---- The handle map ----

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    for (CWnd* pWnd = s_pFirstPermanent; pWnd != NULL; pWnd = pWnd->m_pNextPermanent)
    {
        if (pWnd->m_hWnd == hWnd)
            return pWnd;
    }
    return NULL;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == NULL)
    {
        pWnd = new CWnd;
        if (pWnd == NULL)
            return NULL;
        pWnd->m_hWnd = hWnd;
        AddTemporary(pWnd);
    }
    return pWnd;
}

BOOL CWnd::Attach(HWND hWnd)
{
    ASSERT(m_hWnd == NULL && FromHandlePermanent(hWnd) == NULL);
    if (hWnd == NULL || m_hWnd != NULL || FromHandlePermanent(hWnd) != NULL)
        return FALSE;
    m_hWnd = hWnd;
    m_pNextPermanent = s_pFirstPermanent;
    s_pFirstPermanent = this;
    return TRUE;
}

// MFC's Detach leaves the window subclassed; here the window gets its own procedure back
// (unless someone subclassed it after us), so that it keeps working without its object.
HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd == NULL)
        return NULL;
    if (m_pfnSuper != NULL)
    {
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == AfxWndProc)
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = NULL;
    }
    for (CWnd** ppWnd = &s_pFirstPermanent; *ppWnd != NULL; ppWnd = &(*ppWnd)->m_pNextPermanent)
    {
        if (*ppWnd == this)
        {
            *ppWnd = m_pNextPermanent;
            break;
        }
    }
    m_pNextPermanent = NULL;
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (pfnOld == NULL)
    {
        Detach();       // not a window of this process
        return FALSE;
    }
    m_pfnSuper = pfnOld;
    return TRUE;
}

// ---- Creation and destruction ----

// MFC's way for a class whose procedure is DefWindowProcA: a CBT hook, held only around
// CreateWindowExA, subclasses the window when it exists but before its first message.
static LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && s_pWndInit != NULL)
    {
        CWnd* pWndInit = s_pWndInit;
        s_pWndInit = NULL;      // windows that this one creates in turn are not ours
        pWndInit->SubclassWindow(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    ASSERT(m_hWnd == NULL);
    if (m_hWnd != NULL)
        return FALSE;
    HHOOK hHook = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    if (hHook == NULL)
        return FALSE;
    s_pWndInit = this;
    HWND hWnd = ::CreateWindowExA(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD,
        rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
        pParentWnd != NULL ? pParentWnd->m_hWnd : NULL,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), AfxGetInstanceHandle(), pContext);
    s_pWndInit = NULL;
    ::UnhookWindowsHookEx(hHook);
    return hWnd != NULL && hWnd == m_hWnd;
}

// A subclassed window is unbound at its WM_NCDESTROY; one that was only attached (or a
// temporary) is unbound here.
BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == NULL)
        return FALSE;
    BOOL bResult = ::DestroyWindow(hWnd);
    if (m_hWnd == hWnd && !::IsWindow(hWnd))
        Detach();
    return bResult;
}

// ---- Message routing ----

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    AfxCurrentMessage msgOuter = s_msgCurrent;
    s_msgCurrent.message = message;
    s_msgCurrent.wParam = wParam;
    s_msgCurrent.lParam = lParam;
    CObject* pMark = CObject::GetTemporaryMark();

    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);

    if (message == WM_NCDESTROY)
    {
        // The object outlives its window. As in MFC's OnNcDestroy, a main window that is
        // gone is no longer the application's main window.
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == pWnd)
            pApp->m_pMainWnd = NULL;
        CWnd* pPermanent = CWnd::FromHandlePermanent(hWnd);
        if (pPermanent != NULL)
            pPermanent->Detach();
    }
    CObject::DeleteTemporaries(pMark);
    s_msgCurrent = msgOuter;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)       // cannot happen: Detach gives the window its procedure back
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(s_msgCurrent.message, s_msgCurrent.wParam, s_msgCurrent.lParam);
}

// The handler types, to call an entry's AFX_PMSG as what it was before it was stored.
union MessageMapFunctions
{
    AFX_PMSG pfn;
    void (CWnd::*pfn_vv)();
    void (CWnd::*pfn_vwp)(UINT, CPoint);
    BOOL (CWnd::*pfn_bWww)(CWnd*, UINT, UINT);
    void (CWnd::*pfn_vW)(CWnd*);
    void (CWnd::*pfn_vwl)(UINT, LPARAM);
    HCURSOR (CWnd::*pfn_hv)();
};

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        // As MFC's OnCommand: a control's notification keeps its code, while a menu or an
        // accelerator (no control window) is CN_COMMAND.
        int nCode = lParam != 0 ? HIWORD(wParam) : CN_COMMAND;
        if (!OnCmdMsg(LOWORD(wParam), nCode))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }

    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(message, 0, 0);
    if (pEntry == NULL)
        return FALSE;
    MessageMapFunctions mmf;
    mmf.pfn = pEntry->pfn;
    LRESULT lResult = 0;
    switch (pEntry->nSig)
    {
    case AfxSig_vv:
        (this->*mmf.pfn_vv)();
        break;
    case AfxSig_vwp:
        // Signed: a point left of or above the client area (under capture) is negative.
        (this->*mmf.pfn_vwp)(static_cast<UINT>(wParam),
                             CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        break;
    case AfxSig_bWww:
        // The hit-test code is sign-extended as in MFC, so HTERROR (-2) compares equal.
        lResult = (this->*mmf.pfn_bWww)(FromHandle(reinterpret_cast<HWND>(wParam)),
                                        static_cast<UINT>(static_cast<short>(LOWORD(lParam))), HIWORD(lParam));
        break;
    case AfxSig_vW:
        (this->*mmf.pfn_vW)(FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig_vwl:
        (this->*mmf.pfn_vwl)(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_hv:
        lResult = reinterpret_cast<LRESULT>((this->*mmf.pfn_hv)());
        break;
    default:
        ASSERT(FALSE);      // a signature code without its case
        return FALSE;
    }
    *pResult = lResult;
    return TRUE;
}

// ---- Default handlers: each passes its message on to default processing ----

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
}

void CWnd::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
}

BOOL CWnd::OnSetCursor(CWnd* /*pWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnCaptureChanged(CWnd* /*pWnd*/)
{
    Default();
}

void CWnd::OnSysCommand(UINT /*nID*/, LPARAM /*lParam*/)
{
    Default();
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

// ---- Operations ----

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ::MapWindowPoints(m_hWnd, NULL, lpPoint, 1);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, NULL, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ::MapWindowPoints(NULL, m_hWnd, lpPoint, 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(NULL, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::Invalidate(BOOL bErase)
{
    ::InvalidateRect(m_hWnd, NULL, bErase);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_SETICON, bBigIcon,
                                                  reinterpret_cast<LPARAM>(hIcon)));
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::SetDlgItemText(int nID, LPCSTR lpszString)
{
    ::SetDlgItemTextA(m_hWnd, nID, lpszString);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

// MFC's CenterWindow for a top-level window: over the owner unless it is hidden or
// minimised, otherwise in the work area, and moved inside the work area where it would
// stick out (left and top edges win when the window is larger than the area).
void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    ASSERT(!(::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD));     // child windows: not written
    if (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD)
        return;
    HWND hWndCenter = pAlternateOwner != NULL ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndCenter != NULL)
    {
        DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(hWndCenter, GWL_STYLE));
        if (!(dwStyle & WS_VISIBLE) || (dwStyle & WS_MINIMIZE))
            hWndCenter = NULL;
    }
    CRect rcArea;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    CRect rcCenter(&rcArea);
    if (hWndCenter != NULL)
        ::GetWindowRect(hWndCenter, &rcCenter);
    CRect rcWnd;
    GetWindowRect(&rcWnd);

    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcWnd.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcWnd.Height() / 2;
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    else if (xLeft + rcWnd.Width() > rcArea.right)
        xLeft = rcArea.right - rcWnd.Width();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    else if (yTop + rcWnd.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcWnd.Height();
    ::SetWindowPos(m_hWnd, NULL, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}
