// harness/Footprint.cpp: reading, expecting, comparing and removing what an installation writes.
#include "Footprint.h"
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <stdio.h>
#include <fstream>
#include <iterator>
#include <vector>
#include "RegKey.h"
#include "Registry.h"
#include "Server.h"
#include "VendorInfo.h"

namespace {

const char s_szServiceNames[][20] = { "RamdiskZ", "RemoteBoot", "MorvanethService" };
const char s_szLsaValue[] = "limitblankpassworduse";

std::string KeyName(const std::string& strKey)
{
    return "HKLM\\" + strKey + "\\";
}

// Text with every byte visible: NULs, line ends and other control bytes escaped.
std::string Quoted(const std::string& strBytes)
{
    std::string strText = "\"";
    for (unsigned char c : strBytes)
    {
        char szEscape[8];
        if (c == '\0')
            strText += "\\0";
        else if (c == '\r')
            strText += "\\r";
        else if (c == '\n')
            strText += "\\n";
        else if (c < 0x20 || c >= 0x7F)
        {
            snprintf(szEscape, sizeof szEscape, "\\x%02X", c);
            strText += szEscape;
        }
        else
            strText += static_cast<char>(c);
    }
    return strText + "\"";
}

std::string Windir(const std::string& strWindir)
{
    if (!strWindir.empty())
        return strWindir;
    char szWindir[MAX_PATH] = "";
    ::GetEnvironmentVariableA("windir", szWindir, MAX_PATH);
    return szWindir;
}

// Adds the key and, depth first, every value and subkey under it.
void AddKey(Footprint::Snapshot& snapshot, const std::string& strKey)
{
    CRegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, strKey.c_str(), KEY_READ) != ERROR_SUCCESS)
        return;
    snapshot[KeyName(strKey)] = "key";
    char szName[256];
    BYTE data[2048];
    for (DWORD i = 0;; ++i)
    {
        DWORD nName = sizeof szName, nType = 0, nData = sizeof data;
        if (::RegEnumValueA(key, i, szName, &nName, NULL, &nType, data, &nData) != ERROR_SUCCESS)
            break;
        snapshot[Footprint::ValueName(strKey, szName)] =
            Footprint::ValueOf(nType, std::string(reinterpret_cast<char*>(data), nData));
    }
    for (DWORD i = 0;; ++i)
    {
        DWORD nName = sizeof szName;
        if (::RegEnumKeyExA(key, i, szName, &nName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        AddKey(snapshot, strKey + "\\" + szName);
    }
}

// The values right under a key, none of its subkeys.
std::vector<std::string> ValueNames(const std::string& strKey)
{
    std::vector<std::string> names;
    CRegKey key;
    char szName[256];
    bool bOpen = key.Open(HKEY_LOCAL_MACHINE, strKey.c_str(), KEY_READ) == ERROR_SUCCESS;
    for (DWORD i = 0; bOpen; ++i)
    {
        DWORD nName = sizeof szName;
        if (::RegEnumValueA(key, i, szName, &nName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        names.push_back(szName);
    }
    return names;
}

std::string Shortcut(const std::string& strTarget, const std::string& strDescription)
{
    return "shortcut to " + Quoted(strTarget) + ", " + Quoted(strDescription);
}

// The target and description of a shell link file, through the shell's own link object.
bool ReadShortcut(const std::string& strPath, std::string& strText)
{
    bool bRead = false;
    IShellLinkA* pLink = NULL;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&pLink))))
        return false;
    IPersistFile* pFile = NULL;
    if (SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile))))
    {
        std::wstring strWide(strPath.begin(), strPath.end());
        char szTarget[MAX_PATH] = "", szDescription[MAX_PATH] = "";
        bRead = SUCCEEDED(pFile->Load(strWide.c_str(), STGM_READ))
            && SUCCEEDED(pLink->GetPath(szTarget, MAX_PATH, NULL, SLGP_RAWPATH))
            && SUCCEEDED(pLink->GetDescription(szDescription, MAX_PATH));
        if (bRead)
            strText = Shortcut(szTarget, szDescription);
        pFile->Release();
    }
    pLink->Release();
    return bRead;
}

// The folder of a "Shell Folders" value the installer reads ("Common Desktop", ...), or "".
std::string ShellFolder(const char* pszName)
{
    char szFolder[MAX_PATH] = "";
    DWORD nSize = sizeof szFolder;
    if (::SHGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      pszName, NULL, szFolder, &nSize) != ERROR_SUCCESS)
        return "";
    return szFolder;
}

