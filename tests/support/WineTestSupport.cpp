// tests/support/WineTestSupport.cpp: host paths, the URL log, child programs, message boxes, environment.
#include "WineTestSupport.h"
#include <tlhelp32.h>
#include <stdlib.h>
#include <string.h>

std::string TestArgument(int nIndex)
{
    int nSeen = 0;
    for (int i = 1; i < __argc; ++i)
    {
        if (strncmp(__argv[i], "--gtest", 7) == 0)
            continue;
        if (++nSeen == nIndex)
            return __argv[i];
    }
    return "";
}

static const char s_szUrlLog[] = "C:\\tools\\urls.log";

void UrlLog::Clear()
{
    ::DeleteFileA(s_szUrlLog);
}

std::vector<std::string> UrlLog::Read()
{
    std::vector<std::string> lines;
    HANDLE hFile = ::CreateFileA(s_szUrlLog, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return lines;
    std::string strAll;
    char buffer[4096];
    DWORD nRead = 0;
    while (::ReadFile(hFile, buffer, sizeof buffer, &nRead, NULL) && nRead > 0)
        strAll.append(buffer, nRead);
    ::CloseHandle(hFile);
    size_t nStart = 0, nEnd;
    while ((nEnd = strAll.find("\r\n", nStart)) != std::string::npos)
    {
        lines.push_back(strAll.substr(nStart, nEnd - nStart));
        nStart = nEnd + 2;
    }
    return lines;
}

static const char s_szRecorder[] = "url_recorder.exe";

std::vector<std::string> UrlLog::WaitFor(size_t nCount, HWND hHandler, DWORD nTimeoutMs)
{
    WaitUntil([nCount] { return Read().size() >= nCount; }, nTimeoutMs);
    // A handler that hands the shell a second URL has started that recorder too by the time
    // its thread answers.
    if (hHandler != NULL)
        Answers(hHandler, nTimeoutMs);
    WaitUntil([] { return CountProcesses(s_szRecorder) == 0; }, nTimeoutMs);
    return Read();
}

bool Answers(HWND hWnd, DWORD nTimeoutMs)
{
    DWORD_PTR nIgnored = 0;
    return ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, nTimeoutMs, &nIgnored) != 0;
}

std::string UrlLog::Describe()
{
    std::string strText = "recorders running: " + std::to_string(CountProcesses(s_szRecorder)) + "; URLs logged:";
    std::vector<std::string> lines = Read();
    for (size_t i = 0; i < lines.size(); ++i)
        strText += " [" + lines[i] + "]";
    return lines.empty() ? strText + " none" : strText;
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

int RunProgram(const std::string& strCommandLine, DWORD nTimeoutMs)
{
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    std::vector<char> commandLine(strCommandLine.begin(), strCommandLine.end());
    commandLine.push_back('\0');
    if (!::CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    ::CloseHandle(pi.hThread);
    int nResult = -2;
    if (::WaitForSingleObject(pi.hProcess, nTimeoutMs) == WAIT_OBJECT_0)
    {
        DWORD nExit = 0;
        ::GetExitCodeProcess(pi.hProcess, &nExit);
        nResult = static_cast<int>(nExit);
    }
    else
        ::TerminateProcess(pi.hProcess, 99);
    ::CloseHandle(pi.hProcess);
    return nResult;
}

// The hook is per thread; tests run on one thread, so one list is enough.
static std::vector<CaughtBox> s_boxes;

// Finds which standard icon the box shows: its icon static holds the shared system icon.
static UINT IconOfBox(HWND hBox)
{
    static const struct { LPCSTR pszId; UINT nFlag; } icons[] = {
        { IDI_HAND, MB_ICONHAND }, { IDI_EXCLAMATION, MB_ICONEXCLAMATION },
        { IDI_QUESTION, MB_ICONQUESTION }, { IDI_ASTERISK, MB_ICONASTERISK },
    };
    for (HWND hChild = ::GetWindow(hBox, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        HICON hIcon = reinterpret_cast<HICON>(::SendMessageA(hChild, STM_GETICON, 0, 0));
        if (hIcon == NULL)
            continue;
        for (size_t i = 0; i < sizeof icons / sizeof icons[0]; ++i)
            if (hIcon == ::LoadIconA(NULL, icons[i].pszId))
                return icons[i].nFlag;
    }
    return 0;
}

static LRESULT CALLBACK CatchBox(int nCode, WPARAM wParam, LPARAM lParam)
{
    HWND hBox = reinterpret_cast<HWND>(wParam);     // NULL on the activation after closing
    char szClass[16] = "";
    if (nCode == HCBT_ACTIVATE && hBox && ::GetClassNameA(hBox, szClass, sizeof szClass)
        && !lstrcmpA(szClass, "#32770") && ::GetDlgItem(hBox, 0xFFFF) != NULL
        && ::GetPropA(hBox, "CaughtBox") == NULL)
    {
        ::SetPropA(hBox, "CaughtBox", reinterpret_cast<HANDLE>(1));     // activations repeat
        CaughtBox box;
        char szText[4096] = "";
        ::GetWindowTextA(hBox, szText, sizeof szText);
        box.strCaption = szText;
        szText[0] = '\0';
        ::GetDlgItemTextA(hBox, 0xFFFF, szText, sizeof szText);         // the message static
        box.strText = szText;
        box.nIcon = IconOfBox(hBox);
        box.hOwner = ::GetWindow(hBox, GW_OWNER);
        s_boxes.push_back(box);
        ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

MessageBoxCatcher::MessageBoxCatcher()
{
    s_boxes.clear();
    m_hHook = ::SetWindowsHookExA(WH_CBT, CatchBox, NULL, ::GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    ::UnhookWindowsHookEx(m_hHook);
}

const std::vector<CaughtBox>& MessageBoxCatcher::Boxes() const
{
    return s_boxes;
}

ScopedEnv::ScopedEnv(const char* pszName, const char* pszValue) : m_strName(pszName)
{
    const char* pszOld = getenv(pszName);
    m_bHadOld = pszOld != NULL;
    if (m_bHadOld)
        m_strOld = pszOld;
    std::string strAssign = m_strName + "=" + (pszValue ? pszValue : "");
    _putenv(strAssign.c_str());
    ::SetEnvironmentVariableA(pszName, pszValue);
}

ScopedEnv::~ScopedEnv()
{
    std::string strAssign = m_strName + "=" + (m_bHadOld ? m_strOld : "");
    _putenv(strAssign.c_str());
    ::SetEnvironmentVariableA(m_strName.c_str(), m_bHadOld ? m_strOld.c_str() : NULL);
}
