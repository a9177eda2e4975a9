// harness/Wait.cpp: whether a program's window answers, and the clock the waits and measurements read.
#include "Wait.h"

bool Answers(HWND hWnd, DWORD nTimeoutMs)
{
    DWORD_PTR nIgnored = 0;
    return ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, nTimeoutMs, &nIgnored) != 0;
}

double NowMs()
{
    static LARGE_INTEGER s_frequency;
    if (s_frequency.QuadPart == 0)
        ::QueryPerformanceFrequency(&s_frequency);
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(s_frequency.QuadPart);
}
