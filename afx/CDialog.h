// afx/CDialog.h: CDialog, a modal dialog from a template in the program's resources.
#ifndef AFX_CDIALOG_H
#define AFX_CDIALOG_H

#include "CWnd.h"

class CDataExchange;

// DoModal runs the dialog manager's modal loop with this object bound to the dialog from
// WM_INITDIALOG on (it comes through DialogBoxParamA's lParam), so messages from then on
// pass through the message map, and the dialog manager does the default processing.
// Derived classes name their template with enum { IDD = ... }.
class CDialog : public CWnd
{
public:
    // Construction
    CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual ~CDialog();

    // Operations
    // Runs the dialog and returns the value given to EndDialog, or -1 when it cannot be
    // created. With no parent, the owner is the application's main window (unless that is
    // this dialog); DialogBox disables the owner while the dialog runs.
    virtual INT_PTR DoModal();
    // Runs DoDataExchange: from the controls (TRUE) or to them (FALSE). Nothing here fails.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);

    // Overridables
    // Called at WM_INITDIALOG: UpdateData(FALSE), then TRUE so that the dialog manager
    // gives the focus to the first control with a tab stop.
    virtual BOOL OnInitDialog();
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    // IDOK (a button, Enter): UpdateData(TRUE), then EndDialog(IDOK), as in MFC.
    virtual void OnOK();
    // IDCANCEL (a button, Esc, the close box): EndDialog(IDCANCEL).
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    // Implementation
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    LPCSTR m_lpszTemplateName;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()
};

#endif // AFX_CDIALOG_H
