// uninstaller/core/RemovalReport.h: the survey as the dialog lists it, and the closing message of a removal.
#ifndef REMOVALREPORT_H
#define REMOVALREPORT_H

#include "afxwin.h"
#include "RemovalSurvey.h"

// One paragraph per item: its name, what was found (as the installer writes it, changed
// since, not there), where, and what is not the installer's. CRLF line ends, for an edit control.
CString DescribeSurvey(const RemovalSurvey& survey);

// The line under the list: what Remove will do, or that there is nothing to remove.
CString SummarizeSurvey(const RemovalSurvey& survey);

// After RemoveFoundItems: what was removed and how, what was left and why, what could not be
// removed and the error; and a request to reboot when a service was stopped or deleted.
CString DescribeRemoval(const RemovalSurvey& survey);

// Whether any item found as installed could not be removed.
BOOL AnyRemovalFailed(const RemovalSurvey& survey);

// The closing message when nothing of an installation was found at all.
extern const char g_szNothingFound[];

#endif // REMOVALREPORT_H
