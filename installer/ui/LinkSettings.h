// installer/ui/LinkSettings.h: the one way every link of the installer is set up.
#ifndef LINKSETTINGS_H
#define LINKSETTINGS_H

#include "HyperlinkWnd.h"

// Red under the pointer, blue otherwise, on the button face; underlined; the hand cursor.
// Calls the setters in the fixed order and lays the link over pPlaceholder. Whether the
// link could be made is not examined: without it the placeholder's own text stays visible.
void SetUpLink(CHyperlinkWnd& link, LPCSTR pszText, LPCSTR pszURL, CWnd* pPlaceholder, UINT nID);

#endif // LINKSETTINGS_H
