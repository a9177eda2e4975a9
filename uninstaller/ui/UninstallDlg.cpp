// uninstaller/ui/UninstallDlg.cpp: the removal dialog's list, Remove and Cancel.
#include "UninstallDlg.h"
#include "RemovalReport.h"
#include "RunRemoval.h"

static const char s_szNoMemory[] = "Uninstall does not have enough memory to look for the installation.";

CUninstallDlg::CUninstallDlg(const OSVERSIONINFOEXA& version, CWnd* pParent)
    : CDialog(IDD, pParent), m_version(version), m_bCanRemove(FALSE), m_bRemoving(FALSE)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CUninstallDlg::~CUninstallDlg()
{
}

// Looks at every item and lists what it found; Remove is there only when something is as the
// installer writes it.
BOOL CUninstallDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    RemovalSurvey* pSurvey = new RemovalSurvey;
    if (pSurvey != NULL)
    {
        SurveyInstallation(m_version, *pSurvey);
        SetDlgItemText(IDC_ITEMS, DescribeSurvey(*pSurvey));
        SetDlgItemText(IDC_SUMMARY, SummarizeSurvey(*pSurvey));
        m_bCanRemove = CountItems(*pSurvey, STATE_AS_INSTALLED) > 0;
        delete pSurvey;
    }
    else
        SetDlgItemText(IDC_SUMMARY, s_szNoMemory);
    GetDlgItem(IDOK)->EnableWindow(m_bCanRemove);
    return TRUE;                        // the focus goes to Remove, or to Cancel when it is disabled
}

// Remove: the removal runs with both buttons disabled, and the dialog ends after its message.
void CUninstallDlg::OnOK()
{
    if (!m_bCanRemove || m_bRemoving)
        return;                         // Enter on a disabled Remove, or a second press
    m_bRemoving = TRUE;
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
    RunRemoval(*this, m_version);
    CDialog::OnOK();
}

void CUninstallDlg::OnCancel()
{
    if (!m_bRemoving)
        CDialog::OnCancel();
}
