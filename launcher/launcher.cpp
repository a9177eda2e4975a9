// launcher/launcher.cpp: opens the vendor's English web page through the shell and ends.
#include <windows.h>
#include <shellapi.h>
#include "VendorInfo.h"

static const char s_szPageURL[] = VENDOR_ENGLISH_URL;

// No window and no message loop: the shell does the opening, and whatever it reports
// (no browser registered, say) is the only feedback, so its result is ignored on purpose.
int WINAPI WinMain(HINSTANCE /*hInstance*/, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int /*nShowCmd*/)
{
    ::ShellExecuteA(NULL, "open", s_szPageURL, "", "", SW_SHOW);
    return 0;
}

// The program's entry point, in place of the C runtime's start-up: the launcher uses nothing
// of the runtime, and leaving it out takes the file from 14 KB to 3 KB. WinMain ignores its
// arguments, so they are passed as plainly as possible; its result is the exit code.
extern "C" void WINAPI LauncherStartup()
{
    ::ExitProcess(WinMain(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOWDEFAULT));
}
