// harness/Registry.cpp: keys and values under HKEY_LOCAL_MACHINE by path.
#include "Registry.h"
#include <sddl.h>
#include <shlwapi.h>

HklmKey::HklmKey(const std::string& strPath, REGSAM sam) : m_hKey(NULL)
{
    m_nError = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, strPath.c_str(), 0, sam, &m_hKey);
    if (m_nError != ERROR_SUCCESS)
        m_hKey = NULL;
}

HklmKey::~HklmKey()
{
    if (m_hKey != NULL)
        ::RegCloseKey(m_hKey);
}

bool KeyExists(const std::string& strPath)
{
    return HklmKey(strPath, KEY_READ).IsOpen();
}

LONG CreateKey(const std::string& strPath, bool bVolatile)
{
    HKEY hKey = NULL;
    LONG nError = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, strPath.c_str(), 0, NULL,
                                    bVolatile ? REG_OPTION_VOLATILE : 0, KEY_READ, NULL, &hKey, NULL);
    if (nError == ERROR_SUCCESS)
        ::RegCloseKey(hKey);
    return nError;
}

LONG DeleteKey(const std::string& strPath)
{
    LONG nError = static_cast<LONG>(::SHDeleteKeyA(HKEY_LOCAL_MACHINE, strPath.c_str()));
    return nError == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : nError;
}

LONG SetValue(const std::string& strPath, const char* pszName, DWORD nType, const std::string& strData)
{
    return static_cast<LONG>(::SHSetValueA(HKEY_LOCAL_MACHINE, strPath.c_str(), pszName, nType, strData.data(),
                                           static_cast<DWORD>(strData.size())));
}

std::string ReadValue(const std::string& strPath, const char* pszName, DWORD* pnType)
{
    HklmKey key(strPath, KEY_READ);
    char buffer[1024];
    DWORD nBytes = sizeof buffer;
    if (!key.IsOpen()
        || ::RegQueryValueExA(key, pszName, NULL, pnType, reinterpret_cast<BYTE*>(buffer), &nBytes) != ERROR_SUCCESS)
        return "<missing>";
    return std::string(buffer, nBytes);
}

DWORD CountValues(const std::string& strPath)
{
    HklmKey key(strPath, KEY_READ);
    DWORD nValues = 0;
    if (key.IsOpen())
        ::RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &nValues, NULL, NULL, NULL, NULL);
    return nValues;
}

LONG SetKeyDacl(const std::string& strPath, const char* pszSddl)
{
    HklmKey key(strPath, WRITE_DAC);
    PSECURITY_DESCRIPTOR pSd = NULL;
    if (!key.IsOpen())
        return key.Error();
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(pszSddl, SDDL_REVISION_1, &pSd, NULL))
        return static_cast<LONG>(::GetLastError());
    LONG nError = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, pSd);
    ::LocalFree(pSd);
    return nError;
}
