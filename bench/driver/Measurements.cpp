// bench/driver/Measurements.cpp: one measured run of the installer or its floor, of Wine's floor, of the launcher.
#include "Measurements.h"
#include "ChildProcess.h"
#include "InstallState.h"
#include "VendorInfo.h"
#include <stdio.h>

namespace {

const char s_szDialogCaption[] = "Velmorath for  Win2003, 2000, XP ";
const char s_szBoxCaption[] = "Setup Message";
const char s_szSuccess[] = "Install Remote Service Success, please reboot the Server!";
const char s_szWineFloorCaption[] = "Wine floor";
const char s_szUrlLog[] = "C:\\tools\\urls.log";

// Before pressing Continue the dialog is left this long to finish painting, so that the time to
// done measures the installation and not the rest of the start-up.
const DWORD s_nSettleMs = 100;

std::string Join(const std::vector<std::string>& items)
{
    std::string strAll;
    for (size_t i = 0; i < items.size(); ++i)
        strAll += (i ? ", " : "") + items[i];
    return strAll;
}

std::string Number(double value)
{
    char szValue[32];
    snprintf(szValue, sizeof szValue, "%.0f", value);
    return szValue;
}

// Says what a program that did not show a window within the time-out did instead.
std::string WhyNoWindow(const ChildProcess& child, const char* pszCaption, DWORD nTimeoutMs)
{
    if (child.HasEnded())
        return std::string("the program ended (exit code ") + Number(child.ExitCode())
               + ") without showing \"" + pszCaption + "\"";
    return std::string("no window \"") + pszCaption + "\" within " + Number(nTimeoutMs) + " ms: "
           + child.DescribeWindows();
}

// Waits until the window's thread has handled everything sent to it so far.
bool WaitUntilIdle(HWND hWnd, DWORD nTimeoutMs)
{
    DWORD_PTR nResult = 0;
    return ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, nTimeoutMs, &nResult) != 0;
}

// The text of a message box, read from its message static (control 0xFFFF).
std::string BoxText(HWND hBox, DWORD nTimeoutMs)
{
    char szText[512] = "";
    HWND hStatic = ::GetDlgItem(hBox, 0xFFFF);
    DWORD_PTR nResult = 0;
    if (hStatic)
        ::SendMessageTimeoutA(hStatic, WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText),
                              SMTO_NORMAL, nTimeoutMs, &nResult);
    return szText;
}

double Kib(SIZE_T nBytes)
{
    return static_cast<double>(nBytes) / 1024.0;
}

} // namespace

bool MeasureInstallerRun(const std::string& strPath, ProgramSeries& series, DWORD nTimeoutMs,
                         std::string& strError)
{
    std::vector<std::string> left = InstallState::Reset();
    if (!left.empty())
    {
        strError = "could not remove the previous installation: " + Join(left);
        return false;
    }

    ChildProcess child;
    if (!child.Start(strPath, strError))
        return false;
    HWND hDlg = child.WaitForWindow(s_szDialogCaption, nTimeoutMs);
    if (hDlg == NULL)
    {
        strError = WhyNoWindow(child, s_szDialogCaption, nTimeoutMs);
        return false;
    }
    double toWindowMs = NowMs() - child.StartedAtMs();

    if (!WaitUntilIdle(hDlg, nTimeoutMs))
    {
        strError = "the dialog did not answer within " + Number(nTimeoutMs) + " ms";
        return false;
    }
    ::Sleep(s_nSettleMs);

    // Posted, not sent: the installer answers Continue only after its message box is closed.
    double pressedMs = NowMs();
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, IDOK)));
    HWND hBox = child.WaitForWindow(s_szBoxCaption, nTimeoutMs);
    if (hBox == NULL)
    {
        strError = "after Continue, " + WhyNoWindow(child, s_szBoxCaption, nTimeoutMs);
        return false;
    }
    double toDoneMs = NowMs() - pressedMs;

    SIZE_T nPeak = child.PeakWorkingSet();
    std::string strText = BoxText(hBox, nTimeoutMs);
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    if (nPeak == 0)
    {
        strError = "the program's memory counters could not be read";
        return false;
    }
    if (strText != s_szSuccess)
    {
        strError = "the closing message was \"" + strText + "\", not the success message";
        return false;
    }
    if (!child.WaitForExit(nTimeoutMs))
    {
        strError = "the program did not end within " + Number(nTimeoutMs)
                   + " ms of its closing message: " + child.DescribeWindows();
        return false;
    }
    std::vector<std::string> missing = InstallState::Missing();
    if (!missing.empty())
    {
        strError = "the run reported success but did not write: " + Join(missing);
        return false;
    }

    series.toWindowMs.push_back(toWindowMs);
    series.toDoneMs.push_back(toDoneMs);
    series.peakKib.push_back(Kib(nPeak));
    return true;
}

