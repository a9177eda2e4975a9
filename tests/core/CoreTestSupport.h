// tests/core/CoreTestSupport.h: the test prefix's NT server as the installation tests see it, reset before each case.
#ifndef CORETESTSUPPORT_H
#define CORETESTSUPPORT_H

#include <windows.h>
#include <sddl.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <fstream>
#include <iterator>
#include <map>
#include <gtest/gtest.h>
#include "RunInstallation.h"
#include "VendorInfo.h"
#include "WineTestSupport.h"

#define CS001_SERVICES "SYSTEM\\ControlSet001\\Services"
#define CS001_LSA "SYSTEM\\ControlSet001\\Control\\Lsa"
#define CCS_SERVICES "SYSTEM\\CurrentControlSet\\Services\\"
#define RAMDISK CS001_SERVICES "\\RamdiskZ"
#define REMOTEBOOT CS001_SERVICES "\\RemoteBoot"
#define MORVANETH CS001_SERVICES "\\MorvanethService"
#define BATCH_FILE "C:\\windows\\system32\\rplcmd.bat"
#define BATCH_TEXT "%windir%\\Rpl\\rplcmd.exe %1 %2 %3\r\n"
#define PREPARED_LINK "C:\\windows\\rpl\\Rezozire98.lnk"
#define SUCCESS_TEXT "Install Remote Service Success, please reboot the Server!"

// Where the prefix keeps the common folders, read once, before any case changes them.
inline std::string FolderPath(int nFolder)
{
    char szPath[MAX_PATH] = "";
    return SUCCEEDED(::SHGetFolderPathA(NULL, nFolder | CSIDL_FLAG_CREATE, NULL, 0, szPath)) ? szPath : "<none>";
}
inline std::string AdminToolsDir() { static const std::string s = FolderPath(CSIDL_COMMON_ADMINTOOLS); return s; }
inline std::string DesktopDir() { static const std::string s = FolderPath(CSIDL_COMMON_DESKTOPDIRECTORY); return s; }
inline std::string ManagerLinkIn(const std::string& strDir) { return strDir + "\\Remoteboot Manager.lnk"; }

inline bool FileExists(const std::string& strPath)
    { return ::GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES; }
inline std::string ReadWholeFile(const std::string& strPath)
{
    std::ifstream file(strPath.c_str(), std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>())
                : "<missing>";
}

// A key under HKEY_LOCAL_MACHINE opened with the access asked for, or NULL; closed when it goes.
struct Key
{
    HKEY h;
    Key(const std::string& strKey, REGSAM sam)
        { h = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, sam, &h) ? NULL : h; }
    ~Key() { if (h) ::RegCloseKey(h); }
};

inline bool KeyExists(const std::string& strKey) { return Key(strKey, KEY_READ).h != NULL; }
inline void DeleteKey(const std::string& strKey) { ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, strKey.c_str()); }

inline void CreateKey(const std::string& strKey, bool bVolatile = false)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, NULL,
        bVolatile ? REG_OPTION_VOLATILE : 0, KEY_ALL_ACCESS, NULL, &hKey, NULL)) << strKey;
    ::RegCloseKey(hKey);
}

inline void SetKeyDacl(const std::string& strKey, const char* pszSddl)
{
    Key key(strKey, WRITE_DAC);
    PSECURITY_DESCRIPTOR pSd = NULL;
    ::ConvertStringSecurityDescriptorToSecurityDescriptorA(pszSddl, SDDL_REVISION_1, &pSd, NULL);
    EXPECT_TRUE(!key.h || !::RegSetKeySecurity(key.h, DACL_SECURITY_INFORMATION, pSd)) << strKey;
    ::LocalFree(pSd);
}

// Everyone may read, change the DACL back and delete, but write nothing: a user who is no administrator.
inline void MakeKeyReadOnly(const std::string& strKey) { SetKeyDacl(strKey, "D:(A;;KRWDSD;;;WD)"); }

inline void SetValue(const std::string& strKey, const char* pszName, DWORD nType, const std::string& strData)
{
    EXPECT_EQ(ERROR_SUCCESS, ::SHSetValueA(HKEY_LOCAL_MACHINE, strKey.c_str(), pszName, nType,
                                           strData.data(), strData.size())) << strKey;
}
inline void SetShellFolder(const char* pszName, const std::string& strPath)
{
    SetValue("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", pszName, REG_SZ, strPath + '\0');
}

// The value's bytes as stored (SHGetValue would expand REG_EXPAND_SZ).
inline std::string ReadValue(const std::string& strKey, const char* pszName, DWORD* pnType = NULL)
{
    Key key(strKey, KEY_READ);
    char buffer[1024];
    DWORD nBytes = sizeof buffer;
    if (!key.h || ::RegQueryValueExA(key.h, pszName, NULL, pnType, reinterpret_cast<BYTE*>(buffer), &nBytes))
        return "<missing>";
    return std::string(buffer, nBytes);
}

