// tests/removal/ServiceDriver.h: the test service registered, started, watched and deleted through Wine's service control manager.
#ifndef SERVICEDRIVER_H
#define SERVICEDRIVER_H

#include <windows.h>
#include <string>

// Registers test_service.exe (at strExe, a Windows path) as the service strName, in its own
// process, started on demand, with MODE "stop" or "hold" (TestService.cpp), starts it and
// waits until it runs. "" when it runs, otherwise what went wrong.
std::string StartTestService(const std::string& strName, const std::string& strExe, const char* pszMode);

// The service's state (SERVICE_RUNNING, ...), or 0 when the service control manager does not
// know it.
DWORD ServiceState(const std::string& strName);

// Lets every test service in "hold" mode finish stopping, or keeps them holding (bRelease false).
void ReleaseHeldServices(bool bRelease);

// Clean-up: lets the service stop, stops it and deletes it, whatever it was doing. "" when the
// manager no longer knows it, otherwise what it saw.
std::string DeleteTestService(const std::string& strName);

#endif // SERVICEDRIVER_H