bool MeasureWineFloorRun(const std::string& strPath, ProgramSeries& series, DWORD nTimeoutMs,
                         std::string& strError)
{
    ChildProcess child;
    if (!child.Start(strPath, strError))
        return false;
    HWND hWnd = child.WaitForWindow(s_szWineFloorCaption, nTimeoutMs);
    if (hWnd == NULL)
    {
        strError = WhyNoWindow(child, s_szWineFloorCaption, nTimeoutMs);
        return false;
    }
    double toWindowMs = NowMs() - child.StartedAtMs();

    // Read once the window has painted and gone idle, as the others are read with their last
    // window up.
    if (!WaitUntilIdle(hWnd, nTimeoutMs))
    {
        strError = "the window did not answer within " + Number(nTimeoutMs) + " ms";
        return false;
    }
    ::Sleep(s_nSettleMs);
    SIZE_T nPeak = child.PeakWorkingSet();
    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    if (nPeak == 0)
    {
        strError = "the program's memory counters could not be read";
        return false;
    }
    if (!child.WaitForExit(nTimeoutMs))
    {
        strError = "the program did not end within " + Number(nTimeoutMs) + " ms of WM_CLOSE";
        return false;
    }
    series.toWindowMs.push_back(toWindowMs);
    series.peakKib.push_back(Kib(nPeak));
    return true;
}

namespace {

// The recorder's log as it is now ("" when there is none).
std::string ReadUrlLog()
{
    std::string strLog;
    HANDLE hFile = ::CreateFileA(s_szUrlLog, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                 OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return strLog;
    char buffer[4096];
    DWORD nRead = 0;
    while (::ReadFile(hFile, buffer, sizeof buffer, &nRead, NULL) && nRead > 0)
        strLog.append(buffer, nRead);
    ::CloseHandle(hFile);
    return strLog;
}

} // namespace

bool MeasureLauncherRun(const std::string& strPath, ProgramSeries& series, DWORD nTimeoutMs,
                        std::string& strError)
{
    if (!::DeleteFileA(s_szUrlLog) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
    {
        strError = std::string("could not remove ") + s_szUrlLog;
        return false;
    }
    ChildProcess child;
    if (!child.Start(strPath, strError))
        return false;

    // Done when the recorder has written a whole line and the launcher has ended, in either order.
    double deadline = child.StartedAtMs() + nTimeoutMs;
    bool bEnded = false;
    std::string strLog;
    while (!(bEnded && strLog.find("\r\n") != std::string::npos))
    {
        if (NowMs() > deadline)
        {
            strError = std::string("within ") + Number(nTimeoutMs) + " ms, "
                       + (bEnded ? "the launcher ended but no URL reached the recorder"
                                 : "the launcher did not end");
            return false;
        }
        ::Sleep(1);
        bEnded = bEnded || child.HasEnded();
        if (strLog.find("\r\n") == std::string::npos)
            strLog = ReadUrlLog();
    }
    double toDoneMs = NowMs() - child.StartedAtMs();

    if (strLog != VENDOR_ENGLISH_URL "\r\n")
    {
        strError = "the recorder got \"" + strLog + "\", not the English page";
        return false;
    }
    series.toDoneMs.push_back(toDoneMs);
    return true;
}
