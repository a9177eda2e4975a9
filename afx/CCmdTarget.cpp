// afx/CCmdTarget.cpp: the message-map lookup and the routing of commands.
#include "CCmdTarget.h"

CCmdTarget::CCmdTarget()
{
}

CCmdTarget::~CCmdTarget()
{
}

// The root of every chain of maps: no entries and no base.
const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY s_messageEntries[] = { { 0, 0, 0, AfxSig_end, 0 } };
    static const AFX_MSGMAP s_messageMap = { NULL, &s_messageEntries[0] };
    return &s_messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

// A derived class's entry comes before its base's, so it overrides it.
const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end; ++pEntry)
        {
            if (pEntry->nMessage == nMessage && pEntry->nCode == nCode && pEntry->nID == nID)
                return pEntry;
        }
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(WM_COMMAND, nCode, nID);
    if (pEntry == NULL)
        return FALSE;
    ASSERT(pEntry->nSig == AfxSig_vv);      // commands take no arguments
    (this->*pEntry->pfn)();
    return TRUE;
}
