// afx/CPaintDC.h: CPaintDC, the DC of one WM_PAINT, from BeginPaint to EndPaint.
#ifndef AFX_CPAINTDC_H
#define AFX_CPAINTDC_H

#include "CDC.h"

class CWnd;

// Begins painting pWnd when constructed and ends it when destroyed; cannot be copied.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    virtual ~CPaintDC();

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

#endif // AFX_CPAINTDC_H
