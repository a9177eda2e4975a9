// afx/CString.h: CString, the framework's 8-bit string with value semantics.
#ifndef AFX_CSTRING_H
#define AFX_CSTRING_H

#include <windows.h>

// Holds a heap copy of an ANSI string; an empty string costs no allocation. Only the
// members the programs use are here. Out of memory leaves the string empty instead of
// throwing: nothing in the programs throws.
class CString
{
public:
    // Construction
    CString();
    CString(LPCSTR psz);
    CString(const CString& other);
    ~CString();

    // Attributes
    int GetLength() const { return m_nLength; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    operator LPCSTR() const { return m_pchData ? m_pchData : ""; }

    // Operations
    CString& operator=(const CString& other);
    CString& operator=(LPCSTR psz);
    CString& operator+=(LPCSTR psz);
    void Empty();
    // Loads string resource nID from the program's module; FALSE (and empty) when it is missing.
    BOOL LoadString(UINT nID);

private:
    // Implementation
    void Assign(LPCSTR psz, int nLength);

    char* m_pchData;    // NULL while empty
    int m_nLength;
};

#endif // AFX_CSTRING_H
