// CVXMenu's item family: append, insert, modify, find and remove owner-drawn
// items, in wide and 8-bit text.
#include "controls/VXMenu.h"
#include "controls/VXMenuSupport.h"

#include <functional>
#include <memory>

namespace {

const WCHAR* WideOrNull(LPCSTR text, std::u16string& storage)
{
    if (!text)
        return nullptr;
    storage = vxmenu::Widen(text);
    return storage.c_str();
}

CVXMenu* AsVXMenu(HMENU handle)
{
    return dynamic_cast<CVXMenu*>(CMenu::FromHandlePermanent(handle));
}

}  // namespace

// --- records ---------------------------------------------------------------

CVXMenuData* CVXMenu::AddItemRecord(UINT& nFlags, UINT_PTR nID, const WCHAR* lpstrText)
{
    if (!nID)
        nFlags = (nFlags & MF_BYPOSITION) | MF_SEPARATOR | MF_OWNERDRAW;
    else
        nFlags |= MF_OWNERDRAW;
    if (nFlags & MF_POPUP) {
        m_AllSubMenus.Add((HMENU)nID);
        m_SubMenus.Add((HMENU)nID);
    }
    auto* mdata = new CVXMenuData;
    mdata->SetWideString(lpstrText);
    mdata->nFlags = nFlags;
    mdata->nCommand = nID;
    m_MenuList.Add(mdata);
    return mdata;
}

CVXMenuData* CVXMenu::InsertItemRecord(UINT nPosition, UINT& nFlags, UINT_PTR nID, const WCHAR* lpstrText)
{
    if (!nID)
        nFlags = MF_BYPOSITION | MF_SEPARATOR | MF_OWNERDRAW;
    else
        nFlags |= MF_OWNERDRAW;
    INT_PTR count = (INT_PTR)GetMenuItemCount();
    INT_PTR position = nPosition == (UINT)-1 || (INT_PTR)nPosition > count ? count : (INT_PTR)nPosition;
    INT_PTR index = position;
    if ((nFlags & MF_POPUP) && m_loadmenu) {
        index = position - GetMenuStart();
        if (index < 0)
            index = 0;
    }
    if (index > m_MenuList.GetSize())
        index = m_MenuList.GetSize();
    if (nFlags & MF_POPUP) {
        m_AllSubMenus.Add((HMENU)nID);
        m_SubMenus.InsertAt(std::min(position, m_SubMenus.GetSize()), (HMENU)nID);
    }
    auto* mdata = new CVXMenuData;
    mdata->SetWideString(lpstrText);
    mdata->nFlags = nFlags;
    mdata->nCommand = nID;
    m_MenuList.InsertAt(index, mdata);
    return mdata;
}

int CVXMenu::ImageForCommand(UINT_PTR nID, int nIconNormal)
{
    if (!nID)
        return -1;
    if (nIconNormal < 0)
        return GlobalImageListOffset((int)nID);
    int xoffset = 0;
    LoadFromToolBar((UINT)nID, (UINT)nIconNormal, xoffset);
    CImageList strip;
    strip.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 1);
    if (!AddBitmapToImageList(&strip, (UINT)nIconNormal))
        return -1;
    return AddToGlobalImageList(&strip, xoffset, (int)nID);
}

BOOL CVXMenu::BitmapIntoList(CBitmap* bmp, CImageList& list)
{
    list.Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 1);
    return list.Add(bmp, TransparentColor()) >= 0;
}

// --- appending -------------------------------------------------------------

BOOL CVXMenu::AppendODMenuW(const WCHAR* lpstrText, UINT nFlags, UINT_PTR nID, int nIconNormal)
{
    CVXMenuData* mdata = AddItemRecord(nFlags, nID, lpstrText);
    mdata->global_offset = ImageForCommand(nID, nIconNormal);
    BOOL ok = CMenu::AppendMenu(nFlags, nID, (LPCSTR)mdata);
    if (m_loadmenu)
        RemoveTopLevelOwnerDraw();
    return ok;
}