// A folder as the prefix has it now: a directory there, or not.
bool IsFolder(const std::string& strPath)
{
    DWORD nAttributes = ::GetFileAttributesA(strPath.c_str());
    return nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The files where the installer puts them, its folders read from the prefix's "Shell Folders";
// a file whose folder is not known has no path (""). On a shell that names no common
// Administrative Tools folder (NT 4.0) the manager shortcut belongs in NT 4.0's group under the
// common Programs folder where that group is there, else in the Programs folder itself; both
// places are looked at on every target, so that a shortcut put there by mistake shows.
struct FilePaths
{
    std::string strAdminShortcut, strDesktopShortcut, strDesktopCopy, strBatch;
    std::string strGroupShortcut, strProgramsShortcut;      // the places without Administrative Tools

    FilePaths() : strBatch(Footprint::BatchFile())
    {
        const std::string strAdminTools = ShellFolder("Common Administrative Tools");
        const std::string strPrograms = ShellFolder("Common Programs");
        const std::string strDesktop = ShellFolder("Common Desktop");
        if (!strAdminTools.empty())
            strAdminShortcut = Footprint::ManagerShortcutIn(strAdminTools);
        if (!strPrograms.empty())
        {
            strGroupShortcut = Footprint::ManagerShortcutIn(strPrograms + "\\" + Server::Nt4AdminGroupName);
            strProgramsShortcut = Footprint::ManagerShortcutIn(strPrograms);
        }
        if (!strDesktop.empty())
        {
            strDesktopShortcut = Footprint::ManagerShortcutIn(strDesktop);
            strDesktopCopy = strDesktop + "\\Rezozire98.lnk";
        }
    }
    // Where the manager shortcut among the administrator's tools belongs, "" where nowhere.
    std::string AdminToolsShortcut() const
    {
        if (!strAdminShortcut.empty() || strProgramsShortcut.empty())
            return strAdminShortcut;
        const std::string strGroup = strGroupShortcut.substr(0, strGroupShortcut.rfind('\\'));
        return IsFolder(strGroup) ? strGroupShortcut : strProgramsShortcut;
    }
    std::vector<std::string> Known() const
    {
        std::vector<std::string> known;
        for (const std::string& strPath : { strAdminShortcut, strGroupShortcut, strProgramsShortcut,
                                            strDesktopShortcut, strDesktopCopy, strBatch })
            if (!strPath.empty())
                known.push_back(strPath);
        return known;
    }
};

// limitblankpassworduse as the prefix's target ships it: -1 where that Windows has none.
int LsaDefault()
{
    const Server::Target* pTarget = Server::CurrentTarget();
    return pTarget != NULL ? pTarget->nLsaDefault : -1;
}

// COM for the shell's link object, for as long as the object lives.
struct ComScope
{
    ComScope() { ::CoInitialize(NULL); }
    ~ComScope() { ::CoUninitialize(); }
};

} // namespace

std::string Footprint::ValueName(const std::string& strKey, const std::string& strValue)
{
    return KeyName(strKey) + strValue;
}

std::string Footprint::ValueOf(DWORD nType, const std::string& strBytes)
{
    static const char* const types[] = { "REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD",
                                         "REG_DWORD_BIG_ENDIAN", "REG_LINK", "REG_MULTI_SZ" };
    std::string strType = nType < 8 ? types[nType] : "type " + std::to_string(nType);
    if (nType == REG_DWORD && strBytes.size() == 4)
        return strType + " " + std::to_string(*reinterpret_cast<const DWORD*>(strBytes.data()));
    return strType + " " + Quoted(strBytes);
}

std::string Footprint::Sz(const std::string& strText)
{
    return ValueOf(REG_SZ, strText + '\0');
}

std::string Footprint::ExpandSz(const std::string& strText)
{
    return ValueOf(REG_EXPAND_SZ, strText + '\0');
}

std::string Footprint::Dword(DWORD n)
{
    return ValueOf(REG_DWORD, std::string(reinterpret_cast<const char*>(&n), 4));
}

std::string Footprint::Bytes(const std::string& strBytes)
{
    return std::to_string(strBytes.size()) + " bytes " + Quoted(strBytes);
}

std::string Footprint::FileOf(const std::string& strPath)
{
    ComScope com;
    std::string strText;
    if (strPath.size() > 4 && !lstrcmpiA(strPath.c_str() + strPath.size() - 4, ".lnk") && ReadShortcut(strPath, strText))
        return strText;
    std::ifstream file(strPath.c_str(), std::ios::binary);
    return file ? Bytes(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>())) : "";
}

std::string Footprint::BatchFile()
{
    char szSystem[MAX_PATH] = "";
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    return std::string(szSystem) + "\\rplcmd.bat";
}

std::string Footprint::ManagerShortcutIn(const std::string& strFolder)
{
    return strFolder + "\\Remoteboot Manager.lnk";
}

