// installer/core/ShellShortcut.h: CreateShellShortcut, which writes a shell link (.lnk) file, and the reader of its target.
#ifndef SHELLSHORTCUT_H
#define SHELLSHORTCUT_H

#include <windows.h>

// Writes a shell link file at pszLinkPath that points to pszTargetPath and carries
// pszDescription. Returns S_OK once the file is saved, otherwise the failure that stopped it
// (a Win32 error arrives as HRESULT_FROM_WIN32). A link path longer than MAX_PATH - 1
// characters is refused before anything is written.
HRESULT CreateShellShortcut(LPCSTR pszTargetPath, LPCSTR pszLinkPath, LPCSTR pszDescription);

// Reads the target path stored in the shell link file at pszLinkPath into pszTargetPath
// (MAX_PATH bytes), as it was set, not resolved. Returns S_OK, or the failure that stopped it,
// with pszTargetPath empty.
HRESULT ReadShellShortcutTarget(LPCSTR pszLinkPath, char* pszTargetPath);

#endif // SHELLSHORTCUT_H
