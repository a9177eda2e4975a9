// installer/ui/AboutDlg.cpp: the About box binds its placeholder and lays the home page link over it.
#include "AboutDlg.h"
#include "LinkSettings.h"
#include "VendorInfo.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

// No parent: DoModal then makes the application's main window, the main dialog, the owner.
CAboutDlg::CAboutDlg() : CDialog(IDD, NULL)
{
}

// The members go in reverse order: the link (and its font), then the placeholder.
CAboutDlg::~CAboutDlg()
{
}

// The exchange that fills the dialog as it opens creates the link; the one that Ok makes
// finds everything bound and leaves the link alone.
void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_LINK, m_linkPlaceholder);
    if (!pDX->m_bSaveAndValidate)
        SetUpLink(m_homeLink, VENDOR_HOME_URL, VENDOR_HOME_URL, &m_linkPlaceholder, IDC_ABOUT_LINK_WND);
}