Footprint::Snapshot Footprint::Take()
{
    ComScope com;
    Snapshot snapshot;
    for (const char* pszService : s_szServiceNames)
        AddKey(snapshot, std::string(FOOTPRINT_SERVICES_KEY "\\") + pszService);
    // A value meant for a service's key that landed in the Services key itself.
    for (const std::string& strName : ValueNames(FOOTPRINT_SERVICES_KEY))
    {
        DWORD nType = REG_NONE;
        std::string strBytes = ReadValue(FOOTPRINT_SERVICES_KEY, strName.c_str(), &nType);
        snapshot[ValueName(FOOTPRINT_SERVICES_KEY, strName)] = ValueOf(nType, strBytes);
    }
    // The Lsa value counts where it is not as the target ships it.
    DWORD nType = REG_NONE;
    const std::string strLsa = ReadValue(FOOTPRINT_LSA_KEY, s_szLsaValue, &nType);
    const std::string strLsaName = ValueName(FOOTPRINT_LSA_KEY, s_szLsaValue);
    const int nLsaDefault = LsaDefault();
    if (strLsa == "<missing>")
    {
        if (nLsaDefault >= 0 && KeyExists(FOOTPRINT_LSA_KEY))
            snapshot[strLsaName] = "not there, where Windows ships " + Dword(nLsaDefault);
    }
    else if (nLsaDefault < 0 || ValueOf(nType, strLsa) != Dword(nLsaDefault))
        snapshot[strLsaName] = ValueOf(nType, strLsa);
    for (const std::string& strFile : FilePaths().Known())
        if (::GetFileAttributesA(strFile.c_str()) != INVALID_FILE_ATTRIBUTES)
            snapshot[strFile] = FileOf(strFile);
    return snapshot;
}

Footprint::Snapshot Footprint::Expected(const std::string& strWindirGiven)
{
    ComScope com;
    const std::string strWindir = Windir(strWindirGiven);
    const std::string strObjectWindir = "\\??\\" + strWindir;
    const std::string R = FOOTPRINT_SERVICES_KEY "\\RamdiskZ", RP = R + "\\Parameters";
    const std::string B = FOOTPRINT_SERVICES_KEY "\\RemoteBoot", BP = B + "\\Parameters";
    const std::string M = FOOTPRINT_SERVICES_KEY "\\MorvanethService";
    const std::string strImage = strObjectWindir + "\\system32\\rpldskz.img";
    const struct { const std::string& strKey; const char* pszName; std::string strValue; } values[] = {
        { R, "DisplayName", Sz("Morvaneth") }, { R, "Group", Sz("Primary disk") }, { R, "ErrorControl", Dword(1) },
        { R, "ImagePath", ExpandSz(strObjectWindir + "\\system32\\drivers\\ramdiskZ.sys") },
        { R, "Start", Dword(2) }, { R, "Type", Dword(1) },
        { RP, "AllocateMemoryType", Dword(1) }, { RP, "AutoSaveEnabled", Dword(0) }, { RP, "AutoSaveTrigger", Dword(80) },
        { RP, "BackgroundUpdate", Dword(0) }, { RP, "BootSectType", Dword(1) }, { RP, "DiskFormatFAT32", Dword(0) },
        { RP, "ExcludedRAMPage", Dword(16777216) }, { RP, "ExcludedRAMStart", Dword(128) },
        { RP, "IDAsRAMDisk", Dword(0) }, { RP, "LoadImageOnStart", Dword(1) }, { RP, "MakeTempDir", Dword(0) },
        { RP, "SaveImageOnExit", Dword(1) }, { RP, "SizeIn4kPages", Dword(5120) }, { RP, "UseDiskLabel", Dword(0) },
        { RP, "DiskLabel", Sz("Morvaneth") }, { RP, "DiskType", Sz("HDC") }, { RP, "UserDriveLetter", Sz("Z") },
        { RP, "LoadImageFile", Sz(strImage) }, { RP, "SaveImageFile", Sz(strImage) },
        { B, "DisplayName", Sz("Remoteboot Service") }, { B, "ErrorControl", Dword(1) },
        { B, "ImagePath", ExpandSz("%SystemRoot%\\Rpl\\rplsvc.exe") },
        { B, "DependOnService", ValueOf(REG_MULTI_SZ, std::string("RamdiskZ\0", 10)) },
        { B, "ObjectName", Sz("LocalSystem") }, { B, "Start", Dword(2) }, { B, "Type", Dword(16) },
        { BP, "BackupInterval", Dword(24) }, { BP, "Startup", Dword(0) },
        { BP, "Directory", ExpandSz("z:\\rpl") },
        { M, "Description", Sz("Diskless Windows 98 service") }, { M, "ErrorControl", Dword(1) },
        { M, "DisplayName", Sz(VENDOR_WEB_DOMAIN " Service") },
        { M, "ImagePath", ExpandSz("%SystemRoot%\\system32\\Quenlar.exe") },
        { M, "ObjectName", Sz("LocalSystem") }, { M, "Start", Dword(2) }, { M, "Type", Dword(16) },
        { FOOTPRINT_LSA_KEY, s_szLsaValue, Dword(0) },
    };
    Snapshot snapshot;
    for (const std::string& strKey : { R, RP, B, BP, M })
        snapshot[KeyName(strKey)] = "key";
    for (const auto& value : values)
        snapshot[ValueName(value.strKey, value.pszName)] = value.strValue;

    const FilePaths files;
    const std::string strManager = Shortcut(strWindir + "\\rpl\\Rplmgr.exe", "Remoteboot Manager");
    const std::string strPrepared = strWindir + "\\rpl\\Rezozire98.lnk";
    snapshot[files.AdminToolsShortcut()] = strManager;
    snapshot[files.strDesktopShortcut] = strManager;
    if (::GetFileAttributesA(strPrepared.c_str()) != INVALID_FILE_ATTRIBUTES)
        snapshot[files.strDesktopCopy] = FileOf(strPrepared);
    snapshot[files.strBatch] = Bytes("%windir%\\Rpl\\rplcmd.exe %1 %2 %3\r\n");
    snapshot.erase("");         // what goes into a folder that is not known
    return snapshot;
}

