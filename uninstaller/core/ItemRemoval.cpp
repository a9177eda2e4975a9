// uninstaller/core/ItemRemoval.cpp: stopping and deleting the services, resetting the Lsa value, deleting the files.
#include "ItemRemoval.h"
#include "RegKey.h"

static const char s_szStoppedAndDeleted[] = "stopped and deleted through the service control manager";
static const char s_szDeletedByScm[] = "deleted through the service control manager (it was not running)";
static const char s_szKeyDeleted[] =
    "its registry key deleted (the service control manager does not know it: no reboot since the installation)";
static const char s_szNoScm[] = "the service control manager could not be asked about it; nothing was changed";
static const char s_szNotStopped[] = "the service could not be stopped, so it was left as it is";
static const char s_szStopTimedOut[] =
    "the service did not stop within the time it was given, so it was left as it is";
static const char s_szScmDeleteFailed[] = "the service control manager could not delete it";
static const char s_szKeyNotDeleted[] = "its registry key could not be deleted";
static const char s_szLsaToOne[] = "set back to 1, the Windows default";
static const char s_szLsaRemoved[] = "removed: Windows NT 4.0 and 2000 have no such value by default";
static const char s_szLsaNotReset[] = "it could not be set back";
static const char s_szFileDeleted[] = "deleted";
static const char s_szFileNotDeleted[] = "the file could not be deleted";

// How often a stopping service is asked how far it is.
static const DWORD s_nPollMs = 100;

LONG DeleteKeyTree(HKEY hParent, LPCSTR pszSubKey)
{
    {
        CRegKey key;
        LONG nError = key.Open(hParent, pszSubKey, KEY_ENUMERATE_SUB_KEYS);
        if (nError != ERROR_SUCCESS)
            return nError;
        // Always the first subkey: each one found is gone before the next is asked for.
        for (;;)
        {
            char szName[256];
            DWORD nName = sizeof szName;
            nError = ::RegEnumKeyExA(key, 0, szName, &nName, NULL, NULL, NULL, NULL);
            if (nError == ERROR_NO_MORE_ITEMS)
                break;
            if (nError == ERROR_SUCCESS)
                nError = DeleteKeyTree(key, szName);
            if (nError != ERROR_SUCCESS)
                return nError;
        }
    }
    // NT's RegDeleteKey takes only a key without subkeys; the key itself is closed by now.
    return ::RegDeleteKeyA(hParent, pszSubKey);
}

