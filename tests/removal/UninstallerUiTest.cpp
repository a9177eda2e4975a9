// tests/removal/UninstallerUiTest.cpp: the real Uninstall.exe under Wine and Xvfb, driven as an administrator would.
#include "RemovalTestSupport.h"
#include <shlwapi.h>
#include "RealInput.h"

namespace {

const char* const s_itemNames[] = {
    "Service entry MorvanethService", "Service entry RemoteBoot", "Service entry RamdiskZ",
    "Lsa value limitblankpassworduse", "Shortcut \"Remoteboot Manager\" in the common Administrative Tools folder",
    "Shortcut \"Remoteboot Manager\" on the common desktop", "Copy of Rezozire98.lnk on the common desktop",
    "Batch file rplcmd.bat" };

// The text of a control of another program's dialog, read with a deadline.
std::string ControlText(HWND hDialog, int nId)
{
    char szText[8192] = "";
    DWORD_PTR nIgnored = 0;
    ::SendMessageTimeoutA(::GetDlgItem(hDialog, nId), WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText),
                          SMTO_NORMAL, WAIT_DEADLINE_MS, &nIgnored);
    return szText;
}

// Every item is listed in the dialog, each with this state.
void ExpectEveryItem(HWND hDialog, const char* pszState)
{
    const std::string strItems = ControlText(hDialog, UNINSTALL_ITEMS_ID);
    for (const char* pszName : s_itemNames)
        EXPECT_NE(std::string::npos, strItems.find(std::string(pszName) + ": " + pszState + "\r\n"))
            << pszName << ": " << pszState << "\nin:\n" << strItems;
}

// The cases run on the server's usual shape; UninstallerUiOnTarget's on each target's shape.
class UninstallerUi : public RemovalTest
{
protected:
    static std::string UninstallPath() { return WindowsPathFromHost(TestArgument(2).c_str()); }
    static HWND WaitForDialog(const ProgramProcess& program, DWORD nTimeoutMs = WAIT_DEADLINE_MS)
    {
        return program.WaitForWindow(UNINSTALL_DIALOG_CAPTION, nTimeoutMs);
    }
};

// The dialog lists every item as found, and Cancel, Esc and the close box end the program
// with exit code 0 and change nothing.
TEST_P(UninstallerUi, ListsWhatItFoundAndCancelEscAndCloseBoxChangeNothing)
{
    Install();
    const Footprint::Snapshot installed = Footprint::Take();
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(DismissWays[i]);
        ProgramProcess uninstall(UninstallPath());
        HWND hDialog = WaitForDialog(uninstall);
        ASSERT_TRUE(hDialog != NULL) << uninstall.DescribeWindows();
        ExpectEveryItem(hDialog, "found as the installer writes it");
        EXPECT_EQ("Remove deletes the 8 items found as the installer writes them.",
                  ControlText(hDialog, UNINSTALL_SUMMARY_ID));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hDialog, IDOK)));
        EXPECT_EQ("", Dismiss(hDialog, i));
        EXPECT_EQ(0, uninstall.WaitForExit());
        EXPECT_EQ("", Footprint::Differences(installed, Footprint::Take()));
    }
}

class UninstallerUiOnTarget : public UninstallerUi {};

// Remove takes everything, says so in one message and ends the program, the Lsa value back as
// the Windows that Wine reports to the program ships it; run again, it finds nothing, says so,
// offers no Remove, and changes nothing.
TEST_P(UninstallerUiOnTarget, RemoveTakesEverythingAndASecondRunFindsNothing)
{
    Install();
    {
        ProgramProcess uninstall(UninstallPath());
        HWND hDialog = WaitForDialog(uninstall);
        ASSERT_TRUE(hDialog != NULL) << uninstall.DescribeWindows();
        PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
        ForeignBox box = uninstall.AnswerMessageBox(SETUP_MESSAGE_CAPTION);
        ASSERT_TRUE(box.bFound) << uninstall.DescribeWindows();
        EXPECT_EQ(0u, box.strText.find("Removed:\n")) << box.strText;
        EXPECT_EQ(0, uninstall.WaitForExit());
    }
    EXPECT_EQ("", Footprint::Check(Footprint::Snapshot()));

    const Footprint::Snapshot nothing = Footprint::Take();
    ProgramProcess again(UninstallPath());
    HWND hDialog = WaitForDialog(again);
    ASSERT_TRUE(hDialog != NULL) << again.DescribeWindows();
    ExpectEveryItem(hDialog, "not there");
    EXPECT_EQ("Nothing of an installation was found on this server: there is nothing to remove.",
              ControlText(hDialog, UNINSTALL_SUMMARY_ID));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDialog, IDOK)));
    PostMessageA(hDialog, WM_COMMAND, IDOK, 0);         // as Enter would: nothing happens
    ASSERT_TRUE(Answers(hDialog, WAIT_DEADLINE_MS));
    EXPECT_TRUE(IsWindowVisible(hDialog)) << "a disabled Remove ended the dialog";
    EXPECT_TRUE(FindTopWindow(again.Id(), SETUP_MESSAGE_CAPTION) == NULL) << "a disabled Remove showed a message";
    PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(0, again.WaitForExit());
    EXPECT_EQ("", Footprint::Differences(nothing, Footprint::Take()));
}

