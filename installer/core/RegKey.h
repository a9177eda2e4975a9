// installer/core/RegKey.h: CRegKey, a registry key handle that closes itself.
#ifndef REGKEY_H
#define REGKEY_H

#include <windows.h>

// Holds at most one open key. Open and Create close any key held before, and the destructor
// closes the last one, so a key cannot outlive the function that opened it.
class CRegKey
{
public:
    // Construction
    CRegKey() : m_hKey(NULL) {}
    ~CRegKey() { Close(); }

    // Attributes
    operator HKEY() const { return m_hKey; }

    // Operations
    // Opens an existing key with the access asked for.
    LONG Open(HKEY hParent, LPCSTR pszSubKey, REGSAM samDesired)
    {
        Close();
        HKEY hKey = NULL;
        LONG nError = ::RegOpenKeyExA(hParent, pszSubKey, 0, samDesired, &hKey);
        if (nError == ERROR_SUCCESS)
            m_hKey = hKey;
        return nError;
    }

    // Creates the key, or opens it when it exists (RegCreateKeyA asks for the most access allowed).
    LONG Create(HKEY hParent, LPCSTR pszSubKey)
    {
        Close();
        HKEY hKey = NULL;
        LONG nError = ::RegCreateKeyA(hParent, pszSubKey, &hKey);
        if (nError == ERROR_SUCCESS)
            m_hKey = hKey;
        return nError;
    }

    void Close()
    {
        if (m_hKey != NULL)
            ::RegCloseKey(m_hKey);
        m_hKey = NULL;
    }

private:
    // Implementation
    CRegKey(const CRegKey&);
    CRegKey& operator=(const CRegKey&);

    HKEY m_hKey;
};

#endif // REGKEY_H
