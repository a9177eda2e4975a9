// afx/CDataExchange.cpp: DDX_Control, which binds a dialog's control to its CWnd member once.
#include "CDataExchange.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    BOOL bBound = rControl.SubclassWindow(hWndCtrl);
    ASSERT(bBound);         // no such control in the template, or it is bound to another object
    (void)bBound;
}
