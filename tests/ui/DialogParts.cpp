// tests/ui/DialogParts.cpp: the installer's dialog as the UI tests look at it: its links, and its colours on the screen.
#include "DialogParts.h"

int CountChildren(HWND hParent, const char* pszClass, HWND* phFirst)
{
    int nCount = 0;
    for (HWND hChild = GetWindow(hParent, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        char szClass[64] = "";
        GetClassNameA(hChild, szClass, sizeof szClass);
        if (lstrcmpiA(szClass, pszClass) == 0 && nCount++ == 0 && phFirst)
            *phFirst = hChild;
    }
    return nCount;
}

HWND LinkOver(HWND hDialog, int nPlaceholder)
{
    RECT rcPlaceholder, rcChild;
    GetWindowRect(GetDlgItem(hDialog, nPlaceholder), &rcPlaceholder);
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        char szClass[64] = "";
        GetClassNameA(hChild, szClass, sizeof szClass);
        GetWindowRect(hChild, &rcChild);
        if (!lstrcmpA(szClass, "HyperlinkWnd") && EqualRect(&rcChild, &rcPlaceholder))
            return hChild;
    }
    return NULL;
}

int CountScreenPixels(HWND hWnd, COLORREF cr)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return 0;
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HDC hScreen = GetDC(NULL);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateDIBSection(hScreen, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    int nCount = 0;
    const DWORD* pPixels = static_cast<const DWORD*>(pBits);
    DWORD nWanted = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
    for (int i = 0; i < cx * cy; ++i)
        if ((pPixels[i] & 0xFFFFFF) == nWanted)
            ++nCount;
    SelectObject(hMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(NULL, hScreen);
    return nCount;
}
