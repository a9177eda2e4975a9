// sandbox/url_recorder.cpp: stands in for the browser and the mail program in the test prefix.
//
// Registered as the shell's open command ("recorder.exe" "%1") for http, https and mailto, it
// appends the URL it was given, and a CR LF, to urls.log beside itself, so that a test can
// assert exactly which URLs reached the shell.
#include <windows.h>
#include <string.h>

// The URL is the first argument, as the shell quoted it; the program path comes before it.
static const char* SkipProgramName(const char* p)
{
    if (*p == '"')
    {
        p = strchr(p + 1, '"');
        p = p ? p + 1 : "";
    }
    else
        while (*p && *p != ' ')
            ++p;
    while (*p == ' ')
        ++p;
    return p;
}

int main()
{
    char szUrl[4096];
    lstrcpynA(szUrl, SkipProgramName(::GetCommandLineA()), sizeof szUrl);
    size_t n = strlen(szUrl);
    if (n >= 2 && szUrl[0] == '"' && szUrl[n - 1] == '"')
    {
        memmove(szUrl, szUrl + 1, n - 2);
        szUrl[n - 2] = '\0';
    }

    char szLog[MAX_PATH];
    DWORD nPath = ::GetModuleFileNameA(NULL, szLog, MAX_PATH);
    char* pSlash = strrchr(szLog, '\\');
    if (nPath == 0 || pSlash == NULL)
        return 1;
    lstrcpyA(pSlash + 1, "urls.log");

    // Several recorders may finish at once: retry while another holds the file.
    for (int nTry = 0; nTry < 100; ++nTry)
    {
        HANDLE hLog = ::CreateFileA(szLog, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, NULL);
        if (hLog == INVALID_HANDLE_VALUE)
        {
            ::Sleep(20);
            continue;
        }
        lstrcatA(szUrl, "\r\n");
        DWORD nWritten = 0;
        BOOL bOk = ::WriteFile(hLog, szUrl, lstrlenA(szUrl), &nWritten, NULL);
        ::CloseHandle(hLog);
        return bOk ? 0 : 1;
    }
    return 1;
}
