// tests/launcher/LauncherTest.cpp: the launcher started for real, its URL caught by the recorder.
#include <gtest/gtest.h>
#include "WineTestSupport.h"
#include "VendorInfo.h"

namespace {

std::string Launcher()
{
    return WindowsPathFromHost(TestArgument(1).c_str());
}

// Whatever it is started with, the launcher hands exactly the English page to the shell,
// once, and exits 0.
TEST(Launcher, OpensTheEnglishPageOnceWhateverItsArguments)
{
    static const char* const argumentSets[] = { "", "x", "/? --help \"two words\" %1 http://other/" };
    for (size_t i = 0; i < sizeof argumentSets / sizeof argumentSets[0]; ++i)
    {
        SCOPED_TRACE(testing::Message() << "arguments #" << i << ": [" << argumentSets[i] << "]");
        UrlLog::Clear();
        EXPECT_EQ(0, RunProgram(Launcher(), argumentSets[i]));
        std::vector<std::string> urls = UrlLog::WaitFor(1);
        ASSERT_EQ(1u, urls.size());
        EXPECT_EQ(VENDOR_ENGLISH_URL, urls[0]);
    }
}

// Removes the http open command from the user's and the machine's classes, and puts the
// recorder's back afterwards.
class NoHttpHandler
{
public:
    NoHttpHandler()
    {
        for (int i = 0; i < 2; ++i)
        {
            char szCommand[MAX_PATH * 2] = "";
            LONG nSize = sizeof szCommand;
            ::RegQueryValueA(Root(i), s_szCommandKey, szCommand, &nSize);
            m_strCommand[i] = szCommand;
            ::RegDeleteKeyA(Root(i), s_szCommandKey);
        }
    }
    ~NoHttpHandler()
    {
        for (int i = 0; i < 2; ++i)
            if (!m_strCommand[i].empty())
                ::RegSetValueA(Root(i), s_szCommandKey, REG_SZ, m_strCommand[i].c_str(),
                               m_strCommand[i].size());
    }

private:
    static HKEY Root(int i) { return i == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }
    static const char s_szCommandKey[];
    std::string m_strCommand[2];
};
const char NoHttpHandler::s_szCommandKey[] = "Software\\Classes\\http\\shell\\open\\command";

// With nothing registered to open web pages, the launcher still ends at once with 0 and
// shows nothing of its own (a box of its own would keep it running until the time-out).
TEST(Launcher, ExitsZeroSilentlyWithoutAHandler)
{
    UrlLog::Clear();
    {
        NoHttpHandler noHandler;
        EXPECT_EQ(0, RunProgram(Launcher(), "", 15000));
    }
    EXPECT_TRUE(UrlLog::WaitFor(0).empty());
}

} // namespace
