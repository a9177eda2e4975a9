// tests/ui/InstallerUiTest.cpp: the real installer under Wine and Xvfb, driven as a person would.
#include <gtest/gtest.h>
#include "DialogParts.h"
#include "Footprint.h"
#include "Installer.h"
#include "OnEveryTarget.h"
#include "RealInput.h"
#include "Registry.h"
#include "Server.h"
#include "VendorInfo.h"
#include "WineTestSupport.h"

namespace {

HWND WaitForDialog(const ProgramProcess& installer, DWORD nTimeoutMs = WAIT_DEADLINE_MS)
{
    return installer.WaitForWindow(INSTALLER_DIALOG_CAPTION, nTimeoutMs);
}

// Presses Continue and answers the message box that follows; its text, or "(no box)".
std::string PressContinue(const ProgramProcess& installer, HWND hDialog)
{
    PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
    ForeignBox box = installer.AnswerMessageBox(SETUP_MESSAGE_CAPTION);
    return box.bFound ? box.strText : "(no box)";
}

// Every test starts from, and leaves, a server of the usual shape with the protocols and without
// an installation.
class InstallerUi : public testing::Test
{
protected:
    void SetUp()
    {
        TearDown();
        UrlLog::Clear();
        MovePointer(ParkingPoint());
    }
    void TearDown()
    {
        Footprint::Reset();             // while the shape a case laid still says where its files are
        EXPECT_EQ("", Server::Prepare(Server::DefaultTarget()));
        EXPECT_EQ("", Footprint::Differences(Footprint::Snapshot(), Footprint::Reset())) << "could not be removed";
    }
    static POINT ParkingPoint() { POINT pt = { 2, 2 }; return pt; }
    static std::string InstallerPath() { return WindowsPathFromHost(TestArgument(1).c_str()); }
};

// The dialog as it opens: its caption, its buttons and placeholders, and two links lying
// exactly over the placeholders, centred in the work area.
TEST_F(InstallerUi, DialogShowsItsControlsAndTwoLinks)
{
    ProgramProcess installer(InstallerPath());
    HWND hDialog = WaitForDialog(installer);
    ASSERT_TRUE(hDialog != NULL) << "the dialog did not appear";

    char szText[64];
    GetDlgItemTextA(hDialog, IDOK, szText, sizeof szText);
    EXPECT_STREQ("Continue", szText);
    GetDlgItemTextA(hDialog, IDCANCEL, szText, sizeof szText);
    EXPECT_STREQ("Cancel", szText);
    EXPECT_TRUE(GetDlgItem(hDialog, 1011) != NULL) << "the logo";

    EXPECT_EQ(2, CountChildren(hDialog, "HyperlinkWnd"));
    for (int nPlaceholder = 1012; nPlaceholder <= 1013; ++nPlaceholder)
    {
        HWND hLink = LinkOver(hDialog, nPlaceholder);
        ASSERT_TRUE(hLink != NULL) << "no link lies exactly over placeholder " << nPlaceholder;
        EXPECT_EQ(102, GetDlgCtrlID(hLink));
    }

    // The dialog paints its magenta title over its own background.
    const COLORREF crMagenta = RGB(255, 0, 255);
    EXPECT_TRUE(WaitUntil([&] { return CountScreenPixels(hDialog, crMagenta) > 40; }))
        << "no title painted: " << CountScreenPixels(hDialog, crMagenta) << " magenta pixels";

    RECT rcWork, rcDialog;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    GetWindowRect(hDialog, &rcDialog);
    EXPECT_NEAR((rcWork.left + rcWork.right) / 2, (rcDialog.left + rcDialog.right) / 2, 1);
    EXPECT_NEAR((rcWork.top + rcWork.bottom) / 2, (rcDialog.top + rcDialog.bottom) / 2, 1);
}

// The About box comes from the system menu command, disables the main dialog while it is
// open, and can be opened again with a link that still works.
TEST_F(InstallerUi, AboutBoxDisablesTheDialogAndOpensAgainWithAWorkingLink)
{
    ProgramProcess installer(InstallerPath());
    HWND hDialog = WaitForDialog(installer);
    ASSERT_TRUE(hDialog != NULL);
    for (int nShowing = 1; nShowing <= 2; ++nShowing)
    {
        SCOPED_TRACE(testing::Message() << "showing " << nShowing);
        PostMessageA(hDialog, WM_SYSCOMMAND, 0x0010, 0);
        HWND hAbout = installer.WaitForWindow(INSTALLER_ABOUT_CAPTION);
        ASSERT_TRUE(hAbout != NULL) << "the About box did not open";
        EXPECT_EQ(hDialog, GetWindow(hAbout, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(hDialog));

        HWND hLink = NULL;
        ASSERT_EQ(1, CountChildren(hAbout, "HyperlinkWnd", &hLink));
        UrlLog::Clear();
        ASSERT_TRUE(ClickOn(hLink)) << "the link is covered: " << DescribeInput(hAbout);
        std::vector<std::string> urls = UrlLog::WaitFor(1, hAbout);
        ASSERT_EQ(1u, urls.size()) << UrlLog::Describe() << "; " << DescribeInput(hAbout);
        EXPECT_EQ(VENDOR_HOME_URL, urls[0]);
        EXPECT_TRUE(IsWindowVisible(hAbout)) << "the About box closed on the click";

        PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hAbout); })) << "the About box did not close";
        EXPECT_TRUE(IsWindowEnabled(hDialog));
    }
}

