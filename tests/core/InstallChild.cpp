// tests/core/InstallChild.cpp: one RunInstallation in a process of its own, so Wine can report another platform.
// Writes to the file named by its argument: "platform <id> <major>.<minor>" as Wine reports them,
// "box <icon> <caption>|<text>" each, "result <0|1>".
#include <stdio.h>
#include "RunInstallation.h"
#include "WineTestSupport.h"

int main(int argc, char** argv)
{
    FILE* pFile = argc > 1 ? fopen(argv[1], "wb") : NULL;
    if (pFile == NULL)
        return 1;
    OSVERSIONINFOA version = { sizeof version, 0, 0, 0, 0, "" };
    ::GetVersionExA(&version);
    fprintf(pFile, "platform %lu %lu.%lu\n", version.dwPlatformId, version.dwMajorVersion,
            version.dwMinorVersion);
    MessageBoxCatcher catcher;
    CWnd owner;
    bool bInstalled = RunInstallation(owner);
    for (const CaughtBox& box : catcher.Boxes())
        fprintf(pFile, "box %u %s|%s\n", box.nIcon, box.strCaption.c_str(), box.strText.c_str());
    fprintf(pFile, "result %d\n", bInstalled ? 1 : 0);
    fclose(pFile);
    return 0;
}
