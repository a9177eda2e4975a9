// harness/Installer.h: what the installer shows, as the programs that drive it look for it.
#ifndef HARNESS_INSTALLER_H
#define HARNESS_INSTALLER_H

#define INSTALLER_DIALOG_CAPTION "Velmorath for  Win2003, 2000, XP "
#define INSTALLER_ABOUT_CAPTION "About Brantovell"
#define SETUP_MESSAGE_CAPTION "Setup Message"
#define INSTALL_SUCCESS_TEXT "Install Remote Service Success, please reboot the Server!"

#endif // HARNESS_INSTALLER_H
