// tests/core/TargetTest.cpp: the installation on each target Windows' shape, and NT 4.0's places for the manager shortcut.
#include "CoreTestSupport.h"
#include <shlwapi.h>
#include "OnEveryTarget.h"

namespace {

// A shortcut of a complete installation: expected there, and there as expected.
void ExpectShortcut(const std::string& strPath)
{
    const Footprint::Snapshot expected = Footprint::Expected();
    ASSERT_EQ(1u, expected.count(strPath)) << strPath << " is not where a complete installation puts it:\n"
                                           << Footprint::Describe(expected);
    EXPECT_EQ(expected.at(strPath), Footprint::FileOf(strPath)) << strPath;
}

class TargetInstallation : public InstallationTest, public testing::WithParamInterface<Server::Target> {};

// In a program started on the target's shape, Wine reports that Windows; the installation is
// complete, each shortcut in the folder that Windows' shell names.
TEST_P(TargetInstallation, CompletesWithItsShortcutsWhereThatWindowsKeepsThem)
{
    const Server::Target& target = GetParam();
    ASSERT_EQ("", Server::LayShape(target));
    char szPlatform[32];
    ::wsprintfA(szPlatform, "platform 2 %lu.%lu\n", target.nMajor, target.nMinor);
    EXPECT_EQ(Footprint::Bytes(std::string(szPlatform) + "box 48 " SETUP_MESSAGE_CAPTION "|" INSTALL_SUCCESS_TEXT
                               "\nresult 1\n"), RunChild());
    EXPECT_EQ("", Footprint::Check(Footprint::Expected()));
    ExpectShortcut(ManagerShortcutOf(target));
    ExpectShortcut(Footprint::ManagerShortcutIn(Server::CommonFolder(target, "Common Desktop")));
}

INSTANTIATE_ON_EVERY_TARGET(TargetInstallation);

// NT 4.0 without its English group: a localized edition names it otherwise, so the shortcut goes
// into the common Programs folder; with no Programs folder either, the stop message names it.
TEST_F(InstallationTest, Nt4WithoutItsGroupUsesTheProgramsFolderOrNamesTheShortcut)
{
    const Server::Target& nt40 = *Server::FindTarget("nt40");
    const std::string strPrograms = Server::CommonFolder(nt40, "Common Programs");
    const std::string strLocalized = strPrograms + "\\Verwaltung (Allgemein)";

    ASSERT_EQ("", Server::LayShape(nt40));
    ASSERT_TRUE(::RemoveDirectoryA(Server::AdminGroup(nt40).c_str())) << ::GetLastError();
    ASSERT_TRUE(::CreateDirectoryA(strLocalized.c_str(), NULL)) << ::GetLastError();
    EXPECT_TRUE(Run());
    EXPECT_EQ(INSTALL_SUCCESS_TEXT, OneBoxText(MB_ICONEXCLAMATION));
    ExpectShortcut(Footprint::ManagerShortcutIn(strPrograms));
    EXPECT_FALSE(FileExists(Footprint::ManagerShortcutIn(strLocalized)));
    EXPECT_EQ("", Footprint::Check(Footprint::Expected()));
    Footprint::Reset();
    EXPECT_TRUE(::RemoveDirectoryA(strLocalized.c_str())) << ::GetLastError();

    ASSERT_EQ("", Server::LayShape(nt40));
    ASSERT_EQ(ERROR_SUCCESS, static_cast<LONG>(::SHDeleteValueA(HKEY_LOCAL_MACHINE,
              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common Programs")));
    ExpectStopMessage(Run(), false, {
        "Shortcut \"Remoteboot Manager\" in the common Administrative Tools folder: the folder's location could not "
        "be read from the registry (Shell Folders, \"Common Administrative Tools\", nor \"Common Programs\")" });
    for (const std::string& strFolder : { strPrograms, Server::AdminGroup(nt40), std::string("C:") })
        EXPECT_FALSE(FileExists(Footprint::ManagerShortcutIn(strFolder))) << strFolder;
    ExpectShortcut(Footprint::ManagerShortcutIn(Server::CommonFolder(nt40, "Common Desktop")));
}

} // namespace
