// installer/ui/InstallerApp.cpp: the one application object; it shows the main dialog and ends.
#include "InstallerApp.h"
#include "InstallerDlg.h"
#include "ProgramIntegrity.h"
#include "SetupMessage.h"

static const char s_szDamaged[] =
    "The installer's program file is damaged: it is not the file that was built and shipped.\n\n"
    "Nothing has been changed on this computer. Please obtain a fresh copy of Brantovell.exe "
    "and run that.";

BEGIN_MESSAGE_MAP(CInstallerApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// The framework's WinMain finds the application through this object.
CInstallerApp theApp;

CInstallerApp::CInstallerApp()
{
}

CInstallerApp::~CInstallerApp()
{
}

// Runs the dialog and returns FALSE, so that the framework ends the program instead of
// entering a message loop of its own. The dialog's result decides nothing here.
BOOL CInstallerApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();

    // A damaged copy must not change a server: it says so and ends without showing the
    // dialog. The check comes before the dialog is made rather than while it initialises:
    // a dialog ended from WM_INITDIALOG is still shown for a moment on some systems (Wine 8).
    if (!IsProgramFileIntact())
    {
        CWnd noOwner;
        ShowSetupMessage(noOwner, s_szDamaged, MB_ICONHAND);
        return FALSE;
    }

    CInstallerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = NULL;                  // the dialog object is about to go
    return FALSE;
}