BOOL CVXMenu::AppendODMenuW(const WCHAR* lpstrText, UINT nFlags, UINT_PTR nID, CImageList* il, int xoffset)
{
    CVXMenuData* mdata = AddItemRecord(nFlags, nID, lpstrText);
    if (il) {
        mdata->bitmap = new CImageList;
        ImageListDuplicate(il, xoffset, mdata->bitmap);
        mdata->xoffset = 0;
        mdata->nID = 0;
    }
    BOOL ok = CMenu::AppendMenu(nFlags, nID, (LPCSTR)mdata);
    if (m_loadmenu)
        RemoveTopLevelOwnerDraw();
    return ok;
}

BOOL CVXMenu::AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem, int nIconNormal)
{
    return AppendODMenuW(lpszNewItem, nFlags, nIDNewItem, nIconNormal);
}

BOOL CVXMenu::AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem, CImageList* il, int xoffset)
{
    return AppendODMenuW(lpszNewItem, nFlags, nIDNewItem, il, xoffset);
}

BOOL CVXMenu::AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem, CBitmap* bmp)
{
    if (!bmp)
        return AppendODMenuW(lpszNewItem, nFlags, nIDNewItem, nullptr, 0);
    CImageList list;
    BitmapIntoList(bmp, list);
    return AppendODMenuW(lpszNewItem, nFlags, nIDNewItem, &list, 0);
}

CVXMenu* CVXMenu::AppendODPopupMenuW(const WCHAR* lpstrText)
{
    CVXMenu* sub = NewSubMenu();
    AppendODMenuW(lpstrText, MF_POPUP, (UINT_PTR)sub->m_hMenu, -1);
    return sub;
}

// --- inserting -------------------------------------------------------------

BOOL CVXMenu::InsertODMenuW(UINT nPosition, const WCHAR* lpstrText, UINT nFlags, UINT_PTR nID, int nIconNormal)
{
    if (!(nFlags & MF_BYPOSITION)) {
        int loc = -1;
        CVXMenu* holder = FindMenuOption(nPosition, loc);
        return holder ? holder->InsertODMenuW((UINT)loc, lpstrText, nFlags | MF_BYPOSITION, nID, nIconNormal) : FALSE;
    }
    CVXMenuData* mdata = InsertItemRecord(nPosition, nFlags, nID, lpstrText);
    mdata->global_offset = ImageForCommand(nID, nIconNormal);
    BOOL ok = CMenu::InsertMenu(nPosition, nFlags, nID, (LPCSTR)mdata);
    if (m_loadmenu)
        RemoveTopLevelOwnerDraw();
    return ok;
}

BOOL CVXMenu::InsertODMenuW(UINT nPosition, const WCHAR* lpstrText, UINT nFlags, UINT_PTR nID, CImageList* il,
                            int xoffset)
{
    if (!(nFlags & MF_BYPOSITION)) {
        int loc = -1;
        CVXMenu* holder = FindMenuOption(nPosition, loc);
        return holder ? holder->InsertODMenuW((UINT)loc, lpstrText, nFlags | MF_BYPOSITION, nID, il, xoffset) : FALSE;
    }
    CVXMenuData* mdata = InsertItemRecord(nPosition, nFlags, nID, lpstrText);
    if (il && nID)
        mdata->global_offset = AddToGlobalImageList(il, xoffset, (int)nID);
    BOOL ok = CMenu::InsertMenu(nPosition, nFlags, nID, (LPCSTR)mdata);
    if (m_loadmenu)
        RemoveTopLevelOwnerDraw();
    return ok;
}

BOOL CVXMenu::InsertMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem, int nIconNormal)
{
    return InsertODMenuW(nPosition, lpszNewItem, nFlags, nIDNewItem, nIconNormal);
}

BOOL CVXMenu::InsertMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem,
                          CImageList* il, int xoffset)
{
    return InsertODMenuW(nPosition, lpszNewItem, nFlags, nIDNewItem, il, xoffset);
}

