// afx/afxstartup.cpp: the shipped programs' entry point, in place of the C runtime's start-up code.
//
// Linked into the shipped programs only, like afxmem.cpp. The runtime's start-up (argument
// parsing, locale, TLS callbacks, unwinding tables) is a third of the installer's code and
// does nothing the programs need. msvcrt.dll sets itself up when it is loaded, so getenv
// works without it. What the start-up did that we do need is done here: run the constructors
// of global objects (the application object among them) before WinMain, and end the process
// with WinMain's result, after the destructors that those constructors registered with atexit.
#include <windows.h>

// The linker's default script for PE brackets the constructor table with these: a -1 (or a
// count) first, the constructors, then a terminating NULL.
typedef void (*Constructor)();
extern "C" Constructor __CTOR_LIST__[];

extern int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

// The compiler registers each global object's destructor with atexit as its constructor
// runs; msvcrt's own atexit cannot be reached from a program linked without the runtime's
// start-up, so the registrations are kept here. The programs have a handful of globals.
typedef void (*ExitFunction)();
static ExitFunction s_exitFunctions[16];
static int s_nExitFunctions = 0;

extern "C" int atexit(ExitFunction pfn)
{
    if (s_nExitFunctions == sizeof s_exitFunctions / sizeof s_exitFunctions[0])
        return -1;
    s_exitFunctions[s_nExitFunctions++] = pfn;
    return 0;
}

// Last registered, first run, as atexit promises.
static void RunExitFunctions()
{
    while (s_nExitFunctions > 0)
        s_exitFunctions[--s_nExitFunctions]();
}

// The constructors run in reverse order of the table, as the runtime's __do_global_ctors does.
static void RunGlobalConstructors()
{
    int nCount = 0;
    while (__CTOR_LIST__[nCount + 1] != NULL)
        ++nCount;
    for (int i = nCount; i >= 1; --i)
        __CTOR_LIST__[i]();
}

// WinMain's show command as the runtime passes it: what the starting program asked for.
static int StartupShowCommand()
{
    STARTUPINFOA si;
    si.cb = sizeof si;
    ::GetStartupInfoA(&si);
    return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWDEFAULT;
}

// The command line past the program's name, as WinMain's lpCmdLine is.
static LPSTR CommandLineTail()
{
    LPSTR p = ::GetCommandLineA();
    bool bQuoted = false;
    for (; *p != '\0' && (bQuoted || (*p != ' ' && *p != '\t')); ++p)
        if (*p == '"')
            bQuoted = !bQuoted;
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

extern "C" void WINAPI AfxStartup()
{
    RunGlobalConstructors();
    int nExitCode = WinMain(::GetModuleHandleA(NULL), NULL, CommandLineTail(), StartupShowCommand());
    RunExitFunctions();
    ::ExitProcess(nExitCode);
}
