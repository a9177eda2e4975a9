// installer/ui/HyperlinkWnd.cpp: the link control's creation, painting, hover states and click.
#include "HyperlinkWnd.h"
#include "Gdi.h"
#include "ShellOpen.h"

static const char s_szClassName[] = "HyperlinkWnd";

BEGIN_MESSAGE_MAP(CHyperlinkWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

// Starts blue with the arrow cursor; every owner sets its colours before creating the window,
// and until then the normal and background colours are plain black and the button face.
CHyperlinkWnd::CHyperlinkWnd()
    : m_crText(RGB(0, 0, 255)), m_crHover(RGB(255, 0, 0)), m_crBackground(::GetSysColor(COLOR_BTNFACE)),
      m_crNormal(RGB(0, 0, 0)), m_bUnderline(FALSE), m_hCursor(::LoadCursorA(NULL, IDC_ARROW))
{
}

// m_font deletes the copied font; CWnd destroys the window if it is still there.
CHyperlinkWnd::~CHyperlinkWnd()
{
}

void CHyperlinkWnd::SetLinkColors(COLORREF crHover, COLORREF crNormal, COLORREF crBackground)
{
    m_crHover = crHover;
    m_crNormal = crNormal;
    m_crBackground = crBackground;
}

void CHyperlinkWnd::SetLinkText(CString strText)
{
    m_strText = strText;
}

void CHyperlinkWnd::SetLinkURL(CString strURL)
{
    m_strURL = strURL;
}

void CHyperlinkWnd::SetUnderline(BOOL bUnderline)
{
    m_bUnderline = bUnderline;
}

void CHyperlinkWnd::SetLinkCursor(HCURSOR hCursor)
{
    m_hCursor = hCursor;
}

// Lays the link window over the placeholder, with the placeholder's rectangle and font.
// The placeholder stays where it is, under the link.
BOOL CHyperlinkWnd::CreateOverPlaceholder(CWnd* pPlaceholder, UINT nID)
{
    WNDCLASSA wc;
    ::ZeroMemory(&wc, sizeof wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;       // every message goes through our map first
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = s_szClassName;
    if (!AfxRegisterClass(&wc))
        return FALSE;

    CWnd* pParent = pPlaceholder->GetParent();
    CRect rect;
    pPlaceholder->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    BOOL bCreated = Create(s_szClassName, NULL, WS_CHILD | WS_VISIBLE, rect, pParent, nID);

    // The font is copied even when the window could not be made.
    HFONT hFont = reinterpret_cast<HFONT>(pPlaceholder->SendMessage(WM_GETFONT));
    LOGFONTA lf;
    if (hFont != NULL && Gdi::GetObjectA(hFont, sizeof lf, &lf) == sizeof lf)
    {
        if (m_bUnderline)
            lf.lfUnderline = 1;
        m_font.CreateFontIndirect(&lf);
    }
    return bCreated;
}

// Paints the text's own cells, opaque in the background colour; the rest of the window is
// left alone (no background brush, no erase handling), so the placeholder shows through.
void CHyperlinkWnd::OnPaint()
{
    CPaintDC dc(this);
    CFont* pOldFont = dc.SelectObject(&m_font);
    dc.SetBkColor(m_crBackground);
    dc.SetTextColor(m_crText);
    dc.TextOut(0, 0, m_strText);
    dc.SelectObject(pOldFont);
}

// The release opens the URL wherever it happens: the link holds the capture while lit, and
// a press elsewhere followed by a release here counts too. The shell's result is not used.
void CHyperlinkWnd::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    ShellOpen(m_strURL, NULL, NULL);
    Default();
}

// Holding the capture while the pointer is over the link is how it sees the pointer leave:
// the move that takes it off the link is still delivered here.
void CHyperlinkWnd::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    CRect rect;
    GetWindowRect(&rect);
    ClientToScreen(&point);
    if (::PtInRect(&rect, point))           // right and bottom edges count as outside
    {
        SetCapture();
        SetTextColorAndRepaint(m_crHover);
    }
    else
    {
        SetTextColorAndRepaint(m_crNormal);
        ::ReleaseCapture();
    }
    Default();
}

BOOL CHyperlinkWnd::OnSetCursor(CWnd* /*pWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    ::SetCursor(m_hCursor);
    return TRUE;
}

// Another window (a menu, a button being pressed) has taken the mouse while the link was lit.
// The capture is already that window's: releasing it here would take it away from that
// window, so only a capture this window still holds is given up.
void CHyperlinkWnd::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() != m_hWnd)
    {
        SetTextColorAndRepaint(m_crNormal);
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
    Default();
}

// Every call repaints, whether or not the colour changed.
void CHyperlinkWnd::SetTextColorAndRepaint(COLORREF crText)
{
    m_crText = crText;
    InvalidateRect(NULL, TRUE);
}
