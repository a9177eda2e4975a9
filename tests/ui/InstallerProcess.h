// tests/ui/InstallerProcess.h: the real installer started in the test prefix, and ways to drive it.
#ifndef INSTALLERPROCESS_H
#define INSTALLERPROCESS_H

#include <windows.h>
#include <string>

// Starts the program and finds its windows. The destructor ends a program still running
// (Cancel first, then by force), so no test leaves one behind.
class InstallerProcess
{
public:
    explicit InstallerProcess(const std::string& strExePath);
    ~InstallerProcess();

    bool Started() const { return m_pi.hProcess != NULL; }
    // The visible top-level window of this process with the caption, or NULL after nTimeoutMs.
    HWND WaitForWindow(const char* pszCaption, DWORD nTimeoutMs = 15000) const;
    HWND WaitForDialog(DWORD nTimeoutMs = 15000) const;
    // The exit code once the process has ended, or -1 when it is still running after nTimeoutMs.
    int WaitForExit(DWORD nTimeoutMs = 15000) const;
    DWORD ProcessId() const { return m_pi.dwProcessId; }

private:
    InstallerProcess(const InstallerProcess&);
    InstallerProcess& operator=(const InstallerProcess&);
    PROCESS_INFORMATION m_pi;
};

// What a message box of another process says; it is answered with OK.
struct ForeignBox
{
    bool bFound;
    std::string strText;
};
ForeignBox AnswerMessageBox(const InstallerProcess& process, DWORD nTimeoutMs = 15000);

// How many child windows of a class a parent has, and which of them lies exactly over a
// dialog item (the link over its placeholder).
int CountChildren(HWND hParent, const char* pszClass, HWND* phFirst = NULL);
HWND LinkOver(HWND hDialog, int nPlaceholder);

// Real input, through the system's own queue: pointer moves, clicks and a key press.
void MovePointer(POINT pt);
void ClickAt(POINT pt);
void PressKey(HWND hForeground, WORD wVk);
POINT CentreOf(HWND hWnd);

// Counts the pixels of exactly colour cr on the screen inside the window's rectangle.
int CountScreenPixels(HWND hWnd, COLORREF cr);

extern const char g_szDialogCaption[];
extern const char g_szAboutCaption[];

#endif // INSTALLERPROCESS_H
