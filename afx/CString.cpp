// afx/CString.cpp: CString storage, copying, appending and loading from resources.
#include "CString.h"

CString::CString() : m_pchData(NULL), m_nLength(0)
{
}

CString::CString(LPCSTR psz) : m_pchData(NULL), m_nLength(0)
{
    *this = psz;
}

CString::CString(const CString& other) : m_pchData(NULL), m_nLength(0)
{
    Assign(other, other.m_nLength);
}

CString::~CString()
{
    delete[] m_pchData;
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        Assign(other, other.m_nLength);
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    Assign(psz, psz ? ::lstrlenA(psz) : 0);
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    int nAdd = psz ? ::lstrlenA(psz) : 0;
    if (nAdd == 0)
        return *this;
    char* pNew = new char[m_nLength + nAdd + 1];
    if (pNew == NULL)
        return *this;               // out of memory: keep what we have
    ::CopyMemory(pNew, (LPCSTR)*this, m_nLength);
    ::CopyMemory(pNew + m_nLength, psz, nAdd + 1);
    delete[] m_pchData;
    m_pchData = pNew;
    m_nLength += nAdd;
    return *this;
}

void CString::Empty()
{
    delete[] m_pchData;
    m_pchData = NULL;
    m_nLength = 0;
}

BOOL CString::LoadString(UINT nID)
{
    // A string resource is at most 4097 characters with its NUL; ours are one line.
    char szBuffer[256];
    int nLength = ::LoadStringA(::GetModuleHandleA(NULL), nID, szBuffer, sizeof szBuffer);
    Assign(szBuffer, nLength > 0 ? nLength : 0);
    return nLength > 0;
}

// Copies nLength characters of psz (which may alias our own buffer) and a NUL.
void CString::Assign(LPCSTR psz, int nLength)
{
    char* pNew = NULL;
    if (nLength > 0)
    {
        pNew = new char[nLength + 1];
        if (pNew == NULL)
            nLength = 0;            // out of memory: become empty rather than crash
        else
        {
            ::CopyMemory(pNew, psz, nLength);
            pNew[nLength] = '\0';
        }
    }
    delete[] m_pchData;
    m_pchData = pNew;
    m_nLength = nLength;
}
