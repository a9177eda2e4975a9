// tests/removal/RemovalTest.cpp: the removal run for real against the test prefix: what goes, what stays, what is said.
#include "RemovalTestSupport.h"
#include <functional>
#include <shlwapi.h>

namespace {

// The cases of Removal run on the server's usual shape: the service manager, the registry's
// access checks and the survey's comparisons are the same on every target. RemovalOnTarget's
// depend on the target Windows (where its shortcuts lie, what Lsa value it ships) and run on
// each target's shape.
class Removal : public RemovalTest
{
protected:
    // A change made by hand to a fresh installation, and what the survey must then say of the
    // item it touches (its index in the survey's order): every other item stays as installed.
    struct Change
    {
        const char* pszChange;
        std::function<void()> change;
        int nItem;
        RemovalState state;
        std::string strWhy;
    };
    enum { MORVANETH_ITEM, REMOTEBOOT_ITEM, RAMDISK_ITEM, LSA_ITEM, ADMIN_LINK_ITEM, DESKTOP_LINK_ITEM, COPY_ITEM,
           BATCH_ITEM };

    void ExpectSurveyTellsEach(std::initializer_list<Change> changes)
    {
        for (const Change& row : changes)
        {
            SCOPED_TRACE(row.pszChange);
            ResetServer();
            ASSERT_EQ("", Server::LayShape(GetParam()));
            Install();
            row.change();
            const RemovalSurvey survey = Survey();
            for (int i = 0; i < RemovalSurvey::ITEM_COUNT; ++i)
            {
                const RemovalItem& item = survey.items[i];
                EXPECT_EQ(i == row.nItem ? row.state : STATE_AS_INSTALLED, item.state)
                    << item.szName << ": " << item.szWhy;
                EXPECT_EQ(i == row.nItem ? row.strWhy : "", item.szWhy) << item.szName;
            }
        }
    }
};

class RemovalOnTarget : public Removal {};

// Install, then remove: the survey finds every item as the installer writes it, the removal
// takes all of them and says so, and nothing of the installation is left (the Lsa value is as
// that Windows ships it); nothing around it changed, and a second removal finds nothing, says
// so and changes nothing.
TEST_P(RemovalOnTarget, InstallThenRemoveLeavesNothingAndASecondRemovalFindsNothing)
{
    const Footprint::Snapshot before = Footprint::Surroundings();
    Install();
    // What Windows adds under a loaded service's key (Plug and Play's Enum, the service
    // manager's Security) is no change, and goes with the entry.
    ASSERT_EQ(ERROR_SUCCESS, CreateKey(RAMDISK "\\Enum\\Root"));
    ASSERT_EQ(ERROR_SUCCESS, CreateKey(MORVANETH "\\Security"));
    RemovalSurvey survey = Survey();
    for (const RemovalItem& item : survey.items)
        EXPECT_EQ(STATE_AS_INSTALLED, item.state) << item.szName << ": " << item.szWhy;

    const std::string strText = Remove(MB_ICONEXCLAMATION);
    EXPECT_EQ(0u, strText.find("Removed:\n")) << strText;
    for (const RemovalItem& item : survey.items)
        EXPECT_NE(std::string::npos, strText.find(std::string("- ") + item.szName + " (" + item.szPlace + "): "))
            << item.szName << " in:\n" << strText;
    for (const char* pszNot : { "Left in place", "Could not be removed", "Please reboot" })
        EXPECT_EQ(std::string::npos, strText.find(pszNot)) << pszNot << " in:\n" << strText;
    EXPECT_EQ("", Footprint::Check(Footprint::Snapshot()));
    EXPECT_EQ("", Footprint::Differences(before, Footprint::Surroundings())) << "touched outside the installation";

    const Footprint::Snapshot after = Footprint::Take();
    for (const RemovalItem& item : Survey().items)
        EXPECT_EQ(STATE_ABSENT, item.state) << item.szName << ": " << item.szWhy;
    EXPECT_EQ(g_szNothingFound, Remove(MB_ICONEXCLAMATION));
    EXPECT_EQ("", Footprint::Differences(after, Footprint::Take()));
}

// The survey tells each kind of change from an installation as the installer writes it, and
// says what differs.
TEST_P(Removal, SurveyTellsEachKindOfChange)
{
    const std::string strDesktopLink = Footprint::ManagerShortcutIn(Server::CommonFolder(GetParam(), "Common Desktop"));
    ExpectSurveyTellsEach({
        { "a value edited", [] { SetValue(RAMDISK, "Start", REG_DWORD, DwordBytes(4)); }, RAMDISK_ITEM,
          STATE_CHANGED, "HKLM\\" RAMDISK ": value \"Start\" is not what the installer wrote" },
        { "a value of another type", [] { SetValue(MORVANETH, "Type", REG_SZ, std::string("16\0", 3)); },
          MORVANETH_ITEM, STATE_CHANGED, "HKLM\\" MORVANETH ": value \"Type\" is not what the installer wrote" },
        { "a value deleted", [] { ::SHDeleteValueA(HKEY_LOCAL_MACHINE, REMOTEBOOT, "DependOnService"); },
          REMOTEBOOT_ITEM, STATE_CHANGED, "HKLM\\" REMOTEBOOT ": value \"DependOnService\" is missing" },
        { "a value added", [] { SetValue(RAMDISK_PARAMETERS, "Extra", REG_DWORD, DwordBytes(1)); }, RAMDISK_ITEM,
          STATE_CHANGED, "HKLM\\" RAMDISK_PARAMETERS ": it holds values that the installer does not write" },
        { "a subkey added", [] { CreateKey(MORVANETH "\\Extra"); }, MORVANETH_ITEM, STATE_CHANGED,
          "HKLM\\" MORVANETH ": it has a subkey \"Extra\" that the installer does not write" },
        { "Parameters deleted", [] { DeleteKey(REMOTEBOOT_PARAMETERS); }, REMOTEBOOT_ITEM, STATE_CHANGED,
          "HKLM\\" REMOTEBOOT_PARAMETERS ": the key is missing" },
        { "a shortcut that is no link", [&] { std::ofstream(strDesktopLink, std::ios::binary) << "no link"; },
          DESKTOP_LINK_ITEM, STATE_CHANGED, "it is not a shortcut that can be read" },
        { "the prepared shortcut gone", [] { ::MoveFileA(PREPARED_LINK, PREPARED_LINK ".away"); }, COPY_ITEM,
          STATE_CHANGED, "the prepared shortcut " PREPARED_LINK " is not there to compare it with" },
        { "a line added to the batch file",
          [] { std::ofstream(Footprint::BatchFile(), std::ios::binary | std::ios::app) << "rem more\r\n"; },
          BATCH_ITEM, STATE_AS_INSTALLED, "" },
    });
}

// The Lsa value is judged against what that Windows ships: at 1 it counts as not there only
// where that Windows ships it so, and a string is a change everywhere.
TEST_P(RemovalOnTarget, SurveyJudgesTheLsaValueByWhatThatWindowsShips)
{
    const Server::Target& target = GetParam();
    ExpectSurveyTellsEach({
        { "the Lsa value as a string", [] { SetValue(CS001_LSA, LSA_VALUE, REG_SZ, std::string("0\0", 2)); }, LSA_ITEM,
          STATE_CHANGED, "it is not the DWORD the installer writes" },
        { "the Lsa value at 1", [] { SetValue(CS001_LSA, LSA_VALUE, REG_DWORD, DwordBytes(1)); }, LSA_ITEM,
          target.nLsaDefault == 1 ? STATE_ABSENT : STATE_CHANGED,
          target.nLsaDefault == 1 ? "" : "it holds 1, not the installer's 0" },
    });
}

// Each item changed by hand after the installation stays exactly as it is, and the closing
// message names it with what is not the installer's; the items left as installed go.
TEST_P(RemovalOnTarget, ItemsChangedByHandSurviveAndAreNamed)
{
    Install();
    const std::string strAdminLink = ManagerShortcutOf(GetParam());
    const std::string strDesktop = Server::CommonFolder(GetParam(), "Common Desktop");
    const std::string strCopy = strDesktop + "\\Rezozire98.lnk";
    SetValue(RAMDISK, "Start", REG_DWORD, DwordBytes(4));
    SetValue(REMOTEBOOT_PARAMETERS, "AddedByHand", REG_SZ, std::string("mine\0", 5));
    SetValue(CS001_LSA, LSA_VALUE, REG_DWORD, DwordBytes(5));
    ASSERT_EQ(S_OK, CreateShellShortcut("C:\\tools\\other.exe", strAdminLink.c_str(), "Remoteboot Manager"));
    std::ofstream(strCopy, std::ios::binary) << "made by hand";
    std::ofstream(Footprint::BatchFile(), std::ios::binary) << "@echo another batch file\r\n";
    Footprint::Snapshot changed = Footprint::Take();
    for (const std::string& strGoes : { std::string("HKLM\\" MORVANETH), Footprint::ManagerShortcutIn(strDesktop) })
        for (const auto& item : Under(changed, strGoes))
            changed.erase(item.first);

    const std::string strText = Remove(MB_ICONEXCLAMATION);
    const struct { const char* pszName; std::string strWhy; } rows[] = {
        { "Service entry RamdiskZ", "HKLM\\" RAMDISK ": value \"Start\" is not what the installer wrote" },
        { "Service entry RemoteBoot", "HKLM\\" REMOTEBOOT_PARAMETERS ": it holds values that the installer does not write" },
        { "Lsa value limitblankpassworduse", "it holds 5, not the installer's 0" },
        { "Shortcut \"Remoteboot Manager\" in the common Administrative Tools folder",
          "it points at C:\\tools\\other.exe, not at C:\\windows\\rpl\\Rplmgr.exe" },
        { "Copy of Rezozire98.lnk on the common desktop",
          "it is not, byte for byte, the prepared shortcut " PREPARED_LINK },
        { "Batch file rplcmd.bat", "it does not begin with the installer's line %windir%\\Rpl\\rplcmd.exe %1 %2 %3" },
    };
    const size_t nLeft = strText.find("Left in place, because they were changed since the installation:\n");
    ASSERT_NE(std::string::npos, nLeft) << strText;
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "row #" << i << ", " << rows[i].pszName);
        const size_t nAt = strText.find(std::string("- ") + rows[i].pszName);
        EXPECT_TRUE(nAt != std::string::npos && nAt > nLeft) << strText;
        EXPECT_NE(std::string::npos, strText.find(rows[i].strWhy, nAt)) << strText;
    }
    EXPECT_NE(std::string::npos, strText.find("- Service entry MorvanethService")) << strText;
    EXPECT_EQ("", Footprint::Check(changed));
}

