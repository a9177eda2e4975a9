// tests/core/InstallChild.cpp: runs RunInstallation once in a process of its own and reports on stdout.
//
// The tests start it when Wine must report another platform to the installation than to the
// test program: Wine's AppDefaults settings apply per program name. Output, one item a line:
//   platform <dwPlatformId>   box <icon> <caption>|<text>   result <0 or 1>
#include <stdio.h>
#include "RunInstallation.h"
#include "WineTestSupport.h"

int main()
{
    OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    printf("platform %lu\n", version.dwPlatformId);

    MessageBoxCatcher catcher;
    CWnd owner;
    bool bInstalled = RunInstallation(owner);
    for (size_t i = 0; i < catcher.Boxes().size(); ++i)
    {
        const CaughtBox& box = catcher.Boxes()[i];
        std::string strText = box.strText;      // one line per box: line ends become "\n"
        for (size_t n = 0; (n = strText.find('\n', n)) != std::string::npos; n += 2)
            strText.replace(n, 1, "\\n");
        printf("box %u %s|%s\n", box.nIcon, box.strCaption.c_str(), strText.c_str());
    }
    printf("result %d\n", bInstalled ? 1 : 0);
    return 0;
}
