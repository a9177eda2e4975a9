// afx/CRect.h: CRect, a RECT with constructors and its width and height.
#ifndef AFX_CRECT_H
#define AFX_CRECT_H

#include <windows.h>

// Derives from RECT, so a CRect* passes wherever an LPRECT is asked for. As in MFC, the
// default constructor leaves the coordinates unset: a Get...Rect call fills them.
class CRect : public tagRECT
{
public:
    CRect() {}
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(LPCRECT lpSrcRect) { *static_cast<RECT*>(this) = *lpSrcRect; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};

#endif // AFX_CRECT_H