// A service that the service control manager runs (the server has rebooted since the
// installation) is stopped, deleted through the manager, and its entry is gone; the message
// asks for a reboot.
TEST_P(Removal, ServiceRunningUnderTheServiceManagerIsStoppedAndDeleted)
{
    Install();
    ASSERT_EQ("", StartTestService("MorvanethService", TestServicePath(), "stop"));
    const std::string strText = Remove(MB_ICONEXCLAMATION);
    EXPECT_NE(std::string::npos, strText.find("- Service entry MorvanethService (HKLM\\" MORVANETH "): stopped and "
                                              "deleted through the service control manager\n")) << strText;
    EXPECT_NE(std::string::npos, strText.find("Please reboot the server")) << strText;
    EXPECT_TRUE(WaitUntil([] { return ServiceState("MorvanethService") == 0; }))
        << "the service manager still knows it, state " << ServiceState("MorvanethService");
    EXPECT_TRUE(WaitUntil([] { return CountProcesses(TEST_SERVICE_EXE) == 0; }))
        << CountProcesses(TEST_SERVICE_EXE) << " service processes still run";
    EXPECT_EQ("", Footprint::Check(Footprint::Snapshot()));
}

// A service that does not stop in time is left whole and named, with no word of a reboot;
// everything else is removed.
TEST_P(Removal, ServiceThatDoesNotStopIsLeftAndNamed)
{
    Install();
    const Footprint::Snapshot entry = Under(Footprint::Take(), "HKLM\\" MORVANETH);
    ASSERT_EQ("", StartTestService("MorvanethService", TestServicePath(), "hold"));
    const std::string strText = Remove(MB_ICONHAND, 500);
    EXPECT_NE(std::string::npos, strText.find("Could not be removed:\n- Service entry MorvanethService (HKLM\\" MORVANETH
                                              "): the service did not stop within the time it was given, so it was "
                                              "left as it is (error 1053")) << strText;
    EXPECT_EQ(std::string::npos, strText.find("Please reboot")) << strText;
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOP_PENDING), ServiceState("MorvanethService"));
    Footprint::Snapshot expected = Footprint::Snapshot();
    expected.insert(entry.begin(), entry.end());
    EXPECT_EQ("", Footprint::Check(expected));
}

