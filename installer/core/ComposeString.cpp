// installer/core/ComposeString.cpp: joins strings into a fixed buffer without ever overrunning it.
#include "ComposeString.h"

BOOL ComposeString(char* pszBuffer, int nSize, LPCSTR pszFirst, LPCSTR pszSecond, LPCSTR pszThird)
{
    int nFirst = ::lstrlenA(pszFirst);
    int nSecond = ::lstrlenA(pszSecond);
    int nThird = ::lstrlenA(pszThird);
    if (nFirst + nSecond + nThird >= nSize)
    {
        if (nSize > 0)
            pszBuffer[0] = '\0';
        return FALSE;
    }
    ::MoveMemory(pszBuffer, pszFirst, nFirst);     // a no-op when appending in place
    ::CopyMemory(pszBuffer + nFirst, pszSecond, nSecond);
    ::CopyMemory(pszBuffer + nFirst + nSecond, pszThird, nThird);
    pszBuffer[nFirst + nSecond + nThird] = '\0';
    return TRUE;
}
