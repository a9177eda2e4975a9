// afx/CObject.h: CObject, the root of the framework's handle-owning classes.
#ifndef AFX_COBJECT_H
#define AFX_COBJECT_H

#include <windows.h>
#include "afxassert.h"

// As in MFC, objects cannot be copied: each owns (or stands for) one handle. Run-time class
// information, serialisation and diagnostics are left out.
//
// Temporary objects stand for handles the program does not own (FromHandle of CWnd, CFont,
// CMenu). They live on one list and are deleted when the window message during which they
// were made returns, so a temporary is valid at least that long and must never be stored.
// Temporaries made outside any message live until the program ends.
class CObject
{
public:
    virtual ~CObject();

protected:
    CObject();

public:
    // Implementation
    static void AddTemporary(CObject* pObject);
    static CObject* GetTemporaryMark() { return s_pTemporaries; }
    // Deletes the temporaries made since GetTemporaryMark returned pMark.
    static void DeleteTemporaries(CObject* pMark);

private:
    CObject(const CObject&);
    void operator=(const CObject&);

    CObject* m_pNextTemporary;      // the next older temporary; unused by other objects
    static CObject* s_pTemporaries; // the newest temporary
};

#endif // AFX_COBJECT_H
