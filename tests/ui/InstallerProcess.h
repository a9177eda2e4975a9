// tests/ui/InstallerProcess.h: the real installer started in the test prefix, and ways to drive it.
#ifndef INSTALLERPROCESS_H
#define INSTALLERPROCESS_H

#include <windows.h>
#include <string>
#include "WineTestSupport.h"

// Starts the program and finds its windows. The destructor ends a program still running
// (Cancel first, then by force), so no test leaves one behind.
class InstallerProcess
{
public:
    explicit InstallerProcess(const std::string& strExePath);
    ~InstallerProcess();

    bool Started() const { return m_pi.hProcess != NULL; }
    // The visible top-level window of this process with the caption, or NULL after nTimeoutMs.
    HWND WaitForWindow(const char* pszCaption, DWORD nTimeoutMs = WAIT_DEADLINE_MS) const;
    HWND WaitForDialog(DWORD nTimeoutMs = WAIT_DEADLINE_MS) const;
    // The exit code once the process has ended, or -1 when it is still running after nTimeoutMs.
    int WaitForExit(DWORD nTimeoutMs = WAIT_DEADLINE_MS) const;
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
ForeignBox AnswerMessageBox(const InstallerProcess& process, DWORD nTimeoutMs = WAIT_DEADLINE_MS);

// How many child windows of a class a parent has, and which of them lies exactly over a
// dialog item (the link over its placeholder).
int CountChildren(HWND hParent, const char* pszClass, HWND* phFirst = NULL);
HWND LinkOver(HWND hDialog, int nPlaceholder);

// Real input, through the system's own queue. Moving onto or clicking a window first waits
// until no other window lies over its centre: a window that another program shows late would
// take the input. They say false, and send nothing, when one still did at the deadline.
// Moving off a control goes onto its dialog's bare corner, not out of the dialog: Wine turns
// the X server's crossing events of earlier moves into pointer moves of their own, and under
// emulation one can arrive after the move out and put the pointer back on the control. Within
// one window the X server's moves arrive in order and the last one is where the pointer is.
void MovePointer(POINT pt);
bool MovePointerOnto(HWND hTarget);
bool MovePointerOntoCorner(HWND hDialog);
bool ClickOn(HWND hTarget);
// PressKey brings the window to the front first; false, and no key, when it did not come.
bool PressKey(HWND hForeground, WORD wVk);

// Counts the pixels of exactly colour cr on the screen inside the window's rectangle.
int CountScreenPixels(HWND hWnd, COLORREF cr);

// Where the pointer is and over what, which window is in front, and which of the program's
// windows is active, has the focus and holds the capture: what a failure message should say.
std::string DescribeInput(HWND hProgramWindow);

extern const char g_szDialogCaption[];
extern const char g_szAboutCaption[];

#endif // INSTALLERPROCESS_H
