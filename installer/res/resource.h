// installer/res/resource.h: identifiers of the installer's resources, controls and commands.
#ifndef RESOURCE_H
#define RESOURCE_H

// System-menu command of the About entry: low four bits clear, below 0xF000 (SC_SIZE).
#define IDM_ABOUTBOX            0x0010

// Dialog templates and strings
#define IDD_ABOUTBOX            100
#define IDS_ABOUTBOX            101
#define IDD_INSTALLER_DIALOG    102

// Icons, bitmaps and cursors
#define IDR_MAINFRAME           128
#define IDB_LOGO                129
#define IDC_HAND_CURSOR         132

// Controls
#define IDC_LOGO                1011
#define IDC_HOMEPAGE            1012
#define IDC_EMAIL               1013
#define IDC_ABOUT_LINK          1013    // the About box's home-page placeholder

// Identifiers that the link windows get when they are created over their placeholders
#define IDC_ABOUT_LINK_WND      100
#define IDC_MAIN_LINK_WND       102

#endif // RESOURCE_H
