// afx/AfxRegisterClass.cpp: registration of a window class that may be registered already.
#include "CWinApp.h"

// As in MFC, a class found in this instance (registered by an earlier call) is success, so
// that every window of the class can ask for it on its creation.
BOOL AfxRegisterClass(WNDCLASSA* lpWndClass)
{
    WNDCLASSA wndcls;
    if (::GetClassInfoA(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;
    return ::RegisterClassA(lpWndClass) != 0;
}
