// installer/ui/AboutDlg.h: CAboutDlg, the About box with the vendor's home page link.
#ifndef ABOUTDLG_H
#define ABOUTDLG_H

#include "afxwin.h"
#include "HyperlinkWnd.h"
#include "resource.h"

// Shown from the main dialog's system menu; a stack object that lives only while shown.
// Ok, Enter, Esc and the close box all close it through CDialog's own handling.
class CAboutDlg : public CDialog
{
public:
    // Construction
    CAboutDlg();
    virtual ~CAboutDlg();

    enum { IDD = IDD_ABOUTBOX };

protected:
    // Implementation
    virtual void DoDataExchange(CDataExchange* pDX);
    DECLARE_MESSAGE_MAP()

private:
    CStatic m_linkPlaceholder;      // control 1013; the link lies over it
    CHyperlinkWnd m_homeLink;
};

#endif // ABOUTDLG_H
