// tests/core/InstallationTest.cpp: complete installations, repeated ones, and the checks that stop a run before any change.
#include "CoreTestSupport.h"
#include <shlwapi.h>
#include <algorithm>

namespace {

const char kManagerTarget[] = "C:\\windows\\rpl\\Rplmgr.exe";

void ExpectManagerShortcuts(const std::string& strTarget)
{
    const std::string dirs[] = { AdminToolsDir(), DesktopDir() };
    for (size_t i = 0; i < 2; ++i)
    {
        Shortcut shortcut = ReadShortcut(ManagerLinkIn(dirs[i]));
        ASSERT_HRESULT_SUCCEEDED(shortcut.hr) << dirs[i];
        EXPECT_EQ(strTarget, shortcut.strTarget) << dirs[i];
        EXPECT_EQ("Remoteboot Manager", shortcut.strDescription) << dirs[i];
    }
}

TEST_F(InstallationTest, WritesEveryPartThenReportsSuccessOnce)
{
    InstallRun run = Run();
    EXPECT_TRUE(run.bResult);
    EXPECT_EQ(kSuccessText, OneBoxText(run, MB_ICONEXCLAMATION));
    ExpectServiceEntries();
    ExpectNoStrayValues();
    ExpectManagerShortcuts(kManagerTarget);
    EXPECT_EQ(ReadWholeFile(PreparedShortcutPath()), ReadWholeFile(DesktopDir() + "\\Rezozire98.lnk"));
    EXPECT_EQ(std::string(kBatchText), ReadWholeFile(BatchFilePath()));
    EXPECT_EQ(34u, ReadWholeFile(BatchFilePath()).size());
}

// A second run rewrites its own data and nothing else: listed values changed by hand are set
// back, a value added by hand stays, the batch file loses the tail of a longer one, and the
// desktop copy of Rezozire98.lnk is not replaced.
TEST_F(InstallationTest, SecondRunRestoresItsDataAndKeepsTheRest)
{
    ASSERT_TRUE(Run().bResult);
    SetValue(RAMDISK, "Start", REG_DWORD, std::string("\4\0\0\0", 4));
    SetValue(REMOTEBOOT "\\Parameters", "Directory", REG_EXPAND_SZ, std::string("c:\\other\0", 9));
    SetValue(MORVANETH, "AddedByHand", REG_SZ, std::string("kept\0", 5));
    WriteWholeFile(BatchFilePath(), std::string(100, 'x'));
    WriteWholeFile(DesktopDir() + "\\Rezozire98.lnk", "made by hand");

    InstallRun run = Run();
    EXPECT_TRUE(run.bResult);
    EXPECT_EQ(kSuccessText, OneBoxText(run, MB_ICONEXCLAMATION));
    ExpectServiceEntries();
    EXPECT_EQ(std::string("kept\0", 5), ReadValue(MORVANETH, "AddedByHand").strData);
    ExpectManagerShortcuts(kManagerTarget);
    EXPECT_EQ(std::string(kBatchText), ReadWholeFile(BatchFilePath()));
    EXPECT_EQ("made by hand", ReadWholeFile(DesktopDir() + "\\Rezozire98.lnk"));
}

TEST_F(InstallationTest, MissingProtocolStopsAtTheFirstInOrderBeforeAnyChange)
{
    static const char kDlc[] = "Please install Microsoft DLC before installing Remoteboot.";
    static const char kIpx[] = "Please install NWLink IPX/SPX/NetBios Compatible Transort Protocol "
                               "before installing Remoteboot.";
    static const char kNbf[] = "Please install NetBEUI Protocol before installing Remoteboot.";
    static const struct { const char* pszMissing[3]; const char* pszMessage; } rows[] = {
        { { "DLC" }, kDlc },
        { { "DLC", "NWlnkIPX", "Nbf" }, kDlc },
        { { "NWlnkIPX" }, kIpx },
        { { "NWlnkIPX", "Nbf" }, kIpx },
        { { "Nbf" }, kNbf },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row #" << i);
        ResetServer();
        for (size_t n = 0; n < 3 && rows[i].pszMissing[n]; ++n)
            DeleteKey(std::string("SYSTEM\\CurrentControlSet\\Services\\") + rows[i].pszMissing[n]);
        InstallRun run = Run();
        EXPECT_FALSE(run.bResult);
        EXPECT_EQ(rows[i].pszMessage, OneBoxText(run, MB_ICONHAND));
        ExpectNothingInstalled();
    }
}

// Runs the second test program, which calls RunInstallation once, and returns what it printed.
// With bWin98, Wine reports Windows 98 to that program (and to it alone).
std::string RunChild(bool bWin98)
{
    std::string strExe = WindowsPathFromHost(TestArgument(1).c_str());
    std::string strAppKey = "Software\\Wine\\AppDefaults\\" + strExe.substr(strExe.rfind('\\') + 1);
    HKEY hKey;
    if (bWin98 && ::RegCreateKeyA(HKEY_CURRENT_USER, strAppKey.c_str(), &hKey) == ERROR_SUCCESS)
    {
        ::RegSetValueExA(hKey, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
        ::RegCloseKey(hKey);
    }
    SECURITY_ATTRIBUTES sa = { sizeof sa, NULL, TRUE };
    HANDLE hRead, hWrite;
    ::CreatePipe(&hRead, &hWrite, &sa, 0);
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = hWrite;
    PROCESS_INFORMATION pi;
    std::string strCommand = "\"" + strExe + "\"";
    std::string strOutput;
    if (::CreateProcessA(NULL, &strCommand[0], NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi))
    {
        if (::WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0)
            ::TerminateProcess(pi.hProcess, 99);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    ::CloseHandle(hWrite);
    char buffer[4096];
    DWORD nRead;
    while (::ReadFile(hRead, buffer, sizeof buffer, &nRead, NULL) && nRead > 0)
        strOutput.append(buffer, nRead);
    ::CloseHandle(hRead);
    ::SHDeleteKeyA(HKEY_CURRENT_USER, strAppKey.c_str());
    strOutput.erase(std::remove(strOutput.begin(), strOutput.end(), '\r'), strOutput.end());
    return strOutput;
}

// On Windows 98 (as Wine reports it to the child) the platform message is the only one, even
// with DLC missing; the first row shows the same child reaching the DLC check on NT.
TEST_F(InstallationTest, NonNtPlatformStopsBeforeTheProtocolChecks)
{
    static const char kDlcStop[] = "platform 2\nbox 16 Setup Message|Please install Microsoft DLC "
                                   "before installing Remoteboot.\nresult 0\n";
    static const char kPlatformStop[] = "platform 1\nbox 16 Setup Message|This program can only "
                                        "run under Windows 2003, 2000, XP or NT server!\nresult 0\n";
    static const struct { bool bWin98, bRemoveDlc; const char* pszOutput; } rows[] = {
        { false, true, kDlcStop },
        { true, false, kPlatformStop },
        { true, true, kPlatformStop },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row #" << i);
        ResetServer();
        if (rows[i].bRemoveDlc)
            DeleteKey("SYSTEM\\CurrentControlSet\\Services\\DLC");
        EXPECT_EQ(rows[i].pszOutput, RunChild(rows[i].bWin98));
        ExpectNothingInstalled();
    }
}

// Every path starts with windir; the driver's "\??\" + windir + "\system32\drivers\ramdiskZ.sys"
// is the longest and allows 225 characters in a 260-byte buffer.
TEST_F(InstallationTest, UnsetOrOverlongWindirStopsBeforeAnyChange)
{
    std::string strTooLong = "C:\\" + std::string(223, 'w');
    static const struct { const char* pszWindir; const char* pszSays; } rows[] = {
        { NULL, "windir is not set" },
        { strTooLong.c_str(), "226 characters long; Setup can use one of at most 225" },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row #" << i);
        InstallRun run;
        {
            ScopedEnv windir("windir", rows[i].pszWindir);
            run = Run();
        }
        EXPECT_FALSE(run.bResult);
        std::string strText = OneBoxText(run, MB_ICONHAND);
        EXPECT_NE(std::string::npos, strText.find(rows[i].pszSays)) << strText;
        EXPECT_NE(std::string::npos, strText.find("Nothing has been changed.")) << strText;
        ExpectNothingInstalled();
    }
}

TEST_F(InstallationTest, LongestUsableWindirIsWrittenWhole)
{
    std::string strWindir = "C:\\" + std::string(222, 'w');
    InstallRun run;
    {
        ScopedEnv windir("windir", strWindir.c_str());
        run = Run();
    }
    EXPECT_TRUE(run.bResult);
    EXPECT_EQ(kSuccessText, OneBoxText(run, MB_ICONEXCLAMATION));
    RegValue image = ReadValue(RAMDISK, "ImagePath");
    EXPECT_EQ(260u, image.nBytes);
    EXPECT_EQ("\\??\\" + strWindir + "\\system32\\drivers\\ramdiskZ.sys" + '\0', image.strData);
    RegValue load = ReadValue(RAMDISK "\\Parameters", "LoadImageFile");
    EXPECT_EQ(251u, load.nBytes);
    EXPECT_EQ("\\??\\" + strWindir + "\\system32\\rpldskz.img" + '\0', load.strData);
    ExpectManagerShortcuts(strWindir + "\\rpl\\Rplmgr.exe");
}

// What the installation leaves alone on purpose still counts as success.
TEST_F(InstallationTest, LeavesAloneWhatItShould)
{
    static const struct { const char* pszCase; void (*prepare)(); bool (*holds)(); } rows[] = {
        { "no prepared shortcut: nothing to copy",
          [] { ::DeleteFileA(PreparedShortcutPath().c_str()); },
          [] { return !FileExists(DesktopDir() + "\\Rezozire98.lnk"); } },
        { "no Lsa key: not created",
          [] { DeleteKey(CS001_LSA); },
          [] { return !KeyExists(CS001_LSA); } },
        { "current control set 2: entries still in ControlSet001 only",
          [] { SetValue("SYSTEM\\Select", "Current", REG_DWORD, std::string("\2\0\0\0", 4));
               CreateKey("SYSTEM\\ControlSet002\\Services"); },
          [] { return KeyExists(RAMDISK) && !KeyExists("SYSTEM\\ControlSet002\\Services\\RamdiskZ")
                      && !KeyExists("SYSTEM\\CurrentControlSet\\Services\\RamdiskZ"); } },
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row #" << i << ": " << rows[i].pszCase);
        ResetServer();
        rows[i].prepare();
        InstallRun run = Run();
        EXPECT_TRUE(run.bResult);
        EXPECT_EQ(kSuccessText, OneBoxText(run, MB_ICONEXCLAMATION));
        EXPECT_TRUE(rows[i].holds());
        ExpectManagerShortcuts(kManagerTarget);
    }
}

} // namespace
