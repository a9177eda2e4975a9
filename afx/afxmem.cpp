// afx/afxmem.cpp: the programs' own operator new and delete, on the process heap.
//
// Linked into the shipped programs only (not into the framework library), so that the tests
// keep the runtime's allocator. Replacing these keeps libstdc++ and its exception machinery
// out of the programs; a failed allocation returns NULL, which the callers check
// (the programs are compiled with -fcheck-new so that the checks are not optimised away).
#include <windows.h>
#include <stddef.h>

void* operator new(size_t nSize)
{
    return ::HeapAlloc(::GetProcessHeap(), 0, nSize);
}

void* operator new[](size_t nSize)
{
    return ::HeapAlloc(::GetProcessHeap(), 0, nSize);
}

void operator delete(void* p)
{
    if (p != NULL)
        ::HeapFree(::GetProcessHeap(), 0, p);
}

void operator delete[](void* p)
{
    if (p != NULL)
        ::HeapFree(::GetProcessHeap(), 0, p);
}

void operator delete(void* p, size_t)
{
    operator delete(p);
}

void operator delete[](void* p, size_t)
{
    operator delete(p);
}

// Called if a pure virtual function is ever reached through a half-built object;
// the runtime's version drags in libstdc++'s terminate handling.
extern "C" void __cxa_pure_virtual()
{
    ::FatalAppExitA(0, "Pure virtual function called.");
}
