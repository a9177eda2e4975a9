// tests/core/FailureReportTest.cpp: what cannot be done is named in one stop message, and the rest is still done.
// (The message box catcher reads 1023 characters, so each case keeps its list within that.)
#include "CoreTestSupport.h"

namespace {

// No shortcut where the folder is not known: not in the other folder, nor at the drive's root.
void ExpectNoStrayShortcut()
{
    for (const std::string& strStray : { Footprint::ManagerShortcutIn(""), Footprint::ManagerShortcutIn("C:"),
                                         std::string("\\Rezozire98.lnk"),
                                         std::string("C:\\Rezozire98.lnk"), AdminToolsDir() + "\\Rezozire98.lnk" })
    {
        EXPECT_FALSE(FileExists(strStray)) << strStray;
        ::DeleteFileA(strStray.c_str());        // so that a fault shows in this case alone
    }
}

// A desktop path too long to read, the batch file held open, a Parameters key that cannot be
// created (none of its values go into its service's key instead).
TEST_F(InstallationTest, FailedWritesAreNamedInOneStopMessage)
{
    SetShellFolder("Common Desktop", "C:\\" + std::string(300, 'f'));
    HANDLE hHeld = ::CreateFileA(Footprint::BatchFile().c_str(), GENERIC_READ, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_EQ(ERROR_SUCCESS, CreateKey(RAMDISK, true));     // volatile: no lasting subkey under it
    const bool bInstalled = Run();
    ::CloseHandle(hHeld);
    ExpectStopMessage(bInstalled, false, {
        "Shortcut \"Remoteboot Manager\" on the common desktop: the folder's location could not be read",
        "Copy of Rezozire98.lnk to the common desktop",
        "Batch file rplcmd.bat: C:\\windows\\system32\\rplcmd.bat (error 32",
        "HKLM\\" RAMDISK "\\Parameters: the key could not be opened or created, so none of its values were "
        "written (error 1021" });
    EXPECT_TRUE(FileExists(Footprint::ManagerShortcutIn(AdminToolsDir())));
    EXPECT_FALSE(FileExists(Footprint::ManagerShortcutIn(DesktopDir())));
    ExpectNoStrayShortcut();
    EXPECT_EQ(6u, CountValues(RAMDISK));
    EXPECT_EQ(DwordBytes(0), ReadValue(CS001_LSA, "limitblankpassworduse"));
}

// Access denied, to a key and to values, adds the administrator hint. A shortcut that cannot be
// saved is named with its path; an empty desktop path is no folder.
TEST_F(InstallationTest, AccessDeniedAsksForAnAdministrator)
{
    SetShellFolder("Common Administrative Tools", "C:\\no such folder");
    SetShellFolder("Common Desktop", "");
    ASSERT_EQ(ERROR_SUCCESS, CreateKey(REMOTEBOOT));
    MakeKeyReadOnly(REMOTEBOOT);            // Wine still lets its Parameters subkey be created
    MakeKeyReadOnly(CS001_LSA);
    ExpectStopMessage(Run(), true, {
        "Shortcut \"Remoteboot Manager\" in the common Administrative Tools folder: "
        "C:\\no such folder\\Remoteboot Manager.lnk (error 3",
        "Shortcut \"Remoteboot Manager\" on the common desktop: the folder's location could not be read",
        "HKLM\\" REMOTEBOOT ": value \"DisplayName\" could not be written, nor 6 more of its values (error 5",
        "HKLM\\" CS001_LSA ": the key could not be opened or created, so none of its values were written (error 5" });
    ExpectNoStrayShortcut();
    EXPECT_EQ(0u, CountValues(REMOTEBOOT));
    EXPECT_EQ(7u, CountValues(MORVANETH));
    EXPECT_EQ(Footprint::Expected()[Footprint::BatchFile()], Footprint::FileOf(Footprint::BatchFile()));
}

} // namespace