inline DWORD CountValues(const std::string& strKey)
{
    Key key(strKey, KEY_READ);
    DWORD nValues = 0;
    if (key.h)
        ::SHQueryInfoKeyA(key.h, NULL, NULL, &nValues, NULL);
    return nValues;
}

inline std::string Dword(DWORD n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

// Every listed value by name, type and exact bytes, for windir C:\windows; with bNothingElse,
// also no other value in those keys (one landed in the wrong key) nor in the Services key.
// Each literal's size counts its NUL(s), so the byte count is checked with the data.
#define SZ(text) REG_SZ, std::string(text, sizeof text)
#define EXPAND(text) REG_EXPAND_SZ, std::string(text, sizeof text)
#define DW(n) REG_DWORD, Dword(n)
inline void ExpectServiceEntries(bool bNothingElse = true)
{
    const char *R = RAMDISK, *RP = RAMDISK "\\Parameters", *M = MORVANETH;
    const char *B = REMOTEBOOT, *BP = REMOTEBOOT "\\Parameters";
    static const struct { const char* pszKey; const char* pszName; DWORD nType; std::string strData; } values[] = {
        { R, "DisplayName", SZ("Morvaneth") }, { R, "Group", SZ("Primary disk") }, { R, "ErrorControl", DW(1) },
        { R, "ImagePath", EXPAND("\\??\\C:\\windows\\system32\\drivers\\ramdiskZ.sys") },
        { R, "Start", DW(2) }, { R, "Type", DW(1) },
        { RP, "AllocateMemoryType", DW(1) }, { RP, "AutoSaveEnabled", DW(0) }, { RP, "AutoSaveTrigger", DW(80) },
        { RP, "BackgroundUpdate", DW(0) }, { RP, "BootSectType", DW(1) }, { RP, "DiskFormatFAT32", DW(0) },
        { RP, "ExcludedRAMPage", DW(16777216) }, { RP, "ExcludedRAMStart", DW(128) }, { RP, "IDAsRAMDisk", DW(0) },
        { RP, "LoadImageOnStart", DW(1) }, { RP, "MakeTempDir", DW(0) }, { RP, "SaveImageOnExit", DW(1) },
        { RP, "SizeIn4kPages", DW(5120) }, { RP, "UseDiskLabel", DW(0) }, { RP, "DiskLabel", SZ("Morvaneth") },
        { RP, "DiskType", SZ("HDC") }, { RP, "UserDriveLetter", SZ("Z") },
        { RP, "LoadImageFile", SZ("\\??\\C:\\windows\\system32\\rpldskz.img") },
        { RP, "SaveImageFile", SZ("\\??\\C:\\windows\\system32\\rpldskz.img") },
        { B, "DisplayName", SZ("Remoteboot Service") }, { B, "ErrorControl", DW(1) },
        { B, "ImagePath", EXPAND("%SystemRoot%\\Rpl\\rplsvc.exe") },
        { B, "DependOnService", REG_MULTI_SZ, std::string("RamdiskZ\0", 10) }, { B, "ObjectName", SZ("LocalSystem") },
        { B, "Start", DW(2) }, { B, "Type", DW(16) },
        { BP, "BackupInterval", DW(24) }, { BP, "Startup", DW(0) }, { BP, "Directory", EXPAND("z:\\rpl") },
        { M, "Description", SZ("Diskless Windows 98 service") }, { M, "ErrorControl", DW(1) },
        { M, "DisplayName", SZ(VENDOR_WEB_DOMAIN " Service") },
        { M, "ImagePath", EXPAND("%SystemRoot%\\system32\\Quenlar.exe") },
        { M, "ObjectName", SZ("LocalSystem") }, { M, "Start", DW(2) }, { M, "Type", DW(16) },
        { CS001_LSA, "limitblankpassworduse", DW(0) },
    };
    std::map<std::string, DWORD> listed = { { CS001_SERVICES, 0 } };
    for (size_t i = 0; i < sizeof values / sizeof values[0]; ++i)
    {
        DWORD nType = REG_NONE;
        EXPECT_EQ(values[i].strData, ReadValue(values[i].pszKey, values[i].pszName, &nType))
            << "value #" << i << ": " << values[i].pszKey << " \\ " << values[i].pszName;
        EXPECT_EQ(values[i].nType, nType) << "value #" << i << ": " << values[i].pszName;
        ++listed[values[i].pszKey];
    }
    for (const auto& key : listed)
        EXPECT_EQ(key.second, bNothingElse ? CountValues(key.first) : key.second) << "values in " << key.first;
    EXPECT_FALSE(KeyExists(MORVANETH "\\Parameters"));
}

// Both manager shortcuts, read back through the shell's link object.
inline void ExpectManagerShortcuts(const std::string& strTarget)
{
    ::CoInitialize(NULL);
    for (const std::string& strLink : { ManagerLinkIn(AdminToolsDir()), ManagerLinkIn(DesktopDir()) })
    {
        char szTarget[MAX_PATH] = "", szDescription[MAX_PATH] = "";
        IShellLinkA* pLink = NULL;
        IPersistFile* pFile = NULL;
        if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                         (void**)&pLink))
            && SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, (void**)&pFile))
            && SUCCEEDED(pFile->Load(std::wstring(strLink.begin(), strLink.end()).c_str(), STGM_READ)))
        {
            pLink->GetPath(szTarget, MAX_PATH, NULL, SLGP_RAWPATH);
            pLink->GetDescription(szDescription, MAX_PATH);
        }
        for (IUnknown* pUnknown : { (IUnknown*)pFile, (IUnknown*)pLink })
            if (pUnknown)
                pUnknown->Release();
        EXPECT_EQ(strTarget, szTarget) << strLink;
        EXPECT_STREQ("Remoteboot Manager", szDescription) << strLink;
    }
    ::CoUninitialize();
}

