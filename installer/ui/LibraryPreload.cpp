// installer/ui/LibraryPreload.cpp: a DLL loaded once ahead of need and freed with its owner.
#include "LibraryPreload.h"

CLibraryPreload::CLibraryPreload(LPCSTR pszLibrary)
    : m_pszLibrary(pszLibrary), m_hModule(NULL), m_bTried(FALSE)
{
}

CLibraryPreload::~CLibraryPreload()
{
    if (m_hModule != NULL)
        ::FreeLibrary(m_hModule);
}

// A load that fails is not tried again: the step that needs the DLL loads it itself and
// reports what goes wrong then.
void CLibraryPreload::Load()
{
    if (m_bTried)
        return;
    m_bTried = TRUE;
    m_hModule = ::LoadLibraryA(m_pszLibrary);
}
