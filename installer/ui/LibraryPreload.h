// installer/ui/LibraryPreload.h: CLibraryPreload, a DLL mapped ahead of need and held while its owner lives.
#ifndef LIBRARYPRELOAD_H
#define LIBRARYPRELOAD_H

#include <windows.h>

// Holds one reference to a DLL that some later step will need, so that the step finds it
// mapped and initialised. Whoever else loads the DLL (COM, the shell call) counts a reference
// of its own; the destructor gives back only this one.
class CLibraryPreload
{
public:
    // Construction
    explicit CLibraryPreload(LPCSTR pszLibrary);
    ~CLibraryPreload();

    // Operations
    void Load();            // the first call loads the DLL; later calls do nothing

private:
    CLibraryPreload(const CLibraryPreload&);
    CLibraryPreload& operator=(const CLibraryPreload&);

    LPCSTR m_pszLibrary;
    HMODULE m_hModule;      // NULL until loaded, and when the load failed
    BOOL m_bTried;
};

#endif // LIBRARYPRELOAD_H
