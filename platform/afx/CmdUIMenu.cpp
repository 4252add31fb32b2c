// CCmdUI on menu items: enable, check, radio dot and text by the item's position.
#include "mfc.h"

#include "afx/CmdUIMenu.h"
#include "afx/MenuMaps.h"

namespace {

// The radio dot: a monochrome mark, black on white, for the checked state.
HBITMAP RadioDot()
{
    static HBITMAP dot = nullptr;
    if (dot)
        return dot;
    const int size = 13;
    WORD rows[size];
    for (int y = 0; y < size; ++y) {
        WORD bits = 0xFFFF;
        for (int x = 0; x < size; ++x) {
            int dx = x - 6, dy = y - 6;
            if (dx * dx + dy * dy <= 7)
                bits &= (WORD)~(0x8000 >> x);
        }
        // Rows are stored high byte first, as the bitmap's bytes run left to right.
        rows[y] = (WORD)((bits >> 8) | (bits << 8));
    }
    dot = ::CreateBitmap(size, size, 1, 1, rows);
    return dot;
}

HMENU MenuOf(CCmdUI* ui)
{
    return ui->m_pMenu ? ui->m_pMenu->m_hMenu : nullptr;
}

void EnableItem(CCmdUI* ui, BOOL on)
{
    if (ui->m_pSubMenu)
        return;  // popups stay as they are
    ::EnableMenuItem(MenuOf(ui), ui->m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}

void CheckItem(CCmdUI* ui, int check)
{
    if (ui->m_pSubMenu)
        return;
    ::CheckMenuItem(MenuOf(ui), ui->m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void RadioItem(CCmdUI* ui, BOOL on)
{
    if (ui->m_pSubMenu)
        return;
    CheckItem(ui, on ? 1 : 0);
    ::SetMenuItemBitmaps(MenuOf(ui), ui->m_nIndex, MF_BYPOSITION, nullptr, RadioDot());
}

void TextItem(CCmdUI* ui, LPCSTR text)
{
    if (ui->m_pSubMenu)
        return;
    HMENU menu = MenuOf(ui);
    UINT state = ::GetMenuState(menu, ui->m_nIndex, MF_BYPOSITION);
    if (state == (UINT)-1)
        return;
    state &= ~(UINT)(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP);
    ::ModifyMenu(menu, ui->m_nIndex, MF_BYPOSITION | MF_STRING | state, ui->m_nID, text);
}

struct OpsInstaller {
    OpsInstaller() { mivo::SetCmdUIMenuOps(mivo::CmdUIMenuOps{EnableItem, CheckItem, RadioItem, TextItem}); }
};
OpsInstaller installer;

}  // namespace

namespace mivo::afx {

CMenu* FindPopupMenuFromID(HMENU root, UINT id)
{
    int count = ::GetMenuItemCount(root);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(root, i);
        if (sub) {
            if ((UINT)(uintptr_t)sub == id)
                return CMenu::FromHandlePermanent(root);
            if (CMenu* found = FindPopupMenuFromID(sub, id))
                return found;
        } else if (::GetMenuItemID(root, i) == id) {
            return CMenu::FromHandlePermanent(root);
        }
    }
    return nullptr;
}

}  // namespace mivo::afx
