// bench/tests/InstallStateTest.cpp: the reset removes exactly the installation; the check names each missing piece.
#include <gtest/gtest.h>
#include <windows.h>
#include "InstallState.h"

namespace {

const char s_szServices[] = "SYSTEM\\ControlSet001\\Services";
const char s_szLsa[] = "SYSTEM\\ControlSet001\\Control\\Lsa";

void SetDword(const std::string& strKey, const char* pszName, DWORD nValue)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, strKey.c_str(), &hKey)) << strKey;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, pszName, 0, REG_DWORD, (const BYTE*)&nValue, 4));
    RegCloseKey(hKey);
}

void SetString(const std::string& strKey, const char* pszName, const char* pszValue)
{
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, strKey.c_str(), &hKey)) << strKey;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, pszName, 0, REG_SZ, (const BYTE*)pszValue,
                                            lstrlenA(pszValue) + 1));
    RegCloseKey(hKey);
}

bool KeyExists(const std::string& strKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

std::string Service(const char* pszPath)
{
    return std::string(s_szServices) + "\\" + pszPath;
}

// Writes what a finished installation leaves behind (the last value of each entry, the Lsa
// value, the four files), plus a subkey of its own that only a recursive delete removes.
void FakeInstallation()
{
    SetDword(Service("RamdiskZ"), "Type", 1);
    SetString(Service("RamdiskZ\\Parameters"), "UserDriveLetter", "Z");
    SetDword(Service("RamdiskZ\\Parameters\\Enum\\Deeper"), "Count", 0);
    SetDword(Service("RemoteBoot"), "Type", 16);
    SetString(Service("RemoteBoot\\Parameters"), "Directory", "z:\\rpl");
    SetDword(Service("MorvanethService"), "Type", 16);
    SetDword(s_szLsa, "limitblankpassworduse", 0);
    std::vector<std::string> files = InstallState::InstalledFiles();
    for (size_t i = 0; i < files.size(); ++i)
    {
        std::string strFolder = files[i].substr(0, files[i].rfind('\\'));
        CreateDirectoryA(strFolder.c_str(), NULL);      // a fresh prefix lacks Administrative Tools
        HANDLE hFile = CreateFileA(files[i].c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFile) << files[i];
        CloseHandle(hFile);
    }
}

class InstallStateTest : public testing::Test
{
protected:
    void SetUp() override { InstallState::Reset(); }
    void TearDown() override { InstallState::Reset(); }
};

TEST_F(InstallStateTest, FilesAreTheFourTheInstallerWrites)
{
    std::vector<std::string> files = InstallState::InstalledFiles();
    ASSERT_EQ(4u, files.size());
    EXPECT_EQ("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Administrative Tools"
              "\\Remoteboot Manager.lnk", files[0]);
    EXPECT_EQ("C:\\users\\Public\\Desktop\\Remoteboot Manager.lnk", files[1]);
    EXPECT_EQ("C:\\users\\Public\\Desktop\\Rezozire98.lnk", files[2]);
    EXPECT_EQ("C:\\windows\\system32\\rplcmd.bat", files[3]);
}

// A complete installation is seen as complete; with one piece taken away, exactly that piece
// is reported.
TEST_F(InstallStateTest, CheckNamesEachMissingPiece)
{
    std::vector<std::string> files = InstallState::InstalledFiles();
    static const struct
    {
        const char* pszKey;         // NULL: the Lsa key
        const char* pszValue;       // the value to delete, or NULL to delete file nFile instead
        int nFile;
        const char* pszExpected;    // "" for a file: its path is expected
    } cases[] = {
        { "RamdiskZ", "Type", -1, "service value RamdiskZ\\Type" },
        { "RamdiskZ\\Parameters", "UserDriveLetter", -1,
          "service value RamdiskZ\\Parameters\\UserDriveLetter" },
        { "RemoteBoot", "Type", -1, "service value RemoteBoot\\Type" },
        { "RemoteBoot\\Parameters", "Directory", -1, "service value RemoteBoot\\Parameters\\Directory" },
        { "MorvanethService", "Type", -1, "service value MorvanethService\\Type" },
        { NULL, "limitblankpassworduse", -1, "Lsa value limitblankpassworduse = 0" },
        { NULL, NULL, 0, "" }, { NULL, NULL, 1, "" }, { NULL, NULL, 2, "" }, { NULL, NULL, 3, "" },
    };
    FakeInstallation();
    EXPECT_TRUE(InstallState::Missing().empty());
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "case #" << i);
        FakeInstallation();
        std::string strExpected = cases[i].pszExpected;
        if (cases[i].nFile >= 0)
        {
            ASSERT_TRUE(DeleteFileA(files[cases[i].nFile].c_str()));
            strExpected = files[cases[i].nFile];
        }
        else
        {
            HKEY hKey;
            std::string strKey = cases[i].pszKey ? Service(cases[i].pszKey) : s_szLsa;
            ASSERT_EQ(ERROR_SUCCESS,
                      RegOpenKeyExA(HKEY_LOCAL_MACHINE, strKey.c_str(), 0, KEY_ALL_ACCESS, &hKey));
            EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(hKey, cases[i].pszValue));
            RegCloseKey(hKey);
        }
        std::vector<std::string> missing = InstallState::Missing();
        ASSERT_EQ(1u, missing.size());
        EXPECT_EQ(strExpected, missing[0]);
    }
}

// The Lsa setting counts only with the installer's data: 0, a DWORD.
TEST_F(InstallStateTest, LsaValueOtherThanZeroIsMissing)
{
    FakeInstallation();
    SetDword(s_szLsa, "limitblankpassworduse", 1);
    std::vector<std::string> missing = InstallState::Missing();
    ASSERT_EQ(1u, missing.size());
    EXPECT_EQ("Lsa value limitblankpassworduse = 0", missing[0]);
}

// The reset removes the whole installation, nested subkeys included, and nothing else: the
// Services and Lsa keys, another service and the protocols stay.
TEST_F(InstallStateTest, ResetRemovesTheInstallationAndNothingElse)
{
    FakeInstallation();
    SetDword(Service("BenchNeighbour"), "Type", 1);
    SetDword(s_szLsa, "BenchNeighbourValue", 7);

    EXPECT_TRUE(InstallState::Reset().empty());
    EXPECT_EQ(10u, InstallState::Missing().size());
    static const char* const gone[] = { "RamdiskZ", "RemoteBoot", "MorvanethService" };
    for (size_t i = 0; i < sizeof gone / sizeof gone[0]; ++i)
        EXPECT_FALSE(KeyExists(Service(gone[i]))) << gone[i];
    EXPECT_TRUE(KeyExists(Service("BenchNeighbour")));
    EXPECT_TRUE(KeyExists("SYSTEM\\CurrentControlSet\\Services\\DLC"));

    HKEY hLsa;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, s_szLsa, 0, KEY_ALL_ACCESS, &hLsa));
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hLsa, "BenchNeighbourValue", NULL, NULL, NULL, NULL));
    RegDeleteValueA(hLsa, "BenchNeighbourValue");
    RegCloseKey(hLsa);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, Service("BenchNeighbour").c_str());

    // Nothing to remove is no failure.
    EXPECT_TRUE(InstallState::Reset().empty());
}

} // namespace
