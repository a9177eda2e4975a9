// tests/core/InstallationTest.cpp: complete and repeated installations, and the checks that stop a run unchanged.
#include "CoreTestSupport.h"
#include <shlwapi.h>

namespace {

// The first run writes every part exactly. A second one sets listed values back, keeps a value
// added by hand, cuts a longer batch file to its one line, and keeps an existing desktop copy.
TEST_F(InstallationTest, WritesEveryPartAndASecondRunRestoresThem)
{
    EXPECT_TRUE(Run());
    EXPECT_EQ(INSTALL_SUCCESS_TEXT, OneBoxText(MB_ICONEXCLAMATION));
    Footprint::Snapshot expected = Footprint::Expected();
    EXPECT_EQ("", Footprint::Check(expected));

    const std::string strCopy = DesktopDir() + "\\Rezozire98.lnk";
    SetValue(RAMDISK, "Start", REG_DWORD, DwordBytes(4));
    SetValue(REMOTEBOOT "\\Parameters", "Directory", REG_EXPAND_SZ, std::string("c:\\other\0", 9));
    SetValue(MORVANETH, "AddedByHand", REG_SZ, std::string("kept\0", 5));
    std::ofstream(Footprint::BatchFile(), std::ios::binary) << std::string(100, 'x');
    std::ofstream(strCopy, std::ios::binary) << "made by hand";
    EXPECT_TRUE(Run());
    EXPECT_EQ(INSTALL_SUCCESS_TEXT, OneBoxText(MB_ICONEXCLAMATION));
    expected[Footprint::ValueName(MORVANETH, "AddedByHand")] = Footprint::Sz("kept");
    expected[strCopy] = Footprint::Bytes("made by hand");
    EXPECT_EQ("", Footprint::Check(expected));
}

// Left alone on purpose, and no failure: a missing prepared shortcut, a missing Lsa key (not
// created), and another current control set (the entries go to ControlSet001 always).
TEST_F(InstallationTest, LeavesAloneWhatItShould)
{
    ::MoveFileA(PREPARED_LINK, PREPARED_LINK ".away");
    DeleteKey(CS001_LSA);
    SetValue("SYSTEM\\Select", "Current", REG_DWORD, DwordBytes(2));
    CreateKey("SYSTEM\\ControlSet002\\Services");
    EXPECT_TRUE(Run());
    EXPECT_EQ(INSTALL_SUCCESS_TEXT, OneBoxText(MB_ICONEXCLAMATION));
    Footprint::Snapshot expected = Footprint::Expected();
    expected.erase(DesktopDir() + "\\Rezozire98.lnk");
    expected.erase(Footprint::ValueName(CS001_LSA, "limitblankpassworduse"));
    EXPECT_EQ("", Footprint::Check(expected));
    EXPECT_FALSE(KeyExists(CS001_LSA));
    EXPECT_FALSE(KeyExists("SYSTEM\\ControlSet002\\Services\\RamdiskZ"));
    EXPECT_FALSE(KeyExists(CCS_SERVICES "RamdiskZ"));
}

// Each check before the first change stops the run with its one message and changes nothing:
// only the first missing protocol is named, in the order DLC, NWLink IPX, NetBEUI; then windir.
// Every path starts with windir, and the driver's "\??\" + windir + "\system32\drivers\ramdiskZ.sys"
// is the longest: a 225-character windir fills its 260-byte buffer, and one more is refused.
TEST_F(InstallationTest, FailedCheckStopsBeforeAnyChange)
{
    const std::string strLongest = "C:\\" + std::string(222, 'w'), strTooLong = strLongest + 'w';
    const char* const kNothingChanged = " Nothing has been changed.";
    const struct { std::vector<const char*> missing; const char* pszWindir; std::string strMessage; } rows[] = {
        { { "DLC", "NWlnkIPX", "Nbf" }, "C:\\windows", "Please install Microsoft DLC before installing Remoteboot." },
        { { "NWlnkIPX", "Nbf" }, "C:\\windows",
          "Please install NWLink IPX/SPX/NetBios Compatible Transort Protocol before installing Remoteboot." },
        { { "Nbf" }, "C:\\windows", "Please install NetBEUI Protocol before installing Remoteboot." },
        { {}, NULL, std::string("The environment variable windir is not set, so Setup cannot tell where "
                                "Windows is installed.") + kNothingChanged },
        { {}, strTooLong.c_str(), std::string("The Windows directory named by the environment variable windir "
          "is 226 characters long; Setup can use one of at most 225 characters.") + kNothingChanged },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row #" << i);
        ResetServer();
        for (const char* pszMissing : rows[i].missing)
            DeleteKey(std::string(CCS_SERVICES) + pszMissing);
        ScopedEnv windir("windir", rows[i].pszWindir);
        EXPECT_FALSE(Run());
        EXPECT_EQ(rows[i].strMessage, OneBoxText(MB_ICONHAND));
        EXPECT_EQ("", Footprint::Check(Footprint::Snapshot()));
    }
    ScopedEnv windir("windir", strLongest.c_str());
    EXPECT_TRUE(Run());
    EXPECT_EQ("", Footprint::Check(Footprint::Expected(strLongest)));
}

// On Windows 98, as Wine reports it to the child program alone, the platform message is the
// only one, even with DLC missing too.
TEST_F(InstallationTest, NonNtPlatformStopsBeforeTheProtocolChecks)
{
    const std::string strExe = ChildPath();
    const std::string strAppKey = "Software\\Wine\\AppDefaults\\" + strExe.substr(strExe.rfind('\\') + 1);
    ASSERT_EQ(ERROR_SUCCESS, ::SHSetValueA(HKEY_CURRENT_USER, strAppKey.c_str(), "Version", REG_SZ, "win98", 6));
    DeleteKey(CCS_SERVICES "DLC");
    const std::string strOutput = RunChild();
    ::SHDeleteKeyA(HKEY_CURRENT_USER, strAppKey.c_str());
    EXPECT_EQ(Footprint::Bytes("platform 1 4.10\nbox 16 Setup Message|This program can only run under Windows 2003, "
                               "2000, XP or NT server!\nresult 0\n"), strOutput);
    EXPECT_EQ("", Footprint::Check(Footprint::Snapshot()));
}

} // namespace
