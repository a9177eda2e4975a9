// afx/afxassert.h: ASSERT, the framework's check of what must hold, active in debug builds only.
#ifndef AFX_AFXASSERT_H
#define AFX_AFXASSERT_H

#include <windows.h>

#define AFX_STRINGIZE2(x) #x
#define AFX_STRINGIZE(x) AFX_STRINGIZE2(x)

// A failed check in a debug build ends the program with a box naming the file and the line,
// so that a path nobody wrote cannot pass unnoticed. Release builds compile the checks away
// (the expression is not evaluated there); the code after each check returns safely.
#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#else
#define ASSERT(f) ((f) ? (void)0 : \
    ::FatalAppExitA(0, "Assertion failed: " __FILE__ "(" AFX_STRINGIZE(__LINE__) "): " #f))
#endif

#endif // AFX_AFXASSERT_H
