// uninstaller/res/resource.h: identifiers of the removal program's resources and controls.
#ifndef RESOURCE_H
#define RESOURCE_H

// Dialog templates
#define IDD_UNINSTALL_DIALOG    102

// Icons
#define IDR_MAINFRAME           128

// Controls
#define IDC_ITEMS               1000
#define IDC_SUMMARY             1001

#endif // RESOURCE_H
