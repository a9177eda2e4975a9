// uninstaller/ui/UninstallApp.h: CUninstallApp, the application object that runs the removal dialog once.
#ifndef UNINSTALLAPP_H
#define UNINSTALLAPP_H

#include "afxwin.h"

class CUninstallApp : public CWinApp
{
public:
    // Construction
    CUninstallApp();
    virtual ~CUninstallApp();

    // Overrides
    virtual BOOL InitInstance();
};

#endif // UNINSTALLAPP_H
