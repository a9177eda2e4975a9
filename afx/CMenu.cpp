// afx/CMenu.cpp: temporaries for menus and appending items.
#include "CMenu.h"

CMenu::CMenu() : m_hMenu(NULL)
{
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == NULL)
        return NULL;
    CMenu* pMenu = new CMenu;
    if (pMenu == NULL)
        return NULL;
    pMenu->m_hMenu = hMenu;
    AddTemporary(pMenu);
    return pMenu;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
