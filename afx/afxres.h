// afx/afxres.h: the framework's standard command identifiers (plain #defines, safe for windres).
#ifndef AFX_AFXRES_H
#define AFX_AFXRES_H

// Command identifiers from 0x8000 to 0xDFFF are the program's own; the framework's follow.
#define ID_HELP 0xE146

#endif // AFX_AFXRES_H
