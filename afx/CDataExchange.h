// afx/CDataExchange.h: CDataExchange, the context of a dialog's data exchange, and DDX_Control.
#ifndef AFX_CDATAEXCHANGE_H
#define AFX_CDATAEXCHANGE_H

#include "CWnd.h"

// Made by CDialog::UpdateData for one call of DoDataExchange.
class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;    // TRUE: controls to members (OnOK); FALSE: the other way (OnInitDialog)
    CWnd* m_pDlgWnd;            // the dialog
};

// Binds dialog control nIDC to rControl and subclasses it, the first time only: as in MFC,
// a later exchange finds the control bound and does nothing.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

#endif // AFX_CDATAEXCHANGE_H
