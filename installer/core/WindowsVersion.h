// installer/core/WindowsVersion.h: which Windows runs the program, asked the way NT 4.0 still answers.
#ifndef WINDOWSVERSION_H
#define WINDOWSVERSION_H

#include <windows.h>

// Fills version (its size field set here) with the platform and version numbers. FALSE when
// Windows gives neither the extended record nor the basic one.
BOOL QueryWindowsVersion(OSVERSIONINFOEXA& version);

// The message both programs show on Windows 95, 98 and Me, which are not of the NT family.
extern const char g_szNotNT[];

#endif // WINDOWSVERSION_H
