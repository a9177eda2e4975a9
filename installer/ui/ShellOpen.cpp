// installer/ui/ShellOpen.cpp: the installer's one call into shell32, made through a late load.
#include "ShellOpen.h"

typedef HINSTANCE (WINAPI* ShellExecuteProc)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Most runs never open a URL, and loading shell32 (with what it brings) at start-up costs the
// dialog several milliseconds before it shows. It is loaded on the first click instead and
// stays loaded: the shell may go on working for the URL in threads of its own after the call
// returns, so unloading it here could pull the code from under them.
void ShellOpen(LPCSTR pszURL, LPCSTR pszParameters, LPCSTR pszDirectory)
{
    static ShellExecuteProc s_pfnShellExecute = NULL;
    if (s_pfnShellExecute == NULL)
    {
        HMODULE hShell = ::LoadLibraryA("shell32.dll");
        if (hShell != NULL)
            s_pfnShellExecute = reinterpret_cast<ShellExecuteProc>(
                reinterpret_cast<void*>(::GetProcAddress(hShell, "ShellExecuteA")));
    }
    if (s_pfnShellExecute != NULL)
        s_pfnShellExecute(NULL, "open", pszURL, pszParameters, pszDirectory, SW_SHOW);
}
