// afx/CObject.cpp: the list of temporary objects and its clean-up.
#include "CObject.h"

CObject* CObject::s_pTemporaries = NULL;

CObject::CObject() : m_pNextTemporary(NULL)
{
}

CObject::~CObject()
{
}

// Temporaries form a stack: each message deletes only those made while it was handled, so
// a message handled inside another (SendMessage, a nested modal loop) leaves the outer
// handler's temporaries alone.
void CObject::AddTemporary(CObject* pObject)
{
    pObject->m_pNextTemporary = s_pTemporaries;
    s_pTemporaries = pObject;
}

void CObject::DeleteTemporaries(CObject* pMark)
{
    while (s_pTemporaries != pMark && s_pTemporaries != NULL)
    {
        CObject* pObject = s_pTemporaries;
        s_pTemporaries = pObject->m_pNextTemporary;
        delete pObject;
    }
}