// Lets this thread's windows handle their messages for up to nMs, so that the dialog keeps
// painting and answering while a service stops. Its buttons are disabled meanwhile.
static void ServeWindows(DWORD nMs)
{
    DWORD nStart = ::GetTickCount();
    for (DWORD nSpent = 0; nSpent < nMs; nSpent = ::GetTickCount() - nStart)
    {
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, nMs - nSpent, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                ::PostQuitMessage(static_cast<int>(msg.wParam));    // for the loop that owns it
                return;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// Asks the service to stop unless it is stopped or stopping, and waits until it has stopped;
// bStopped tells whether it was running and has stopped now. FALSE, with item's outcome and
// error set, when it would not stop.
static BOOL StopService(SC_HANDLE hService, DWORD nStopWaitMs, RemovalItem& item, BOOL& bStopped)
{
    SERVICE_STATUS status;
    bStopped = FALSE;
    if (!::QueryServiceStatus(hService, &status))
    {
        item.pszOutcome = s_szNotStopped;
        item.nError = static_cast<LONG>(::GetLastError());
        return FALSE;
    }
    if (status.dwCurrentState == SERVICE_STOPPED)
        return TRUE;
    if (status.dwCurrentState != SERVICE_STOP_PENDING
        && !::ControlService(hService, SERVICE_CONTROL_STOP, &status)
        && ::GetLastError() != ERROR_SERVICE_NOT_ACTIVE)
    {
        item.pszOutcome = s_szNotStopped;
        item.nError = static_cast<LONG>(::GetLastError());
        return FALSE;
    }
    DWORD nStart = ::GetTickCount();
    for (;;)
    {
        if (!::QueryServiceStatus(hService, &status))
        {
            item.pszOutcome = s_szNotStopped;
            item.nError = static_cast<LONG>(::GetLastError());
            return FALSE;
        }
        if (status.dwCurrentState == SERVICE_STOPPED)
        {
            bStopped = TRUE;
            return TRUE;
        }
        if (::GetTickCount() - nStart >= nStopWaitMs)
        {
            item.pszOutcome = s_szStopTimedOut;
            item.nError = ERROR_SERVICE_REQUEST_TIMEOUT;
            return FALSE;
        }
        ServeWindows(s_nPollMs);
    }
}

// Through the service control manager, when it knows the service: stopped, then deleted.
// Returns FALSE, with the item's outcome set, when the entry must stay.
static BOOL RemoveKnownService(LPCSTR pszName, DWORD nStopWaitMs, RemovalItem& item, BOOL& bReboot)
{
    SC_HANDLE hManager = ::OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    if (hManager == NULL)
    {
        item.pszOutcome = s_szNoScm;
        item.nError = static_cast<LONG>(::GetLastError());
        return FALSE;
    }
    BOOL bGoOn = TRUE;
    SC_HANDLE hService = ::OpenServiceA(hManager, pszName, SERVICE_QUERY_STATUS | SERVICE_STOP | DELETE);
    if (hService == NULL && ::GetLastError() != ERROR_SERVICE_DOES_NOT_EXIST)
    {
        item.pszOutcome = s_szNoScm;
        item.nError = static_cast<LONG>(::GetLastError());
        bGoOn = FALSE;
    }
    else if (hService != NULL)
    {
        BOOL bStopped = FALSE;
        bGoOn = StopService(hService, nStopWaitMs, item, bStopped);
        bReboot = bReboot || bStopped;
        if (bGoOn && !::DeleteService(hService) && ::GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE)
        {
            item.pszOutcome = s_szScmDeleteFailed;
            item.nError = static_cast<LONG>(::GetLastError());
            bGoOn = FALSE;
        }
        if (bGoOn)
        {
            bReboot = TRUE;
            item.pszOutcome = bStopped ? s_szStoppedAndDeleted : s_szDeletedByScm;
        }
        ::CloseServiceHandle(hService);
    }
    ::CloseServiceHandle(hManager);
    return bGoOn;
}

// The service entry: through the service control manager first, then the key in the control
// set the installer wrote. Where that control set is the current one, the manager has deleted
// the key already, or deletes it once its last handle closes; the key is deleted here when it
// is still there.
static void RemoveService(DWORD nStopWaitMs, RemovalItem& item, BOOL& bReboot)
{
    if (!RemoveKnownService(item.pService->pszName, nStopWaitMs, item, bReboot))
        return;
    LONG nError = DeleteKeyTree(HKEY_LOCAL_MACHINE, item.pService->pszKeyPath);
    if (nError != ERROR_SUCCESS && nError != ERROR_FILE_NOT_FOUND)
    {
        item.pszOutcome = s_szKeyNotDeleted;
        item.nError = nError;
        return;
    }
    if (item.pszOutcome == NULL)
        item.pszOutcome = s_szKeyDeleted;
    item.bRemoved = TRUE;
}

// The Lsa key is only opened, never created or deleted.
static void ResetLsaValue(BOOL bDefaultIsOne, RemovalItem& item)
{
    CRegKey lsa;
    LONG nError = lsa.Open(HKEY_LOCAL_MACHINE, g_szLsaKey, KEY_SET_VALUE);
    if (nError == ERROR_SUCCESS && bDefaultIsOne)
    {
        const DWORD nDefault = 1;
        nError = ::RegSetValueExA(lsa, g_lsaValue.pszName, 0, REG_DWORD,
                                  reinterpret_cast<const BYTE*>(&nDefault), sizeof nDefault);
    }
    else if (nError == ERROR_SUCCESS)
        nError = ::RegDeleteValueA(lsa, g_lsaValue.pszName);
    item.bRemoved = nError == ERROR_SUCCESS;
    item.nError = nError;
    item.pszOutcome = !item.bRemoved ? s_szLsaNotReset : bDefaultIsOne ? s_szLsaToOne : s_szLsaRemoved;
}

static void RemoveFile(RemovalItem& item)
{
    item.bRemoved = ::DeleteFileA(item.szPlace);
    item.nError = item.bRemoved ? ERROR_SUCCESS : static_cast<LONG>(::GetLastError());
    item.pszOutcome = item.bRemoved ? s_szFileDeleted : s_szFileNotDeleted;
}

void RemoveFoundItems(RemovalSurvey& survey, DWORD nStopWaitMs)
{
    for (int i = 0; i < RemovalSurvey::ITEM_COUNT; ++i)
    {
        RemovalItem& item = survey.items[i];
        if (item.state != STATE_AS_INSTALLED)
            continue;
        if (item.kind == ITEM_SERVICE)
            RemoveService(nStopWaitMs, item, survey.bRebootNeeded);
        else if (item.kind == ITEM_LSA_VALUE)
            ResetLsaValue(survey.bLsaDefaultIsOne, item);
        else
            RemoveFile(item);
    }
}
