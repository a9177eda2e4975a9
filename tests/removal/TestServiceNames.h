// tests/removal/TestServiceNames.h: what the test service and the tests that drive it share.
#ifndef TESTSERVICENAMES_H
#define TESTSERVICENAMES_H

#define TEST_SERVICE_EXE "test_service.exe"
// Set by a test to let a service in "hold" mode finish stopping.
#define TEST_SERVICE_RELEASE_EVENT "BrantovellTestServiceRelease"

#endif // TESTSERVICENAMES_H
