// uninstaller/ui/UninstallApp.cpp: the one application object: the installer's checks, then the removal dialog.
#include "UninstallApp.h"
#include "ProgramIntegrity.h"
#include "RunRemoval.h"
#include "SetupMessage.h"
#include "UninstallDlg.h"

static const char s_szDamaged[] =
    "The program file of Uninstall is damaged: it is not the file that was built and shipped.\n\n"
    "Nothing has been changed on this computer. Please obtain a fresh copy of Uninstall.exe "
    "and run that.";

// The framework's WinMain finds the application through this object.
CUninstallApp theApp;

CUninstallApp::CUninstallApp()
{
}

CUninstallApp::~CUninstallApp()
{
}

// The installer's checks, in its order: the program's own file, then the platform. Each ends
// the program after its message, before anything is looked at. Returns FALSE, as the
// installer's does, so that the framework ends the program.
BOOL CUninstallApp::InitInstance()
{
    CWnd noOwner;
    if (!IsProgramFileIntact())
    {
        ShowSetupMessage(noOwner, s_szDamaged, MB_ICONHAND);
        return FALSE;
    }
    OSVERSIONINFOEXA version;
    if (!CheckRemovalPlatform(noOwner, version))
        return FALSE;

    CUninstallDlg dlg(version);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = NULL;                  // the dialog object is about to go
    return FALSE;
}
