// installer/ui/InstallerApp.h: CInstallerApp, the application object that runs the main dialog once.
#ifndef INSTALLERAPP_H
#define INSTALLERAPP_H

#include "afxwin.h"

class CInstallerApp : public CWinApp
{
public:
    // Construction
    CInstallerApp();
    virtual ~CInstallerApp();

    // Overrides
    virtual BOOL InitInstance();

protected:
    DECLARE_MESSAGE_MAP()
};

#endif // INSTALLERAPP_H
