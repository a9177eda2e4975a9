// bench/driver/ChildProcess.cpp: starting a measured program, finding its windows, reading its memory counters.
#include "ChildProcess.h"
#include <psapi.h>
#include <vector>

double NowMs()
{
    static LARGE_INTEGER s_frequency;
    if (s_frequency.QuadPart == 0)
        ::QueryPerformanceFrequency(&s_frequency);
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(s_frequency.QuadPart);
}

ChildProcess::ChildProcess() : m_startMs(0)
{
    ZeroMemory(&m_pi, sizeof m_pi);
}

ChildProcess::~ChildProcess()
{
    Kill();
    if (m_pi.hProcess)
        ::CloseHandle(m_pi.hProcess);
}

bool ChildProcess::Start(const std::string& strPath, std::string& strError)
{
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    std::string strCommand = "\"" + strPath + "\"";
    std::vector<char> commandLine(strCommand.begin(), strCommand.end());
    commandLine.push_back('\0');
    m_startMs = NowMs();
    if (!::CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
    {
        char szError[64];
        wsprintfA(szError, "CreateProcess failed (error %lu)", ::GetLastError());
        strError = szError;
        return false;
    }
    ::CloseHandle(m_pi.hThread);
    m_pi.hThread = NULL;
    return true;
}

namespace {

struct WindowSearch
{
    DWORD nProcessId;
    const char* pszCaption;     // NULL: collect every caption instead
    HWND hFound;
    std::string strCaptions;
};

BOOL CALLBACK VisitWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD nProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &nProcessId);
    if (nProcessId != search.nProcessId || !::IsWindowVisible(hWnd))
        return TRUE;
    // The caption of another process's window is read from the server, not by a message, so
    // a child that is busy does not hold the search up.
    char szCaption[256] = "";
    ::GetWindowTextA(hWnd, szCaption, sizeof szCaption);
    if (search.pszCaption == NULL)
    {
        search.strCaptions += search.strCaptions.empty() ? "\"" : ", \"";
        search.strCaptions += szCaption;
        search.strCaptions += "\"";
        return TRUE;
    }
    if (lstrcmpA(szCaption, search.pszCaption) != 0)
        return TRUE;
    search.hFound = hWnd;
    return FALSE;
}

} // namespace

HWND ChildProcess::FindWindow(const char* pszCaption) const
{
    WindowSearch search = { m_pi.dwProcessId, pszCaption, NULL, "" };
    ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

HWND ChildProcess::WaitForWindow(const char* pszCaption, DWORD nTimeoutMs) const
{
    double deadline = NowMs() + nTimeoutMs;
    for (;;)
    {
        HWND hWnd = FindWindow(pszCaption);
        if (hWnd != NULL || NowMs() > deadline || HasEnded())
            return hWnd;
        ::Sleep(1);
    }
}

std::string ChildProcess::DescribeWindows() const
{
    WindowSearch search = { m_pi.dwProcessId, NULL, NULL, "" };
    ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.strCaptions.empty() ? "no visible window" : "visible windows " + search.strCaptions;
}

SIZE_T ChildProcess::PeakWorkingSet() const
{
    PROCESS_MEMORY_COUNTERS counters;
    ZeroMemory(&counters, sizeof counters);
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(m_pi.hProcess, &counters, sizeof counters))
        return 0;
    return counters.PeakWorkingSetSize;
}

bool ChildProcess::HasEnded() const
{
    return m_pi.hProcess == NULL || ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD nExitCode = STILL_ACTIVE;
    if (m_pi.hProcess)
        ::GetExitCodeProcess(m_pi.hProcess, &nExitCode);
    return nExitCode;
}

bool ChildProcess::WaitForExit(DWORD nTimeoutMs) const
{
    return m_pi.hProcess == NULL || ::WaitForSingleObject(m_pi.hProcess, nTimeoutMs) == WAIT_OBJECT_0;
}

void ChildProcess::Kill()
{
    if (m_pi.hProcess && !HasEnded())
    {
        ::TerminateProcess(m_pi.hProcess, 99);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
}
