// tests/afx/AppTest.cpp: class registration, and the framework's WinMain in a program built as the product is.
#include <gtest/gtest.h>
#include <string>
#include "AfxTestSupport.h"
#include "WineTestSupport.h"

CWinApp theTestApp;

namespace {

// A second registration of a class reported as failure, or a failed one as success.
TEST(AppTest, RegisteringAClassTwiceSucceeds)
{
    WNDCLASSA wc = { 0, ::DefWindowProcA, 0, 0, AfxGetInstanceHandle(), NULL, NULL, NULL, NULL, "AfxTwice" };
    EXPECT_TRUE(AfxRegisterClass(&wc));
    EXPECT_TRUE(AfxRegisterClass(&wc));
    wc.lpszClassName = "";
    EXPECT_FALSE(AfxRegisterClass(&wc));
}

// WinMain not running InitInstance as the application, running the loop when it should not (or
// not when it should), or not ending with ExitInstance's 0: the probe's exit code says which.
TEST(AppTest, WinMainRunsInitInstanceAndEndsWithZero)
{
    const std::string strProbe = WindowsPathFromHost(TestArgument(1).c_str());
    EXPECT_EQ(0, RunProgram(strProbe, "")) << "InitInstance FALSE";
    EXPECT_EQ(0, RunProgram(strProbe, "loop")) << "InitInstance TRUE";
}

} // namespace
