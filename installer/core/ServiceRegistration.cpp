// installer/core/ServiceRegistration.cpp: RegisterServices, its tables of values (InstallItems.h) and the writer that follows them.
#include "ServiceRegistration.h"
#include <stdlib.h>
#include "ComposeString.h"
#include "RegKey.h"
#include "VendorInfo.h"

// The entries always go to control set 001, the one a server boots from by default; the
// prerequisite checks read CurrentControlSet instead.
#define SERVICES_KEY "SYSTEM\\ControlSet001\\Services"
const char g_szServicesKey[] = SERVICES_KEY;
const char g_szLsaKey[] = "SYSTEM\\ControlSet001\\Control\\Lsa";
const char g_szParametersKey[] = "Parameters";
// Object-manager form of a path: the driver and its disk image are opened before drive letters exist.
static const char s_szObjectPrefix[] = "\\??\\";

// SERVICE_KERNEL_DRIVER 1, SERVICE_WIN32_OWN_PROCESS 16, SERVICE_AUTO_START 2,
// SERVICE_ERROR_NORMAL 1.
static const ServiceValue s_ramdiskValues[] = {
    { "DisplayName",    REG_SZ,        0, "Morvaneth",                          false },
    { "Group",          REG_SZ,        0, "Primary disk",                       false },
    { "ErrorControl",   REG_DWORD,     1, NULL,                                 false },
    { "ImagePath",      REG_EXPAND_SZ, 0, "\\system32\\drivers\\ramdiskZ.sys",  true  },
    { "Start",          REG_DWORD,     2, NULL,                                 false },
    { "Type",           REG_DWORD,     1, NULL,                                 false },
};

// Read by the RAM disk driver: a 20 MiB disk (5120 pages of 4 KiB) on drive Z:, loaded from
// and saved to its image file.
static const ServiceValue s_ramdiskParameters[] = {
    { "AllocateMemoryType", REG_DWORD, 1,        NULL, false },
    { "AutoSaveEnabled",    REG_DWORD, 0,        NULL, false },
    { "AutoSaveTrigger",    REG_DWORD, 80,       NULL, false },
    { "BackgroundUpdate",   REG_DWORD, 0,        NULL, false },
    { "BootSectType",       REG_DWORD, 1,        NULL, false },
    { "DiskFormatFAT32",    REG_DWORD, 0,        NULL, false },
    { "ExcludedRAMPage",    REG_DWORD, 16777216, NULL, false },
    { "ExcludedRAMStart",   REG_DWORD, 0x80,     NULL, false },
    { "IDAsRAMDisk",        REG_DWORD, 0,        NULL, false },
    { "LoadImageOnStart",   REG_DWORD, 1,        NULL, false },
    { "MakeTempDir",        REG_DWORD, 0,        NULL, false },
    { "SaveImageOnExit",    REG_DWORD, 1,        NULL, false },
    { "SizeIn4kPages",      REG_DWORD, 5120,     NULL, false },
    { "UseDiskLabel",       REG_DWORD, 0,        NULL, false },
    { "DiskLabel",          REG_SZ,    0, "Morvaneth",               false },
    { "DiskType",           REG_SZ,    0, "HDC",                     false },
    { "LoadImageFile",      REG_SZ,    0, "\\system32\\rpldskz.img", true  },
    { "SaveImageFile",      REG_SZ,    0, "\\system32\\rpldskz.img", true  },
    { "UserDriveLetter",    REG_SZ,    0, "Z",                       false },
};

// "%SystemRoot%" stays as it is: the service manager expands REG_EXPAND_SZ when it reads it.
static const ServiceValue s_remoteBootValues[] = {
    { "DisplayName",     REG_SZ,        0,  "Remoteboot Service",             false },
    { "ErrorControl",    REG_DWORD,     1,  NULL,                             false },
    { "ImagePath",       REG_EXPAND_SZ, 0,  "%SystemRoot%\\Rpl\\rplsvc.exe",  false },
    { "DependOnService", REG_MULTI_SZ,  0,  "RamdiskZ\0",                     false },
    { "ObjectName",      REG_SZ,        0,  "LocalSystem",                    false },
    { "Start",           REG_DWORD,     2,  NULL,                             false },
    { "Type",            REG_DWORD,     16, NULL,                             false },
};

