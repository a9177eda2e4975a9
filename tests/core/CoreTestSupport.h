// tests/core/CoreTestSupport.h: the test prefix's NT server as the installation tests see it, reset before each case.
#ifndef CORETESTSUPPORT_H
#define CORETESTSUPPORT_H

#include <windows.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "WineTestSupport.h"

#define CS001_SERVICES "SYSTEM\\ControlSet001\\Services"
#define CS001_LSA "SYSTEM\\ControlSet001\\Control\\Lsa"
#define RAMDISK CS001_SERVICES "\\RamdiskZ"
#define REMOTEBOOT CS001_SERVICES "\\RemoteBoot"
#define MORVANETH CS001_SERVICES "\\MorvanethService"

extern const char kSuccessText[];
extern const char kStopIntro[];             // first line of the stop message after failed writes
extern const char kAdministratorHint[];     // in it only when access was denied
extern const char kBatchText[];             // all of rplcmd.bat

// Puts the prefix back into the state of a fresh NT server: no installation, the protocols
// installed, the shell folders where Wine keeps them, the prepared shortcut in place.
void ResetServer();

std::string AdminToolsDir();
std::string DesktopDir();
std::string BatchFilePath();
std::string PreparedShortcutPath();         // C:\windows\rpl\Rezozire98.lnk
std::string ManagerLinkIn(const std::string& strDir);

bool KeyExists(const std::string& strKey);  // under HKEY_LOCAL_MACHINE
bool FileExists(const std::string& strPath);
void CreateKey(const std::string& strKey, bool bVolatile = false);
void SetValue(const std::string& strKey, const char* pszName, DWORD nType, const std::string& strData);
void DeleteKey(const std::string& strKey);  // with its subkeys
void SetShellFolder(const char* pszName, const char* pszPath);     // NULL deletes the value
// Leaves everyone only reading (and changing the DACL back), as for a user who is no administrator.
void MakeKeyReadOnly(const std::string& strKey);

struct RegValue
{
    LONG nError;
    DWORD nType;
    DWORD nBytes;
    std::string strData;
    bool bGuardIntact;      // nothing was written past nBytes into the reading buffer
};
RegValue ReadValue(const std::string& strKey, const char* pszName);
DWORD CountValues(const std::string& strKey);

struct Shortcut
{
    HRESULT hr;
    std::string strTarget, strDescription;
};
Shortcut ReadShortcut(const std::string& strPath);

std::string ReadWholeFile(const std::string& strPath);
void WriteWholeFile(const std::string& strPath, const std::string& strData);

// Checks every listed value of the three services and the Lsa key, for windir C:\windows.
void ExpectServiceEntries();
// Checks that the service keys hold the listed values only, and the Services key none.
void ExpectNoStrayValues();
// Checks that no step of the installation changed anything.
void ExpectNothingInstalled();

// A hidden top-level window to own the message boxes.
class OwnerWindow
{
public:
    OwnerWindow();
    ~OwnerWindow();
    HWND m_hWnd;
};

// One RunInstallation in this process, its message boxes caught.
struct InstallRun
{
    bool bResult;
    std::vector<CaughtBox> boxes;
};
InstallRun RunInstallationOnce(HWND hOwner);

// Each case starts from, and leaves behind, a fresh NT server.
class InstallationTest : public testing::Test
{
protected:
    void SetUp() { ResetServer(); }
    void TearDown() { ResetServer(); }
    InstallRun Run() { return RunInstallationOnce(m_owner.m_hWnd); }
    // Expects exactly one "Setup Message" box, owned by m_owner, with this icon; returns its text.
    std::string OneBoxText(const InstallRun& run, UINT nIcon);
    // Expects the one stop message that lists failed writes; returns its text.
    std::string FailureText(const InstallRun& run, bool bAccessDenied);

    OwnerWindow m_owner;
};

#endif // CORETESTSUPPORT_H
