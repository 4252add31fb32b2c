// CMenu: the menu wrapper, its permanent and temporary handle maps.
#include "mfc.h"
#include "mfc/Menu.h"

#include "afx/MenuMaps.h"

#include <mutex>
#include <unordered_map>

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

std::mutex& PermanentLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

std::unordered_map<HMENU, CMenu*>& Permanent()
{
    static auto* map = new std::unordered_map<HMENU, CMenu*>;
    return *map;
}

// Temporary objects belong to their thread and die with it.
struct TemporaryMenus {
    std::unordered_map<HMENU, CMenu*> map;
    ~TemporaryMenus()
    {
        for (auto& e : map) {
            e.second->m_hMenu = nullptr;
            delete e.second;
        }
    }
};

std::unordered_map<HMENU, CMenu*>& Temporary()
{
    static thread_local TemporaryMenus menus;
    return menus.map;
}

thread_local HMENU g_trackingMenu = nullptr;

void ForgetTemporary(HMENU hMenu)
{
    auto& temp = Temporary();
    auto it = temp.find(hMenu);
    if (it == temp.end())
        return;
    it->second->m_hMenu = nullptr;
    delete it->second;
    temp.erase(it);
}

CMenu* MenuObjectFor(HMENU hMenu)
{
    return CMenu::FromHandle(hMenu);
}

HMENU HandleOf(CMenu* menu)
{
    return menu ? menu->m_hMenu : nullptr;
}

struct HookInstaller {
    HookInstaller()
    {
        mivo::SetMenuFromHandleHook(MenuObjectFor);
        mivo::SetMenuHandleHook(HandleOf);
    }
};
HookInstaller installer;

}  // namespace

namespace mivo::afx {

HMENU TrackingMenu()
{
    return g_trackingMenu;
}

}  // namespace mivo::afx

CMenu::CMenu() = default;

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    std::lock_guard<std::mutex> guard(PermanentLock());
    auto it = Permanent().find(hMenu);
    return it == Permanent().end() ? nullptr : it->second;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    if (!hMenu)
        return nullptr;
    if (CMenu* p = FromHandlePermanent(hMenu))
        return p;
    auto& temp = Temporary();
    auto it = temp.find(hMenu);
    if (it != temp.end())
        return it->second;
    auto* menu = new CMenu;
    menu->m_hMenu = hMenu;
    temp[hMenu] = menu;
    return menu;
}

void PASCAL CMenu::DeleteTempMap()
{
    auto& temp = Temporary();
    for (auto& e : temp) {
        e.second->m_hMenu = nullptr;
        delete e.second;
    }
    temp.clear();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_hMenu)
        return FALSE;
    m_hMenu = hMenu;
    {
        std::lock_guard<std::mutex> guard(PermanentLock());
        Permanent()[hMenu] = this;
    }
    ForgetTemporary(hMenu);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    if (h) {
        std::lock_guard<std::mutex> guard(PermanentLock());
        auto it = Permanent().find(h);
        if (it != Permanent().end() && it->second == this)
            Permanent().erase(it);
    }
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    return Attach(::LoadMenu(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName));
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCE(nIDResource));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return Attach(::LoadMenuIndirect(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return ::AppendMenu(m_hMenu, nFlags | MF_BITMAP, nIDNewItem, pBmp ? (LPCSTR)pBmp->GetSafeHandle() : nullptr);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return ::InsertMenu(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem,
                        pBmp ? (LPCSTR)pBmp->GetSafeHandle() : nullptr);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    return ::ModifyMenu(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem,
                        pBmp ? (LPCSTR)pBmp->GetSafeHandle() : nullptr);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    return ::InsertMenuItem(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    return ::GetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    return ::SetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return (UINT)::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return (UINT)::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked)
{
    return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags,
                                pBmpUnchecked ? (HBITMAP)pBmpUnchecked->GetSafeHandle() : nullptr,
                                pBmpChecked ? (HBITMAP)pBmpChecked->GetSafeHandle() : nullptr);
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos)
{
    return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
}

BOOL CMenu::SetMenuContextHelpId(DWORD dwContextHelpId)
{
    return ::SetMenuContextHelpId(m_hMenu, dwContextHelpId);
}

DWORD CMenu::GetMenuContextHelpId() const
{
    return ::GetMenuContextHelpId(m_hMenu);
}

UINT CMenu::GetMenuItemCount() const
{
    return (UINT)::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int length = ::GetMenuString(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0) {
        rString.Empty();
        return 0;
    }
    std::string buffer((size_t)length + 1, '\0');
    int copied = ::GetMenuString(m_hMenu, nIDItem, &buffer[0], length + 1, nFlags);
    rString = buffer.c_str();
    return copied;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    HMENU outer = g_trackingMenu;
    g_trackingMenu = m_hMenu;
    BOOL result = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, mivo::HandleOf(pWnd), lpRect);
    g_trackingMenu = outer;
    return result;
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    HMENU outer = g_trackingMenu;
    g_trackingMenu = m_hMenu;
    BOOL result = ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, mivo::HandleOf(pWnd), lptpm);
    g_trackingMenu = outer;
    return result;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
