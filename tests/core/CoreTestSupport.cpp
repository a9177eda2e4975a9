// tests/core/CoreTestSupport.cpp: resetting the test prefix, and reading back what the installation wrote.
#include "CoreTestSupport.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include "RunInstallation.h"
#include "VendorInfo.h"

const char kSuccessText[] = "Install Remote Service Success, please reboot the Server!";
const char kStopIntro[] = "The installation is not complete. Setup could not do the following:\n";
const char kAdministratorHint[] = "The installer must be run by an administrator";
const char kBatchText[] = "%windir%\\Rpl\\rplcmd.exe %1 %2 %3\r\n";

static const char kShellFolders[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
static const char* const kServiceNames[] = { "RamdiskZ", "RemoteBoot", "MorvanethService" };

static std::string FolderPath(int nFolder)
{
    char szPath[MAX_PATH] = "";
    ::SHGetFolderPathA(NULL, nFolder | CSIDL_FLAG_CREATE, NULL, SHGFP_TYPE_CURRENT, szPath);
    return szPath;
}

std::string AdminToolsDir() { return FolderPath(CSIDL_COMMON_ADMINTOOLS); }
std::string DesktopDir() { return FolderPath(CSIDL_COMMON_DESKTOPDIRECTORY); }
std::string BatchFilePath() { return "C:\\windows\\system32\\rplcmd.bat"; }
std::string PreparedShortcutPath() { return "C:\\windows\\rpl\\Rezozire98.lnk"; }
std::string ManagerLinkIn(const std::string& strDir) { return strDir + "\\Remoteboot Manager.lnk"; }

bool KeyExists(const std::string& strKey)
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, KEY_QUERY_VALUE, &hKey))
        return false;
    ::RegCloseKey(hKey);
    return true;
}

bool FileExists(const std::string& strPath)
{
    return ::GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CreateKey(const std::string& strKey, bool bVolatile)
{
    HKEY hKey;
    LONG nError = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, NULL,
                                    bVolatile ? REG_OPTION_VOLATILE : 0, KEY_ALL_ACCESS, NULL,
                                    &hKey, NULL);
    ASSERT_EQ(ERROR_SUCCESS, nError) << strKey;
    ::RegCloseKey(hKey);
}

// Gives the key back a DACL of none (full access), should a test have narrowed it.
static void RestoreKeyAccess(const std::string& strKey)
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, WRITE_DAC, &hKey))
        return;
    SECURITY_DESCRIPTOR sd;
    ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&sd, TRUE, NULL, FALSE);
    ::RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, &sd);
    ::RegCloseKey(hKey);
}

void DeleteKey(const std::string& strKey)
{
    RestoreKeyAccess(strKey);
    for (size_t i = 0; i < 3; ++i)
        RestoreKeyAccess(strKey + "\\" + kServiceNames[i]);
    ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, strKey.c_str());
}

void MakeKeyReadOnly(const std::string& strKey)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, WRITE_DAC, &hKey));
    SID_IDENTIFIER_AUTHORITY world = { SECURITY_WORLD_SID_AUTHORITY };
    PSID pEveryone = NULL;
    ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &pEveryone);
    char aclBuffer[256];
    PACL pAcl = reinterpret_cast<PACL>(aclBuffer);
    ::InitializeAcl(pAcl, sizeof aclBuffer, ACL_REVISION);
    ::AddAccessAllowedAce(pAcl, ACL_REVISION, KEY_READ | WRITE_DAC | DELETE, pEveryone);
    SECURITY_DESCRIPTOR sd;
    ::InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    ::SetSecurityDescriptorDacl(&sd, TRUE, pAcl, FALSE);
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, &sd));
    ::FreeSid(pEveryone);
    ::RegCloseKey(hKey);
}

void SetValue(const std::string& strKey, const char* pszName, DWORD nType, const std::string& strData)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, KEY_SET_VALUE, &hKey));
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hKey, pszName, 0, nType,
                                              reinterpret_cast<const BYTE*>(strData.data()),
                                              strData.size()));
    ::RegCloseKey(hKey);
}

void SetShellFolder(const char* pszName, const char* pszPath)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyA(HKEY_LOCAL_MACHINE, kShellFolders, &hKey));
    if (pszPath == NULL)
        ::RegDeleteValueA(hKey, pszName);
    else
        ::RegSetValueExA(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszPath),
                         lstrlenA(pszPath) + 1);
    ::RegCloseKey(hKey);
}

