// installer/core/RunInstallation.cpp: the installation, step by step, from the prerequisite checks to the closing message.
#include "RunInstallation.h"
#include <objbase.h>
#include <stdlib.h>
#include "CommonFolders.h"
#include "ComposeString.h"
#include "InstallItems.h"
#include "InstallReport.h"
#include "Protocols.h"
#include "ServiceRegistration.h"
#include "SetupMessage.h"
#include "ShellShortcut.h"
#include "WindowsVersion.h"

static const char s_szSuccess[] = "Install Remote Service Success, please reboot the Server!";
static const char s_szNoMemory[] = "Setup does not have enough memory. Nothing has been changed.";
static const char s_szNoWindir[] =
    "The environment variable windir is not set, so Setup cannot tell where Windows is "
    "installed. Nothing has been changed.";
static const char s_szLongWindir[] =
    "The Windows directory named by the environment variable windir is %d characters long; "
    "Setup can use one of at most %d characters. Nothing has been changed.";

static const char s_szCopyFailed[] = "Copy of Rezozire98.lnk to the common desktop";
static const char s_szBatchFailed[] = "Batch file rplcmd.bat";
static const char s_szPathTooLong[] = "its path would be longer than 259 characters";

// A common folder that gets a manager shortcut, with how the stop message names the shortcut.
struct CommonFolder
{
    LONG (*pfnRead)(char* pszFolder);       // its path, from the shell folders key
    LPCSTR pszShortcut;
    LPCSTR pszUnknown;          // why there is no shortcut when the folder cannot be read
};
static const CommonFolder s_adminTools = {
    ReadAdminToolsFolder,
    "Shortcut \"Remoteboot Manager\" in the common Administrative Tools folder",
    "the folder's location could not be read from the registry (Shell Folders, "
    "\"Common Administrative Tools\", nor \"Common Programs\")" };
static const CommonFolder s_desktop = {
    ReadCommonDesktop,
    "Shortcut \"Remoteboot Manager\" on the common desktop",
    "the folder's location could not be read from the registry (Shell Folders, "
    "\"Common Desktop\")" };

// Everything that must hold before the first change. Each failed check shows its one message
// and returns false, so a run that stops here has changed nothing.
static bool CheckPrerequisites(CWnd& owner)
{
    OSVERSIONINFOEXA version;
    if (!QueryWindowsVersion(version))
        return false;           // nothing useful to tell; nothing has been touched

    // Any NT-family version serves remote boot; no version number is tested.
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT)
    {
        ShowSetupMessage(owner, g_szNotNT, MB_ICONHAND);
        return false;
    }

    LPCSTR pszMissingProtocol = FirstMissingProtocol();
    if (pszMissingProtocol != NULL)
    {
        ShowSetupMessage(owner, pszMissingProtocol, MB_ICONHAND);
        return false;
    }

    // Every path below starts with windir; all of them must fit their MAX_PATH buffers.
    LPCSTR pszWindir = getenv("windir");
    if (pszWindir == NULL || *pszWindir == '\0')
    {
        ShowSetupMessage(owner, s_szNoWindir, MB_ICONHAND);
        return false;
    }
    int nMax = MaxWindirLength();
    if (::lstrlenA(pszWindir) > nMax)
    {
        char szText[sizeof s_szLongWindir + 16];
        ::wsprintfA(szText, s_szLongWindir, ::lstrlenA(pszWindir), nMax);
        ShowSetupMessage(owner, szText, MB_ICONHAND);
        return false;
    }
    return true;
}

// Puts a manager shortcut into one common folder, whose path it leaves in pszFolder. Returns
// whether the folder is known; an unknown folder gets no shortcut anywhere, and is reported.
static bool PlaceManagerShortcut(const CommonFolder& folder, LPCSTR pszTarget, char* pszFolder,
                                 CInstallReport& report)
{
    LONG nError = folder.pfnRead(pszFolder);
    if (nError != ERROR_SUCCESS)
    {
        report.AddFailure(folder.pszShortcut, folder.pszUnknown, nError);
        return false;
    }
    char szLink[MAX_PATH];
    if (!ComposeString(szLink, MAX_PATH, pszFolder, g_szManagerLink))
    {
        report.AddFailure(folder.pszShortcut, s_szPathTooLong, ERROR_FILENAME_EXCED_RANGE);
        return true;
    }
    HRESULT hr = CreateShellShortcut(pszTarget, szLink, g_szManagerDescription);
    if (FAILED(hr))
        report.AddFailure(folder.pszShortcut, szLink, hr);
    return true;
}

// Copies the prepared Rezozire98 shortcut to the common desktop (pszDesktop, NULL when it is
// not known). Without a prepared shortcut there is nothing to copy, and a copy that is already
// on the desktop is kept as it is: neither is a failure.
static void CopyPreparedShortcut(LPCSTR pszSource, LPCSTR pszDesktop, CInstallReport& report)
{
    if (::GetFileAttributesA(pszSource) == INVALID_FILE_ATTRIBUTES)
        return;
    char szDestination[MAX_PATH];
    if (pszDesktop == NULL)
        report.AddFailure(s_szCopyFailed, s_desktop.pszUnknown, ERROR_PATH_NOT_FOUND);
    else if (!ComposeString(szDestination, MAX_PATH, pszDesktop, g_szPreparedLink))
        report.AddFailure(s_szCopyFailed, s_szPathTooLong, ERROR_FILENAME_EXCED_RANGE);
    else if (!::CopyFileA(pszSource, szDestination, TRUE))
    {
        DWORD nError = ::GetLastError();
        if (nError != ERROR_FILE_EXISTS)
            report.AddFailure(s_szCopyFailed, szDestination, nError);
    }
}