Footprint::Snapshot Footprint::Reset()
{
    for (const char* pszService : s_szServiceNames)
        DeleteKey(std::string(FOOTPRINT_SERVICES_KEY "\\") + pszService);
    {
        CRegKey services, lsa;
        services.Open(HKEY_LOCAL_MACHINE, FOOTPRINT_SERVICES_KEY, KEY_SET_VALUE);
        for (const std::string& strName : ValueNames(FOOTPRINT_SERVICES_KEY))
            ::RegDeleteValueA(services, strName.c_str());
        // Back to what the target ships; the key itself stays as it is.
        const int nLsaDefault = LsaDefault();
        if (lsa.Open(HKEY_LOCAL_MACHINE, FOOTPRINT_LSA_KEY, KEY_SET_VALUE) == ERROR_SUCCESS)
        {
            if (nLsaDefault < 0)
                ::RegDeleteValueA(lsa, s_szLsaValue);
            else
                ::RegSetValueExA(lsa, s_szLsaValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nLsaDefault), 4);
        }
    }
    for (const std::string& strFile : FilePaths().Known())
        ::DeleteFileA(strFile.c_str());
    return Take();
}

std::string Footprint::Differences(const Snapshot& expected, const Snapshot& actual)
{
    std::string strDifferences;
    for (const auto& item : expected)
    {
        auto found = actual.find(item.first);
        if (found == actual.end())
            strDifferences += "missing: " + item.first + " = " + item.second + "\n";
        else if (found->second != item.second)
            strDifferences += "differs: " + item.first + " = " + found->second + ", expected " + item.second + "\n";
    }
    for (const auto& item : actual)
        if (expected.find(item.first) == expected.end())
            strDifferences += "not expected: " + item.first + " = " + item.second + "\n";
    return strDifferences;
}

std::string Footprint::Check(const Snapshot& expected)
{
    return Differences(expected, Take());
}

std::string Footprint::Describe(const Snapshot& snapshot)
{
    std::string strText;
    for (const auto& item : snapshot)
        strText += item.first + " = " + item.second + "\n";
    return strText.empty() ? "nothing\n" : strText;
}

namespace {

// Every file under the folder, depth first with its subfolders when bDeep, as "<path>" = "N bytes".
void AddFiles(Footprint::Snapshot& snapshot, const std::string& strFolder, bool bDeep)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA((strFolder + "\\*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do
    {
        const std::string strName = found.cFileName;
        if (strName == "." || strName == "..")
            continue;
        const std::string strPath = strFolder + "\\" + strName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            snapshot[strPath] = std::to_string(found.nFileSizeLow) + " bytes";
        else if (bDeep)
            AddFiles(snapshot, strPath, true);
    } while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
}

} // namespace

Footprint::Snapshot Footprint::Surroundings()
{
    Snapshot snapshot;
    AddKey(snapshot, FOOTPRINT_SERVICES_KEY);
    AddKey(snapshot, "SYSTEM\\CurrentControlSet\\Services");
    for (const char* pszFolder : { "Common Desktop", "Common Administrative Tools", "Common Programs",
                                   "Common Start Menu" })
    {
        const std::string strFolder = ShellFolder(pszFolder);
        if (!strFolder.empty())
            AddFiles(snapshot, strFolder, true);
    }
    char szSystem[MAX_PATH] = "";
    ::GetSystemDirectoryA(szSystem, MAX_PATH);
    AddFiles(snapshot, szSystem, false);
    return snapshot;
}