// Read by the remote boot service; its directory lies on the RAM disk's drive Z:.
static const ServiceValue s_remoteBootParameters[] = {
    { "BackupInterval", REG_DWORD,     24, NULL,       false },
    { "Startup",        REG_DWORD,     0,  NULL,       false },
    { "Directory",      REG_EXPAND_SZ, 0,  "z:\\rpl",  false },
};

static const ServiceValue s_morvanethValues[] = {
    { "Description",  REG_SZ,        0,  "Diskless Windows 98 service",              false },
    { "DisplayName",  REG_SZ,        0,  VENDOR_WEB_DOMAIN " Service",               false },
    { "ErrorControl", REG_DWORD,     1,  NULL,                                       false },
    { "ImagePath",    REG_EXPAND_SZ, 0,  "%SystemRoot%\\system32\\Quenlar.exe",      false },
    { "ObjectName",   REG_SZ,        0,  "LocalSystem",                              false },
    { "Start",        REG_DWORD,     2,  NULL,                                       false },
    { "Type",         REG_DWORD,     16, NULL,                                       false },
};

// 0 lets local accounts with blank passwords log on over the network, as the diskless
// workstations do. The name is matched without regard to case.
const ServiceValue g_lsaValue = { "limitblankpassworduse", REG_DWORD, 0, NULL, false };

const ServiceGroup g_installServices[INSTALL_SERVICE_COUNT] = {
    { "RamdiskZ", SERVICES_KEY "\\RamdiskZ", s_ramdiskValues, ARRAYSIZE(s_ramdiskValues),
      SERVICES_KEY "\\RamdiskZ\\Parameters", s_ramdiskParameters, ARRAYSIZE(s_ramdiskParameters) },
    { "RemoteBoot", SERVICES_KEY "\\RemoteBoot", s_remoteBootValues, ARRAYSIZE(s_remoteBootValues),
      SERVICES_KEY "\\RemoteBoot\\Parameters", s_remoteBootParameters,
      ARRAYSIZE(s_remoteBootParameters) },
    { "MorvanethService", SERVICES_KEY "\\MorvanethService", s_morvanethValues,
      ARRAYSIZE(s_morvanethValues), NULL, NULL, 0 },
};

// Notes a key that was not written completely; each key is noted at most once.
static ServiceFailure& AddFailure(ServiceOutcome& outcome, LPCSTR pszKey, LPCSTR pszValue,
                                  LONG nError)
{
    if (outcome.nFailures < ServiceOutcome::MAX_FAILURES)
        ++outcome.nFailures;
    ServiceFailure& failure = outcome.failures[outcome.nFailures - 1];
    failure.pszKey = pszKey;
    failure.pszValue = pszValue;
    failure.nFailedValues = 0;
    failure.nError = nError;
    return failure;
}

// A path under windir is composed in the scratch buffer and refused, not cut short, when
// windir is unset or the path would not fit.
LONG ComposeValueData(const ServiceValue& value, char* pszScratch, const BYTE** ppData, DWORD* pnBytes)
{
    if (value.nType == REG_DWORD)
    {
        *ppData = reinterpret_cast<const BYTE*>(&value.nNumber);
        *pnBytes = sizeof(DWORD);
        return ERROR_SUCCESS;
    }
    LPCSTR pszData = value.pszText;
    if (value.bUnderWindir)
    {
        LPCSTR pszWindir = getenv("windir");
        if (pszWindir == NULL || *pszWindir == '\0')
            return ERROR_ENVVAR_NOT_FOUND;
        if (!ComposeString(pszScratch, SERVICE_SCRATCH_SIZE, s_szObjectPrefix, pszWindir,
                           value.pszText))
            return ERROR_FILENAME_EXCED_RANGE;
        pszData = pszScratch;
    }
    *ppData = reinterpret_cast<const BYTE*>(pszData);
    *pnBytes = ::lstrlenA(pszData) + (value.nType == REG_MULTI_SZ ? 2 : 1);
    return ERROR_SUCCESS;
}

