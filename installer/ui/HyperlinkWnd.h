// installer/ui/HyperlinkWnd.h: CHyperlinkWnd, a link drawn over a dialog's placeholder static.
#ifndef HYPERLINKWND_H
#define HYPERLINKWND_H

#include "afxwin.h"

// A child window laid over a static control of a dialog: it paints one line of text in the
// static's font (underlined on request), turns to the hover colour while the pointer is over
// it, shows its own cursor, and hands its URL to the shell when the left button is released.
// It sends nothing to its parent and cannot be reached from the keyboard.
class CHyperlinkWnd : public CWnd
{
public:
    // Construction
    CHyperlinkWnd();
    virtual ~CHyperlinkWnd();

    // Operations; all but CreateOverPlaceholder only store their argument.
    void SetLinkColors(COLORREF crHover, COLORREF crNormal, COLORREF crBackground);
    void SetLinkText(CString strText);
    void SetLinkURL(CString strURL);
    void SetUnderline(BOOL bUnderline);      // matters only before CreateOverPlaceholder
    void SetLinkCursor(HCURSOR hCursor);
    BOOL CreateOverPlaceholder(CWnd* pPlaceholder, UINT nID);

protected:
    // Message handlers
    afx_msg void OnPaint();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    // Implementation
    void SetTextColorAndRepaint(COLORREF crText);

    COLORREF m_crText;          // the colour the text is painted in now
    COLORREF m_crHover;
    COLORREF m_crBackground;    // fills the text's own cells
    COLORREF m_crNormal;
    CString m_strText;
    CString m_strURL;
    CFont m_font;               // the placeholder's font, copied (and underlined) once
    BOOL m_bUnderline;
    HCURSOR m_hCursor;          // shared; never destroyed here
};

#endif // HYPERLINKWND_H
