// afx/CStatic.h: CStatic, a static control bound to a CWnd (by DDX_Control in the programs).
#ifndef AFX_CSTATIC_H
#define AFX_CSTATIC_H

#include "CWnd.h"

// Adds nothing to CWnd: the programs only bind static controls, to find their place and font.
class CStatic : public CWnd
{
};

#endif // AFX_CSTATIC_H
