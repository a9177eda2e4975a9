// afx/afxwin.h: the framework layer's one include, named as the application framework names it.
#ifndef AFXWIN_H
#define AFXWIN_H

#include <windows.h>
#include "afxassert.h"
#include "afxres.h"
#include "CObject.h"
#include "CCmdTarget.h"
#include "CString.h"
#include "CPoint.h"
#include "CRect.h"
#include "CWnd.h"
#include "afxmsg.h"
#include "CWinApp.h"
#include "CStatic.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CFont.h"
#include "CDC.h"
#include "CPaintDC.h"
#include "CMenu.h"

#endif // AFXWIN_H
