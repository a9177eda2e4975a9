// bench/driver/ChildProcess.h: one measured program: started, watched for its windows, read for memory, ended.
#ifndef CHILDPROCESS_H
#define CHILDPROCESS_H

#include <windows.h>
#include <string>

// Milliseconds on the performance counter, from an arbitrary origin.
double NowMs();

// A program that the benchmark starts. Whatever state it is left in, the destructor makes sure it
// is no longer running, so a stuck run never outlives its measurement.
class ChildProcess
{
public:
    ChildProcess();
    ~ChildProcess();

    // Starts the program (a Windows path); records the time just before CreateProcess.
    bool Start(const std::string& strPath, std::string& strError);
    double StartedAtMs() const { return m_startMs; }
    DWORD Id() const { return m_pi.dwProcessId; }

    // The visible top-level window of this process with exactly this caption, or NULL.
    HWND FindWindow(const char* pszCaption) const;
    // Polls (about once a millisecond) for that window; NULL after nTimeoutMs or once the
    // program has ended.
    HWND WaitForWindow(const char* pszCaption, DWORD nTimeoutMs) const;
    // The captions of this process's visible top-level windows, for a message about a stuck run.
    std::string DescribeWindows() const;

    // The peak working set in bytes, from the process's own memory counters; 0 when unreadable.
    SIZE_T PeakWorkingSet() const;

    bool HasEnded() const;
    // The exit code once the program has ended (STILL_ACTIVE before).
    DWORD ExitCode() const;
    bool WaitForExit(DWORD nTimeoutMs) const;
    // Ends the program at once if it is still running.
    void Kill();

private:
    ChildProcess(const ChildProcess&);
    ChildProcess& operator=(const ChildProcess&);

    PROCESS_INFORMATION m_pi;
    double m_startMs;
};

#endif // CHILDPROCESS_H
