// tests/ui/DialogParts.h: the installer's dialog as the UI tests look at it: its links, and its colours on the screen.
#ifndef DIALOGPARTS_H
#define DIALOGPARTS_H

#include <windows.h>

// How many child windows of a class a parent has, and which of them lies exactly over a
// dialog item (the link over its placeholder).
int CountChildren(HWND hParent, const char* pszClass, HWND* phFirst = NULL);
HWND LinkOver(HWND hDialog, int nPlaceholder);

// Counts the pixels of exactly colour cr on the screen inside the window's rectangle.
int CountScreenPixels(HWND hWnd, COLORREF cr);

#endif // DIALOGPARTS_H