BOOL CVXMenu::InsertMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem, CBitmap* bmp)
{
    if (!bmp)
        return InsertODMenuW(nPosition, lpszNewItem, nFlags, nIDNewItem, nullptr, 0);
    CImageList list;
    BitmapIntoList(bmp, list);
    return InsertODMenuW(nPosition, lpszNewItem, nFlags, nIDNewItem, &list, 0);
}

// --- modifying -------------------------------------------------------------

BOOL CVXMenu::ModifyCommandItems(const WCHAR* lpstrText, UINT_PTR nID, const std::function<void(CVXMenuData*)>& image)
{
    CArray<CVXMenu*, CVXMenu*> menus;
    CArray<int, int&> positions;
    BOOL result = FALSE;
    bool found = false;
    int loc = -1;
    for (CVXMenu* holder = FindAnotherMenuOption(nID, loc, menus, positions); holder;
         holder = FindAnotherMenuOption(nID, loc, menus, positions)) {
        menus.Add(holder);
        positions.Add(loc);
        CVXMenuData* mdata = holder->GetRecord(loc);
        if (!mdata)
            continue;
        found = true;
        if (lpstrText)
            mdata->SetWideString(lpstrText);
        image(mdata);
        // Each item keeps its own record as its data, and its state.
        UINT state = holder->GetMenuState((UINT)loc, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED | MF_DISABLED);
        mdata->nFlags = MF_OWNERDRAW;
        result = holder->CMenu::ModifyMenu((UINT)loc, MF_BYPOSITION | MF_OWNERDRAW | state, nID, (LPCSTR)mdata);
    }
    if (!found) {
        UINT flags = MF_OWNERDRAW;
        image(AddItemRecord(flags, nID, lpstrText));
    }
    return result;
}

BOOL CVXMenu::ModifyODMenuW(const WCHAR* lpstrText, UINT_PTR nID, int nIconNormal)
{
    int globalOffset = ImageForCommand(nID, nIconNormal);
    return ModifyCommandItems(lpstrText, nID, [globalOffset](CVXMenuData* mdata) {
        mdata->global_offset = globalOffset;
    });
}

BOOL CVXMenu::ModifyODMenuW(const WCHAR* lpstrText, UINT_PTR nID, CImageList* il, int xoffset)
{
    if (!il)
        return ModifyCommandItems(lpstrText, nID, [](CVXMenuData*) {});
    int globalOffset = AddToGlobalImageList(il, xoffset, (int)nID);
    return ModifyCommandItems(lpstrText, nID, [globalOffset](CVXMenuData* mdata) {
        mdata->global_offset = globalOffset;
        mdata->nID = -1;
        mdata->xoffset = -1;
        if (mdata->bitmap) {
            mdata->bitmap->DeleteImageList();
            delete mdata->bitmap;
            mdata->bitmap = nullptr;
        }
    });
}

BOOL CVXMenu::ModifyODMenuW(const WCHAR* lpstrText, UINT_PTR nID, CBitmap* bmp)
{
    if (!bmp)
        return ModifyODMenuW(lpstrText, nID, (CImageList*)nullptr, 0);
    CImageList list;
    BitmapIntoList(bmp, list);
    return ModifyODMenuW(lpstrText, nID, &list, 0);
}

BOOL CVXMenu::ModifyODMenuW(const WCHAR* lpstrText, UINT_PTR nID, COLORREF fill, COLORREF border, int hatchstyle,
                            CSize* pSize)
{
    HWND window = vxmenu::MeasuringWindow();
    HDC screen = ::GetDC(window);
    CBitmap swatch;
    CSize full(m_iconX, m_iconY);
    ColorBitmap(CDC::FromHandle(screen), swatch, pSize ? *pSize : full, full, fill, border, hatchstyle);
    ::ReleaseDC(window, screen);
    return ModifyODMenuW(lpstrText, nID, &swatch);
}

