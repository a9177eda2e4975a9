// uninstaller/core/RemovalReport.cpp: the texts made from a survey and from a removal.
#include "RemovalReport.h"
#include "InstallReport.h"

const char g_szNothingFound[] =
    "Nothing of an installation was found on this server, so there is nothing to remove. "
    "Nothing has been changed.";

static const char s_szNothingToRemove[] =
    "Nothing of an installation was found on this server: there is nothing to remove.";
static const char s_szAsInstalled[] = "found as the installer writes it";
static const char s_szChanged[] = "found, but changed since the installation: it stays";
static const char s_szAbsent[] = "not there";

static const char s_szRemovedHead[] = "Removed:\n";
static const char s_szLeftHead[] = "Left in place, because they were changed since the installation:\n";
static const char s_szFailedHead[] = "Could not be removed:\n";
static const char s_szNothingRemoved[] = "Nothing was removed.\n";
static const char s_szReboot[] =
    "\nPlease reboot the server: a service was stopped or deleted through the service control manager.";
static const char s_szAdministrator[] =
    "\nWindows denied access to some of these: run Uninstall.exe again as an administrator.";

// "name: text", and the place in parentheses where there is one.
static void AppendNamed(CString& strText, const RemovalItem& item, LPCSTR pszIndent)
{
    strText += pszIndent;
    strText += item.szName;
    if (item.szPlace[0] != '\0')
    {
        strText += " (";
        strText += item.szPlace;
        strText += ")";
    }
}

CString DescribeSurvey(const RemovalSurvey& survey)
{
    CString strText;
    for (int i = 0; i < RemovalSurvey::ITEM_COUNT; ++i)
    {
        const RemovalItem& item = survey.items[i];
        strText += item.szName;
        strText += ": ";
        strText += item.state == STATE_AS_INSTALLED ? s_szAsInstalled
                   : item.state == STATE_CHANGED ? s_szChanged : s_szAbsent;
        strText += "\r\n";
        if (item.szPlace[0] != '\0' && item.state != STATE_ABSENT)
        {
            strText += "    ";
            strText += item.szPlace;
            strText += "\r\n";
        }
        if (item.szWhy[0] != '\0')
        {
            strText += "    ";
            strText += item.szWhy;
            strText += "\r\n";
        }
    }
    return strText;
}

CString SummarizeSurvey(const RemovalSurvey& survey)
{
    int nFound = CountItems(survey, STATE_AS_INSTALLED);
    int nChanged = CountItems(survey, STATE_CHANGED);
    if (nFound == 0 && nChanged == 0)
        return CString(s_szNothingToRemove);
    char szText[200];
    if (nFound == 0)
        ::wsprintfA(szText, "Nothing is as the installer writes it, so there is nothing to remove; "
                            "the %d changed item%s stay%s.", nChanged, nChanged == 1 ? "" : "s",
                    nChanged == 1 ? "s" : "");
    else if (nChanged == 0)
        ::wsprintfA(szText, "Remove deletes the %d item%s found as the installer writes %s.", nFound,
                    nFound == 1 ? "" : "s", nFound == 1 ? "it" : "them");
    else
        ::wsprintfA(szText, "Remove deletes the %d item%s found as the installer writes %s; "
                            "the %d changed item%s stay%s.", nFound, nFound == 1 ? "" : "s",
                    nFound == 1 ? "it" : "them", nChanged, nChanged == 1 ? "" : "s", nChanged == 1 ? "s" : "");
    return CString(szText);
}

BOOL AnyRemovalFailed(const RemovalSurvey& survey)
{
    for (int i = 0; i < RemovalSurvey::ITEM_COUNT; ++i)
        if (survey.items[i].state == STATE_AS_INSTALLED && !survey.items[i].bRemoved)
            return TRUE;
    return FALSE;
}

CString DescribeRemoval(const RemovalSurvey& survey)
{
    CString strRemoved, strLeft, strFailed;
    BOOL bDenied = FALSE;
    for (int i = 0; i < RemovalSurvey::ITEM_COUNT; ++i)
    {
        const RemovalItem& item = survey.items[i];
        if (item.state == STATE_CHANGED)
        {
            AppendNamed(strLeft, item, "- ");
            strLeft += ": ";
            strLeft += item.szWhy;
            strLeft += "\n";
        }
        else if (item.state == STATE_AS_INSTALLED)
        {
            CString& strList = item.bRemoved ? strRemoved : strFailed;
            AppendNamed(strList, item, "- ");
            if (item.pszOutcome != NULL)
            {
                strList += ": ";
                strList += item.pszOutcome;
            }
            if (!item.bRemoved)
                AppendErrorText(strList, static_cast<DWORD>(item.nError));
            strList += "\n";
            bDenied = bDenied || (!item.bRemoved && item.nError == ERROR_ACCESS_DENIED);
        }
    }
    CString strText(strRemoved.IsEmpty() ? s_szNothingRemoved : s_szRemovedHead);
    strText += strRemoved;
    if (!strLeft.IsEmpty())
    {
        strText += "\n";
        strText += s_szLeftHead;
        strText += strLeft;
    }
    if (!strFailed.IsEmpty())
    {
        strText += "\n";
        strText += s_szFailedHead;
        strText += strFailed;
    }
    if (bDenied)
        strText += s_szAdministrator;
    if (survey.bRebootNeeded)
        strText += s_szReboot;
    return strText;
}
