// afx/CDialog.cpp: the modal run, the binding at WM_INITDIALOG, data exchange, OK, Cancel, centring.
#include "CDialog.h"
#include "CDataExchange.h"
#include "CWinApp.h"
#include "afxmsg.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
}

// The dialog procedure. At WM_INITDIALOG it binds the object and subclasses the dialog, so
// that everything after passes through AfxWndProc; the dialog manager calls this procedure
// again only as the default processing of those messages, and FALSE lets it do its own.
static INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG || CWnd::FromHandlePermanent(hWnd) != NULL)
        return FALSE;
    CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
    if (!pDlg->SubclassWindow(hWnd))
    {
        ::EndDialog(hWnd, -1);      // without its object nothing could ever end the dialog
        return FALSE;
    }
    return AfxCallWndProc(pDlg, hWnd, message, wParam, lParam);
}

INT_PTR CDialog::DoModal()
{
    ASSERT(m_hWnd == NULL);         // already running
    if (m_hWnd != NULL)
        return -1;
    CWnd* pOwner = m_pParentWnd != NULL ? m_pParentWnd : AfxGetMainWnd();
    HWND hWndOwner = pOwner != NULL && pOwner != this ? pOwner->m_hWnd : NULL;
    return ::DialogBoxParamA(AfxGetInstanceHandle(), m_lpszTemplateName, hWndOwner, AfxDlgProc,
                             reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_INITDIALOG)
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);

    *pResult = OnInitDialog();
    // As MFC after WM_INITDIALOG: a dialog whose template asks for no placement of its own
    // (none of DS_CENTER, DS_CENTERMOUSE, DS_ABSALIGN; the window keeps the template's style)
    // is centred over its owner, or in the work area.
    if (m_hWnd != NULL
        && !(::GetWindowLongA(m_hWnd, GWL_STYLE) & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN | WS_CHILD)))
        CenterWindow();
    return TRUE;
}

// As MFC's: a command the dialog does not handle goes to the application object last, which
// is how ON_COMMAND(ID_HELP, CWinApp::OnHelp) in the application's map is reached. Control
// notifications and system commands go no further.
BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    if (nCode != CN_COMMAND || !(nID & 0x8000) || nID >= 0xF000)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange* /*pDX*/)
{
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}
