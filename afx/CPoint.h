// afx/CPoint.h: CPoint, a POINT with constructors.
#ifndef AFX_CPOINT_H
#define AFX_CPOINT_H

#include <windows.h>

// Derives from POINT, so a CPoint* passes wherever an LPPOINT is asked for.
class CPoint : public tagPOINT
{
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT initPt) { x = initPt.x; y = initPt.y; }
};

#endif // AFX_CPOINT_H
