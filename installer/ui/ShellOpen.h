// installer/ui/ShellOpen.h: hands a URL to the shell's "open" verb, loading the shell on first use.
#ifndef SHELLOPEN_H
#define SHELLOPEN_H

#include <windows.h>

// ShellExecuteA(NULL, "open", pszURL, pszParameters, pszDirectory, SW_SHOW); its result is
// not used. Nothing is reported when the shell cannot be loaded either.
void ShellOpen(LPCSTR pszURL, LPCSTR pszParameters, LPCSTR pszDirectory);

#endif // SHELLOPEN_H