// The files an installation writes.
inline std::vector<std::string> OurFiles()
{
    return { ManagerLinkIn(AdminToolsDir()), ManagerLinkIn(DesktopDir()), DesktopDir() + "\\Rezozire98.lnk",
             BATCH_FILE };
}

inline void ExpectNothingInstalled()
{
    EXPECT_FALSE(KeyExists(RAMDISK) || KeyExists(REMOTEBOOT) || KeyExists(MORVANETH));
    EXPECT_EQ(0u, CountValues(CS001_LSA));
    for (const std::string& strFile : OurFiles())
        EXPECT_FALSE(FileExists(strFile)) << strFile;
}

// Each case starts from, and leaves, a fresh NT server: no installation, the three protocols,
// the shell folders where Wine keeps them, the prepared shortcut in place.
class InstallationTest : public testing::Test
{
protected:
    InstallationTest()
        : m_hOwner(::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 9, 9, NULL, NULL, NULL, NULL)) {}
    ~InstallationTest() { ::DestroyWindow(m_hOwner); }
    void SetUp() { ResetServer(); }
    void TearDown() { ResetServer(); }

    static void ResetServer()
    {
        // Full access for everyone back on each key a case may have narrowed, so it can go.
        for (const char* pszKey : { CS001_SERVICES, CS001_LSA, REMOTEBOOT })
            SetKeyDacl(pszKey, "D:(A;;KA;;;WD)");
        for (const char* pszKey : { CS001_SERVICES, CS001_LSA, "SYSTEM\\ControlSet002", CCS_SERVICES "RamdiskZ",
                                    CCS_SERVICES "RemoteBoot", CCS_SERVICES "MorvanethService" })
            DeleteKey(pszKey);
        for (const char* pszKey : { CS001_SERVICES, CS001_LSA, CCS_SERVICES "DLC", CCS_SERVICES "NWlnkIPX",
                                    CCS_SERVICES "Nbf" })
            CreateKey(pszKey);
        SetValue("SYSTEM\\Select", "Current", REG_DWORD, Dword(1));
        SetShellFolder("Common Administrative Tools", AdminToolsDir());
        SetShellFolder("Common Desktop", DesktopDir());
        for (const std::string& strFile : OurFiles())
            ::DeleteFileA(strFile.c_str());
        ::MoveFileA(PREPARED_LINK ".away", PREPARED_LINK);     // should a case have moved it away
    }

    // One RunInstallation, its message boxes caught into m_boxes.
    bool Run()
    {
        MessageBoxCatcher catcher;
        CWnd owner;
        owner.m_hWnd = m_hOwner;
        bool bInstalled = RunInstallation(owner);
        owner.m_hWnd = NULL;
        m_boxes = catcher.Boxes();
        return bInstalled;
    }

    // The text of the one "Setup Message" box, which must have this icon and our window as owner.
    std::string OneBoxText(UINT nIcon)
    {
        EXPECT_EQ(1u, m_boxes.size());
        if (m_boxes.empty())
            return "";
        EXPECT_EQ("Setup Message", m_boxes[0].strCaption);
        EXPECT_EQ(nIcon, m_boxes[0].nIcon);
        EXPECT_EQ(m_hOwner, m_boxes[0].hOwner);
        return m_boxes[0].strText;
    }

    // Expects the one stop message listing failures, naming each of says; the administrator hint
    // is in it exactly when access was denied.
    void ExpectStopMessage(bool bInstalled, bool bAccessDenied, std::initializer_list<const char*> says)
    {
        EXPECT_FALSE(bInstalled);
        const std::string strText = OneBoxText(MB_ICONHAND);
        EXPECT_EQ(0u, strText.find("The installation is not complete. Setup could not do the following:\n"))
            << strText;
        EXPECT_EQ(bAccessDenied, strText.find("The installer must be run by an administrator") != std::string::npos)
            << strText;
        for (const char* pszSays : says)
            EXPECT_NE(std::string::npos, strText.find(pszSays)) << pszSays << "\nin:\n" << strText;
    }

    HWND m_hOwner;
    std::vector<CaughtBox> m_boxes;
};

#endif // CORETESTSUPPORT_H
