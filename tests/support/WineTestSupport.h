// tests/support/WineTestSupport.h: helpers shared by the tests that run under Wine.
#ifndef WINETESTSUPPORT_H
#define WINETESTSUPPORT_H

#include <windows.h>
#include <string>
#include <vector>
#include "HostPath.h"


// The i-th argument that CTest gave the test program (past GoogleTest's own flags), or "".
std::string TestArgument(int nIndex);

// How long a wait for something a program does may take. Under software emulation a program
// start costs seconds; a wait that succeeds ends as soon as its condition holds, so only a
// failure costs the whole deadline.
const DWORD WAIT_DEADLINE_MS = 60000;

// Polls the condition until it holds or the deadline has passed; whether it held.
template <class Condition>
bool WaitUntil(Condition condition, DWORD nTimeoutMs = WAIT_DEADLINE_MS)
{
    for (DWORD nStart = ::GetTickCount();; ::Sleep(20))
    {
        if (condition())
            return true;
        if (::GetTickCount() - nStart >= nTimeoutMs)
            return condition();
    }
}

// Whether the window's thread answers a sent message within nTimeoutMs: it answers only from
// its message loop, so once it does, the message it was handling before is done with.
bool Answers(HWND hWnd, DWORD nTimeoutMs);

// The log that the test prefix's URL recorder appends to: one line per URL the shell opened.
namespace UrlLog
{
    void Clear();
    std::vector<std::string> Read();
    // Waits for at least nCount lines; then, with hHandler, until the thread of that window
    // has finished with the message that opened them; then until no recorder runs any more,
    // so that every URL handed to the shell so far is in the log. Returns the log.
    std::vector<std::string> WaitFor(size_t nCount, HWND hHandler = NULL, DWORD nTimeoutMs = WAIT_DEADLINE_MS);
    // The recorders still running and what the log holds, for a failure message.
    std::string Describe();
}

// Runs a program with a command line and waits for it; returns its exit code, or -1 when it
// could not be started and -2 when it did not end within nTimeoutMs (it is then killed).
int RunProgram(const std::string& strCommandLine, DWORD nTimeoutMs = WAIT_DEADLINE_MS);

// How many processes of the prefix run the program with this file name (such as "x.exe").
int CountProcesses(const char* pszExeName);

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
