// installer/core/ComposeString.h: joins strings into a fixed buffer without ever overrunning it.
#ifndef COMPOSESTRING_H
#define COMPOSESTRING_H

#include <windows.h>

// Writes pszFirst + pszSecond + pszThird and a NUL into pszBuffer of nSize bytes. When that
// would not fit, the buffer is left empty and the result is FALSE. pszFirst may be the buffer
// itself, to append to what it holds.
BOOL ComposeString(char* pszBuffer, int nSize, LPCSTR pszFirst, LPCSTR pszSecond,
                   LPCSTR pszThird = "");

#endif // COMPOSESTRING_H
