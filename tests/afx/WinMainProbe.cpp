// tests/afx/WinMainProbe.cpp: a GUI program built like the product, to run the framework's WinMain.
// Writes what it saw to the file named by AFX_PROBE_MARKER. "loop" on its command line makes
// InitInstance return TRUE after posting WM_QUIT; otherwise it returns FALSE with a message
// queued that only a message loop would take.
#include "afxwin.h"
#include "AfxTestResource.h"

class CProbeApp : public CWinApp
{
public:
    virtual BOOL InitInstance()
    {
        bool bOk = AfxGetApp() == this && m_hInstance == ::GetModuleHandleA(NULL)
                && AfxGetInstanceHandle() == m_hInstance && LoadIcon(IDI_TEST) != NULL;
        Write(bOk ? "init ok;" : "init bad;");
        m_bLoop = ::lstrcmpiA(::GetCommandLineA() + ::lstrlenA(::GetCommandLineA()) - 4, "loop") == 0;
        if (m_bLoop)
            ::PostQuitMessage(3);
        else
            ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0);
        return m_bLoop;
    }
    virtual int ExitInstance()
    {
        MSG msg;
        if (m_bLoop)
            Write(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE) ? "quit left;" : "loop ran;");
        else
            Write(::PeekMessageA(&msg, NULL, WM_APP, WM_APP, PM_NOREMOVE) ? "no loop;" : "loop ran;");
        Write("exit");
        return CWinApp::ExitInstance();
    }

private:
    void Write(LPCSTR pszText)
    {
        char szPath[MAX_PATH];
        if (!::GetEnvironmentVariableA("AFX_PROBE_MARKER", szPath, sizeof szPath))
            return;
        HANDLE hFile = ::CreateFileA(szPath, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, 0, NULL);
        DWORD nWritten;
        ::WriteFile(hFile, pszText, ::lstrlenA(pszText), &nWritten, NULL);
        ::CloseHandle(hFile);
    }
    BOOL m_bLoop;
};

CProbeApp theApp;
