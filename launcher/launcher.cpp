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
