// CCmdUI: how update handlers enable, check and name the things that send a command.
#pragma once

#include "mfc/CmdTarget.h"

class CMenu;
class CWnd;

class AFX_EXT_CLASS CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;     // the menu holding the item, or NULL
    CMenu* m_pSubMenu = nullptr;  // the popup the item opens, or NULL
    CWnd* m_pOther = nullptr;     // a control or bar, when not a menu item
    CMenu* m_pParentMenu = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;

    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks `pTarget` for the state; without an update handler the item is disabled
    // when bDisableIfNoHndler and no command handler exists either.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

#include "mivo/cmdui.h"