// Writes one value, with the data the table gives it.
static LONG WriteValue(HKEY hKey, const ServiceValue& value, char* pszScratch)
{
    const BYTE* pData = NULL;
    DWORD nBytes = 0;
    LONG nError = ComposeValueData(value, pszScratch, &pData, &nBytes);
    if (nError != ERROR_SUCCESS)
        return nError;
    return ::RegSetValueExA(hKey, value.pszName, 0, value.nType, pData, nBytes);
}

// Writes a table of values in its order; one that fails is noted and the rest are still tried.
static void WriteValues(HKEY hKey, LPCSTR pszKeyPath, const ServiceValue* pValues, int nValues,
                        char* pszScratch, ServiceOutcome& outcome)
{
    ServiceFailure* pFailure = NULL;
    for (int i = 0; i < nValues; ++i)
    {
        LONG nError = WriteValue(hKey, pValues[i], pszScratch);
        if (nError == ERROR_SUCCESS)
            continue;
        if (pFailure == NULL)
            pFailure = &AddFailure(outcome, pszKeyPath, pValues[i].pszName, nError);
        ++pFailure->nFailedValues;
    }
}

// Writes one service group: open the Services key, create or open the service's key, write its
// values, then the same for its Parameters subkey. A key that cannot be opened or created ends
// the group there, so its values never land in another key. Every key closes on return.
static void RegisterService(const ServiceGroup& group, char* pszScratch, ServiceOutcome& outcome)
{
    CRegKey services, service, parameters;
    LONG nError = services.Open(HKEY_LOCAL_MACHINE, g_szServicesKey, KEY_ALL_ACCESS);
    if (nError == ERROR_SUCCESS)
        nError = service.Create(services, group.pszName);
    if (nError != ERROR_SUCCESS)
    {
        AddFailure(outcome, group.pszKeyPath, NULL, nError);
        return;
    }
    WriteValues(service, group.pszKeyPath, group.pValues, group.nValues, pszScratch, outcome);

    if (group.pParameters == NULL)
        return;
    nError = parameters.Create(service, g_szParametersKey);
    if (nError != ERROR_SUCCESS)
    {
        AddFailure(outcome, group.pszParametersPath, NULL, nError);
        return;
    }
    WriteValues(parameters, group.pszParametersPath, group.pParameters, group.nParameters,
                pszScratch, outcome);
}

// Loosens the blank-password rule under the Lsa key. Only an existing key is written: a
// missing one is no failure and is not created.
static void SetLsaValue(char* pszScratch, ServiceOutcome& outcome)
{
    CRegKey lsa;
    LONG nError = lsa.Open(HKEY_LOCAL_MACHINE, g_szLsaKey, KEY_ALL_ACCESS);
    if (nError == ERROR_SUCCESS)
        WriteValues(lsa, g_szLsaKey, &g_lsaValue, 1, pszScratch, outcome);
    else if (nError != ERROR_FILE_NOT_FOUND)
        AddFailure(outcome, g_szLsaKey, NULL, nError);
}

void RegisterServices(char* pszScratch, ServiceOutcome& outcome)
{
    outcome.nFailures = 0;
    for (int i = 0; i < INSTALL_SERVICE_COUNT; ++i)
        RegisterService(g_installServices[i], pszScratch, outcome);
    SetLsaValue(pszScratch, outcome);
}

// Shortens nMax so that "\??\" + windir + the tail of every windir path in the table fits.
static int FitWindir(int nMax, const ServiceValue* pValues, int nValues)
{
    for (int i = 0; i < nValues; ++i)
    {
        if (!pValues[i].bUnderWindir)
            continue;
        int nFits = SERVICE_SCRATCH_SIZE - 1 - ::lstrlenA(s_szObjectPrefix)
                    - ::lstrlenA(pValues[i].pszText);
        if (nFits < nMax)
            nMax = nFits;
    }
    return nMax;
}

int MaxServiceWindirLength()
{
    int nMax = SERVICE_SCRATCH_SIZE - 1;
    for (int i = 0; i < INSTALL_SERVICE_COUNT; ++i)
    {
        nMax = FitWindir(nMax, g_installServices[i].pValues, g_installServices[i].nValues);
        nMax = FitWindir(nMax, g_installServices[i].pParameters, g_installServices[i].nParameters);
    }
    return nMax;
}