// While a service takes its time to stop, the dialog still answers, and Esc does not end it;
// once the service has stopped, the removal goes on and asks for a reboot.
TEST_P(UninstallerUi, DialogAnswersWhileAServiceStops)
{
    Install();
    ASSERT_EQ("", StartTestService("MorvanethService", TestServicePath(), "hold"));
    ProgramProcess uninstall(UninstallPath());
    HWND hDialog = WaitForDialog(uninstall);
    ASSERT_TRUE(hDialog != NULL) << uninstall.DescribeWindows();
    PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([] { return ServiceState("MorvanethService") == SERVICE_STOP_PENDING; }))
        << "the service was not asked to stop; its state is " << ServiceState("MorvanethService");

    EXPECT_TRUE(Answers(hDialog, 5000)) << "the dialog does not answer while the service stops";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDialog, IDOK)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hDialog, IDCANCEL)));
    PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Answers(hDialog, 5000));
    EXPECT_TRUE(IsWindowVisible(hDialog)) << "Esc ended the dialog during the removal";

    ReleaseHeldServices(true);
    ForeignBox box = uninstall.AnswerMessageBox(SETUP_MESSAGE_CAPTION);
    ASSERT_TRUE(box.bFound) << uninstall.DescribeWindows();
    EXPECT_NE(std::string::npos, box.strText.find("MorvanethService): stopped and deleted through the service control "
                                                  "manager")) << box.strText;
    EXPECT_NE(std::string::npos, box.strText.find("Please reboot the server")) << box.strText;
    EXPECT_EQ(0, uninstall.WaitForExit());
    EXPECT_TRUE(WaitUntil([] { return ServiceState("MorvanethService") == 0; }));
    EXPECT_EQ("", Footprint::Check(Footprint::Snapshot()));
}

// The installer's checks come first: a damaged copy and Windows 98 (as Wine reports it to the
// program alone) each end the program after their message, without the dialog, changing nothing.
TEST_P(UninstallerUi, DamagedCopyAndWindows98AreRefusedBeforeTheDialog)
{
    Install();
    const Footprint::Snapshot installed = Footprint::Take();
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    const std::string strDamaged = std::string(szTemp) + "Uninstall-damaged.exe";
    const std::string strWin98 = std::string(szTemp) + "Uninstall-win98.exe";
    ASSERT_TRUE(CopyFileA(UninstallPath().c_str(), strDamaged.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(UninstallPath().c_str(), strWin98.c_str(), FALSE));
    {
        std::fstream file(strDamaged, std::ios::in | std::ios::out | std::ios::binary);
        file.seekg(0, std::ios::end);
        const std::streamoff nMiddle = file.tellg() / 2;
        file.seekg(nMiddle);
        char c = 0;
        file.get(c);
        file.seekp(nMiddle);
        file.put(static_cast<char>(c ^ 1));
    }
    const std::string strAppKey = "Software\\Wine\\AppDefaults\\Uninstall-win98.exe";
    ASSERT_EQ(ERROR_SUCCESS, ::SHSetValueA(HKEY_CURRENT_USER, strAppKey.c_str(), "Version", REG_SZ, "win98", 6));
    const struct { std::string strPath; const char* pszSays; } rows[] = {
        { strDamaged, "damaged" },
        { strWin98, "This program can only run under Windows 2003, 2000, XP or NT server!" },
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.strPath);
        ProgramProcess refused(row.strPath);
        ASSERT_TRUE(refused.WaitForWindow(SETUP_MESSAGE_CAPTION) != NULL) << refused.DescribeWindows();
        EXPECT_TRUE(WaitForDialog(refused, 0) == NULL) << "the dialog is shown beside the message";
        ForeignBox box = refused.AnswerMessageBox(SETUP_MESSAGE_CAPTION);
        EXPECT_NE(std::string::npos, box.strText.find(row.pszSays)) << box.strText;
        bool bDialogSeen = false;
        EXPECT_TRUE(refused.WaitForExitWithout(UNINSTALL_DIALOG_CAPTION, bDialogSeen)) << "the program did not end";
        EXPECT_FALSE(bDialogSeen) << "the dialog was shown";
    }
    ::SHDeleteKeyA(HKEY_CURRENT_USER, strAppKey.c_str());
    EXPECT_EQ("", Footprint::Differences(installed, Footprint::Take()));
    DeleteFileA(strDamaged.c_str());
    DeleteFileA(strWin98.c_str());
}

INSTANTIATE_ON_THE_USUAL_SHAPE(UninstallerUi);
INSTANTIATE_ON_EVERY_TARGET(UninstallerUiOnTarget);

} // namespace
