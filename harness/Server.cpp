// harness/Server.cpp: the four target servers' shapes in one table, and the server laid out for the installer.
#include "Server.h"
#include <shlobj.h>
#include <shlwapi.h>
#include "RegKey.h"
#include "Registry.h"
#include "ShellShortcut.h"

namespace {

enum { NT40, WIN2K, WINXP, WIN2003 };

// The All Users profile, as "User Shell Folders" can name it. NT 4.0 keeps profiles under
// %SystemRoot%\Profiles; Windows 2000 and later under %SystemDrive%\Documents and Settings,
// written there as %ALLUSERSPROFILE%, which Wine points at C:\ProgramData instead: so the
// profile's own path is written.
const char* const s_szAllUsers[] = {
    "%SystemRoot%\\Profiles\\All Users",
    "%SystemDrive%\\Documents and Settings\\All Users",
    "%SystemDrive%\\Documents and Settings\\All Users",
    "%SystemDrive%\\Documents and Settings\\All Users",
};

const Server::Target s_targets[] = {
    { "nt40",    "Windows NT 4.0",      4, 0, -1 },
    { "win2k",   "Windows 2000",        5, 0, -1 },
    // limitblankpassworduse came with XP, which ships it as 1; NT 4.0 and 2000 do not use it.
    { "winxp",   "Windows XP",          5, 1, 1 },
    { "win2003", "Windows Server 2003", 5, 2, 1 },
};

// The common folders each shell writes under "Shell Folders" (expanded, REG_SZ) and "User
// Shell Folders" (REG_EXPAND_SZ), from the first target that has them. NT 4.0's shell writes
// the first four only; "Common Administrative Tools" came with the Windows 2000 shell
// (shell32 5.0), and the common music, pictures and video folders with XP's.
const struct
{
    const char* pszValue;
    const char* pszUnderAllUsers;
    int nSince;
} s_commonFolders[] = {
    { "Common Desktop",              "Desktop",                                    NT40 },
    { "Common Programs",             "Start Menu\\Programs",                       NT40 },
    { "Common Start Menu",           "Start Menu",                                 NT40 },
    { "Common Startup",              "Start Menu\\Programs\\Startup",              NT40 },
    { "Common Administrative Tools", "Start Menu\\Programs\\Administrative Tools", WIN2K },
    { "Common AppData",              "Application Data",                           WIN2K },
    { "Common Documents",            "Documents",                                  WIN2K },
    { "Common Templates",            "Templates",                                  WIN2K },
    { "Common Favorites",            "Favorites",                                  WIN2K },
    { "CommonMusic",                 "Documents\\My Music",                        WINXP },
    { "CommonPictures",              "Documents\\My Pictures",                     WINXP },
    { "CommonVideo",                 "Documents\\My Videos",                       WINXP },
};

const char s_szShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char s_szUserShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char s_szLsaKey[] = "SYSTEM\\ControlSet001\\Control\\Lsa";
const char s_szLsaValue[] = "limitblankpassworduse";
const char s_szWineKey[] = "Software\\Wine";

// Its row in the table, found by name: a target may be a copy (GoogleTest copies its parameters).
int IndexOf(const Server::Target& target)
{
    for (int i = 0; i < static_cast<int>(ARRAYSIZE(s_targets)); ++i)
        if (!::lstrcmpA(s_targets[i].pszName, target.pszName))
            return i;
    return WIN2003;     // not reached: every target comes from the table
}

std::string Expanded(const std::string& strText)
{
    char szExpanded[MAX_PATH] = "";
    DWORD nLength = ::ExpandEnvironmentStringsA(strText.c_str(), szExpanded, MAX_PATH);
    return nLength > 0 && nLength <= MAX_PATH ? szExpanded : "";
}

// The folder's path under the target's All Users profile, unexpanded; "" where it has none.
std::string UnexpandedFolder(const Server::Target& target, const char* pszValue)
{
    for (const auto& folder : s_commonFolders)
        if (!::lstrcmpiA(folder.pszValue, pszValue) && IndexOf(target) >= folder.nSince)
            return std::string(s_szAllUsers[IndexOf(target)]) + "\\" + folder.pszUnderAllUsers;
    return "";
}

// Sets the shell's common values under one key to the target's, removing the common values that
// shell does not write (Wine writes those of later Windows versions).
void SetCommonValues(const Server::Target& target, const char* pszKey, bool bExpanded, std::string& strFailures)
{
    CRegKey key;
    LONG nError = key.Create(HKEY_LOCAL_MACHINE, pszKey);
    if (nError != ERROR_SUCCESS)
    {
        strFailures += std::string(pszKey) + ": error " + std::to_string(nError) + "\n";
        return;
    }
    std::vector<std::string> others;
    char szName[256];
    for (DWORD i = 0;; ++i)
    {
        DWORD nName = sizeof szName;
        if (::RegEnumValueA(key, i, szName, &nName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        if (!::StrCmpNIA(szName, "Common", 6) && UnexpandedFolder(target, szName).empty())
            others.push_back(szName);
    }
    for (const std::string& strName : others)
        ::RegDeleteValueA(key, strName.c_str());
    for (const auto& folder : s_commonFolders)
    {
        const std::string strPath = UnexpandedFolder(target, folder.pszValue);
        if (strPath.empty())
            continue;
        const std::string strData = bExpanded ? Expanded(strPath) : strPath;
        nError = ::RegSetValueExA(key, folder.pszValue, 0, bExpanded ? REG_SZ : REG_EXPAND_SZ,
                                  reinterpret_cast<const BYTE*>(strData.c_str()),
                                  static_cast<DWORD>(strData.size() + 1));
        if (nError != ERROR_SUCCESS)
            strFailures += std::string(pszKey) + ", " + folder.pszValue + ": error " + std::to_string(nError) + "\n";
    }
}

void MakeFolder(const std::string& strPath, std::string& strFailures)
{
    int nError = ::SHCreateDirectoryExA(NULL, strPath.c_str(), NULL);
    if (nError != ERROR_SUCCESS && nError != ERROR_ALREADY_EXISTS && nError != ERROR_FILE_EXISTS)
        strFailures += "folder " + strPath + ": error " + std::to_string(nError) + "\n";
}

} // namespace

const char Server::Nt4AdminGroupName[] = "Administrative Tools (Common)";

const char* const Server::ProtocolKeys[3] = {
    "SYSTEM\\CurrentControlSet\\Services\\DLC",
    "SYSTEM\\CurrentControlSet\\Services\\NWlnkIPX",
    "SYSTEM\\CurrentControlSet\\Services\\Nbf",
};

const std::vector<Server::Target>& Server::Targets()
{
    static const std::vector<Target> targets(s_targets, s_targets + ARRAYSIZE(s_targets));
    return targets;
}

const Server::Target* Server::FindTarget(const std::string& strName)
{
    for (const Target& target : Targets())
        if (strName == target.pszName)
            return &target;
    return NULL;
}

std::string Server::TargetNames()
{
    std::string strNames;
    for (const Target& target : Targets())
        strNames += (strNames.empty() ? "" : ", ") + std::string(target.pszName);
    return strNames;
}

const Server::Target& Server::DefaultTarget()
{
    return Targets()[WIN2003];
}

const Server::Target* Server::CurrentTarget()
{
    char szVersion[32] = "";
    DWORD nSize = sizeof szVersion;
    if (::SHGetValueA(HKEY_CURRENT_USER, s_szWineKey, "Version", NULL, szVersion, &nSize) != ERROR_SUCCESS)
        return NULL;
    return FindTarget(szVersion);
}

std::string Server::CommonFolder(const Target& target, const char* pszValueName)
{
    const std::string strPath = UnexpandedFolder(target, pszValueName);
    return strPath.empty() ? "" : Expanded(strPath);
}

std::string Server::AdminGroup(const Target& target)
{
    if (IndexOf(target) != NT40)
        return "";
    return CommonFolder(target, "Common Programs") + "\\" + Nt4AdminGroupName;
}

std::string Server::LayShape(const Target& target)
{
    std::string strFailures;
    CRegKey wine;
    LONG nError = wine.Create(HKEY_CURRENT_USER, s_szWineKey);
    if (nError == ERROR_SUCCESS)
        nError = ::RegSetValueExA(wine, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(target.pszName),
                                  static_cast<DWORD>(::lstrlenA(target.pszName) + 1));
    if (nError != ERROR_SUCCESS)
        strFailures += "HKCU\\Software\\Wine, Version: error " + std::to_string(nError) + "\n";

    SetCommonValues(target, s_szShellFolders, true, strFailures);
    SetCommonValues(target, s_szUserShellFolders, false, strFailures);
    for (const auto& folder : s_commonFolders)
        if (IndexOf(target) >= folder.nSince)
            MakeFolder(CommonFolder(target, folder.pszValue), strFailures);
    if (!AdminGroup(target).empty())
        MakeFolder(AdminGroup(target), strFailures);

    // The Lsa key is the installer's to find, never to create: where a case removed it, it stays away.
    CRegKey lsa;
    if (lsa.Open(HKEY_LOCAL_MACHINE, s_szLsaKey, KEY_SET_VALUE) == ERROR_SUCCESS)
    {
        const DWORD nDefault = static_cast<DWORD>(target.nLsaDefault);
        nError = target.nLsaDefault < 0 ? ::RegDeleteValueA(lsa, s_szLsaValue)
            : ::RegSetValueExA(lsa, s_szLsaValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nDefault), 4);
        if (nError != ERROR_SUCCESS && nError != ERROR_FILE_NOT_FOUND)
            strFailures += std::string(s_szLsaKey) + ", " + s_szLsaValue + ": error " + std::to_string(nError) + "\n";
    }
    return strFailures;
}

std::string Server::PreparedShortcut()
{
    char szWindows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(szWindows, MAX_PATH);
    return std::string(szWindows) + "\\rpl\\Rezozire98.lnk";
}

std::string Server::Prepare(const Target& target)
{
    // Wine has no ControlSet001 of its own: its CurrentControlSet is a separate key, not a link.
    std::string strFailures;
    for (const char* pszKey : { "SYSTEM\\ControlSet001\\Services", s_szLsaKey, ProtocolKeys[0], ProtocolKeys[1],
                                ProtocolKeys[2] })
    {
        LONG nError = CreateKey(pszKey);
        if (nError != ERROR_SUCCESS)
            strFailures += std::string(pszKey) + ": error " + std::to_string(nError) + "\n";
    }

    // The prepared shortcut that the installer copies: the vendor's, pointing at the manager.
    const std::string strPrepared = PreparedShortcut();
    if (::GetFileAttributesA(strPrepared.c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        const std::string strDir = strPrepared.substr(0, strPrepared.rfind('\\'));
        ::CreateDirectoryA(strDir.c_str(), NULL);
        HRESULT hr = CreateShellShortcut((strDir + "\\Rplmgr.exe").c_str(), strPrepared.c_str(), "Rezozire98");
        if (FAILED(hr))
            strFailures += strPrepared + ": error " + std::to_string(hr) + "\n";
    }
    return strFailures + LayShape(target);
}
