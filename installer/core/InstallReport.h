// installer/core/InstallReport.h: CInstallReport, the list of what an installation run could not do.
#ifndef INSTALLREPORT_H
#define INSTALLREPORT_H

#include "afxwin.h"

// Collects the parts of the installation that failed, so that the run can end with one
// message naming all of them, and notes whether Windows denied access to any of them.
class CInstallReport
{
public:
    // Construction
    CInstallReport();

    // Attributes
    BOOL HasFailures() const { return m_nFailures > 0; }
    BOOL WasAccessDenied() const { return m_bAccessDenied; }

    // Operations
    // Notes one part that could not be done: pszWhat names it, pszDetail (may be NULL) says
    // what went wrong, and nError is the Windows error or HRESULT behind it.
    void AddFailure(LPCSTR pszWhat, LPCSTR pszDetail, DWORD nError);
    // The text of the stop message: the list, then what the administrator can do about it.
    CString GetMessageText() const;

private:
    // Implementation
    CString m_strItems;
    int m_nFailures;
    BOOL m_bAccessDenied;
};

// Appends " (error N: the system's text for it)" to strLine; nError is a Windows error or an
// HRESULT. The removal's report names its errors the same way.
void AppendErrorText(CString& strLine, DWORD nError);

#endif // INSTALLREPORT_H
