// installer/core/SetupMessage.cpp: the installer's one way of showing a message box.
#include "SetupMessage.h"

static const char s_szCaption[] = "Setup Message";

int ShowSetupMessage(CWnd& owner, LPCSTR pszText, UINT nIcon)
{
    return owner.MessageBox(pszText, s_szCaption, MB_OK | nIcon);
}
