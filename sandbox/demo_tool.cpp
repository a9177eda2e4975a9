// sandbox/demo_tool.cpp: drives the installer for the main-job demo and reports what it wrote.
//
// Usage: demo_tool wait      waits for the installer's dialog to be visible
//        demo_tool continue  presses Continue, answers the "Setup Message" box, prints its text
//        demo_tool report    names the target Windows, says where the shortcuts went, and prints the
//                            registry entries, shortcuts and batch file written
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include "Footprint.h"
#include "Installer.h"
#include "ProgramProcess.h"
#include "Server.h"

// The installer was started by the script beside this tool: its windows are looked for in
// every process.
static int PressContinue()
{
    HWND hDialog = WaitForTopWindow(0, INSTALLER_DIALOG_CAPTION);
    if (hDialog == NULL)
    {
        printf("the installer's dialog is not there\n");
        return 1;
    }
    PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(hDialog, IDOK));
    ForeignBox box = AnswerMessageBox(0, SETUP_MESSAGE_CAPTION);
    if (!box.bFound)
    {
        printf("no \"" SETUP_MESSAGE_CAPTION "\" box appeared\n");
        return 1;
    }
    printf(SETUP_MESSAGE_CAPTION ": %s\n", box.strText.c_str());
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 2 && !strcmp(argv[1], "wait"))
        return WaitForTopWindow(0, INSTALLER_DIALOG_CAPTION) ? 0 : 1;
    if (argc == 2 && !strcmp(argv[1], "continue"))
        return PressContinue();
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
    fprintf(stderr, "usage: demo_tool wait|continue|report\n");
    return 2;
}
