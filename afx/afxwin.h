// afx/afxwin.h: the framework layer's one include, named as the application framework names it.
#ifndef AFXWIN_H
#define AFXWIN_H

#include <windows.h>
#include "CString.h"
#include "CWnd.h"

#endif // AFXWIN_H
