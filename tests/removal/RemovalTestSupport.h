// tests/removal/RemovalTestSupport.h: a server with and without an installation, as the removal tests see it.
#ifndef REMOVALTESTSUPPORT_H
#define REMOVALTESTSUPPORT_H

#include "CoreTestSupport.h"
#include "OnEveryTarget.h"
#include "RemovalReport.h"
#include "RemovalSurvey.h"
#include "RunRemoval.h"
#include "ServiceDriver.h"
#include "ShellShortcut.h"
#include "TestServiceNames.h"
#include "WindowsVersion.h"

#define RAMDISK_PARAMETERS RAMDISK "\\Parameters"
#define REMOTEBOOT_PARAMETERS REMOTEBOOT "\\Parameters"
#define LSA_VALUE "limitblankpassworduse"

// Where this test's service program lies, as Windows names it.
inline std::string TestServicePath() { return WindowsPathFromHost(TestArgument(1).c_str()); }

// The items of a snapshot whose names begin with strPrefix.
inline Footprint::Snapshot Under(const Footprint::Snapshot& snapshot, const std::string& strPrefix)
{
    Footprint::Snapshot part;
    for (const auto& item : snapshot)
        if (item.first.compare(0, strPrefix.size(), strPrefix) == 0)
            part.insert(item);
    return part;
}

// The version record a program gets on the target's Windows. Wine reports the version of a
// target's shape only to programs started after it was laid, so the removal run in the test's
// own process is told it.
inline OSVERSIONINFOEXA VersionOf(const Server::Target& target)
{
    OSVERSIONINFOEXA version;
    ::ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    version.dwPlatformId = VER_PLATFORM_WIN32_NT;
    version.dwMajorVersion = target.nMajor;
    version.dwMinorVersion = target.nMinor;
    return version;
}

// Each case starts from a fresh server (InstallationTest) of the target's shape, with no test
// service, and leaves one of the usual shape.
class RemovalTest : public InstallationTest, public testing::WithParamInterface<Server::Target>
{
protected:
    void SetUp()
    {
        CleanUp();
        InstallationTest::SetUp();
        ReleaseHeldServices(false);
        ASSERT_EQ("", Server::LayShape(GetParam()));
        m_version = VersionOf(GetParam());
    }
    void TearDown()
    {
        CleanUp();
        InstallationTest::TearDown();
    }
    static void CleanUp()
    {
        EXPECT_EQ("", DeleteTestService("MorvanethService"));
        SetKeyDacl(REMOTEBOOT_PARAMETERS, "D:(A;;KA;;;WD)");     // where a case narrowed it
    }

    // One installation, which must succeed.
    void Install()
    {
        ASSERT_TRUE(Run());
        ASSERT_EQ(INSTALL_SUCCESS_TEXT, OneBoxText(MB_ICONEXCLAMATION));
    }

    // The survey as the dialog would show it now.
    RemovalSurvey Survey()
    {
        RemovalSurvey survey;
        SurveyInstallation(m_version, survey);
        return survey;
    }

    // One removal; the text of its one closing message, which must have this icon.
    std::string Remove(UINT nIcon, DWORD nStopWaitMs = SERVICE_STOP_WAIT_MS)
    {
        MessageBoxCatcher catcher;
        CWnd owner;
        owner.m_hWnd = m_hOwner;
        RunRemoval(owner, m_version, nStopWaitMs);
        owner.m_hWnd = NULL;
        m_boxes = catcher.Boxes();
        return OneBoxText(nIcon);
    }

    OSVERSIONINFOEXA m_version;
};

#endif // REMOVALTESTSUPPORT_H