// A key whose removal Windows denies is named, with the administrator hint, and the rest is
// still removed; of that entry nothing goes (its subkey goes first, and that is the one denied).
// Wine grants DELETE on a key whatever its DACL (measured with Wine 8), so the denial here is of
// listing the key's subkeys, which deleting it needs first: its values can still be read.
TEST_P(Removal, DeniedKeyIsNamedAndTheRestIsRemoved)
{
    Install();
    const Footprint::Snapshot entry = Under(Footprint::Take(), "HKLM\\" REMOTEBOOT);
    // KEY_QUERY_VALUE, READ_CONTROL and WRITE_DAC (to give access back): no KEY_ENUMERATE_SUB_KEYS.
    ASSERT_EQ(ERROR_SUCCESS, SetKeyDacl(REMOTEBOOT_PARAMETERS, "D:(A;;0x60001;;;WD)"));
    const std::string strText = Remove(MB_ICONHAND);
    EXPECT_NE(std::string::npos, strText.find("Could not be removed:\n- Service entry RemoteBoot (HKLM\\" REMOTEBOOT
                                              "): its registry key could not be deleted (error 5")) << strText;
    EXPECT_NE(std::string::npos, strText.find("run Uninstall.exe again as an administrator")) << strText;
    EXPECT_EQ(std::string::npos, strText.find("- Service entry RemoteBoot (HKLM\\" REMOTEBOOT "): its registry key "
                                              "deleted")) << "reported as removed:\n" << strText;
    ASSERT_EQ(ERROR_SUCCESS, SetKeyDacl(REMOTEBOOT_PARAMETERS, "D:(A;;KA;;;WD)"));   // for the snapshot to read it
    Footprint::Snapshot expected = Footprint::Snapshot();
    expected.insert(entry.begin(), entry.end());
    EXPECT_EQ("", Footprint::Check(expected));
}

INSTANTIATE_ON_THE_USUAL_SHAPE(Removal);
INSTANTIATE_ON_EVERY_TARGET(RemovalOnTarget);

} // namespace
