// afx/CDC.cpp: font selection, colours, text and icons in a device context.
#include "CDC.h"
#include "CFont.h"
#include "Gdi.h"

CDC::CDC() : m_hDC(NULL)
{
}

CFont* CDC::SelectObject(CFont* pFont)
{
    HGDIOBJ hOld = Gdi::SelectObject(m_hDC, pFont != NULL ? pFont->m_hObject : NULL);
    return CFont::FromHandle(static_cast<HFONT>(hOld));
}

int CDC::SetBkMode(int nBkMode)
{
    return Gdi::SetBkMode(m_hDC, nBkMode);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return Gdi::SetBkColor(m_hDC, crColor);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return Gdi::SetTextColor(m_hDC, crColor);
}

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount)
{
    return Gdi::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return Gdi::TextOutA(m_hDC, x, y, str, str.GetLength());
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}
