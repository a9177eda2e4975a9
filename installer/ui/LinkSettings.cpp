// installer/ui/LinkSettings.cpp: colours, underline and cursor shared by every link of the installer.
#include "LinkSettings.h"
#include "DialogLook.h"
#include "resource.h"

void SetUpLink(CHyperlinkWnd& link, LPCSTR pszText, LPCSTR pszURL, CWnd* pPlaceholder, UINT nID)
{
    link.SetLinkColors(LINK_HOVER_COLOR, LINK_NORMAL_COLOR, ::GetSysColor(COLOR_BTNFACE));
    link.SetLinkText(pszText);
    link.SetUnderline(TRUE);
    link.SetLinkURL(pszURL);
    link.SetLinkCursor(AfxGetApp()->LoadCursor(IDC_HAND_CURSOR));
    link.CreateOverPlaceholder(pPlaceholder, nID);
}
