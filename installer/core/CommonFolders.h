// installer/core/CommonFolders.h: the common folders that get the installer's shortcuts, read as the shell's registry names them.
#ifndef COMMONFOLDERS_H
#define COMMONFOLDERS_H

#include <windows.h>

// Each reads a folder's path into pszFolder (MAX_PATH bytes) and returns ERROR_SUCCESS, or the
// error that kept it from being read, with pszFolder left empty. An empty path counts as
// missing: it would put files at the root of the current drive.

// Any common folder by its "Shell Folders" value name ("Common Desktop", ...).
LONG ReadCommonFolder(LPCSTR pszValueName, char* pszFolder);

// The common desktop.
LONG ReadCommonDesktop(char* pszFolder);

// Where the administrator's tools lie on the Start menu: the common Administrative Tools folder,
// or, on a shell that does not name one, NT 4.0's "Administrative Tools (Common)" group under the
// common Programs folder, or that Programs folder itself. The error is the Administrative Tools
// folder's when neither it nor the Programs folder can be read.
LONG ReadAdminToolsFolder(char* pszFolder);

#endif // COMMONFOLDERS_H
