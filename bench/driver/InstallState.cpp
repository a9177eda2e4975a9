// bench/driver/InstallState.cpp: removing and checking the installer's registry entries and files.
#include "InstallState.h"
#include <windows.h>

namespace {

const char s_szServices[] = "SYSTEM\\ControlSet001\\Services";
const char s_szLsa[] = "SYSTEM\\ControlSet001\\Control\\Lsa";
const char s_szLsaValue[] = "limitblankpassworduse";
const char s_szShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const s_serviceNames[] = { "RamdiskZ", "RemoteBoot", "MorvanethService" };

std::string ShellFolder(const char* pszName)
{
    char szFolder[MAX_PATH] = "";
    DWORD nSize = sizeof szFolder - 1;
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szShellFolders, 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS)
    {
        ::RegQueryValueExA(hKey, pszName, NULL, NULL, reinterpret_cast<BYTE*>(szFolder), &nSize);
        ::RegCloseKey(hKey);
    }
    return szFolder;
}

// Deletes a key with its subkeys (RegDeleteKey removes only a key without any).
LONG DeleteTree(HKEY hParent, const char* pszName)
{
    HKEY hKey;
    LONG nError = ::RegOpenKeyExA(hParent, pszName, 0, KEY_ALL_ACCESS, &hKey);
    if (nError != ERROR_SUCCESS)
        return nError;
    char szChild[256];
    DWORD nChild = sizeof szChild;
    while (::RegEnumKeyExA(hKey, 0, szChild, &nChild, NULL, NULL, NULL, NULL) == ERROR_SUCCESS)
    {
        if (DeleteTree(hKey, szChild) != ERROR_SUCCESS)
            break;
        nChild = sizeof szChild;
    }
    ::RegCloseKey(hKey);
    return ::RegDeleteKeyA(hParent, pszName);
}

bool ValueExists(const std::string& strKey, const char* pszValue)
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    LONG nError = ::RegQueryValueExA(hKey, pszValue, NULL, NULL, NULL, NULL);
    ::RegCloseKey(hKey);
    return nError == ERROR_SUCCESS;
}

bool LsaValueIsZero()
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szLsa, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD nType = 0, nData = 0xdeadbeef, nSize = sizeof nData;
    LONG nError = ::RegQueryValueExA(hKey, s_szLsaValue, NULL, &nType, reinterpret_cast<BYTE*>(&nData),
                                     &nSize);
    ::RegCloseKey(hKey);
    return nError == ERROR_SUCCESS && nType == REG_DWORD && nSize == 4 && nData == 0;
}

} // namespace

std::vector<std::string> InstallState::InstalledFiles()
{
    std::string strAdminTools = ShellFolder("Common Administrative Tools");
    std::string strDesktop = ShellFolder("Common Desktop");
    char szSystem[MAX_PATH] = "";
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    std::vector<std::string> files;
    files.push_back(strAdminTools + "\\Remoteboot Manager.lnk");
    files.push_back(strDesktop + "\\Remoteboot Manager.lnk");
    files.push_back(strDesktop + "\\Rezozire98.lnk");
    files.push_back(std::string(szSystem) + "\\rplcmd.bat");
    return files;
}

std::vector<std::string> InstallState::Reset()
{
    std::vector<std::string> left;
    HKEY hServices;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szServices, 0, KEY_ALL_ACCESS, &hServices) == ERROR_SUCCESS)
    {
        for (size_t i = 0; i < sizeof s_serviceNames / sizeof s_serviceNames[0]; ++i)
        {
            LONG nError = DeleteTree(hServices, s_serviceNames[i]);
            if (nError != ERROR_SUCCESS && nError != ERROR_FILE_NOT_FOUND)
                left.push_back(std::string("service key ") + s_serviceNames[i]);
        }
        ::RegCloseKey(hServices);
    }
    HKEY hLsa;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szLsa, 0, KEY_ALL_ACCESS, &hLsa) == ERROR_SUCCESS)
    {
        LONG nError = ::RegDeleteValueA(hLsa, s_szLsaValue);
        if (nError != ERROR_SUCCESS && nError != ERROR_FILE_NOT_FOUND)
            left.push_back(std::string("Lsa value ") + s_szLsaValue);
        ::RegCloseKey(hLsa);
    }
    std::vector<std::string> files = InstalledFiles();
    for (size_t i = 0; i < files.size(); ++i)
        if (!::DeleteFileA(files[i].c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
            left.push_back(files[i]);
    return left;
}

std::vector<std::string> InstallState::Missing()
{
    std::vector<std::string> missing;
    // The last value that each service entry writes: when it is there, the entry was written.
    static const struct { const char* pszKey; const char* pszValue; } lastValues[] = {
        { "RamdiskZ", "Type" }, { "RamdiskZ\\Parameters", "UserDriveLetter" },
        { "RemoteBoot", "Type" }, { "RemoteBoot\\Parameters", "Directory" },
        { "MorvanethService", "Type" },
    };
    for (size_t i = 0; i < sizeof lastValues / sizeof lastValues[0]; ++i)
        if (!ValueExists(std::string(s_szServices) + "\\" + lastValues[i].pszKey, lastValues[i].pszValue))
            missing.push_back(std::string("service value ") + lastValues[i].pszKey + "\\"
                              + lastValues[i].pszValue);
    if (!LsaValueIsZero())
        missing.push_back(std::string("Lsa value ") + s_szLsaValue + " = 0");
    std::vector<std::string> files = InstalledFiles();
    for (size_t i = 0; i < files.size(); ++i)
        if (::GetFileAttributesA(files[i].c_str()) == INVALID_FILE_ATTRIBUTES)
            missing.push_back(files[i]);
    return missing;
}
