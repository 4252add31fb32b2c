#include "controls/VXMenu.h"
#include "controls/VXMenuSupport.h"

IMPLEMENT_DYNAMIC(CVXMenu, CMenu)

UINT CVXMenu::original_drawmode = 1;
UINT CVXMenu::xp_drawmode = 1;
BOOL CVXMenu::original_select_disabled = TRUE;
BOOL CVXMenu::xp_select_disabled = FALSE;
BOOL CVXMenu::xp_draw_3D_bitmaps = TRUE;
BOOL CVXMenu::original_space_accelerators = TRUE;
BOOL CVXMenu::xp_space_accelerators = TRUE;
BOOL CVXMenu::hicolor_bitmaps = FALSE;
int CVXMenu::m_iconX = 16;
int CVXMenu::m_iconY = 15;
CImageList CVXMenu::m_AllImages;
CArray<int, int&> CVXMenu::m_AllImagesID;
CTypedPtrArray<CPtrArray, HMENU> CVXMenu::m_AllSubMenus;

namespace {

// Fixed when the library loads, as the look must not change under a running menu.
const int g_versionCode = CVXMenu::GetWindowsVersionCode();
BOOL g_classicTheme = FALSE;
BOOL g_themeTested = FALSE;

int VersionFromInfo(bool win9x)
{
    OSVERSIONINFO info = {};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
    int code = win9x ? 2 : 1;
    if (::GetVersionEx(&info)) {
        DWORD major = info.dwMajorVersion, minor = info.dwMinorVersion;
        if (win9x)
            code = (major == 4 && minor == 10) ? 3 : (major == 4 && minor == 90) ? 4 : 2;
        else
            code = major == 4 ? 5 : (major == 5 && minor == 0) ? 6 : (major == 5 && minor == 1) ? 7 : 1;
    }
    return code;
}

void RemoveAllOccurrences(CTypedPtrArray<CPtrArray, HMENU>& list, HMENU handle)
{
    for (INT_PTR i = list.GetSize() - 1; i >= 0; --i)
        if (list[i] == handle)
            list.RemoveAt(i);
}

CVXMenu* AsVXMenu(CMenu* menu)
{
    return menu ? dynamic_cast<CVXMenu*>(menu) : nullptr;
}

// The mnemonic of `text` (lower-cased) is `key`; doubled ampersands are a plain "&".
bool HasMnemonic(const CString& text, char key)
{
    int n = text.GetLength();
    for (int i = 0; i < n; ++i) {
        BYTE c = (BYTE)text[i];
        if (::IsDBCSLeadByte(c)) {
            ++i;
            continue;
        }
        if (c != '&' || i + 1 >= n)
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        if (text[i + 1] == key)
            return true;
    }
    return false;
}

}  // namespace

CVXMenu::CVXMenu()
    : m_bitmapBackground(RGB(192, 192, 192)), m_bitmapBackgroundFlag(FALSE), disable_old_style(FALSE),
      checkmaps(nullptr), checkmapsshare(FALSE), m_selectcheck(-1), m_unselectcheck(-1), m_loadmenu(FALSE)
{
}

CVXMenu::~CVXMenu()
{
    DestroyMenu();
}

int CVXMenu::GetWindowsVersionCode()
{
    DWORD version = ::GetVersion();
    if (version & 0x80000000u) {
        if (LOBYTE(LOWORD(version)) < 4)
            return 0;
        return VersionFromInfo(true);
    }
    return VersionFromInfo(false);
}

BOOL CVXMenu::IsWindowsClassicTheme()
{
    if (g_themeTested)
        return g_classicTheme;
    g_themeTested = TRUE;
    HKEY key = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return g_classicTheme;
    char value[261] = {};
    DWORD size = 260;
    DWORD type = 0;
    if (::RegQueryValueEx(key, nullptr, nullptr, &type, (LPBYTE)value, &size) == ERROR_SUCCESS) {
        value[size < 260 ? size : 260] = 0;
        CString text = vxmenu::LowerAnsi(CString(value));
        CString classic = vxmenu::LowerAnsi(CString("Windows Classic.theme"));
        g_classicTheme = text.GetLength() >= classic.GetLength() && text.Right(classic.GetLength()) == classic;
    }
    ::RegCloseKey(key);
    return g_classicTheme;
}

BOOL CVXMenu::IsNewShell()
{
    return g_versionCode >= 2;
}

BOOL CVXMenu::IsWinXPLuna()
{
    return g_versionCode == 7 && !IsWindowsClassicTheme();
}

UINT CVXMenu::GetMenuDrawMode()
{
    return IsWinXPLuna() ? xp_drawmode : original_drawmode;
}

