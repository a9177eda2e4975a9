// afx/CCmdTarget.h: CCmdTarget and the message maps that route messages and commands to handlers.
#ifndef AFX_CCMDTARGET_H
#define AFX_CCMDTARGET_H

#include "CObject.h"

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

// How a handler's arguments are taken from the message; one code per handler signature the
// programs use (afxmsg.h names them in its entries).
enum AfxSig
{
    AfxSig_end = 0,     // ends a table
    AfxSig_vv,          // void ()                        commands, OnPaint
    AfxSig_vwp,         // void (UINT, CPoint)            OnLButtonUp, OnMouseMove
    AfxSig_bWww,        // BOOL (CWnd*, UINT, UINT)       OnSetCursor
    AfxSig_vW,          // void (CWnd*)                   OnCaptureChanged
    AfxSig_vwl,         // void (UINT, LPARAM)            OnSysCommand
    AfxSig_hv           // HCURSOR ()                     OnQueryDragIcon
};

// One row of a message map: the message, and for WM_COMMAND the notification code and the
// control or command identifier.
struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nSig;          // an AfxSig
    AFX_PMSG pfn;       // the handler, cast back to its own type by its nSig
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();    // NULL for CCmdTarget's own
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Notification code of a menu or accelerator command, and of ON_COMMAND entries.
#define CN_COMMAND 0

#define afx_msg

// The handler in each entry is first converted to the exact member pointer type its message
// needs (static_cast), so a handler with a wrong signature does not compile; only then is it
// stored as an AFX_PMSG. The table lives in a static function of the class, where ThisClass
// names the class; handlers are named without '&', as in ON_COMMAND(ID_HELP, CWinApp::OnHelp).
#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    _Pragma("GCC diagnostic push") \
    _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"") \
    _Pragma("GCC diagnostic ignored \"-Wunused-local-typedefs\"") \
    const AFX_MSGMAP* theClass::GetMessageMap() const \
        { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY s_messageEntries[] = \
        {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, AfxSig_end, 0 } \
        }; \
        static const AFX_MSGMAP s_messageMap = \
            { &TheBaseClass::GetThisMessageMap, &s_messageEntries[0] }; \
        return &s_messageMap; \
    } \
    _Pragma("GCC diagnostic pop")

// The base of every class that handles messages or commands through a message map.
class CCmdTarget : public CObject
{
public:
    // Construction
    CCmdTarget();
    virtual ~CCmdTarget();

    // Operations
    // Routes a command (WM_COMMAND's identifier and notification code) to its handler in
    // this object's map; FALSE when the map has none. MFC's extra arguments (pExtra,
    // pHandlerInfo) serve command-UI updates and OLE, which the programs do not have.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

    // Implementation
    // The first entry for the message in this class's table, then the base classes' tables.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

    DECLARE_MESSAGE_MAP()
};

#endif // AFX_CCMDTARGET_H
