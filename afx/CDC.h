// afx/CDC.h: CDC, drawing through a device context.
#ifndef AFX_CDC_H
#define AFX_CDC_H

#include "CObject.h"
#include "CString.h"

class CFont;

// A thin wrapper of m_hDC. Unlike MFC's, it never releases the DC: the programs only draw in
// a CPaintDC, which does.
class CDC : public CObject
{
public:
    // Construction
    CDC();

    // Attributes
    HDC m_hDC;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Operations
    // Selects pFont and returns the font selected before, as a temporary CFont (see CObject)
    // to be selected back; that font is never deleted through it. NULL on failure.
    CFont* SelectObject(CFont* pFont);
    int SetBkMode(int nBkMode);
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF SetTextColor(COLORREF crColor);
    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    BOOL DrawIcon(int x, int y, HICON hIcon);
};

#endif // AFX_CDC_H