BOOL CVXMenu::ModifyODMenuW(const WCHAR* lpstrText, const WCHAR* OptionText, int nIconNormal)
{
    CVXMenuData* mdata = FindMenuOption(OptionText);
    if (!mdata)
        return FALSE;
    if (lpstrText)
        mdata->SetWideString(lpstrText);
    LoadRecordBitmap(mdata, nIconNormal);
    return TRUE;
}

void CVXMenu::LoadRecordBitmap(CVXMenuData* mdata, int nIconNormal)
{
    mdata->nID = nIconNormal;
    mdata->xoffset = -1;
    if (nIconNormal < 0)
        return;
    mdata->xoffset = 0;
    if (mdata->bitmap)
        mdata->bitmap->DeleteImageList();
    else
        mdata->bitmap = new CImageList;
    mdata->bitmap->Create(m_iconX, m_iconY, ILC_COLORDDB | ILC_MASK, 1, 1);
    if (!AddBitmapToImageList(mdata->bitmap, (UINT)nIconNormal)) {
        mdata->bitmap->DeleteImageList();
        delete mdata->bitmap;
        mdata->bitmap = nullptr;
        mdata->nID = -1;
        mdata->xoffset = -1;
    }
}

// --- finding ---------------------------------------------------------------

int CVXMenu::GetMenuPosition(const WCHAR* pText)
{
    std::u16string wanted(pText ? pText : u"");
    bool plainItem = false;
    for (int i = 0; i < (int)GetMenuItemCount() && !plainItem; ++i)
        plainItem = ::GetSubMenu(m_hMenu, i) == nullptr;
    if (!plainItem)
        return -1;
    for (INT_PTR i = 0; i < m_MenuList.GetSize(); ++i)
        if (wanted == m_MenuList[i]->GetWideString())
            return (int)i;
    return -1;
}

CMenu* CVXMenu::GetSubMenu(LPCSTR lpszSubMenuName)
{
    if (!lpszSubMenuName)
        return nullptr;
    int count = (int)GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(m_hMenu, i);
        if (!sub)
            continue;
        CString text;
        if (CVXMenuData* mdata = GetRecord(i))
            text = mdata->GetString();
        else
            CMenu::GetMenuString((UINT)i, text, MF_BYPOSITION);
        if (text == lpszSubMenuName)
            return CMenu::FromHandle(sub);
    }
    return nullptr;
}

CVXMenu* CVXMenu::GetSubCVXMenu(const WCHAR* lpszSubMenuName)
{
    CVXMenuData* mdata = FindMenuOption(lpszSubMenuName);
    if (!mdata || !mdata->nCommand || !::IsMenu((HMENU)mdata->nCommand))
        return nullptr;
    return AsVXMenu((HMENU)mdata->nCommand);
}

// --- removing --------------------------------------------------------------

void CVXMenu::RemoveRecordAt(INT_PTR index)
{
    if (index < 0 || index >= m_MenuList.GetSize())
        return;
    delete m_MenuList[index];
    m_MenuList.RemoveAt(index);
}

void CVXMenu::ForgetSubMenu(HMENU handle)
{
    for (INT_PTR i = m_AllSubMenus.GetSize() - 1; i >= 0; --i)
        if (m_AllSubMenus[i] == handle)
            m_AllSubMenus.RemoveAt(i);
    for (INT_PTR i = m_SubMenus.GetSize() - 1; i >= 0; --i)
        if (m_SubMenus[i] == handle)
            m_SubMenus.RemoveAt(i);
}

void CVXMenu::RemoveSubMenuItems(CVXMenu* sub)
{
    for (int i = (int)sub->GetMenuItemCount() - 1; i >= 0; --i)
        sub->RemoveMenu((UINT)i, MF_BYPOSITION);
}