// The colour is read from the screen: blue before, red under the pointer, blue after. Each
// state must come whole: some pixels of the one colour and none of the other.
TEST_F(InstallerUi, LinkTurnsRedUnderThePointerAndBlueOffIt)
{
    ProgramProcess installer(InstallerPath());
    HWND hDialog = WaitForDialog(installer);
    ASSERT_TRUE(hDialog != NULL);
    HWND hLink = NULL;
    ASSERT_EQ(2, CountChildren(hDialog, "HyperlinkWnd", &hLink));
    const COLORREF crBlue = RGB(0, 0, 255), crRed = RGB(255, 0, 0);
    auto paintedIn = [&](COLORREF crOnly, COLORREF crNone) {
        return WaitUntil([&] { return CountScreenPixels(hLink, crOnly) > 20 && CountScreenPixels(hLink, crNone) == 0; });
    };
    auto seen = [&] {
        return testing::Message() << CountScreenPixels(hLink, crBlue) << " blue and " << CountScreenPixels(hLink, crRed)
                                  << " red pixels; " << DescribeInput(hDialog);
    };
    EXPECT_TRUE(paintedIn(crBlue, crRed)) << "not blue at first: " << seen();

    ASSERT_TRUE(MovePointerOnto(hLink)) << "the link is covered: " << DescribeInput(hDialog);
    EXPECT_TRUE(paintedIn(crRed, crBlue)) << "not red under the pointer: " << seen();

    ASSERT_TRUE(MovePointerOntoCorner(hDialog)) << DescribeInput(hDialog);
    EXPECT_TRUE(paintedIn(crBlue, crRed)) << "not blue again off the link: " << seen();
}

// Each link and the logo hand their URL to the shell once and leave the dialog open.
TEST_F(InstallerUi, LinksAndLogoOpenTheirURLsAndKeepTheDialog)
{
    ProgramProcess installer(InstallerPath());
    HWND hDialog = WaitForDialog(installer);
    ASSERT_TRUE(hDialog != NULL);
    struct { const char* pszWhat; HWND hTarget; const char* pszURL; } clicks[] = {
        { "home page link", LinkOver(hDialog, 1012), VENDOR_HOME_URL },
        { "e-mail link", LinkOver(hDialog, 1013), VENDOR_MAILTO_URL },
        { "logo", GetDlgItem(hDialog, 1011), VENDOR_HOME_URL },
    };
    for (size_t i = 0; i < sizeof clicks / sizeof clicks[0]; ++i)
    {
        SCOPED_TRACE(clicks[i].pszWhat);
        UrlLog::Clear();
        ASSERT_TRUE(ClickOn(clicks[i].hTarget)) << "covered: " << DescribeInput(hDialog);
        std::vector<std::string> urls = UrlLog::WaitFor(1, hDialog);
        ASSERT_EQ(1u, urls.size()) << UrlLog::Describe() << "; " << DescribeInput(hDialog);
        EXPECT_EQ(clicks[i].pszURL, urls[0]);
        EXPECT_TRUE(IsWindowVisible(hDialog));
        ASSERT_TRUE(MovePointerOntoCorner(hDialog)) << DescribeInput(hDialog);
    }
}

class InstallerUiOnTarget : public InstallerUi, public testing::WithParamInterface<Server::Target> {};

// Continue on each target Windows' shape, which Wine reports to the installer, installs
// completely, shows the success message and ends the program.
TEST_P(InstallerUiOnTarget, ContinueInstallsAndEnds)
{
    ASSERT_EQ("", Server::LayShape(GetParam()));
    ProgramProcess installer(InstallerPath());
    HWND hDialog = WaitForDialog(installer);
    ASSERT_TRUE(hDialog != NULL);
    EXPECT_EQ(INSTALL_SUCCESS_TEXT, PressContinue(installer, hDialog));
    EXPECT_EQ(0, installer.WaitForExit());
    EXPECT_EQ("", Footprint::Check(Footprint::Expected()));
}

INSTANTIATE_ON_EVERY_TARGET(InstallerUiOnTarget);

