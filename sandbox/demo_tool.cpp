// sandbox/demo_tool.cpp: drives the installer and the removal program for the main-job demo and reports what is there.
//
// Usage: demo_tool wait              waits for the installer's dialog to be visible
//        demo_tool continue          presses Continue, answers the "Setup Message" box, prints its text
//        demo_tool report            names the target Windows, says where the shortcuts went, and prints
//                                    the registry entries, shortcuts and batch file written
//        demo_tool wait-removal      waits for the removal program's dialog to be visible
//        demo_tool remove            prints the removal dialog's list, presses Remove, answers the box, prints its text
//        demo_tool report-removal    prints what is left of the installation
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "Footprint.h"
#include "Installer.h"
#include "ProgramProcess.h"
#include "Server.h"

// The programs were started by the script beside this tool: their windows are looked for in
// every process. Presses the button and prints the message box's text.
static int Press(const char* pszDialogCaption, const char* pszWhat)
{
    ForeignBox box = PressAndAnswer(0, pszDialogCaption, IDOK, SETUP_MESSAGE_CAPTION);
    if (!box.bFound)
    {
        printf("%s: the dialog or its \"" SETUP_MESSAGE_CAPTION "\" box did not appear\n", pszWhat);
        return 1;
    }
    printf(SETUP_MESSAGE_CAPTION ":\n%s\n", box.strText.c_str());
    return 0;
}

// The removal dialog's list of what it found, as the administrator reads it before Remove.
static void PrintRemovalList()
{
    HWND hDialog = WaitForTopWindow(0, UNINSTALL_DIALOG_CAPTION);
    char szText[8192] = "";
    if (hDialog != NULL)
        GetDlgItemTextA(hDialog, UNINSTALL_ITEMS_ID, szText, sizeof szText);
    printf("The removal dialog lists:\n%s\n", szText);
}

int main(int argc, char** argv)
{
    if (argc == 2 && !strcmp(argv[1], "wait"))
        return WaitForTopWindow(0, INSTALLER_DIALOG_CAPTION) ? 0 : 1;
    if (argc == 2 && !strcmp(argv[1], "continue"))
        return Press(INSTALLER_DIALOG_CAPTION, "Continue");
    if (argc == 2 && !strcmp(argv[1], "report"))
    {
        const Server::Target* pTarget = Server::CurrentTarget();
        if (pTarget != NULL)
            printf("Target: %s (%s)\n", pTarget->pszWindows, pTarget->pszName);
        else
            printf("Target: none of the four, Wine's own shape\n");
        const Footprint::Snapshot written = Footprint::Take();
        printf("Shortcuts:\n");
        for (const auto& item : written)
            if (item.second.compare(0, 9, "shortcut ") == 0)
                printf("  %s\n", item.first.c_str());
        printf("What the installation wrote:\n%s", Footprint::Describe(written).c_str());
        std::string strDifferences = Footprint::Check(Footprint::Expected());
        printf("%s\n", strDifferences.empty() ? "That is all of a complete installation, as expected."
                                              : ("Against a complete installation:\n" + strDifferences).c_str());
        return 0;
    }
    if (argc == 2 && !strcmp(argv[1], "wait-removal"))
        return WaitForTopWindow(0, UNINSTALL_DIALOG_CAPTION) ? 0 : 1;
    if (argc == 2 && !strcmp(argv[1], "remove"))
    {
        PrintRemovalList();
        return Press(UNINSTALL_DIALOG_CAPTION, "Remove");
    }
    if (argc == 2 && !strcmp(argv[1], "report-removal"))
    {
        std::string strLeft = Footprint::Check(Footprint::Snapshot());
        printf("%s", strLeft.empty() ? "Nothing of the installation is left: the registry entries, the Lsa value "
                                       "(back to Windows' default), the shortcuts and the batch file are gone.\n"
                                     : ("Left of the installation:\n" + strLeft).c_str());
        return strLeft.empty() ? 0 : 1;
    }
    fprintf(stderr, "usage: demo_tool wait|continue|report|wait-removal|remove|report-removal\n");
    return 2;
}