BOOL CVXMenu::RemoveOrDelete(UINT uiId, UINT nFlags, bool destroy)
{
    if (!(nFlags & MF_BYPOSITION)) {
        int loc = -1;
        CVXMenu* holder = FindMenuOption(uiId, loc);
        if (!holder)
            return destroy ? CMenu::DeleteMenu(uiId, nFlags) : CMenu::RemoveMenu(uiId, nFlags);
        return holder->RemoveOrDelete((UINT)loc, MF_BYPOSITION, destroy);
    }
    UINT state = GetMenuState(uiId, MF_BYPOSITION);
    std::unique_ptr<CVXMenu> ownedSub;
    if (state == (UINT)-1) {
        // nothing there: the Windows call below answers
    } else if (state & MF_POPUP) {
        HMENU sub = ::GetSubMenu(m_hMenu, (int)uiId);
        ForgetSubMenu(sub);
        CVXMenu* subMenu = AsVXMenu(sub);
        for (INT_PTR i = 0; i < m_MenuList.GetSize(); ++i)
            if (m_MenuList[i]->nCommand == (UINT_PTR)sub) {
                RemoveRecordAt(i);
                break;
            }
        // Only a sub-menu this menu made goes with it; a caller's stays whole.
        for (INT_PTR i = 0; subMenu && i < m_OwnedSubMenus.GetSize(); ++i)
            if (m_OwnedSubMenus[i] == subMenu) {
                ownedSub.reset(subMenu);
                m_OwnedSubMenus.RemoveAt(i);
                RemoveSubMenuItems(subMenu);
                break;
            }
    } else if (state & MF_SEPARATOR) {
        CVXMenuData* mdata = GetRecord((INT_PTR)uiId);
        if (mdata && (!destroy || !mdata->HasText()))
            RemoveRecordAt((INT_PTR)uiId);
    } else {
        // The record at that position: another item with the same command keeps its own.
        UINT_PTR command = GetMenuItemID((int)uiId);
        CVXMenuData* mdata = GetRecord((INT_PTR)uiId);
        if (mdata && mdata->nCommand == command) {
            RemoveRecordAt((INT_PTR)uiId);
        } else {
            for (INT_PTR i = 0; i < m_MenuList.GetSize(); ++i)
                if (m_MenuList[i]->nCommand == command) {
                    RemoveRecordAt(i);
                    break;
                }
        }
    }
    BOOL result = destroy ? CMenu::DeleteMenu(uiId, MF_BYPOSITION) : CMenu::RemoveMenu(uiId, MF_BYPOSITION);
    return result;
}

BOOL CVXMenu::RemoveMenu(UINT uiId, UINT nFlags)
{
    return RemoveOrDelete(uiId, nFlags, false);
}

BOOL CVXMenu::DeleteMenu(UINT uiId, UINT nFlags)
{
    return RemoveOrDelete(uiId, nFlags, true);
}

int CVXMenu::RemoveOrDeleteByText(const WCHAR* pText, int separatorOption, bool destroy)
{
    int position = GetMenuPosition(pText);
    if (position < 0)
        return -1;
    RemoveOrDelete((UINT)position, MF_BYPOSITION, destroy);
    int before = (separatorOption == 1 || separatorOption == 2) ? 1 : separatorOption == 3 ? 2 : 0;
    for (int k = 1; k <= before && position - k >= 0; ++k)
        RemoveOrDelete((UINT)(position - k), MF_BYPOSITION, destroy);
    return position;
}

// --- 8-bit forms -----------------------------------------------------------

BOOL CVXMenu::AppendODMenuA(LPCSTR lpstrText, UINT nFlags, UINT_PTR nID, int nIconNormal)
{
    std::u16string wide;
    return AppendODMenuW(WideOrNull(lpstrText, wide), nFlags, nID, nIconNormal);
}

BOOL CVXMenu::AppendODMenuA(LPCSTR lpstrText, UINT nFlags, UINT_PTR nID, CImageList* il, int xoffset)
{
    std::u16string wide;
    return AppendODMenuW(WideOrNull(lpstrText, wide), nFlags, nID, il, xoffset);
}

BOOL CVXMenu::AppendMenuA(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, int nIconNormal)
{
    std::u16string wide;
    return AppendMenuW(nFlags, nIDNewItem, WideOrNull(lpszNewItem, wide), nIconNormal);
}

