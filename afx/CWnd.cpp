// afx/CWnd.cpp: CWnd construction and the operations every window shares.
#include "CWnd.h"

CWnd::CWnd() : m_hWnd(NULL)
{
}

CWnd::~CWnd()
{
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}
