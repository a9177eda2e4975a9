// tests/core/FailureReportTest.cpp: writes that fail are named in one stop message, and the rest is still done.
#include "CoreTestSupport.h"
#include "ShellShortcut.h"

namespace {

const char kAdminShortcut[] = "Shortcut \"Remoteboot Manager\" in the common Administrative Tools folder";
const char kDesktopShortcut[] = "Shortcut \"Remoteboot Manager\" on the common desktop";

bool Contains(const std::string& strText, const std::string& strPart)
{
    return strText.find(strPart) != std::string::npos;
}

// A common folder that cannot be used gets no shortcut, neither at the root of the current
// drive nor in the other folder; everything else is still done.
TEST_F(InstallationTest, UnusableShellFolderGetsNoShortcutAnywhere)
{
    const std::string strOverlong = "C:\\" + std::string(300, 'f');
    const std::string strLinkTooLong = "C:\\" + std::string(234, 'f');     // + 23 = 260 characters
    static const char kAdmin[] = "Common Administrative Tools";
    static const char kDesktop[] = "Common Desktop";
    static const char kUnread[] = "the folder's location could not be read from the registry";
    const struct { const char* pszFolder; const char* pszValue; const char* pszSays; } rows[] = {
        { kAdmin, NULL, kUnread },
        { kAdmin, strOverlong.c_str(), kUnread },
        { kAdmin, strLinkTooLong.c_str(), "its path would be longer than 259 characters" },
        { kDesktop, NULL, kUnread },
        { kDesktop, "", kUnread },
        { kDesktop, strOverlong.c_str(), kUnread },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row #" << i);
        ResetServer();
        bool bDesktop = rows[i].pszFolder == kDesktop;
        SetShellFolder(rows[i].pszFolder, rows[i].pszValue);
        std::string strText = FailureText(Run(), false);
        EXPECT_TRUE(Contains(strText, std::string(bDesktop ? kDesktopShortcut : kAdminShortcut)
                                      + ": " + rows[i].pszSays)) << strText;
        EXPECT_EQ(bDesktop, Contains(strText, "Copy of Rezozire98.lnk to the common desktop")) << strText;
        EXPECT_FALSE(FileExists(ManagerLinkIn("")));
        EXPECT_FALSE(FileExists(ManagerLinkIn("C:")));
        EXPECT_FALSE(FileExists(AdminToolsDir() + "\\Rezozire98.lnk"));
        EXPECT_NE(bDesktop, FileExists(ManagerLinkIn(DesktopDir())));
        EXPECT_EQ(bDesktop, FileExists(ManagerLinkIn(AdminToolsDir())));
        EXPECT_EQ(std::string(kBatchText), ReadWholeFile(BatchFilePath()));
        ExpectServiceEntries();
    }
}

// The longest link path the shortcut writer takes, 259 characters, is saved where it belongs.
TEST_F(InstallationTest, LongestLinkPathIsSaved)
{
    const std::string strFolder = "C:\\" + std::string(233, 'f');
    ASSERT_TRUE(::CreateDirectoryA(strFolder.c_str(), NULL));
    SetShellFolder("Common Administrative Tools", strFolder.c_str());
    InstallRun run = Run();
    EXPECT_TRUE(run.bResult);
    EXPECT_EQ(kSuccessText, OneBoxText(run, MB_ICONEXCLAMATION));
    EXPECT_EQ(259u, ManagerLinkIn(strFolder).size());
    EXPECT_EQ("Remoteboot Manager", ReadShortcut(ManagerLinkIn(strFolder)).strDescription);
    ::DeleteFileA(ManagerLinkIn(strFolder).c_str());
    ::RemoveDirectoryA(strFolder.c_str());
}

TEST(ShellShortcut, PathBeyondTheWideBufferIsNeverSaved)
{
    std::string strLink = "C:\\" + std::string(300, 'L') + ".lnk";
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER),
              CreateShellShortcut("C:\\windows\\rpl\\Rplmgr.exe", strLink.c_str(), "x"));
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA("C:\\LLL*", &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind) << found.cFileName;
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
}

// The batch file is held open by someone else while the installation runs.
HANDLE g_hHeldBatchFile = INVALID_HANDLE_VALUE;

