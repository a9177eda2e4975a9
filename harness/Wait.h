// harness/Wait.h: waiting for what a program does, until a deadline long enough for software emulation.
#ifndef HARNESS_WAIT_H
#define HARNESS_WAIT_H

#include <windows.h>

// How long a wait for something a program does may take. Under software emulation a program
// start costs seconds; a wait that succeeds ends as soon as its condition holds, so only a
// failure costs the whole deadline.
const DWORD WAIT_DEADLINE_MS = 60000;

// Polls the condition every nPollMs until it holds or the deadline has passed; whether it held.
// A poll is often a search of every window, dozens of round trips to the Wine server: under
// emulation more frequent polls take the time from the program being waited for.
template <class Condition>
bool WaitUntil(Condition condition, DWORD nTimeoutMs = WAIT_DEADLINE_MS, DWORD nPollMs = 50)
{
    for (DWORD nStart = ::GetTickCount();; ::Sleep(nPollMs))
    {
        if (condition())
            return true;
        if (::GetTickCount() - nStart >= nTimeoutMs)
            return condition();
    }
}

// Whether the window's thread answers a sent message within nTimeoutMs: it answers only from
// its message loop, so once it does, the message it was handling before is done with.
bool Answers(HWND hWnd, DWORD nTimeoutMs);

// Milliseconds on the performance counter, from an arbitrary origin.
double NowMs();

#endif // HARNESS_WAIT_H
