// afx/CFont.cpp: creating, attaching and deleting a font, and temporaries for fonts owned elsewhere.
#include "CFont.h"
#include "Gdi.h"

// Stands for a font owned elsewhere (the one a DC had selected): lets go of it unharmed.
class CTempFont : public CFont
{
public:
    virtual ~CTempFont() { m_hObject = NULL; }
};

CFont::CFont() : m_hObject(NULL)
{
}

CFont::~CFont()
{
    DeleteObject();
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    ASSERT(m_hObject == NULL);
    return m_hObject == NULL
        && Attach(Gdi::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                   bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                   nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    ASSERT(m_hObject == NULL);
    return m_hObject == NULL && Attach(Gdi::CreateFontIndirectA(lpLogFont));
}

CFont* CFont::FromHandle(HFONT hFont)
{
    if (hFont == NULL)
        return NULL;
    CFont* pFont = new CTempFont;
    if (pFont == NULL)
        return NULL;
    pFont->m_hObject = hFont;
    AddTemporary(pFont);
    return pFont;
}

BOOL CFont::Attach(HFONT hFont)
{
    ASSERT(m_hObject == NULL);
    if (hFont == NULL || m_hObject != NULL)
        return FALSE;
    m_hObject = hFont;
    return TRUE;
}

HFONT CFont::Detach()
{
    HFONT hFont = m_hObject;
    m_hObject = NULL;
    return hFont;
}

BOOL CFont::DeleteObject()
{
    if (m_hObject == NULL)
        return FALSE;
    return Gdi::DeleteObject(Detach());
}
