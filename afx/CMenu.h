// afx/CMenu.h: CMenu, a menu handle with the operations the programs use.
#ifndef AFX_CMENU_H
#define AFX_CMENU_H

#include "CObject.h"

// The programs only reach the system menu, which belongs to its window: so, unlike MFC's,
// this CMenu never destroys its menu, and a temporary one is always harmless.
class CMenu : public CObject
{
public:
    // Construction
    CMenu();

    // Attributes
    HMENU m_hMenu;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    // A temporary CMenu for hMenu (see CObject); NULL for a NULL handle.
    static CMenu* FromHandle(HMENU hMenu);

    // Operations
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL);
};

#endif // AFX_CMENU_H