// Writes rplcmd.bat into the system directory. The file is created, or truncated when it
// exists, so it holds its one line and nothing of a longer earlier file.
static void WriteBatchFile(CInstallReport& report)
{
    char szPath[MAX_PATH];
    if (!ComposeBatchPath(szPath))
    {
        report.AddFailure(s_szBatchFailed, "the path of the system directory could not be found",
                          ERROR_PATH_NOT_FOUND);
        return;
    }
    HANDLE hFile = ::CreateFileA(szPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        report.AddFailure(s_szBatchFailed, szPath, ::GetLastError());
        return;
    }
    DWORD nToWrite = ::lstrlenA(g_szBatchText);
    DWORD nWritten = 0;
    if (!::WriteFile(hFile, g_szBatchText, nToWrite, &nWritten, NULL))
        report.AddFailure(s_szBatchFailed, szPath, ::GetLastError());
    else if (nWritten != nToWrite)
        report.AddFailure(s_szBatchFailed, szPath, ERROR_DISK_FULL);
    ::CloseHandle(hFile);
}

// Adds what RegisterServices could not write to the report, one line per key.
static void ReportServiceFailures(const ServiceOutcome& outcome, CInstallReport& report)
{
    for (int i = 0; i < outcome.nFailures; ++i)
    {
        const ServiceFailure& failure = outcome.failures[i];
        CString strWhat("Registry key HKLM\\");
        strWhat += failure.pszKey;
        CString strDetail;
        if (failure.pszValue == NULL)
            strDetail = "the key could not be opened or created, so none of its values were written";
        else
        {
            strDetail = "value \"";
            strDetail += failure.pszValue;
            strDetail += "\" could not be written";
            if (failure.nFailedValues > 1)
            {
                char szMore[48];
                ::wsprintfA(szMore, ", nor %d more of its values", failure.nFailedValues - 1);
                strDetail += szMore;
            }
        }
        report.AddFailure(strWhat, strDetail, failure.nError);
    }
}

// The installation proper. From here on every step runs whatever became of the one before;
// what fails is collected for the one closing message.
static bool Install(CWnd& owner, char* pszTarget, char* pszFolder)
{
    CInstallReport report;

    // The Remoteboot Manager shortcuts, in the common Administrative Tools folder and on the
    // common desktop. The desktop's path stays in the folder buffer for the copy below.
    // COM stays initialised across both: each CreateShellShortcut balances its own
    // initialisation, and without this outer one the last CoUninitialize of the first would
    // unload the link object's libraries, for the second to load them again.
    ComposeManagerTarget(pszTarget);        // windir is set and short enough: CheckPrerequisites
    HRESULT hrCom = ::CoInitialize(NULL);
    PlaceManagerShortcut(s_adminTools, pszTarget, pszFolder, report);
    bool bDesktopKnown = PlaceManagerShortcut(s_desktop, pszTarget, pszFolder, report);
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();

    // The prepared Rezozire98 shortcut from windir\rpl goes to the common desktop.
    ComposePreparedSource(pszTarget);
    CopyPreparedShortcut(pszTarget, bDesktopKnown ? pszFolder : NULL, report);

    WriteBatchFile(report);

    // The service entries and the Lsa setting; the folder buffer serves as scratch.
    ServiceOutcome services;
    RegisterServices(pszFolder, services);
    ReportServiceFailures(services, report);

    if (report.HasFailures())
    {
        ShowSetupMessage(owner, report.GetMessageText(), MB_ICONHAND);
        return false;
    }
    ShowSetupMessage(owner, s_szSuccess, MB_ICONEXCLAMATION);
    return true;
}

bool RunInstallation(CWnd& owner)
{
    // The two working buffers: the target path, and the folder buffer that RegisterServices
    // borrows at the end. Both are released below, on the one way out.
    char* pszTarget = static_cast<char*>(::VirtualAlloc(NULL, MAX_PATH, MEM_COMMIT,
                                                        PAGE_READWRITE));
    char* pszFolder = static_cast<char*>(::VirtualAlloc(NULL, MAX_PATH, MEM_COMMIT,
                                                        PAGE_READWRITE));
    bool bInstalled = false;
    if (pszTarget == NULL || pszFolder == NULL)
        ShowSetupMessage(owner, s_szNoMemory, MB_ICONHAND);
    else if (CheckPrerequisites(owner))
        bInstalled = Install(owner, pszTarget, pszFolder);

    if (pszFolder != NULL)
        ::VirtualFree(pszFolder, 0, MEM_RELEASE);
    if (pszTarget != NULL)
        ::VirtualFree(pszTarget, 0, MEM_RELEASE);
    return bInstalled;
}
