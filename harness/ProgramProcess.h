// harness/ProgramProcess.h: a program started, its windows found, its message boxes answered, ended on every way out.
#ifndef HARNESS_PROGRAMPROCESS_H
#define HARNESS_PROGRAMPROCESS_H

#include <windows.h>
#include <string>
#include <vector>
#include "Wait.h"

// The visible top-level window with exactly this caption, of process nPid (0: of any process).
HWND FindTopWindow(DWORD nPid, const char* pszCaption);
HWND WaitForTopWindow(DWORD nPid, const char* pszCaption, DWORD nTimeoutMs = WAIT_DEADLINE_MS);

// The text of a message box (its static 0xFFFF), read with a deadline so that a hung owner
// cannot hold the reader; and the box answered with OK, waiting until it has gone.
std::string MessageBoxText(HWND hBox);
bool PressOk(HWND hBox, DWORD nTimeoutMs = WAIT_DEADLINE_MS);

// A message box of another program, found by caption and answered with OK.
struct ForeignBox
{
    bool bFound;
    std::string strText;
};
ForeignBox AnswerMessageBox(DWORD nPid, const char* pszCaption, DWORD nTimeoutMs = WAIT_DEADLINE_MS);

// Presses a button (IDOK: the installer's Continue, the removal's Remove) of the dialog with
// this caption, of process nPid (0: any), and answers the message box that follows; bFound is
// false when the dialog or the box did not appear.
ForeignBox PressAndAnswer(DWORD nPid, const char* pszDialogCaption, int nButton, const char* pszBoxCaption,
                          DWORD nTimeoutMs = WAIT_DEADLINE_MS);

// How many processes run the program with this file name (such as "x.exe").
int CountProcesses(const char* pszExeName);

// A program started with its path quoted and the arguments after it. Whatever state it is
// left in, the destructor makes sure it no longer runs, so no caller leaves one behind.
class ProgramProcess
{
public:
    explicit ProgramProcess(const std::string& strExePath, const std::string& strArguments = "");
    ~ProgramProcess();

    bool Started() const { return m_pi.hProcess != NULL; }
    DWORD StartError() const { return m_nStartError; }
    DWORD Id() const { return m_pi.dwProcessId; }
    HANDLE Handle() const { return m_pi.hProcess; }
    double StartedAtMs() const { return m_startMs; }

    // Its visible top-level window with the caption; NULL after nTimeoutMs or once it has ended.
    HWND WaitForWindow(const char* pszCaption, DWORD nTimeoutMs = WAIT_DEADLINE_MS, DWORD nPollMs = 50) const;
    ForeignBox AnswerMessageBox(const char* pszCaption, DWORD nTimeoutMs = WAIT_DEADLINE_MS) const;
    // The captions of its visible top-level windows, for a message about a stuck program.
    std::string DescribeWindows() const;
    // The file names of the modules it has mapped now, its own included; empty when they
    // cannot be read (a process that is loading one may refuse the snapshot for a moment).
    std::vector<std::string> ModuleNames() const;

    // Waits until it has ended, watching meanwhile for a visible window with this caption:
    // whether it ended within nTimeoutMs; bShown tells whether such a window was seen.
    bool WaitForExitWithout(const char* pszCaption, bool& bShown, DWORD nTimeoutMs = WAIT_DEADLINE_MS) const;

    bool HasEnded() const;
    // The exit code once it has ended, or -1 while it still runs after nTimeoutMs.
    int WaitForExit(DWORD nTimeoutMs = WAIT_DEADLINE_MS) const;
    void Kill();

private:
    ProgramProcess(const ProgramProcess&);
    ProgramProcess& operator=(const ProgramProcess&);
    PROCESS_INFORMATION m_pi;
    DWORD m_nStartError;
    double m_startMs;
};

// Runs a program to its end: its exit code, -1 when it could not be started and -2 when it did
// not end within nTimeoutMs (it is then ended).
int RunProgram(const std::string& strExePath, const std::string& strArguments,
               DWORD nTimeoutMs = WAIT_DEADLINE_MS);

#endif // HARNESS_PROGRAMPROCESS_H
