// installer/core/ServiceRegistration.h: RegisterServices, the registry entries of the three services and the Lsa setting.
#ifndef SERVICEREGISTRATION_H
#define SERVICEREGISTRATION_H

#include <windows.h>
#include "InstallItems.h"

// One key under HKEY_LOCAL_MACHINE that RegisterServices could not write completely.
struct ServiceFailure
{
    LPCSTR pszKey;          // the key's path under HKEY_LOCAL_MACHINE
    LPCSTR pszValue;        // the first value not written; NULL when the key itself could not
                            // be opened or created (and so none of its values were written)
    int nFailedValues;      // how many of the key's values were not written
    LONG nError;            // the Windows error of the first failure
};

// What RegisterServices could not do, key by key in the order it writes them.
struct ServiceOutcome
{
    enum { MAX_FAILURES = 6 };  // each key at most once: three services, two Parameters, Lsa
    int nFailures;              // 0 when everything was written
    ServiceFailure failures[MAX_FAILURES];
};

// Writes the service entries of g_installServices (RamdiskZ, RemoteBoot and MorvanethService) under
// HKLM\SYSTEM\ControlSet001\Services, whichever control set is current, and sets
// "limitblankpassworduse" to 0 under ControlSet001\Control\Lsa when that key exists (it is never
// created). Values that are not listed are left alone. pszScratch is a caller's buffer of
// SERVICE_SCRATCH_SIZE bytes for the paths composed from windir; its contents are overwritten.
void RegisterServices(char* pszScratch, ServiceOutcome& outcome);

// The longest windir for which every path that RegisterServices composes fits its scratch buffer.
int MaxServiceWindirLength();

#endif // SERVICEREGISTRATION_H
