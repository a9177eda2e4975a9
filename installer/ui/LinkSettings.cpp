// installer/ui/LinkSettings.cpp: colours, underline and cursor shared by every link of the installer.
#include "LinkSettings.h"
#include "resource.h"

static const COLORREF s_crHover = RGB(255, 0, 0);
static const COLORREF s_crNormal = RGB(0, 0, 255);

void SetUpLink(CHyperlinkWnd& link, LPCSTR pszText, LPCSTR pszURL, CWnd* pPlaceholder, UINT nID)
{
    link.SetLinkColors(s_crHover, s_crNormal, ::GetSysColor(COLOR_BTNFACE));
    link.SetLinkText(pszText);
    link.SetUnderline(TRUE);
    link.SetLinkURL(pszURL);
    link.SetLinkCursor(AfxGetApp()->LoadCursor(IDC_HAND_CURSOR));
    link.CreateOverPlaceholder(pPlaceholder, nID);
}
