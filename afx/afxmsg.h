// afx/afxmsg.h: the message-map entries the programs use, one per message and handler signature.
#ifndef AFX_AFXMSG_H
#define AFX_AFXMSG_H

#include "CCmdTarget.h"

// Each entry names its handler through ThisClass (set by BEGIN_MESSAGE_MAP) and converts it
// to the exact member pointer type of its signature first: a handler whose signature differs
// from MFC's does not compile. Only then is it stored as an AFX_PMSG.
#define AFX_MSG_ENTRY(message, sig, type, memberFxn) \
    { message, 0, 0, sig, reinterpret_cast<AFX_PMSG>(static_cast<type>(&ThisClass::memberFxn)) },

#define ON_WM_PAINT() \
    AFX_MSG_ENTRY(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_LBUTTONUP() \
    AFX_MSG_ENTRY(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_MOUSEMOVE() \
    AFX_MSG_ENTRY(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_SETCURSOR() \
    AFX_MSG_ENTRY(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_CAPTURECHANGED() \
    AFX_MSG_ENTRY(WM_CAPTURECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_SYSCOMMAND() \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_QUERYDRAGICON() \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (CWnd::*)(), OnQueryDragIcon)

// A command from a menu, an accelerator, or a control's notification code 0 (a button's
// BN_CLICKED), as MFC routes them; the handler is void ().
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND, static_cast<WORD>(id), AfxSig_vv, \
      static_cast<AFX_PMSG>(&ThisClass::memberFxn) },

// A click on a static control with SS_NOTIFY; the handler is void ().
#define ON_STN_CLICKED(id, memberFxn) \
    { WM_COMMAND, STN_CLICKED, static_cast<WORD>(id), AfxSig_vv, \
      static_cast<AFX_PMSG>(&ThisClass::memberFxn) },

#endif // AFX_AFXMSG_H
