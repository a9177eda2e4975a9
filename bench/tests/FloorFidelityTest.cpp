// bench/tests/FloorFidelityTest.cpp: the floor writes what the installer writes, so that comparing them is fair.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <map>
#include <stdio.h>
#include "InstallState.h"
#include "Measurements.h"
#include "WineTestSupport.h"

namespace {

typedef std::map<std::string, std::string> Snapshot;

std::string Hex(const BYTE* pData, DWORD nSize)
{
    std::string strHex;
    char szByte[4];
    for (DWORD i = 0; i < nSize; ++i)
    {
        snprintf(szByte, sizeof szByte, "%02x", pData[i]);
        strHex += szByte;
    }
    return strHex;
}

// Adds every value under HKLM\strKey and its subkeys as "type:size:data in hex".
void AddKey(Snapshot& snapshot, const std::string& strKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i)
    {
        char szName[256];
        BYTE data[1024];
        DWORD nName = sizeof szName, nType = 0, nData = sizeof data;
        if (RegEnumValueA(hKey, i, szName, &nName, NULL, &nType, data, &nData) != ERROR_SUCCESS)
            break;
        snapshot[strKey + "\\" + szName] = std::to_string(nType) + ":" + std::to_string(nData) + ":"
                                           + Hex(data, nData);
    }
    for (DWORD i = 0;; ++i)
    {
        char szName[256];
        DWORD nName = sizeof szName;
        if (RegEnumKeyExA(hKey, i, szName, &nName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        AddKey(snapshot, strKey + "\\" + szName);
    }
    RegCloseKey(hKey);
}

std::string FileBytes(const std::string& strPath)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return "missing";
    BYTE buffer[8192];
    DWORD nRead = 0;
    ReadFile(hFile, buffer, sizeof buffer, &nRead, NULL);
    CloseHandle(hFile);
    return Hex(buffer, nRead);
}

// A shortcut's target and description, read back through the shell's link object.
std::string ShortcutFields(const std::string& strPath)
{
    std::string strFields = "unreadable";
    IShellLinkA* pLink = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&pLink))))
        return strFields;
    IPersistFile* pFile = NULL;
    if (SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile))))
    {
        WCHAR wszPath[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, wszPath, MAX_PATH);
        char szTarget[MAX_PATH] = "", szDescription[MAX_PATH] = "";
        if (SUCCEEDED(pFile->Load(wszPath, STGM_READ))
            && SUCCEEDED(pLink->GetPath(szTarget, MAX_PATH, NULL, SLGP_RAWPATH))
            && SUCCEEDED(pLink->GetDescription(szDescription, MAX_PATH)))
            strFields = std::string(szTarget) + " | " + szDescription;
        pFile->Release();
    }
    pLink->Release();
    return strFields;
}

// Everything an installation writes: the service entries, the Lsa value, the files.
Snapshot TakeSnapshot()
{
    Snapshot snapshot;
    static const char* const services[] = { "RamdiskZ", "RemoteBoot", "MorvanethService" };
    for (size_t i = 0; i < sizeof services / sizeof services[0]; ++i)
        AddKey(snapshot, std::string("SYSTEM\\ControlSet001\\Services\\") + services[i]);

    HKEY hLsa;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Control\\Lsa", 0, KEY_READ, &hLsa)
        == ERROR_SUCCESS)
    {
        DWORD nType = 0, nData = 0, nSize = sizeof nData;
        if (RegQueryValueExA(hLsa, "limitblankpassworduse", NULL, &nType, reinterpret_cast<BYTE*>(&nData),
                             &nSize) == ERROR_SUCCESS)
            snapshot["Lsa\\limitblankpassworduse"] = std::to_string(nType) + ":" + std::to_string(nData);
        RegCloseKey(hLsa);
    }

    std::vector<std::string> files = InstallState::InstalledFiles();
    for (size_t i = 0; i < files.size(); ++i)
    {
        bool bManagerShortcut = files[i].find("Remoteboot Manager.lnk") != std::string::npos;
        snapshot[files[i]] = bManagerShortcut ? ShortcutFields(files[i]) : FileBytes(files[i]);
    }
    return snapshot;
}

// Runs the program through Continue to its success message (which the run checks) and
// returns what it wrote.
Snapshot InstallWith(const std::string& strProgram)
{
    ProgramSeries scratch;
    std::string strError;
    EXPECT_TRUE(MeasureInstallerRun(WindowsPathFromHost(strProgram.c_str()), scratch, 30000, strError))
        << strProgram << ": " << strError;
    Snapshot snapshot = TakeSnapshot();
    InstallState::Reset();
    return snapshot;
}

class FloorFidelity : public testing::Test
{
protected:
    void SetUp() override { CoInitialize(NULL); }
    void TearDown() override { CoUninitialize(); }
};

// The floor on its own writes every entry, with the data and byte counts of the installer's
// tables (checked here for the values whose size depends on how they are composed).
TEST_F(FloorFidelity, FloorWritesEveryEntry)
{
    Snapshot floor = InstallWith(TestArgument(1));
    // 6 + 19 values of the driver, 7 + 3 of remote boot, 7 of the diskless service, Lsa, 4 files.
    EXPECT_EQ(47u, floor.size());
    static const struct { const char* pszValue; const char* pszTypeAndSize; } sizes[] = {
        { "RamdiskZ\\ImagePath", "2:45:" },
        { "RamdiskZ\\Parameters\\LoadImageFile", "1:36:" },
        { "RamdiskZ\\Parameters\\UserDriveLetter", "1:2:" },
        { "RemoteBoot\\DependOnService", "7:10:52616d6469736b5a0000" },
        { "MorvanethService\\DisplayName", "1:24:" },
    };
    for (size_t i = 0; i < sizeof sizes / sizeof sizes[0]; ++i)
    {
        std::string strData = floor[std::string("SYSTEM\\ControlSet001\\Services\\") + sizes[i].pszValue];
        EXPECT_EQ(0u, strData.find(sizes[i].pszTypeAndSize)) << "#" << i << " " << sizes[i].pszValue
                                                              << " = " << strData;
    }
    EXPECT_EQ("4:0", floor["Lsa\\limitblankpassworduse"]);
}

// Entry by entry, the floor and the installer leave the same registry data and files.
TEST_F(FloorFidelity, FloorWritesWhatTheInstallerWrites)
{
    std::string strInstaller = TestArgument(2);
    if (strInstaller.empty() || strInstaller == "-")
        GTEST_SKIP() << "Brantovell.exe is not part of this build";
    Snapshot floor = InstallWith(TestArgument(1));
    Snapshot installer = InstallWith(strInstaller);
    for (Snapshot::const_iterator it = installer.begin(); it != installer.end(); ++it)
        EXPECT_EQ(it->second, floor.count(it->first) ? floor[it->first] : "(not written)") << it->first;
    for (Snapshot::const_iterator it = floor.begin(); it != floor.end(); ++it)
        EXPECT_EQ(1u, installer.count(it->first)) << it->first << " written by the floor only";
}

} // namespace
