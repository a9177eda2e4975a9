// installer/core/SetupMessage.h: the installer's one way of showing a message box.
#ifndef SETUPMESSAGE_H
#define SETUPMESSAGE_H

#include "afxwin.h"

// Shows pszText in a box owned by owner, captioned "Setup Message", with an OK button only and
// the icon nIcon (MB_ICONHAND for what stops the installation, MB_ICONEXCLAMATION for success).
int ShowSetupMessage(CWnd& owner, LPCSTR pszText, UINT nIcon);

#endif // SETUPMESSAGE_H
