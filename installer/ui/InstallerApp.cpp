// installer/ui/InstallerApp.cpp: the one application object; it shows the main dialog and ends.
#include "InstallerApp.h"
#include "InstallerDlg.h"

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

    CInstallerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = NULL;                  // the dialog object is about to go
    return FALSE;
}