void ResetServer()
{
    // The registry: no service entries anywhere, an empty Lsa key, the three protocols.
    DeleteKey(CS001_SERVICES);
    DeleteKey(CS001_LSA);
    DeleteKey("SYSTEM\\ControlSet002");
    for (size_t i = 0; i < 3; ++i)
        DeleteKey(std::string("SYSTEM\\CurrentControlSet\\Services\\") + kServiceNames[i]);
    CreateKey(CS001_SERVICES);
    CreateKey(CS001_LSA);
    CreateKey("SYSTEM\\CurrentControlSet\\Services\\DLC");
    CreateKey("SYSTEM\\CurrentControlSet\\Services\\NWlnkIPX");
    CreateKey("SYSTEM\\CurrentControlSet\\Services\\Nbf");
    CreateKey("SYSTEM\\Select");
    SetValue("SYSTEM\\Select", "Current", REG_DWORD, std::string("\1\0\0\0", 4));
    SetShellFolder("Common Administrative Tools", AdminToolsDir().c_str());
    SetShellFolder("Common Desktop", DesktopDir().c_str());

    // The files: no shortcut, copy or batch file of ours; the prepared shortcut in place.
    const std::string files[] = {
        ManagerLinkIn(AdminToolsDir()), ManagerLinkIn(DesktopDir()),
        DesktopDir() + "\\Rezozire98.lnk", AdminToolsDir() + "\\Rezozire98.lnk",
        ManagerLinkIn("C:"), ManagerLinkIn(""), BatchFilePath() };
    for (size_t i = 0; i < sizeof files / sizeof files[0]; ++i)
    {
        ::SetFileAttributesA(files[i].c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(files[i].c_str());
        ::RemoveDirectoryA(files[i].c_str());
    }
    // The prepared shortcut as the prefix was made with it, put back should a case remove it.
    static const std::string strPrepared = ReadWholeFile(PreparedShortcutPath());
    if (!FileExists(PreparedShortcutPath()))
        WriteWholeFile(PreparedShortcutPath(), strPrepared);
}

RegValue ReadValue(const std::string& strKey, const char* pszName)
{
    RegValue value = { ERROR_FILE_NOT_FOUND, REG_NONE, 0, "", true };
    HKEY hKey;
    value.nError = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, KEY_QUERY_VALUE, &hKey);
    if (value.nError != ERROR_SUCCESS)
        return value;
    BYTE buffer[1024];
    memset(buffer, 0xCC, sizeof buffer);
    value.nBytes = sizeof buffer - 16;
    value.nType = 0xdeadbeef;
    value.nError = ::RegQueryValueExA(hKey, pszName, NULL, &value.nType, buffer, &value.nBytes);
    ::RegCloseKey(hKey);
    if (value.nError == ERROR_SUCCESS)
    {
        value.strData.assign(reinterpret_cast<char*>(buffer), value.nBytes);
        for (size_t i = value.nBytes; i < sizeof buffer; ++i)
            value.bGuardIntact = value.bGuardIntact && buffer[i] == 0xCC;
    }
    return value;
}

DWORD CountValues(const std::string& strKey)
{
    HKEY hKey;
    DWORD nValues = 0;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, KEY_QUERY_VALUE, &hKey) == 0)
    {
        ::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &nValues, NULL, NULL, NULL,
                           NULL);
        ::RegCloseKey(hKey);
    }
    return nValues;
}

Shortcut ReadShortcut(const std::string& strPath)
{
    Shortcut shortcut = { E_FAIL, "", "" };
    ::CoInitialize(NULL);
    IShellLinkA* pLink = NULL;
    IPersistFile* pFile = NULL;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                     (void**)&pLink)))
    {
        if (SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, (void**)&pFile)))
        {
            WCHAR wszPath[MAX_PATH];
            ::MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, wszPath, MAX_PATH);
            shortcut.hr = pFile->Load(wszPath, STGM_READ);
            char szText[MAX_PATH] = "";
            if (SUCCEEDED(shortcut.hr) && SUCCEEDED(pLink->GetPath(szText, MAX_PATH, NULL,
                                                                   SLGP_RAWPATH)))
                shortcut.strTarget = szText;
            szText[0] = '\0';
            if (SUCCEEDED(shortcut.hr) && SUCCEEDED(pLink->GetDescription(szText, MAX_PATH)))
                shortcut.strDescription = szText;
            pFile->Release();
        }
        pLink->Release();
    }
    ::CoUninitialize();
    return shortcut;
}

std::string ReadWholeFile(const std::string& strPath)
{
    std::string strData;
    HANDLE hFile = ::CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                                 OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buffer[4096];
    DWORD nRead = 0;
    while (::ReadFile(hFile, buffer, sizeof buffer, &nRead, NULL) && nRead > 0)
        strData.append(buffer, nRead);
    ::CloseHandle(hFile);
    return strData;
}