// Once the dialog has painted it loads shell32, the home of the shortcuts' link object, with
// nothing pressed; Continue then installs with the DLL mapped, and the program still ends
// cleanly after freeing it. (ContinueInstallsAndEnds presses Continue as soon as the dialog
// shows, usually before its first paint: the load then comes after COM's.)
TEST_F(InstallerUi, ShellLoadedBeforeContinueServesTheInstallation)
{
    ProgramProcess installer(InstallerPath());
    HWND hDialog = WaitForDialog(installer);
    ASSERT_TRUE(hDialog != NULL);
    std::vector<std::string> modules;
    bool bLoaded = WaitUntil([&] {
        modules = installer.ModuleNames();
        for (size_t i = 0; i < modules.size(); ++i)
            if (lstrcmpiA(modules[i].c_str(), "shell32.dll") == 0)
                return true;
        return false;
    });
    std::string strModules;
    for (size_t i = 0; i < modules.size(); ++i)
        strModules += (i == 0 ? "" : ", ") + modules[i];
    ASSERT_TRUE(bLoaded) << "no shell32.dll while the dialog waits; mapped: " << strModules;

    EXPECT_EQ(INSTALL_SUCCESS_TEXT, PressContinue(installer, hDialog));
    EXPECT_EQ(0, installer.WaitForExit());
    EXPECT_EQ("", Footprint::Check(Footprint::Expected()));
}

// A missing protocol is reported, nothing is written, and the dialog stays open and usable.
TEST_F(InstallerUi, MissingProtocolKeepsTheDialogUsable)
{
    ASSERT_EQ(ERROR_SUCCESS, DeleteKey(Server::ProtocolKeys[2]));      // TearDown puts it back
    ProgramProcess installer(InstallerPath());
    HWND hDialog = WaitForDialog(installer);
    ASSERT_TRUE(hDialog != NULL);
    EXPECT_EQ("Please install NetBEUI Protocol before installing Remoteboot.", PressContinue(installer, hDialog));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(hDialog); })) << "the dialog stays disabled";
    EXPECT_TRUE(IsWindowVisible(hDialog));
    EXPECT_EQ("", Footprint::Check(Footprint::Snapshot()));

    // Still usable: the About box opens and closes, and the program goes on running.
    PostMessageA(hDialog, WM_SYSCOMMAND, 0x0010, 0);
    HWND hAbout = installer.WaitForWindow(INSTALLER_ABOUT_CAPTION);
    ASSERT_TRUE(hAbout != NULL);
    PostMessageA(hAbout, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hAbout); })) << "the About box did not close";
    EXPECT_EQ(-1, installer.WaitForExit(0)) << "the program ended";
    EXPECT_TRUE(IsWindowVisible(hDialog));
}

// Cancel, Esc and the close box end the program with exit code 0 and change nothing.
TEST_F(InstallerUi, CancelEscAndCloseBoxChangeNothing)
{
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(DismissWays[i]);
        ProgramProcess installer(InstallerPath());
        HWND hDialog = WaitForDialog(installer);
        ASSERT_TRUE(hDialog != NULL);
        EXPECT_EQ("", Dismiss(hDialog, i));
        EXPECT_EQ(0, installer.WaitForExit());
        EXPECT_EQ("", Footprint::Check(Footprint::Snapshot()));
    }
}

// A copy with one byte changed says it is damaged and ends without showing the dialog.
TEST_F(InstallerUi, DamagedCopyIsRefused)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    std::string strCopy = std::string(szTemp) + "Brantovell-damaged.exe";
    ASSERT_TRUE(CopyFileA(InstallerPath().c_str(), strCopy.c_str(), FALSE));
    HANDLE hFile = CreateFileA(strCopy.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    DWORD nSize = GetFileSize(hFile, NULL);
    SetFilePointer(hFile, nSize / 2, NULL, FILE_BEGIN);
    BYTE b = 0;
    DWORD n = 0;
    ReadFile(hFile, &b, 1, &n, NULL);
    b ^= 0x01;
    SetFilePointer(hFile, nSize / 2, NULL, FILE_BEGIN);
    WriteFile(hFile, &b, 1, &n, NULL);
    CloseHandle(hFile);

    {
        ProgramProcess damaged(strCopy);
        ASSERT_TRUE(damaged.WaitForWindow(SETUP_MESSAGE_CAPTION) != NULL);
        EXPECT_TRUE(WaitForDialog(damaged, 0) == NULL) << "the dialog is shown beside the message";
        ForeignBox box = damaged.AnswerMessageBox(SETUP_MESSAGE_CAPTION);
        EXPECT_NE(std::string::npos, box.strText.find("damaged")) << box.strText;
        // Watched until the program has ended: the dialog must not show on its way out.
        bool bDialogSeen = false;
        EXPECT_TRUE(damaged.WaitForExitWithout(INSTALLER_DIALOG_CAPTION, bDialogSeen)) << "the program did not end";
        EXPECT_FALSE(bDialogSeen) << "the dialog was shown";
        EXPECT_EQ(0, damaged.WaitForExit(0));
    }
    EXPECT_EQ("", Footprint::Check(Footprint::Snapshot()));
    DeleteFileA(strCopy.c_str());
}

} // namespace
