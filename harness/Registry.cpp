// harness/Registry.cpp: keys and values under HKEY_LOCAL_MACHINE by path.
#include "Registry.h"
#include <sddl.h>
#include <shlwapi.h>
#include "RegKey.h"

bool KeyExists(const std::string& strPath)
{
    CRegKey key;
    return key.Open(HKEY_LOCAL_MACHINE, strPath.c_str(), KEY_READ) == ERROR_SUCCESS;
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
    CRegKey key;
    char buffer[1024];
    DWORD nBytes = sizeof buffer;
    if (key.Open(HKEY_LOCAL_MACHINE, strPath.c_str(), KEY_READ) != ERROR_SUCCESS
        || ::RegQueryValueExA(key, pszName, NULL, pnType, reinterpret_cast<BYTE*>(buffer), &nBytes) != ERROR_SUCCESS)
        return "<missing>";
    return std::string(buffer, nBytes);
}

DWORD CountValues(const std::string& strPath)
{
    CRegKey key;
    DWORD nValues = 0;
    if (key.Open(HKEY_LOCAL_MACHINE, strPath.c_str(), KEY_READ) == ERROR_SUCCESS)
        ::RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &nValues, NULL, NULL, NULL, NULL);
    return nValues;
}

LONG SetKeyDacl(const std::string& strPath, const char* pszSddl)
{
    CRegKey key;
    LONG nError = key.Open(HKEY_LOCAL_MACHINE, strPath.c_str(), WRITE_DAC);
    if (nError != ERROR_SUCCESS)
        return nError;
    PSECURITY_DESCRIPTOR pSd = NULL;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(pszSddl, SDDL_REVISION_1, &pSd, NULL))
        return static_cast<LONG>(::GetLastError());
    nError = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, pSd);
    ::LocalFree(pSd);
    return nError;
}
