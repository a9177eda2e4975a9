// harness/UrlLog.h: the log that the prefix's URL recorder (the stand-in browser and mail program) appends to.
#ifndef HARNESS_URLLOG_H
#define HARNESS_URLLOG_H

#include <windows.h>
#include <string>
#include <vector>
#include "Wait.h"

// One line per URL the shell was asked to open.
namespace UrlLog
{
    // Removes the log; false when it is there and cannot be removed.
    bool Clear();
    std::vector<std::string> Read();
    // Waits for at least nCount lines; then, with hHandler, until the thread of that window
    // has finished with the message that opened them; then until no recorder runs any more,
    // so that every URL handed to the shell so far is in the log. Returns the log.
    std::vector<std::string> WaitFor(size_t nCount, HWND hHandler = NULL, DWORD nTimeoutMs = WAIT_DEADLINE_MS);
    // The recorders still running and what the log holds, for a failure message.
    std::string Describe();
}

#endif // HARNESS_URLLOG_H