void WriteWholeFile(const std::string& strPath, const std::string& strData)
{
    HANDLE hFile = ::CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile) << strPath;
    DWORD nWritten = 0;
    ::WriteFile(hFile, strData.data(), strData.size(), &nWritten, NULL);
    ::CloseHandle(hFile);
}

// Every value of the three services and of the Lsa key, as the registry must hold it with
// windir C:\windows. Strings are compared with their NULs: exactly the counted bytes.
struct ExpectedValue
{
    const char* pszKey;
    const char* pszName;
    DWORD nType;
    DWORD nBytes;
    const char* pszText;    // NULL for a DWORD
    DWORD nNumber;
};

static const ExpectedValue kExpectedValues[] = {
    { RAMDISK, "DisplayName", REG_SZ, 10, "Morvaneth", 0 },
    { RAMDISK, "Group", REG_SZ, 13, "Primary disk", 0 },
    { RAMDISK, "ErrorControl", REG_DWORD, 4, NULL, 1 },
    { RAMDISK, "ImagePath", REG_EXPAND_SZ, 45, "\\??\\C:\\windows\\system32\\drivers\\ramdiskZ.sys", 0 },
    { RAMDISK, "Start", REG_DWORD, 4, NULL, 2 },
    { RAMDISK, "Type", REG_DWORD, 4, NULL, 1 },
    { RAMDISK "\\Parameters", "AllocateMemoryType", REG_DWORD, 4, NULL, 1 },
    { RAMDISK "\\Parameters", "AutoSaveEnabled", REG_DWORD, 4, NULL, 0 },
    { RAMDISK "\\Parameters", "AutoSaveTrigger", REG_DWORD, 4, NULL, 80 },
    { RAMDISK "\\Parameters", "BackgroundUpdate", REG_DWORD, 4, NULL, 0 },
    { RAMDISK "\\Parameters", "BootSectType", REG_DWORD, 4, NULL, 1 },
    { RAMDISK "\\Parameters", "DiskFormatFAT32", REG_DWORD, 4, NULL, 0 },
    { RAMDISK "\\Parameters", "ExcludedRAMPage", REG_DWORD, 4, NULL, 16777216 },
    { RAMDISK "\\Parameters", "ExcludedRAMStart", REG_DWORD, 4, NULL, 128 },
    { RAMDISK "\\Parameters", "IDAsRAMDisk", REG_DWORD, 4, NULL, 0 },
    { RAMDISK "\\Parameters", "LoadImageOnStart", REG_DWORD, 4, NULL, 1 },
    { RAMDISK "\\Parameters", "MakeTempDir", REG_DWORD, 4, NULL, 0 },
    { RAMDISK "\\Parameters", "SaveImageOnExit", REG_DWORD, 4, NULL, 1 },
    { RAMDISK "\\Parameters", "SizeIn4kPages", REG_DWORD, 4, NULL, 5120 },
    { RAMDISK "\\Parameters", "UseDiskLabel", REG_DWORD, 4, NULL, 0 },
    { RAMDISK "\\Parameters", "DiskLabel", REG_SZ, 10, "Morvaneth", 0 },
    { RAMDISK "\\Parameters", "DiskType", REG_SZ, 4, "HDC", 0 },
    { RAMDISK "\\Parameters", "LoadImageFile", REG_SZ, 36, "\\??\\C:\\windows\\system32\\rpldskz.img", 0 },
    { RAMDISK "\\Parameters", "SaveImageFile", REG_SZ, 36, "\\??\\C:\\windows\\system32\\rpldskz.img", 0 },
    { RAMDISK "\\Parameters", "UserDriveLetter", REG_SZ, 2, "Z", 0 },
    { REMOTEBOOT, "DisplayName", REG_SZ, 19, "Remoteboot Service", 0 },
    { REMOTEBOOT, "ErrorControl", REG_DWORD, 4, NULL, 1 },
    { REMOTEBOOT, "ImagePath", REG_EXPAND_SZ, 28, "%SystemRoot%\\Rpl\\rplsvc.exe", 0 },
    { REMOTEBOOT, "DependOnService", REG_MULTI_SZ, 10, "RamdiskZ\0", 0 },
    { REMOTEBOOT, "ObjectName", REG_SZ, 12, "LocalSystem", 0 },
    { REMOTEBOOT, "Start", REG_DWORD, 4, NULL, 2 },
    { REMOTEBOOT, "Type", REG_DWORD, 4, NULL, 16 },
    { REMOTEBOOT "\\Parameters", "BackupInterval", REG_DWORD, 4, NULL, 24 },
    { REMOTEBOOT "\\Parameters", "Startup", REG_DWORD, 4, NULL, 0 },
    { REMOTEBOOT "\\Parameters", "Directory", REG_EXPAND_SZ, 7, "z:\\rpl", 0 },
    { MORVANETH, "Description", REG_SZ, 28, "Diskless Windows 98 service", 0 },
    { MORVANETH, "DisplayName", REG_SZ, sizeof(VENDOR_WEB_DOMAIN " Service"), VENDOR_WEB_DOMAIN " Service", 0 },
    { MORVANETH, "ErrorControl", REG_DWORD, 4, NULL, 1 },
    { MORVANETH, "ImagePath", REG_EXPAND_SZ, 34, "%SystemRoot%\\system32\\Quenlar.exe", 0 },
    { MORVANETH, "ObjectName", REG_SZ, 12, "LocalSystem", 0 },
    { MORVANETH, "Start", REG_DWORD, 4, NULL, 2 },
    { MORVANETH, "Type", REG_DWORD, 4, NULL, 16 },
    { CS001_LSA, "limitblankpassworduse", REG_DWORD, 4, NULL, 0 },
};

