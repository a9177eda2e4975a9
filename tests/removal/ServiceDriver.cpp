// tests/removal/ServiceDriver.cpp: the test service through Wine's service control manager.
#include "ServiceDriver.h"
#include "TestServiceNames.h"
#include "Wait.h"

namespace {

// Opens the manager and the service; both closed by the destructor.
struct ServiceHandles
{
    SC_HANDLE hManager, hService;
    ServiceHandles(const std::string& strName, DWORD nAccess)
        : hManager(::OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS)), hService(NULL)
    {
        if (hManager != NULL)
            hService = ::OpenServiceA(hManager, strName.c_str(), nAccess);
    }
    ~ServiceHandles()
    {
        if (hService != NULL)
            ::CloseServiceHandle(hService);
        if (hManager != NULL)
            ::CloseServiceHandle(hManager);
    }
};

std::string Error(const char* pszWhat, DWORD nError)
{
    return std::string(pszWhat) + " failed with error " + std::to_string(nError);
}

// The release event, created by the first caller and kept for the whole test program.
HANDLE ReleaseEvent()
{
    static HANDLE s_hRelease = ::CreateEventA(NULL, TRUE, FALSE, TEST_SERVICE_RELEASE_EVENT);
    return s_hRelease;
}

} // namespace

std::string StartTestService(const std::string& strName, const std::string& strExe, const char* pszMode)
{
    ReleaseEvent();
    SC_HANDLE hManager = ::OpenSCManagerA(NULL, NULL, SC_MANAGER_ALL_ACCESS);
    if (hManager == NULL)
        return Error("OpenSCManagerA", ::GetLastError());
    const std::string strCommand = "\"" + strExe + "\" " + strName + " " + pszMode;
    SC_HANDLE hService = ::CreateServiceA(hManager, strName.c_str(), strName.c_str(), SERVICE_ALL_ACCESS,
                                          SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                          strCommand.c_str(), NULL, NULL, NULL, NULL, NULL);
    std::string strResult;
    if (hService == NULL)
        strResult = Error("CreateServiceA", ::GetLastError());
    else if (!::StartServiceA(hService, 0, NULL))
        strResult = Error("StartServiceA", ::GetLastError());
    if (hService != NULL)
        ::CloseServiceHandle(hService);
    ::CloseServiceHandle(hManager);
    if (strResult.empty() && !WaitUntil([&] { return ServiceState(strName) == SERVICE_RUNNING; }))
        strResult = "the service did not run; its state is " + std::to_string(ServiceState(strName));
    return strResult;
}

DWORD ServiceState(const std::string& strName)
{
    ServiceHandles handles(strName, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status;
    if (handles.hService == NULL || !::QueryServiceStatus(handles.hService, &status))
        return 0;
    return status.dwCurrentState;
}

void ReleaseHeldServices(bool bRelease)
{
    if (bRelease)
        ::SetEvent(ReleaseEvent());
    else
        ::ResetEvent(ReleaseEvent());
}

std::string DeleteTestService(const std::string& strName)
{
    {
        ServiceHandles handles(strName, SERVICE_ALL_ACCESS);
        if (handles.hService == NULL)
            return "";
        ReleaseHeldServices(true);
        SERVICE_STATUS status;
        ::ControlService(handles.hService, SERVICE_CONTROL_STOP, &status);
        WaitUntil([&] { return ServiceState(strName) == SERVICE_STOPPED; });
        ::DeleteService(handles.hService);
    }
    if (!WaitUntil([&] { return ServiceState(strName) == 0; }))
        return "the service " + strName + " is still known, state " + std::to_string(ServiceState(strName));
    return "";
}
