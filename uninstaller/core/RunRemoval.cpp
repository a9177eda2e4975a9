// uninstaller/core/RunRemoval.cpp: the removal from the survey to the closing message.
#include "RunRemoval.h"
#include "RemovalReport.h"
#include "SetupMessage.h"
#include "WindowsVersion.h"

static const char s_szNoMemory[] = "Uninstall does not have enough memory. Nothing has been changed.";

bool CheckRemovalPlatform(CWnd& owner, OSVERSIONINFOEXA& version)
{
    if (!QueryWindowsVersion(version))
        return false;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT)
    {
        ShowSetupMessage(owner, g_szNotNT, MB_ICONHAND);
        return false;
    }
    return true;
}

void RunRemoval(CWnd& owner, const OSVERSIONINFOEXA& version, DWORD nStopWaitMs)
{
    // The survey is large for the stack of a message handler; it lives only for this call.
    RemovalSurvey* pSurvey = new RemovalSurvey;
    if (pSurvey == NULL)
    {
        ShowSetupMessage(owner, s_szNoMemory, MB_ICONHAND);
        return;
    }
    SurveyInstallation(version, *pSurvey);
    if (CountItems(*pSurvey, STATE_AS_INSTALLED) == 0 && CountItems(*pSurvey, STATE_CHANGED) == 0)
        ShowSetupMessage(owner, g_szNothingFound, MB_ICONEXCLAMATION);
    else
    {
        RemoveFoundItems(*pSurvey, nStopWaitMs);
        ShowSetupMessage(owner, DescribeRemoval(*pSurvey), AnyRemovalFailed(*pSurvey) ? MB_ICONHAND : MB_ICONEXCLAMATION);
    }
    delete pSurvey;
}