BOOL CVXMenu::IsLunaMenuStyle()
{
    return GetMenuDrawMode() == 1;
}

BOOL CVXMenu::GetSelectDisableMode()
{
    return GetMenuDrawMode() == 1 ? xp_select_disabled : original_select_disabled;
}

void CVXMenu::SetMenuDrawMode(UINT mode)
{
    original_drawmode = mode;
    xp_drawmode = mode;
}

void CVXMenu::SetSelectDisableMode(BOOL mode)
{
    original_select_disabled = mode;
    xp_select_disabled = mode;
}

void CVXMenu::SetIconSize(int width, int height)
{
    m_iconX = width;
    m_iconY = height;
}

void CVXMenu::SetBitmapBackground(COLORREF color)
{
    m_bitmapBackground = color;
    m_bitmapBackgroundFlag = TRUE;
}

COLORREF CVXMenu::TransparentColor() const
{
    return m_bitmapBackgroundFlag ? m_bitmapBackground : ::GetSysColor(COLOR_3DFACE);
}

BOOL CVXMenu::DestroyMenu()
{
    RemoveAllOccurrences(m_AllSubMenus, m_hMenu);
    for (INT_PTR i = m_SubMenus.GetSize() - 1; i >= 0; --i)
        RemoveAllOccurrences(m_AllSubMenus, m_SubMenus[i]);
    for (INT_PTR i = m_OwnedSubMenus.GetSize() - 1; i >= 0; --i)
        delete m_OwnedSubMenus[i];
    m_OwnedSubMenus.RemoveAll();
    m_SubMenus.RemoveAll();
    for (INT_PTR i = 0; i < m_MenuList.GetSize(); ++i)
        delete m_MenuList[i];
    m_MenuList.RemoveAll();
    if (checkmaps && !checkmapsshare) {
        checkmaps->DeleteImageList();
        delete checkmaps;
    }
    checkmaps = nullptr;
    checkmapsshare = FALSE;
    m_loadmenu = FALSE;
    return CMenu::DestroyMenu();
}

BOOL CVXMenu::IsOwnedSubMenu(HMENU handle) const
{
    for (INT_PTR i = 0; i < m_OwnedSubMenus.GetSize(); ++i)
        if (m_OwnedSubMenus[i]->m_hMenu == handle)
            return TRUE;
    return FALSE;
}

CVXMenu* CVXMenu::NewSubMenu()
{
    auto* sub = new CVXMenu;
    sub->checkmaps = checkmaps;
    sub->checkmapsshare = TRUE;
    sub->m_selectcheck = m_selectcheck;
    sub->m_unselectcheck = m_unselectcheck;
    sub->CreatePopupMenu();
    m_OwnedSubMenus.Add(sub);
    return sub;
}

CVXMenuData* CVXMenu::GetRecord(INT_PTR index) const
{
    return index >= 0 && index < m_MenuList.GetSize() ? m_MenuList[index] : nullptr;
}

BOOL CVXMenu::IsMenu(HMENU submenu)
{
    if (!submenu)
        return FALSE;
    for (INT_PTR i = 0; i < m_AllSubMenus.GetSize(); ++i)
        if (m_AllSubMenus[i] == submenu)
            return TRUE;
    return FALSE;
}

BOOL CVXMenu::IsMenu(CMenu* submenu)
{
    return submenu ? IsMenu(submenu->m_hMenu) : FALSE;
}

void CVXMenu::UpdateMenu(CMenu* pmenu)
{
    if (CVXMenu* menu = AsVXMenu(pmenu))
        menu->SynchronizeMenu();
}

LRESULT CVXMenu::FindKeyboardShortcut(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (!pMenu || !(nFlags & MF_POPUP))
        return 0;
    CString key = vxmenu::LowerAnsi(CString((char)(BYTE)nChar, 1));
    CVXMenu* menu = AsVXMenu(pMenu);
    int count = (int)pMenu->GetMenuItemCount();
    if (menu && count != (int)menu->m_MenuList.GetSize())
        menu->SynchronizeMenu();
    for (int position = 0; position < count; ++position) {
        CString text;
        if (menu)
            menu->GetMenuText((UINT)position, text, MF_BYPOSITION);
        else
            pMenu->GetMenuString((UINT)position, text, MF_BYPOSITION);
        if (HasMnemonic(vxmenu::LowerAnsi(text), key[0]))
            return MAKELRESULT(position, MNC_EXECUTE);
    }
    return 0;
}