BOOL CVXMenu::AppendMenuA(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CImageList* il, int xoffset)
{
    std::u16string wide;
    return AppendMenuW(nFlags, nIDNewItem, WideOrNull(lpszNewItem, wide), il, xoffset);
}

BOOL CVXMenu::AppendMenuA(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CBitmap* bmp)
{
    std::u16string wide;
    return AppendMenuW(nFlags, nIDNewItem, WideOrNull(lpszNewItem, wide), bmp);
}

CVXMenu* CVXMenu::AppendODPopupMenuA(LPCSTR lpstrText)
{
    std::u16string wide;
    return AppendODPopupMenuW(WideOrNull(lpstrText, wide));
}

BOOL CVXMenu::InsertODMenuA(UINT nPosition, LPCSTR lpstrText, UINT nFlags, UINT_PTR nID, int nIconNormal)
{
    std::u16string wide;
    return InsertODMenuW(nPosition, WideOrNull(lpstrText, wide), nFlags, nID, nIconNormal);
}

BOOL CVXMenu::InsertODMenuA(UINT nPosition, LPCSTR lpstrText, UINT nFlags, UINT_PTR nID, CImageList* il,
                            int xoffset)
{
    std::u16string wide;
    return InsertODMenuW(nPosition, WideOrNull(lpstrText, wide), nFlags, nID, il, xoffset);
}

BOOL CVXMenu::InsertMenuA(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, int nIconNormal)
{
    std::u16string wide;
    return InsertMenuW(nPosition, nFlags, nIDNewItem, WideOrNull(lpszNewItem, wide), nIconNormal);
}

BOOL CVXMenu::InsertMenuA(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CImageList* il,
                          int xoffset)
{
    std::u16string wide;
    return InsertMenuW(nPosition, nFlags, nIDNewItem, WideOrNull(lpszNewItem, wide), il, xoffset);
}

BOOL CVXMenu::InsertMenuA(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CBitmap* bmp)
{
    std::u16string wide;
    return InsertMenuW(nPosition, nFlags, nIDNewItem, WideOrNull(lpszNewItem, wide), bmp);
}

BOOL CVXMenu::ModifyODMenuA(LPCSTR lpstrText, UINT_PTR nID, int nIconNormal)
{
    std::u16string wide;
    return ModifyODMenuW(WideOrNull(lpstrText, wide), nID, nIconNormal);
}

BOOL CVXMenu::ModifyODMenuA(LPCSTR lpstrText, UINT_PTR nID, CImageList* il, int xoffset)
{
    std::u16string wide;
    return ModifyODMenuW(WideOrNull(lpstrText, wide), nID, il, xoffset);
}

BOOL CVXMenu::ModifyODMenuA(LPCSTR lpstrText, UINT_PTR nID, CBitmap* bmp)
{
    std::u16string wide;
    return ModifyODMenuW(WideOrNull(lpstrText, wide), nID, bmp);
}

BOOL CVXMenu::ModifyODMenuA(LPCSTR lpstrText, LPCSTR OptionText, int nIconNormal)
{
    std::u16string wide, option;
    return ModifyODMenuW(WideOrNull(lpstrText, wide), WideOrNull(OptionText, option), nIconNormal);
}

int CVXMenu::RemoveMenuA(LPCSTR pText, int separatorOption)
{
    std::u16string wide;
    return RemoveOrDeleteByText(WideOrNull(pText, wide), separatorOption, false);
}

int CVXMenu::DeleteMenuA(LPCSTR pText, int separatorOption)
{
    std::u16string wide;
    return RemoveOrDeleteByText(WideOrNull(pText, wide), separatorOption, true);
}

CVXMenu* CVXMenu::GetSubCVXMenuA(LPCSTR lpszSubMenuName)
{
    std::u16string wide;
    return GetSubCVXMenu(WideOrNull(lpszSubMenuName, wide));
}

int CVXMenu::GetMenuPositionA(LPCSTR pText)
{
    std::u16string wide;
    return GetMenuPosition(WideOrNull(pText, wide));
}
