// installer/ui/InstallerDlg.h: CInstallerDlg, the installer's main dialog.
#ifndef INSTALLERDLG_H
#define INSTALLERDLG_H

#include "afxwin.h"
#include "HyperlinkWnd.h"
#include "LibraryPreload.h"
#include "resource.h"

// Paints the program's title, carries the home page and e-mail links and the clickable logo,
// offers the About box from its system menu, and runs the installation on Continue. It holds
// no installation logic of its own: Continue calls the core and closes only on success.
class CInstallerDlg : public CDialog
{
public:
    // Construction
    CInstallerDlg(CWnd* pParent = NULL);
    virtual ~CInstallerDlg();

    enum { IDD = IDD_INSTALLER_DIALOG };

protected:
    // Implementation
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    // Message handlers
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnLogoClicked();
    DECLARE_MESSAGE_MAP()

private:
    void PaintMinimized(CPaintDC& dc);
    void PaintTitle(CPaintDC& dc);

    CStatic m_emailPlaceholder;     // control 1013
    CStatic m_homePlaceholder;      // control 1012
    HICON m_hIcon;
    CHyperlinkWnd m_homeLink;
    CHyperlinkWnd m_emailLink;
    CLibraryPreload m_shellPreload;     // shell32, loaded once the dialog has painted
};

#endif // INSTALLERDLG_H
