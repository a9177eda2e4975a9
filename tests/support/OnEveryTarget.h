// tests/support/OnEveryTarget.h: runs a parameterised case once on each target Windows' shape, named after it.
#ifndef ONEVERYTARGET_H
#define ONEVERYTARGET_H

#include <ostream>
#include <string>
#include <gtest/gtest.h>
#include "Server.h"

namespace Server
{
    // How GoogleTest shows a target in its messages.
    inline void PrintTo(const Target& target, std::ostream* pStream) { *pStream << target.pszName; }
}

// Instantiates the cases of SUITE (a testing::TestWithParam<Server::Target>) as SUITE/nt40,
// SUITE/win2k, ..., so that a fault on one target shows as that target's failure.
#define INSTANTIATE_ON_EVERY_TARGET(SUITE)                                                      \
    INSTANTIATE_TEST_SUITE_P(Targets, SUITE, testing::ValuesIn(Server::Targets()),             \
                             [](const testing::TestParamInfo<Server::Target>& info)             \
                             { return std::string(info.param.pszName); })

// Instantiates the cases of SUITE once, on the server's usual shape, as UsualShape/SUITE.CASE/win2003:
// for what does not depend on the target Windows' shell folders, version or Lsa default.
#define INSTANTIATE_ON_THE_USUAL_SHAPE(SUITE)                                                   \
    INSTANTIATE_TEST_SUITE_P(UsualShape, SUITE, testing::Values(Server::DefaultTarget()),      \
                             [](const testing::TestParamInfo<Server::Target>& info)             \
                             { return std::string(info.param.pszName); })

#endif // ONEVERYTARGET_H
