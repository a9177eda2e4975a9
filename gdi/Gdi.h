// gdi/Gdi.h: the gdi32 functions the installer and its floor draw with, found in gdi32 when first called rather than imported.
#ifndef GDI_GDI_H
#define GDI_GDI_H

#include <windows.h>

// Why not imported: Wine 8 maps a program's imports in the order of its import table, which
// the linker sorts by name, and gdi32 comes before ole32. gdi32 brings user32, which brings
// version.dll, and version.dll's preferred base lies inside ole32's. ole32, mapped second,
// is then relocated: about 440 KiB more private memory and a slower start, measured in the
// benchmark's attribution (README). Without a gdi32 import ole32 is mapped first, at its base.
// user32 loads gdi32 on every Windows, so these functions are always there to be found; were
// one missing, its call would fail as a failed GDI call does, returning 0 (NULL; CLR_INVALID for the two colours).
namespace Gdi
{
HFONT CreateFontA(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD nCharSet,
                  DWORD nOutPrecision, DWORD nClipPrecision, DWORD nQuality,
                  DWORD nPitchAndFamily, LPCSTR pszFaceName);
HFONT CreateFontIndirectA(const LOGFONTA* pLogFont);
BOOL DeleteObject(HGDIOBJ hObject);
int GetObjectA(HGDIOBJ hObject, int cbBuffer, LPVOID pBuffer);
HGDIOBJ SelectObject(HDC hDC, HGDIOBJ hObject);
COLORREF SetBkColor(HDC hDC, COLORREF crColor);
int SetBkMode(HDC hDC, int nMode);
COLORREF SetTextColor(HDC hDC, COLORREF crColor);
BOOL TextOutA(HDC hDC, int x, int y, LPCSTR pszString, int nCount);
}

#endif // GDI_GDI_H
