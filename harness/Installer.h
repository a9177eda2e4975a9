// harness/Installer.h: what the installer and the removal program show, as the programs that drive them look for it.
#ifndef HARNESS_INSTALLER_H
#define HARNESS_INSTALLER_H

#define INSTALLER_DIALOG_CAPTION "Velmorath for  Win2003, 2000, XP "
#define INSTALLER_ABOUT_CAPTION "About Brantovell"
#define SETUP_MESSAGE_CAPTION "Setup Message"
#define INSTALL_SUCCESS_TEXT "Install Remote Service Success, please reboot the Server!"
#define UNINSTALL_DIALOG_CAPTION "Velmorath Uninstall"
// The removal dialog's list of items and the line under it (uninstaller/res/resource.h).
#define UNINSTALL_ITEMS_ID 1000
#define UNINSTALL_SUMMARY_ID 1001

#endif // HARNESS_INSTALLER_H
