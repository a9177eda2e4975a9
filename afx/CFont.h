// afx/CFont.h: CFont, the owner of one GDI font.
#ifndef AFX_CFONT_H
#define AFX_CFONT_H

#include "CObject.h"

// Deletes its font when it is destroyed. MFC's CGdiObject base is folded in, and m_hObject is
// an HFONT rather than an HGDIOBJ: fonts are the only GDI objects the programs wrap.
class CFont : public CObject
{
public:
    // Construction
    CFont();
    virtual ~CFont();
    // Each Create fails (FALSE, nothing created) when this object holds a font already.
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                    BYTE nPitchAndFamily, LPCSTR lpszFacename);
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);

    // Attributes
    HFONT m_hObject;
    operator HFONT() const { return m_hObject; }
    HFONT GetSafeHandle() const { return m_hObject; }
    // A temporary CFont for a font this program does not own here (see CObject); it never
    // deletes the font. Unlike MFC, it is temporary even for a font a CFont owns.
    static CFont* FromHandle(HFONT hFont);

    // Operations
    BOOL Attach(HFONT hFont);       // FALSE for NULL, or when a font is held already
    HFONT Detach();
    BOOL DeleteObject();            // FALSE when there is no font
};

#endif // AFX_CFONT_H
