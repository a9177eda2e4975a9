// harness/UrlLog.cpp: reading the URL recorder's log, and waiting until every URL handed to the shell is in it.
#include "UrlLog.h"
#include "ProgramProcess.h"

static const char s_szUrlLog[] = "C:\\tools\\urls.log";

bool UrlLog::Clear()
{
    return ::DeleteFileA(s_szUrlLog) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
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

std::string UrlLog::Describe()
{
    std::string strText = "recorders running: " + std::to_string(CountProcesses(s_szRecorder)) + "; URLs logged:";
    std::vector<std::string> lines = Read();
    for (size_t i = 0; i < lines.size(); ++i)
        strText += " [" + lines[i] + "]";
    return lines.empty() ? strText + " none" : strText;
}
