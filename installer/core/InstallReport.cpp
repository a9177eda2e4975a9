// installer/core/InstallReport.cpp: CInstallReport, the list of failures and the stop message made from it.
#include "InstallReport.h"

static const char s_szIntro[] =
    "The installation is not complete. Setup could not do the following:\n\n";
static const char s_szRunAsAdministrator[] =
    "\nWindows denied access to some of these. The installer must be run by an administrator: "
    "log on with an administrator account and press Continue again.";
static const char s_szTryAgain[] =
    "\nCorrect the cause shown for each, then press Continue again. "
    "What was already done is simply written again.";

CInstallReport::CInstallReport() : m_nFailures(0), m_bAccessDenied(FALSE)
{
}

// An HRESULT that wraps a Windows error is shown as that error, so that access denied reads
// the same whichever call reported it.
void AppendErrorText(CString& strLine, DWORD nError)
{
    if ((nError & 0x80000000) && HRESULT_FACILITY(nError) == FACILITY_WIN32)
        nError = HRESULT_CODE(nError);
    char szText[256];
    ::wsprintfA(szText, nError < 0x10000 ? " (error %lu" : " (error 0x%08lX", nError);
    strLine += szText;

    DWORD nLength = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                     NULL, nError, 0, szText, sizeof szText, NULL);
    while (nLength > 0 && (szText[nLength - 1] == '\r' || szText[nLength - 1] == '\n'
                           || szText[nLength - 1] == ' ' || szText[nLength - 1] == '.'))
        --nLength;
    szText[nLength] = '\0';
    if (nLength > 0)
    {
        strLine += ": ";
        strLine += szText;
    }
    strLine += ")";
}

void CInstallReport::AddFailure(LPCSTR pszWhat, LPCSTR pszDetail, DWORD nError)
{
    ++m_nFailures;
    if (nError == ERROR_ACCESS_DENIED || nError == static_cast<DWORD>(E_ACCESSDENIED))
        m_bAccessDenied = TRUE;
    m_strItems += "- ";
    m_strItems += pszWhat;
    if (pszDetail != NULL && *pszDetail != '\0')
    {
        m_strItems += ": ";
        m_strItems += pszDetail;
    }
    AppendErrorText(m_strItems, nError);
    m_strItems += "\n";
}

CString CInstallReport::GetMessageText() const
{
    CString strText(s_szIntro);
    strText += m_strItems;
    strText += m_bAccessDenied ? s_szRunAsAdministrator : s_szTryAgain;
    return strText;
}
