// tests/core/CoreTestSupport.h: the test prefix's NT server as the installation tests see it, reset before each case.
#ifndef CORETESTSUPPORT_H
#define CORETESTSUPPORT_H

#include <windows.h>
#include <fstream>
#include <gtest/gtest.h>
#include "Footprint.h"
#include "Installer.h"
#include "Registry.h"
#include "RunInstallation.h"
#include "Server.h"
#include "WineTestSupport.h"

#define CS001_SERVICES FOOTPRINT_SERVICES_KEY
#define CS001_LSA FOOTPRINT_LSA_KEY
#define CCS_SERVICES "SYSTEM\\CurrentControlSet\\Services\\"
#define RAMDISK CS001_SERVICES "\\RamdiskZ"
#define REMOTEBOOT CS001_SERVICES "\\RemoteBoot"
#define MORVANETH CS001_SERVICES "\\MorvanethService"
#define PREPARED_LINK "C:\\windows\\rpl\\Rezozire98.lnk"

// The common folders of the server's usual shape, where a case has not laid another.
inline std::string AdminToolsDir()
    { return Server::CommonFolder(Server::DefaultTarget(), "Common Administrative Tools"); }
inline std::string DesktopDir() { return Server::CommonFolder(Server::DefaultTarget(), "Common Desktop"); }

// Where the target's shell keeps the administrators' tools, and so the manager shortcut: NT 4.0's
// English group, or the common Administrative Tools folder of 2000 and later.
inline std::string ManagerShortcutOf(const Server::Target& target)
{
    const std::string strGroup = Server::AdminGroup(target);
    return Footprint::ManagerShortcutIn(!strGroup.empty() ? strGroup
                                        : Server::CommonFolder(target, "Common Administrative Tools"));
}

inline bool FileExists(const std::string& strPath)
    { return ::GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::string DwordBytes(DWORD n) { return std::string(reinterpret_cast<const char*>(&n), 4); }
inline void SetShellFolder(const char* pszName, const std::string& strPath)
{
    EXPECT_EQ(ERROR_SUCCESS, SetValue("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", pszName,
                                      REG_SZ, strPath + '\0')) << pszName;
}

// Everyone may read, change the DACL back and delete, but write nothing: a user who is no administrator.
inline void MakeKeyReadOnly(const std::string& strKey)
{
    EXPECT_EQ(ERROR_SUCCESS, SetKeyDacl(strKey, "D:(A;;KRWDSD;;;WD)")) << strKey;
}

// Each case starts from, and leaves, a fresh NT server of the usual shape: no installation, the
// three protocols, the shell folders where that Windows keeps them, the prepared shortcut in place.
class InstallationTest : public testing::Test
{
protected:
    InstallationTest()
        : m_hOwner(::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 9, 9, NULL, NULL, NULL, NULL)) {}
    ~InstallationTest() { ::DestroyWindow(m_hOwner); }
    void SetUp() { ResetServer(); }
    void TearDown() { ResetServer(); }

    static void ResetServer()
    {
        // Full access for everyone back on each key a case may have narrowed, so it can go.
        for (const char* pszKey : { CS001_SERVICES, CS001_LSA, REMOTEBOOT })
            SetKeyDacl(pszKey, "D:(A;;KA;;;WD)");          // where the key is there
        Footprint::Reset();             // while the shape a case laid still says where its files are
        for (const char* pszKey : { CS001_SERVICES, CS001_LSA, "SYSTEM\\ControlSet002", CCS_SERVICES "RamdiskZ",
                                    CCS_SERVICES "RemoteBoot", CCS_SERVICES "MorvanethService" })
            DeleteKey(pszKey);
        ::MoveFileA(PREPARED_LINK ".away", PREPARED_LINK);     // should a case have moved it away
        EXPECT_EQ("", Server::Prepare(Server::DefaultTarget()));
        EXPECT_EQ(ERROR_SUCCESS, SetValue("SYSTEM\\Select", "Current", REG_DWORD, DwordBytes(1)));
        EXPECT_EQ("", Footprint::Differences(Footprint::Snapshot(), Footprint::Reset())) << "could not be removed";
    }

    // One RunInstallation, its message boxes caught into m_boxes.
    bool Run()
    {
        MessageBoxCatcher catcher;
        CWnd owner;
        owner.m_hWnd = m_hOwner;
        bool bInstalled = RunInstallation(owner);
        owner.m_hWnd = NULL;
        m_boxes = catcher.Boxes();
        return bInstalled;
    }

    // One RunInstallation in core_install_child, a process of its own, which sees the Windows
    // version Wine reports to a program started now: what it wrote (see InstallChild.cpp).
    std::string RunChild()
    {
        const char szOutput[] = "C:\\windows\\temp\\core_install_child.txt";
        ::DeleteFileA(szOutput);
        const int nExit = RunProgram(ChildPath(), szOutput);
        std::string strOutput = Footprint::FileOf(szOutput);
        ::DeleteFileA(szOutput);
        return nExit == 0 ? strOutput : "exit code " + std::to_string(nExit) + ", wrote " + strOutput;
    }
    static std::string ChildPath() { return WindowsPathFromHost(TestArgument(1).c_str()); }

    // The text of the one "Setup Message" box, which must have this icon and our window as owner.
    std::string OneBoxText(UINT nIcon)
    {
        EXPECT_EQ(1u, m_boxes.size());
        if (m_boxes.empty())
            return "";
        EXPECT_EQ(SETUP_MESSAGE_CAPTION, m_boxes[0].strCaption);
        EXPECT_EQ(nIcon, m_boxes[0].nIcon);
        EXPECT_EQ(m_hOwner, m_boxes[0].hOwner);
        return m_boxes[0].strText;
    }

    // Expects the one stop message listing failures, naming each of says; the administrator hint
    // is in it exactly when access was denied.
    void ExpectStopMessage(bool bInstalled, bool bAccessDenied, std::initializer_list<const char*> says)
    {
        EXPECT_FALSE(bInstalled);
        const std::string strText = OneBoxText(MB_ICONHAND);
        EXPECT_EQ(0u, strText.find("The installation is not complete. Setup could not do the following:\n"))
            << strText;
        EXPECT_EQ(bAccessDenied, strText.find("The installer must be run by an administrator") != std::string::npos)
            << strText;
        for (const char* pszSays : says)
            EXPECT_NE(std::string::npos, strText.find(pszSays)) << pszSays << "\nin:\n" << strText;
    }

    HWND m_hOwner;
    std::vector<CaughtBox> m_boxes;
};

#endif // CORETESTSUPPORT_H