CVXMenuData* CVXMenu::NewODMenu(UINT pos, UINT_PTR nFlags, UINT_PTR nID, CString string)
{
    auto* mdata = new CVXMenuData;
    mdata->SetAnsiString(string);
    mdata->nFlags = nFlags;
    mdata->nCommand = nID;
    if (nFlags & MF_OWNERDRAW)
        ModifyMenu(pos, (UINT)nFlags, nID, (LPCSTR)mdata);
    else
        ModifyMenu(pos, (UINT)nFlags, nID, (LPCSTR)string);
    return mdata;
}

CVXMenuData* CVXMenu::FindMenuList(UINT_PTR nID)
{
    for (INT_PTR i = 0; i < m_MenuList.GetSize(); ++i)
        if (m_MenuList[i]->nCommand == nID && !m_MenuList[i]->syncflag) {
            m_MenuList[i]->syncflag = 1;
            return m_MenuList[i];
        }
    return nullptr;
}

void CVXMenu::InitializeMenuList(int value)
{
    for (INT_PTR i = 0; i < m_MenuList.GetSize(); ++i)
        m_MenuList[i]->syncflag = value;
}

void CVXMenu::DeleteMenuList()
{
    for (INT_PTR i = m_MenuList.GetSize() - 1; i >= 0; --i)
        if (!m_MenuList[i]->syncflag) {
            delete m_MenuList[i];
            m_MenuList.RemoveAt(i);
        }
}

void CVXMenu::SynchronizeMenu()
{
    CTypedPtrArray<CPtrArray, CVXMenuData*> ordered;
    InitializeMenuList(0);
    int count = (int)GetMenuItemCount();
    for (int j = 0; j < count; ++j) {
        UINT state = GetMenuState((UINT)j, MF_BYPOSITION);
        CString text;
        CMenu::GetMenuString((UINT)j, text, MF_BYPOSITION);
        CVXMenuData* mdata = nullptr;
        if (state & MF_POPUP) {
            UINT_PTR sub = (UINT_PTR)::GetSubMenu(m_hMenu, j);
            mdata = FindMenuList(sub);
            if (!mdata)
                mdata = NewODMenu((UINT)j, ((state & 0xFF) & ~(UINT)MF_POPUP) | MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP,
                                  sub, text);
            else if (!text.IsEmpty())
                mdata->SetAnsiString(text);
        } else if (state & MF_SEPARATOR) {
            mdata = FindMenuList(0);
            if (!mdata) {
                mdata = NewODMenu((UINT)j, state | MF_BYPOSITION | MF_OWNERDRAW | MF_SEPARATOR, 0, CString());
            } else {
                ModifyMenu((UINT)j, (UINT)mdata->nFlags, 0, (LPCSTR)mdata);
            }
        } else {
            UINT id = GetMenuItemID(j);
            UINT flags = (state & ~(UINT)MF_OWNERDRAW) | MF_BYPOSITION | MF_OWNERDRAW;
            mdata = FindMenuList(id);
            if (mdata) {
                mdata->nFlags = flags;
                if (!text.IsEmpty())
                    mdata->SetAnsiString(text);
                ModifyMenu((UINT)j, flags, id, (LPCSTR)mdata);
            } else {
                mdata = NewODMenu((UINT)j, flags, id, text);
            }
        }
        mdata->syncflag = 1;
        ordered.Add(mdata);
    }
    DeleteMenuList();
    m_MenuList.RemoveAll();
    for (INT_PTR i = 0; i < ordered.GetSize(); ++i)
        m_MenuList.Add(ordered[i]);
}

CVXMenu* CVXMenu::FindMenuOption(UINT_PTR nId, int& nLoc)
{
    int count = (int)GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(m_hMenu, i);
        if (sub) {
            if ((UINT_PTR)sub == nId) {
                nLoc = i;
                return this;
            }
            if (CVXMenu* child = AsVXMenu(CMenu::FromHandlePermanent(sub)))
                if (CVXMenu* found = child->FindMenuOption(nId, nLoc))
                    return found;
        } else if (GetMenuItemID(i) == (UINT)nId) {
            nLoc = i;
            return this;
        }
    }
    nLoc = -1;
    return nullptr;
}

CVXMenu* CVXMenu::FindAnotherMenuOption(UINT_PTR nId, int& nLoc, CArray<CVXMenu*, CVXMenu*>& bcsubs,
                                        CArray<int, int&>& bclocs)
{
    int count = (int)GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(m_hMenu, i);
        if (sub) {
            if (CVXMenu* child = AsVXMenu(CMenu::FromHandlePermanent(sub)))
                if (CVXMenu* found = child->FindAnotherMenuOption(nId, nLoc, bcsubs, bclocs))
                    return found;
            continue;
        }
        if (GetMenuItemID(i) != (UINT)nId)
            continue;
        bool seen = false;
        for (INT_PTR k = 0; k < bcsubs.GetSize() && !seen; ++k)
            seen = bcsubs[k] == this && bclocs[k] == i;
        if (!seen) {
            nLoc = i;
            return this;
        }
    }
    nLoc = -1;
    return nullptr;
}