// Each row spoils one part; the stop message must name it (and the administrator hint must
// appear exactly when access was denied), and the parts not spoiled must still be done.
TEST_F(InstallationTest, FailedWritesAreNamedInOneStopMessage)
{
    static const struct
    {
        const char* pszCase;
        void (*spoil)();
        const char* pszSays[3];
        bool bAccessDenied;
        void (*expectDone)();
    } rows[] = {
        { "Administrative Tools folder missing on disk",
          [] { SetShellFolder("Common Administrative Tools", "C:\\no such folder"); },
          { "Shortcut \"Remoteboot Manager\" in the common Administrative Tools folder: "
            "C:\\no such folder\\Remoteboot Manager.lnk (error 3" },
          false,
          [] { EXPECT_TRUE(FileExists(ManagerLinkIn(DesktopDir()))); ExpectServiceEntries(); } },
        { "batch file held open without sharing",
          [] { g_hHeldBatchFile = ::CreateFileA(BatchFilePath().c_str(), GENERIC_READ, 0, NULL,
                                                CREATE_ALWAYS, 0, NULL); },
          { "Batch file rplcmd.bat: C:\\windows\\system32\\rplcmd.bat (error 32" },
          false,
          [] { EXPECT_TRUE(FileExists(ManagerLinkIn(AdminToolsDir()))); ExpectServiceEntries(); } },
        { "Services key volatile: no service key can be created under it",
          [] { DeleteKey(CS001_SERVICES); CreateKey(CS001_SERVICES, true); },
          { "HKLM\\" RAMDISK ": the key could not be opened or created, so none of its values "
            "were written (error 1021",
            "HKLM\\" REMOTEBOOT ": the key could not", "HKLM\\" MORVANETH ": the key could not" },
          false,
          [] { EXPECT_EQ(0u, CountValues(CS001_SERVICES));
               EXPECT_EQ(ERROR_SUCCESS, ReadValue(CS001_LSA, "limitblankpassworduse").nError);
               EXPECT_EQ(std::string(kBatchText), ReadWholeFile(BatchFilePath())); } },
        { "RamdiskZ volatile: its Parameters cannot be created",
          [] { CreateKey(RAMDISK, true); },
          { "HKLM\\" RAMDISK "\\Parameters: the key could not be opened or created" },
          false,
          [] { EXPECT_EQ(6u, CountValues(RAMDISK));
               EXPECT_EQ(7u, CountValues(REMOTEBOOT));
               EXPECT_EQ(3u, CountValues(REMOTEBOOT "\\Parameters"));
               EXPECT_EQ(7u, CountValues(MORVANETH)); } },
        { "no administrative rights: Services and Lsa only readable",
          [] { MakeKeyReadOnly(CS001_SERVICES); MakeKeyReadOnly(CS001_LSA); },
          { "HKLM\\" RAMDISK ": the key could not be opened or created, so none of its values "
            "were written (error 5", "HKLM\\" MORVANETH ": the key could not",
            "HKLM\\" CS001_LSA ": the key could not" },
          true,
          [] { EXPECT_TRUE(FileExists(ManagerLinkIn(DesktopDir())));
               EXPECT_EQ(std::string(kBatchText), ReadWholeFile(BatchFilePath())); } },
        // (Wine still lets a subkey be created through the read-only handle, so the
        // Parameters subkey and its values are written there.)
        { "RemoteBoot key only readable",
          [] { CreateKey(REMOTEBOOT); MakeKeyReadOnly(REMOTEBOOT); },
          { "HKLM\\" REMOTEBOOT ": value \"DisplayName\" could not be written, nor 6 more of its "
            "values (error 5" },
          true,
          [] { EXPECT_EQ(0u, CountValues(REMOTEBOOT));
               EXPECT_EQ(19u, CountValues(RAMDISK "\\Parameters"));
               EXPECT_EQ(7u, CountValues(MORVANETH)); } },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row #" << i << ": " << rows[i].pszCase);
        ResetServer();
        rows[i].spoil();
        InstallRun run = Run();
        if (g_hHeldBatchFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(g_hHeldBatchFile);
        g_hHeldBatchFile = INVALID_HANDLE_VALUE;
        std::string strText = FailureText(run, rows[i].bAccessDenied);
        for (size_t n = 0; n < 3 && rows[i].pszSays[n]; ++n)
            EXPECT_TRUE(Contains(strText, rows[i].pszSays[n])) << rows[i].pszSays[n] << "\nin:\n" << strText;
        rows[i].expectDone();
    }
}

} // namespace
