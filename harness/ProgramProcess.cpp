// harness/ProgramProcess.cpp: starting a program, finding its windows, answering its boxes, ending it.
#include "ProgramProcess.h"
#include <tlhelp32.h>
#include <vector>

namespace {

struct WindowSearch
{
    DWORD nPid;
    const char* pszCaption;     // NULL: collect every caption instead
    HWND hFound;
    std::string strCaptions;
};

BOOL CALLBACK VisitWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD nPid = 0;
    ::GetWindowThreadProcessId(hWnd, &nPid);
    if ((search.nPid != 0 && nPid != search.nPid) || !::IsWindowVisible(hWnd))
        return TRUE;
    // Another process's caption is read from the server, not by a message, so a busy program
    // does not hold the search up.
    char szCaption[256] = "";
    ::GetWindowTextA(hWnd, szCaption, sizeof szCaption);
    if (search.pszCaption == NULL)
    {
        search.strCaptions += (search.strCaptions.empty() ? "\"" : ", \"") + std::string(szCaption) + "\"";
        return TRUE;
    }
    if (lstrcmpA(szCaption, search.pszCaption) != 0)
        return TRUE;
    search.hFound = hWnd;
    return FALSE;
}

} // namespace

HWND FindTopWindow(DWORD nPid, const char* pszCaption)
{
    WindowSearch search = { nPid, pszCaption, NULL, "" };
    ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

HWND WaitForTopWindow(DWORD nPid, const char* pszCaption, DWORD nTimeoutMs)
{
    HWND hFound = NULL;
    WaitUntil([&] { return (hFound = FindTopWindow(nPid, pszCaption)) != NULL; }, nTimeoutMs);
    return hFound;
}

std::string MessageBoxText(HWND hBox)
{
    char szText[2048] = "";
    DWORD_PTR nIgnored = 0;
    HWND hStatic = ::GetDlgItem(hBox, 0xFFFF);
    if (hStatic != NULL)
        ::SendMessageTimeoutA(hStatic, WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText), SMTO_NORMAL,
                              WAIT_DEADLINE_MS, &nIgnored);
    return szText;
}

bool PressOk(HWND hBox, DWORD nTimeoutMs)
{
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    return WaitUntil([hBox] { return !::IsWindow(hBox); }, nTimeoutMs);
}

ForeignBox AnswerMessageBox(DWORD nPid, const char* pszCaption, DWORD nTimeoutMs)
{
    ForeignBox box = { false, "" };
    HWND hBox = WaitForTopWindow(nPid, pszCaption, nTimeoutMs);
    if (hBox == NULL)
        return box;
    box.bFound = true;
    box.strText = MessageBoxText(hBox);
    PressOk(hBox, nTimeoutMs);
    return box;
}

ForeignBox PressAndAnswer(DWORD nPid, const char* pszDialogCaption, int nButton, const char* pszBoxCaption,
                          DWORD nTimeoutMs)
{
    HWND hDialog = WaitForTopWindow(nPid, pszDialogCaption, nTimeoutMs);
    if (hDialog == NULL)
        return ForeignBox { false, "" };
    ::PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nButton, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, nButton)));
    return AnswerMessageBox(nPid, pszBoxCaption, nTimeoutMs);
}

int CountProcesses(const char* pszExeName)
{
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return -1;
    int nCount = 0;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL bMore = ::Process32First(hSnapshot, &entry); bMore; bMore = ::Process32Next(hSnapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, pszExeName) == 0)
            ++nCount;
    ::CloseHandle(hSnapshot);
    return nCount;
}

ProgramProcess::ProgramProcess(const std::string& strExePath, const std::string& strArguments)
    : m_nStartError(0)
{
    ZeroMemory(&m_pi, sizeof m_pi);
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    std::string strCommand = "\"" + strExePath + "\"" + (strArguments.empty() ? "" : " " + strArguments);
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back('\0');
    m_startMs = NowMs();
    if (!::CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
    {
        m_nStartError = ::GetLastError();
        ZeroMemory(&m_pi, sizeof m_pi);
        return;
    }
    ::CloseHandle(m_pi.hThread);
    m_pi.hThread = NULL;
}

ProgramProcess::~ProgramProcess()
{
    Kill();
    if (m_pi.hProcess != NULL)
        ::CloseHandle(m_pi.hProcess);
}

HWND ProgramProcess::WaitForWindow(const char* pszCaption, DWORD nTimeoutMs, DWORD nPollMs) const
{
    HWND hFound = NULL;
    WaitUntil([&] { return (hFound = FindTopWindow(m_pi.dwProcessId, pszCaption)) != NULL || HasEnded(); },
              nTimeoutMs, nPollMs);
    return hFound;
}

ForeignBox ProgramProcess::AnswerMessageBox(const char* pszCaption, DWORD nTimeoutMs) const
{
    return ::AnswerMessageBox(m_pi.dwProcessId, pszCaption, nTimeoutMs);
}

std::string ProgramProcess::DescribeWindows() const
{
    WindowSearch search = { m_pi.dwProcessId, NULL, NULL, "" };
    ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.strCaptions.empty() ? "no visible window" : "visible windows " + search.strCaptions;
}

std::vector<std::string> ProgramProcess::ModuleNames() const
{
    std::vector<std::string> names;
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, m_pi.dwProcessId);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return names;
    MODULEENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL bMore = ::Module32First(hSnapshot, &entry); bMore; bMore = ::Module32Next(hSnapshot, &entry))
        names.push_back(entry.szModule);
    ::CloseHandle(hSnapshot);
    return names;
}

bool ProgramProcess::WaitForExitWithout(const char* pszCaption, bool& bShown, DWORD nTimeoutMs) const
{
    bShown = false;
    return WaitUntil([&] {
        bShown = bShown || FindTopWindow(m_pi.dwProcessId, pszCaption) != NULL;
        return HasEnded();
    }, nTimeoutMs);
}

bool ProgramProcess::HasEnded() const
{
    return m_pi.hProcess == NULL || ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0;
}

int ProgramProcess::WaitForExit(DWORD nTimeoutMs) const
{
    if (!Started() || ::WaitForSingleObject(m_pi.hProcess, nTimeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD nExit = 0;
    ::GetExitCodeProcess(m_pi.hProcess, &nExit);
    return static_cast<int>(nExit);
}

void ProgramProcess::Kill()
{
    if (!HasEnded())
    {
        ::TerminateProcess(m_pi.hProcess, 99);
        ::WaitForSingleObject(m_pi.hProcess, WAIT_DEADLINE_MS);
    }
}

int RunProgram(const std::string& strExePath, const std::string& strArguments, DWORD nTimeoutMs)
{
    ProgramProcess program(strExePath, strArguments);
    if (!program.Started())
        return -1;
    int nExit = program.WaitForExit(nTimeoutMs);
    return nExit == -1 && !program.HasEnded() ? -2 : nExit;
}
