// bench/driver/Measurements.cpp: one measured run of the installer or its floor, of Wine's floor, of the launcher.
#include "Measurements.h"
#include <psapi.h>
#include <stdio.h>
#include "Footprint.h"
#include "Installer.h"
#include "ProgramProcess.h"
#include "UrlLog.h"
#include "VendorInfo.h"

namespace {

const char s_szWineFloorCaption[] = "Wine floor";
// Windows are looked for about once a millisecond: the times measured are a few hundred.
const DWORD s_nPollMs = 1;

// Before pressing Continue the dialog is left this long to finish painting, so that the time to
// done measures the installation and not the rest of the start-up. 100 ms was not enough: in
// about 4 rounds of 10 the installer's Continue, and in 2 of 10 the floor's, took some 15 ms more
// (a second cluster of times at 36 to 50 ms beside 18 to 28 ms); with 400 ms, 1 or 2 of 20 did.
const DWORD s_nSettleMs = 400;

std::string Number(double value)
{
    char szValue[32];
    snprintf(szValue, sizeof szValue, "%.0f", value);
    return szValue;
}

// Says what a program that did not show a window within the time-out did instead.
std::string WhyNoWindow(const ProgramProcess& child, const char* pszCaption, DWORD nTimeoutMs)
{
    if (child.HasEnded())
        return std::string("the program ended (exit code ") + Number(child.WaitForExit(0))
               + ") without showing \"" + pszCaption + "\"";
    return std::string("no window \"") + pszCaption + "\" within " + Number(nTimeoutMs) + " ms: "
           + child.DescribeWindows();
}

// The peak working set in bytes, from the process's own memory counters; 0 when unreadable.
SIZE_T PeakWorkingSet(const ProgramProcess& child)
{
    PROCESS_MEMORY_COUNTERS counters;
    ZeroMemory(&counters, sizeof counters);
    counters.cb = sizeof counters;
    return ::GetProcessMemoryInfo(child.Handle(), &counters, sizeof counters) ? counters.PeakWorkingSetSize : 0;
}

// Whether the program started; when not, says why.
bool Started(const ProgramProcess& child, std::string& strError)
{
    if (!child.Started())
        strError = "CreateProcess failed (error " + Number(child.StartError()) + ")";
    return child.Started();
}

double Kib(SIZE_T nBytes)
{
    return static_cast<double>(nBytes) / 1024.0;
}

} // namespace

bool MeasureInstallerRun(const std::string& strPath, ProgramSeries& series, DWORD nTimeoutMs,
                         std::string& strError)
{
    Footprint::Snapshot left = Footprint::Reset();
    if (!left.empty())
    {
        strError = "could not remove the previous installation:\n" + Footprint::Describe(left);
        return false;
    }

    ProgramProcess child(strPath);
    if (!Started(child, strError))
        return false;
    HWND hDlg = child.WaitForWindow(INSTALLER_DIALOG_CAPTION, nTimeoutMs, s_nPollMs);
    if (hDlg == NULL)
    {
        strError = WhyNoWindow(child, INSTALLER_DIALOG_CAPTION, nTimeoutMs);
        return false;
    }
    if (!Answers(hDlg, nTimeoutMs))
    {
        strError = "the dialog did not answer within " + Number(nTimeoutMs) + " ms";
        return false;
    }
    double toUsableMs = NowMs() - child.StartedAtMs();
    ::Sleep(s_nSettleMs);

    // Posted, not sent: the installer answers Continue only after its message box is closed.
    double pressedMs = NowMs();
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, IDOK)));
    HWND hBox = child.WaitForWindow(SETUP_MESSAGE_CAPTION, nTimeoutMs, s_nPollMs);
    if (hBox == NULL)
    {
        strError = "after Continue, " + WhyNoWindow(child, SETUP_MESSAGE_CAPTION, nTimeoutMs);
        return false;
    }
    double toDoneMs = NowMs() - pressedMs;

    SIZE_T nPeak = PeakWorkingSet(child);
    std::string strText = MessageBoxText(hBox);
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    if (nPeak == 0)
    {
        strError = "the program's memory counters could not be read";
        return false;
    }
    if (strText != INSTALL_SUCCESS_TEXT)
    {
        strError = "the closing message was \"" + strText + "\", not the success message";
        return false;
    }
    if (child.WaitForExit(nTimeoutMs) == -1)
    {
        strError = "the program did not end within " + Number(nTimeoutMs)
                   + " ms of its closing message: " + child.DescribeWindows();
        return false;
    }
    std::string strDifferences = Footprint::Check(Footprint::Expected());
    if (!strDifferences.empty())
    {
        strError = "the run reported success but did not write what an installation writes:\n" + strDifferences;
        return false;
    }

    series.toUsableMs.push_back(toUsableMs);
    series.toDoneMs.push_back(toDoneMs);
    series.peakKib.push_back(Kib(nPeak));
    return true;
}

bool MeasureWineFloorRun(const std::string& strPath, ProgramSeries& series, DWORD nTimeoutMs,
                         std::string& strError)
{
    ProgramProcess child(strPath);
    if (!Started(child, strError))
        return false;
    HWND hWnd = child.WaitForWindow(s_szWineFloorCaption, nTimeoutMs, s_nPollMs);
    if (hWnd == NULL)
    {
        strError = WhyNoWindow(child, s_szWineFloorCaption, nTimeoutMs);
        return false;
    }
    if (!Answers(hWnd, nTimeoutMs))
    {
        strError = "the window did not answer within " + Number(nTimeoutMs) + " ms";
        return false;
    }
    double toUsableMs = NowMs() - child.StartedAtMs();

    // Read once the window has painted and gone idle, as the others are read with their last
    // window up.
    ::Sleep(s_nSettleMs);
    SIZE_T nPeak = PeakWorkingSet(child);
    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    if (nPeak == 0)
    {
        strError = "the program's memory counters could not be read";
        return false;
    }
    if (child.WaitForExit(nTimeoutMs) == -1)
    {
        strError = "the program did not end within " + Number(nTimeoutMs) + " ms of WM_CLOSE";
        return false;
    }
    series.toUsableMs.push_back(toUsableMs);
    series.peakKib.push_back(Kib(nPeak));
    return true;
}

bool MeasureLauncherRun(const std::string& strPath, ProgramSeries& series, DWORD nTimeoutMs,
                        std::string& strError)
{
    if (!UrlLog::Clear())
    {
        strError = "could not remove the URL recorder's log";
        return false;
    }
    ProgramProcess child(strPath);
    if (!Started(child, strError))
        return false;

    // Done when the recorder has written a whole line and the launcher has ended, in either order.
    std::vector<std::string> urls;
    bool bDone = WaitUntil([&] {
        if (urls.empty())
            urls = UrlLog::Read();
        return !urls.empty() && child.HasEnded();
    }, nTimeoutMs, s_nPollMs);
    double toDoneMs = NowMs() - child.StartedAtMs();
    if (!bDone)
    {
        strError = std::string("within ") + Number(nTimeoutMs) + " ms, "
                   + (child.HasEnded() ? "the launcher ended but no URL reached the recorder"
                                       : "the launcher did not end");
        return false;
    }
    if (urls.size() != 1 || urls[0] != VENDOR_ENGLISH_URL)
    {
        strError = "the recorder got " + UrlLog::Describe() + ", not the English page alone";
        return false;
    }
    series.toDoneMs.push_back(toDoneMs);
    return true;
}
