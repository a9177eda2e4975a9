// uninstaller/ui/UninstallDlg.h: CUninstallDlg, the removal's one dialog: what was found, Remove or Cancel.
#ifndef UNINSTALLDLG_H
#define UNINSTALLDLG_H

#include "afxwin.h"
#include "resource.h"

// Lists each item an installation writes as found, changed or not there, and runs the removal
// on Remove. It holds no removal logic of its own. Cancel, Esc and the close box end it with no
// change; while the removal runs (a service may take seconds to stop) they do nothing.
class CUninstallDlg : public CDialog
{
public:
    // Construction
    CUninstallDlg(const OSVERSIONINFOEXA& version, CWnd* pParent = NULL);
    virtual ~CUninstallDlg();

    enum { IDD = IDD_UNINSTALL_DIALOG };

protected:
    // Implementation
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

private:
    OSVERSIONINFOEXA m_version;
    HICON m_hIcon;
    BOOL m_bCanRemove;          // something is found as the installer writes it
    BOOL m_bRemoving;
};

#endif // UNINSTALLDLG_H
