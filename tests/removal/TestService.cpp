// tests/removal/TestService.cpp: a small service for Wine's service control manager, standing in for the installer's services.
//
// Command line (the service's ImagePath): test_service.exe NAME MODE
//   MODE "stop": stops as soon as it is asked to.
//   MODE "hold": when asked to stop, says it is stopping and stops only once the test sets the
//                event TEST_SERVICE_RELEASE_EVENT (or after two minutes, so none is left behind).
// A Windows program, not a console one: Wine would give a console program a window of its own.
#include <windows.h>
#include <stdlib.h>
#include <string.h>
#include "TestServiceNames.h"

static char s_szName[64] = "";
static bool s_bHold = false;
static SERVICE_STATUS_HANDLE s_hStatus = NULL;
static SERVICE_STATUS s_status;
static HANDLE s_hStopRequested = NULL;

static void Report(DWORD nState)
{
    s_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    s_status.dwCurrentState = nState;
    s_status.dwControlsAccepted = nState == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    s_status.dwWin32ExitCode = NO_ERROR;
    s_status.dwWaitHint = nState == SERVICE_STOP_PENDING ? 1000 : 0;
    ++s_status.dwCheckPoint;
    ::SetServiceStatus(s_hStatus, &s_status);
}

static void WINAPI Handler(DWORD nControl)
{
    if (nControl == SERVICE_CONTROL_STOP && s_status.dwCurrentState == SERVICE_RUNNING)
    {
        Report(SERVICE_STOP_PENDING);
        ::SetEvent(s_hStopRequested);
    }
    else
        ::SetServiceStatus(s_hStatus, &s_status);
}

static void WINAPI ServiceMain(DWORD /*nArgs*/, LPSTR* /*ppszArgs*/)
{
    s_hStatus = ::RegisterServiceCtrlHandlerA(s_szName, Handler);
    if (s_hStatus == NULL)
        return;
    Report(SERVICE_RUNNING);
    ::WaitForSingleObject(s_hStopRequested, INFINITE);
    if (s_bHold)
    {
        HANDLE hRelease = ::CreateEventA(NULL, TRUE, FALSE, TEST_SERVICE_RELEASE_EVENT);
        ::WaitForSingleObject(hRelease, 120000);
        ::CloseHandle(hRelease);
    }
    Report(SERVICE_STOPPED);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 3 || strlen(__argv[1]) >= sizeof s_szName)
        return 2;
    strcpy(s_szName, __argv[1]);
    s_bHold = strcmp(__argv[2], "hold") == 0;
    s_hStopRequested = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    SERVICE_TABLE_ENTRYA table[] = { { s_szName, ServiceMain }, { NULL, NULL } };
    return ::StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
