// gdi/Gdi.cpp: the gdi32 entry points, looked up once, and the calls made through them.
#include "Gdi.h"

namespace {

struct GdiEntries
{
    decltype(&::CreateFontA) pfnCreateFontA;
    decltype(&::CreateFontIndirectA) pfnCreateFontIndirectA;
    decltype(&::DeleteObject) pfnDeleteObject;
    decltype(&::GetObjectA) pfnGetObjectA;
    decltype(&::SelectObject) pfnSelectObject;
    decltype(&::SetBkColor) pfnSetBkColor;
    decltype(&::SetBkMode) pfnSetBkMode;
    decltype(&::SetTextColor) pfnSetTextColor;
    decltype(&::TextOutA) pfnTextOutA;
};

GdiEntries s_entries;
bool s_bLookedUp = false;

template <class Proc>
void Find(HMODULE hGdi, LPCSTR pszName, Proc& pfn)
{
    pfn = reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(hGdi, pszName)));
}

// gdi32 is already loaded (user32 imports it); LoadLibrary only counts one more user, and the
// library stays loaded for the life of the process.
const GdiEntries& Entries()
{
    if (!s_bLookedUp)
    {
        s_bLookedUp = true;
        HMODULE hGdi = ::LoadLibraryA("gdi32.dll");
        if (hGdi != NULL)
        {
            Find(hGdi, "CreateFontA", s_entries.pfnCreateFontA);
            Find(hGdi, "CreateFontIndirectA", s_entries.pfnCreateFontIndirectA);
            Find(hGdi, "DeleteObject", s_entries.pfnDeleteObject);
            Find(hGdi, "GetObjectA", s_entries.pfnGetObjectA);
            Find(hGdi, "SelectObject", s_entries.pfnSelectObject);
            Find(hGdi, "SetBkColor", s_entries.pfnSetBkColor);
            Find(hGdi, "SetBkMode", s_entries.pfnSetBkMode);
            Find(hGdi, "SetTextColor", s_entries.pfnSetTextColor);
            Find(hGdi, "TextOutA", s_entries.pfnTextOutA);
        }
    }
    return s_entries;
}

} // namespace

HFONT Gdi::CreateFontA(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD nCharSet,
                       DWORD nOutPrecision, DWORD nClipPrecision, DWORD nQuality,
                       DWORD nPitchAndFamily, LPCSTR pszFaceName)
{
    const GdiEntries& gdi = Entries();
    if (gdi.pfnCreateFontA == NULL)
        return NULL;
    return gdi.pfnCreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                              bStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality,
                              nPitchAndFamily, pszFaceName);
}

HFONT Gdi::CreateFontIndirectA(const LOGFONTA* pLogFont)
{
    const GdiEntries& gdi = Entries();
    return gdi.pfnCreateFontIndirectA != NULL ? gdi.pfnCreateFontIndirectA(pLogFont) : NULL;
}

BOOL Gdi::DeleteObject(HGDIOBJ hObject)
{
    const GdiEntries& gdi = Entries();
    return gdi.pfnDeleteObject != NULL ? gdi.pfnDeleteObject(hObject) : FALSE;
}

int Gdi::GetObjectA(HGDIOBJ hObject, int cbBuffer, LPVOID pBuffer)
{
    const GdiEntries& gdi = Entries();
    return gdi.pfnGetObjectA != NULL ? gdi.pfnGetObjectA(hObject, cbBuffer, pBuffer) : 0;
}

HGDIOBJ Gdi::SelectObject(HDC hDC, HGDIOBJ hObject)
{
    const GdiEntries& gdi = Entries();
    return gdi.pfnSelectObject != NULL ? gdi.pfnSelectObject(hDC, hObject) : NULL;
}

// CLR_INVALID, not 0 (black), is how these two say that they failed.
COLORREF Gdi::SetBkColor(HDC hDC, COLORREF crColor)
{
    const GdiEntries& gdi = Entries();
    return gdi.pfnSetBkColor != NULL ? gdi.pfnSetBkColor(hDC, crColor) : CLR_INVALID;
}

int Gdi::SetBkMode(HDC hDC, int nMode)
{
    const GdiEntries& gdi = Entries();
    return gdi.pfnSetBkMode != NULL ? gdi.pfnSetBkMode(hDC, nMode) : 0;
}

COLORREF Gdi::SetTextColor(HDC hDC, COLORREF crColor)
{
    const GdiEntries& gdi = Entries();
    return gdi.pfnSetTextColor != NULL ? gdi.pfnSetTextColor(hDC, crColor) : CLR_INVALID;
}

BOOL Gdi::TextOutA(HDC hDC, int x, int y, LPCSTR pszString, int nCount)
{
    const GdiEntries& gdi = Entries();
    return gdi.pfnTextOutA != NULL ? gdi.pfnTextOutA(hDC, x, y, pszString, nCount) : FALSE;
}
