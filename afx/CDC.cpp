// afx/CDC.cpp: font selection, colours, text and icons in a device context.
#include "CDC.h"
#include "CFont.h"

CDC::CDC() : m_hDC(NULL)
{
}

CFont* CDC::SelectObject(CFont* pFont)
{
    HGDIOBJ hOld = ::SelectObject(m_hDC, pFont != NULL ? pFont->m_hObject : NULL);
    return CFont::FromHandle(static_cast<HFONT>(hOld));
}

int CDC::SetBkMode(int nBkMode)
{
    return ::SetBkMode(m_hDC, nBkMode);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return ::SetBkColor(m_hDC, crColor);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return ::SetTextColor(m_hDC, crColor);
}

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount)
{
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return ::TextOutA(m_hDC, x, y, str, str.GetLength());
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}
