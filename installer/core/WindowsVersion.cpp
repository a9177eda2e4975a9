// installer/core/WindowsVersion.cpp: the version query, with the basic record as NT 4.0's fallback.
#include "WindowsVersion.h"

const char g_szNotNT[] = "This program can only run under Windows 2003, 2000, XP or NT server!";

BOOL QueryWindowsVersion(OSVERSIONINFOEXA& version)
{
    // NT 4.0 before Service Pack 6 refuses the extended record; the basic one tells the platform
    // and the version numbers too.
    ::ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version)))
        return TRUE;
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version));
}
