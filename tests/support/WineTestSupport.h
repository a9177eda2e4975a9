// tests/support/WineTestSupport.h: helpers shared by the tests that run under Wine.
#ifndef WINETESTSUPPORT_H
#define WINETESTSUPPORT_H

#include <windows.h>
#include <string>
#include <vector>
#include "HostPath.h"
#include "ProgramProcess.h"
#include "UrlLog.h"

// The i-th argument that CTest gave the test program (past GoogleTest's own flags), or "".
std::string TestArgument(int nIndex);

// One message box as it was shown.
struct CaughtBox
{
    std::string strCaption;
    std::string strText;
    UINT nIcon;         // MB_ICONHAND, MB_ICONEXCLAMATION, ... or 0 when none was found
    HWND hOwner;
};

// While it lives, catches every message box of this thread: records caption, text, icon and
// owner, then presses OK, so that no box is ever left waiting for a person.
class MessageBoxCatcher
{
public:
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    const std::vector<CaughtBox>& Boxes() const;

private:
    MessageBoxCatcher(const MessageBoxCatcher&);
    MessageBoxCatcher& operator=(const MessageBoxCatcher&);
    HHOOK m_hHook;
};

// The three ways a person leaves a dialog without its OK button: Cancel clicked, Esc pressed,
// the close box. Dismiss does the nWay-th (0 to 2) as a person would; "" once it is done, or
// why the input could not reach the dialog.
extern const char* const DismissWays[3];
std::string Dismiss(HWND hDialog, int nWay);

// Sets, and on destruction restores, one environment variable of this process
// (both the C runtime's copy, which getenv reads, and the process's own).
class ScopedEnv
{
public:
    ScopedEnv(const char* pszName, const char* pszValue);   // NULL value unsets it
    ~ScopedEnv();

private:
    std::string m_strName, m_strOld;
    bool m_bHadOld;
};

#endif // WINETESTSUPPORT_H