CVXMenuData* CVXMenu::FindMenuOption(const WCHAR* lpstrText)
{
    std::u16string wanted(lpstrText ? lpstrText : u"");
    int count = (int)GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(m_hMenu, i))
            if (CVXMenu* child = AsVXMenu(CMenu::FromHandlePermanent(sub)))
                if (CVXMenuData* found = child->FindMenuOption(lpstrText))
                    return found;
        CVXMenuData* mdata = GetRecord(i);
        if (mdata && wanted == mdata->GetWideString())
            return mdata;
    }
    return nullptr;
}

CVXMenuData* CVXMenu::FindMenuItem(UINT_PTR nId)
{
    for (INT_PTR i = 0; i < m_MenuList.GetSize(); ++i)
        if (m_MenuList[i]->nCommand == nId)
            return m_MenuList[i];
    int loc = -1;
    CVXMenu* holder = FindMenuOption(nId, loc);
    if (holder && holder != this)
        return holder->FindMenuItem(nId);
    return nullptr;
}

BOOL CVXMenu::GetMenuText(UINT id, CString& string, UINT nFlags)
{
    if (nFlags & MF_BYPOSITION) {
        CVXMenuData* mdata = GetRecord((INT_PTR)id);
        if (!mdata)
            return FALSE;
        string = mdata->GetString();
        return TRUE;
    }
    int loc = -1;
    CVXMenu* holder = FindMenuOption(id, loc);
    return holder && loc >= 0 ? holder->GetMenuText((UINT)loc, string, MF_BYPOSITION) : FALSE;
}

BOOL CVXMenu::SetMenuText(UINT id, CString string, UINT nFlags)
{
    if (nFlags & MF_BYPOSITION) {
        CVXMenuData* mdata = GetRecord((INT_PTR)id);
        if (!mdata)
            return FALSE;
        mdata->SetAnsiString(string);
        return TRUE;
    }
    int loc = -1;
    CVXMenu* holder = FindMenuOption(id, loc);
    return holder && loc >= 0 ? holder->SetMenuText((UINT)loc, string, MF_BYPOSITION) : FALSE;
}

CMenu* CVXMenu::GetSubMenu(int nPos)
{
    return CMenu::GetSubMenu(nPos);
}

void CVXMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    auto* mdata = (CVXMenuData*)lpMIS->itemData;
    if (!mdata)
        return;
    int pad = (GetMenuDrawMode() == 1 && xp_draw_3D_bitmaps) ? 7 : 4;
    if (mdata->nFlags & MF_SEPARATOR) {
        lpMIS->itemWidth = 0;
        int half = ::GetSystemMetrics(SM_CYMENU) >> 1;
        lpMIS->itemHeight = IsLunaMenuStyle() ? 3 : (UINT)std::max(half, (m_iconY + pad) / 2);
        return;
    }
    HFONT font = vxmenu::CreateMenuFont();
    HWND window = vxmenu::MeasuringWindow();
    HDC dc = ::GetDC(window);
    HGDIOBJ old = g_versionCode >= 2 ? ::SelectObject(dc, font) : nullptr;
    const WCHAR* text = mdata->GetWideString();
    int length = (int)vxmenu::WideLength(text);
    SIZE size = {0, 0};
    if (g_versionCode == 0) {
        RECT r = {0, 0, 0, 0};
        ::DrawTextW(dc, text, length, &r, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT);
        size.cx = r.right - r.left + 3;
        if (length > 0)
            size.cx += 3 * (size.cx / length);
    } else {
        ::GetTextExtentPoint32W(dc, text, length, &size);
    }
    if (old)
        ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    ::DeleteObject(font);
    if (IsLunaMenuStyle())
        lpMIS->itemWidth = (UINT)(m_iconX + size.cx + pad + 8);
    else
        lpMIS->itemWidth = (UINT)(size.cx + 2 * m_iconX + 1);
    lpMIS->itemHeight = (UINT)std::max(::GetSystemMetrics(SM_CYMENU), m_iconY + pad);
}

void CVXMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!lpDIS || lpDIS->CtlType != ODT_MENU)
        return;
    if (::GetDeviceCaps(lpDIS->hDC, RASTERCAPS) & RC_PALETTE)
        DrawItem_Win9xNT2000(lpDIS);
    else if (GetMenuDrawMode() == 1)
        DrawItem_WinXP(lpDIS);
    else
        DrawItem_Win9xNT2000(lpDIS);
}