void ExpectServiceEntries()
{
    for (size_t i = 0; i < sizeof kExpectedValues / sizeof kExpectedValues[0]; ++i)
    {
        const ExpectedValue& expected = kExpectedValues[i];
        SCOPED_TRACE(testing::Message() << "value #" << i << ": " << expected.pszKey << " \\ "
                                        << expected.pszName);
        RegValue value = ReadValue(expected.pszKey, expected.pszName);
        ASSERT_EQ(ERROR_SUCCESS, value.nError);
        EXPECT_EQ(expected.nType, value.nType);
        EXPECT_EQ(expected.nBytes, value.nBytes);
        std::string strData = expected.pszText
            ? std::string(expected.pszText, expected.nBytes)
            : std::string(reinterpret_cast<const char*>(&expected.nNumber), 4);
        EXPECT_EQ(strData, value.strData);
        EXPECT_TRUE(value.bGuardIntact);
    }
}

void ExpectNoStrayValues()
{
    // The one key per service, with its Parameters where it has them, and nothing more.
    EXPECT_EQ(6u, CountValues(RAMDISK));
    EXPECT_EQ(19u, CountValues(RAMDISK "\\Parameters"));
    EXPECT_EQ(7u, CountValues(REMOTEBOOT));
    EXPECT_EQ(3u, CountValues(REMOTEBOOT "\\Parameters"));
    EXPECT_EQ(7u, CountValues(MORVANETH));
    EXPECT_FALSE(KeyExists(MORVANETH "\\Parameters"));
    EXPECT_EQ(0u, CountValues(CS001_SERVICES));
}

void ExpectNothingInstalled()
{
    for (size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(KeyExists(std::string(CS001_SERVICES "\\") + kServiceNames[i])) << kServiceNames[i];
    EXPECT_EQ(0u, CountValues(CS001_LSA));
    EXPECT_FALSE(FileExists(ManagerLinkIn(AdminToolsDir())));
    EXPECT_FALSE(FileExists(ManagerLinkIn(DesktopDir())));
    EXPECT_FALSE(FileExists(DesktopDir() + "\\Rezozire98.lnk"));
    EXPECT_FALSE(FileExists(BatchFilePath()));
}

OwnerWindow::OwnerWindow()
{
    m_hWnd = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL,
                               NULL, NULL);
}

OwnerWindow::~OwnerWindow()
{
    ::DestroyWindow(m_hWnd);
}

InstallRun RunInstallationOnce(HWND hOwner)
{
    InstallRun run;
    MessageBoxCatcher catcher;
    CWnd owner;
    owner.m_hWnd = hOwner;
    run.bResult = RunInstallation(owner);
    owner.m_hWnd = NULL;
    run.boxes = catcher.Boxes();
    return run;
}

std::string InstallationTest::OneBoxText(const InstallRun& run, UINT nIcon)
{
    EXPECT_EQ(1u, run.boxes.size());
    if (run.boxes.empty())
        return "";
    EXPECT_EQ("Setup Message", run.boxes[0].strCaption);
    EXPECT_EQ(nIcon, run.boxes[0].nIcon);
    EXPECT_EQ(m_owner.m_hWnd, run.boxes[0].hOwner);
    return run.boxes[0].strText;
}

std::string InstallationTest::FailureText(const InstallRun& run, bool bAccessDenied)
{
    EXPECT_FALSE(run.bResult);
    std::string strText = OneBoxText(run, MB_ICONHAND);
    EXPECT_EQ(0u, strText.find(kStopIntro)) << strText;
    EXPECT_EQ(bAccessDenied, strText.find(kAdministratorHint) != std::string::npos) << strText;
    return strText;
}
