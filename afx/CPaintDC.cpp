// afx/CPaintDC.cpp: BeginPaint and EndPaint around one paint.
#include "CPaintDC.h"
#include "CWnd.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    if (m_hDC != NULL)
        ::EndPaint(m_hWnd, &m_ps);
}
