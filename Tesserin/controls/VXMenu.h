// CVXMenu: the owner-drawn menu. Popup items show a column of toolbar images,
// the text, a right-aligned accelerator column, check marks and radio dots,
// in the classic look or the XP look. Frames that use it route
// WM_INITMENUPOPUP, WM_MENUCHAR and WM_MEASUREITEM to UpdateMenu,
// FindKeyboardShortcut and MeasureItem; WM_DRAWITEM reaches DrawItem through
// the framework. The sources are split by concern: VXMenu.cpp (state, records,
// keys, measuring), VXMenuImages.cpp, VXMenuEffects.cpp, VXMenuClassic.cpp,
// VXMenuXP.cpp, VXMenuLoad.cpp, VXMenuItems.cpp, VXMenuToolbar.cpp.
#pragma once

#include "mfc.h"
#include "controls/VXMenuData.h"

#include <functional>
#include <type_traits>

class CToolBar;

class AFX_EXT_CLASS CVXMenu : public CMenu {
    DECLARE_DYNAMIC(CVXMenu)
public:
    CVXMenu();
    ~CVXMenu() override;

    // Process-wide settings.
    static UINT original_drawmode;
    static UINT xp_drawmode;
    static BOOL original_select_disabled;
    static BOOL xp_select_disabled;
    static BOOL xp_draw_3D_bitmaps;
    static BOOL original_space_accelerators;
    static BOOL xp_space_accelerators;
    static BOOL hicolor_bitmaps;
    static int m_iconX;
    static int m_iconY;
    // Every command's image, one slot (four with the XP variants) per command.
    static CImageList m_AllImages;
    static CArray<int, int&> m_AllImagesID;
    // Every popup handle made through any CVXMenu.
    static CTypedPtrArray<CPtrArray, HMENU> m_AllSubMenus;

    // Lifecycle and loading.
    virtual BOOL DestroyMenu();
    virtual BOOL LoadMenu(int nResource);
    virtual BOOL LoadMenu(LPCSTR lpszResourceName);
    BOOL LoadMenuA(int nResource) { return LoadMenu(nResource); }
    BOOL LoadMenuA(LPCSTR lpszResourceName) { return LoadMenu(lpszResourceName); }
    BOOL LoadToolbar(UINT nToolBar);
    BOOL LoadToolbars(const UINT* arID, int n);
    void AddFromToolBar(CToolBar* pToolBar, int nResourceID);
    BOOL LoadCheckmarkBitmap(int unselect, int select);

    // Looks and settings.
    static void SetMenuDrawMode(UINT mode);
    static UINT GetMenuDrawMode();
    static void SetSelectDisableMode(BOOL mode);
    static BOOL GetSelectDisableMode();
    static void SetXPBitmap3D(BOOL val) { xp_draw_3D_bitmaps = val; }
    static BOOL GetXPBitmap3D() { return xp_draw_3D_bitmaps; }
    static void SetIconSize(int width, int height);
    static BOOL IsNewShell();
    static BOOL IsWinXPLuna();
    static BOOL IsLunaMenuStyle();
    static BOOL IsWindowsClassicTheme();
    static int GetWindowsVersionCode();
    void SetBitmapBackground(COLORREF color);
    void UnSetBitmapBackground() { m_bitmapBackgroundFlag = FALSE; }
    void SetDisableOldStyle() { disable_old_style = TRUE; }
    void UnSetDisableOldStyle() { disable_old_style = FALSE; }
    BOOL GetDisableOldStyle() const { return disable_old_style; }

    // Frame support.
    static BOOL IsMenu(CMenu* submenu);
    static BOOL IsMenu(HMENU submenu);
    static void UpdateMenu(CMenu* pmenu);
    static LRESULT FindKeyboardShortcut(UINT nChar, UINT nFlags, CMenu* pMenu);
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

    // Texts.
    BOOL GetMenuText(UINT id, CString& string, UINT nFlags = MF_BYPOSITION);
    BOOL SetMenuText(UINT id, CString string, UINT nFlags = MF_BYPOSITION);
    CMenu* GetSubMenu(int nPos);
    CMenu* GetSubMenu(LPCSTR lpszSubMenuName);
    CVXMenu* GetSubCVXMenu(const WCHAR* lpszSubMenuName);
    CVXMenu* GetSubCVXMenuA(LPCSTR lpszSubMenuName);
    int GetMenuPosition(const WCHAR* pText);
    int GetMenuPositionA(LPCSTR pText);
    // Records this menu owns, in item order.
    INT_PTR GetRecordCount() const { return m_MenuList.GetSize(); }
    CVXMenuData* GetRecord(INT_PTR index) const;

    // Appending and inserting owner-drawn items (wide and 8-bit text).
    BOOL AppendODMenuW(const WCHAR* lpstrText, UINT nFlags = MF_OWNERDRAW, UINT_PTR nID = 0, int nIconNormal = -1);
    BOOL AppendODMenuW(const WCHAR* lpstrText, UINT nFlags, UINT_PTR nID, CImageList* il, int xoffset);
    BOOL AppendODMenuA(LPCSTR lpstrText, UINT nFlags = MF_OWNERDRAW, UINT_PTR nID = 0, int nIconNormal = -1);
    BOOL AppendODMenuA(LPCSTR lpstrText, UINT nFlags, UINT_PTR nID, CImageList* il, int xoffset);
    BOOL AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem, int nIconNormal = -1);
    BOOL AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem, CImageList* il, int xoffset);
    BOOL AppendMenuW(UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem, CBitmap* bmp);
    BOOL AppendMenuA(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr, int nIconNormal = -1);
    BOOL AppendMenuA(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CImageList* il, int xoffset);
    BOOL AppendMenuA(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CBitmap* bmp);
    CVXMenu* AppendODPopupMenuW(const WCHAR* lpstrText);
    CVXMenu* AppendODPopupMenuA(LPCSTR lpstrText);
    BOOL InsertODMenuW(UINT nPosition, const WCHAR* lpstrText, UINT nFlags = MF_OWNERDRAW, UINT_PTR nID = 0,
                       int nIconNormal = -1);
    BOOL InsertODMenuW(UINT nPosition, const WCHAR* lpstrText, UINT nFlags, UINT_PTR nID, CImageList* il,
                       int xoffset);
    BOOL InsertODMenuA(UINT nPosition, LPCSTR lpstrText, UINT nFlags = MF_OWNERDRAW, UINT_PTR nID = 0,
                       int nIconNormal = -1);
    BOOL InsertODMenuA(UINT nPosition, LPCSTR lpstrText, UINT nFlags, UINT_PTR nID, CImageList* il, int xoffset);
    BOOL InsertMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem,
                     int nIconNormal = -1);
    BOOL InsertMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem, CImageList* il,
                     int xoffset);
    BOOL InsertMenuW(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const WCHAR* lpszNewItem, CBitmap* bmp);
    BOOL InsertMenuA(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr,
                     int nIconNormal = -1);
    BOOL InsertMenuA(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CImageList* il,
                     int xoffset);
    BOOL InsertMenuA(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CBitmap* bmp);

    // The same under the plain names, as an ANSI build calls them.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr, int nIconNormal = -1)
    {
        return AppendMenuA(nFlags, nIDNewItem, lpszNewItem, nIconNormal);
    }
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CImageList* il, int xoffset)
    {
        return AppendMenuA(nFlags, nIDNewItem, lpszNewItem, il, xoffset);
    }
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem, CBitmap* bmp)
    {
        return AppendMenuA(nFlags, nIDNewItem, lpszNewItem, bmp);
    }
    BOOL AppendODMenu(LPCSTR lpstrText, UINT nFlags = MF_OWNERDRAW, UINT_PTR nID = 0, int nIconNormal = -1)
    {
        return AppendODMenuA(lpstrText, nFlags, nID, nIconNormal);
    }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr,
                    int nIconNormal = -1)
    {
        return InsertMenuA(nPosition, nFlags, nIDNewItem, lpszNewItem, nIconNormal);
    }
    BOOL InsertODMenu(UINT nPosition, LPCSTR lpstrText, UINT nFlags = MF_OWNERDRAW, UINT_PTR nID = 0,
                      int nIconNormal = -1)
    {
        return InsertODMenuA(nPosition, lpstrText, nFlags, nID, nIconNormal);
    }
    CVXMenu* AppendODPopupMenu(LPCSTR lpstrText) { return AppendODPopupMenuA(lpstrText); }

    // Changing items.
    BOOL ModifyODMenuW(const WCHAR* lpstrText, UINT_PTR nID = 0, int nIconNormal = -1);
    BOOL ModifyODMenuW(const WCHAR* lpstrText, UINT_PTR nID, CImageList* il, int xoffset);
    BOOL ModifyODMenuW(const WCHAR* lpstrText, UINT_PTR nID, CBitmap* bmp);
    BOOL ModifyODMenuW(const WCHAR* lpstrText, UINT_PTR nID, COLORREF fill, COLORREF border, int hatchstyle = -1,
                       CSize* pSize = nullptr);
    BOOL ModifyODMenuW(const WCHAR* lpstrText, const WCHAR* OptionText, int nIconNormal);
    BOOL ModifyODMenuA(LPCSTR lpstrText, UINT_PTR nID = 0, int nIconNormal = -1);
    BOOL ModifyODMenuA(LPCSTR lpstrText, UINT_PTR nID, CImageList* il, int xoffset);
    BOOL ModifyODMenuA(LPCSTR lpstrText, UINT_PTR nID, CBitmap* bmp);
    BOOL ModifyODMenuA(LPCSTR lpstrText, LPCSTR OptionText, int nIconNormal);
    BOOL ModifyODMenu(LPCSTR lpstrText, UINT_PTR nID = 0, int nIconNormal = -1)
    {
        return ModifyODMenuA(lpstrText, nID, nIconNormal);
    }
    BOOL ModifyODMenu(LPCSTR lpstrText, UINT_PTR nID, CImageList* il, int xoffset)
    {
        return ModifyODMenuA(lpstrText, nID, il, xoffset);
    }

    // Removing items.
    BOOL RemoveMenu(UINT uiId, UINT nFlags);
    BOOL DeleteMenu(UINT uiId, UINT nFlags);
    // By text; a template, so that RemoveMenu(0, MF_BYPOSITION) still means a position.
    template <class Char, class = std::enable_if_t<std::is_same_v<Char, WCHAR>>>
    int RemoveMenu(const Char* pText, int separatorOption = 0)
    {
        return RemoveOrDeleteByText(pText, separatorOption, false);
    }
    template <class Char, class = std::enable_if_t<std::is_same_v<Char, WCHAR>>>
    int DeleteMenu(const Char* pText, int separatorOption = 0)
    {
        return RemoveOrDeleteByText(pText, separatorOption, true);
    }
    int RemoveMenuA(LPCSTR pText, int separatorOption = 0);
    int DeleteMenuA(LPCSTR pText, int separatorOption = 0);

    // Colours and images (shared by both looks).
    static COLORREF LightenColor(COLORREF col, double factor);
    static COLORREF DarkenColor(COLORREF col, double factor);
    static int NumBitmapColors(LPBITMAPINFOHEADER lpBitmap);
    static HBITMAP LoadSysColorBitmap(int nResourceId);
    int GlobalImageListOffset(int nID);
    BOOL CanDraw3DImageList(int offset);
    int AddToGlobalImageList(CImageList* il, int xoffset, int nID);
    BOOL AddBitmapToImageList(CImageList* bmplist, UINT nResourceID);
    BOOL ImageListDuplicate(CImageList* il, int xoffset, CImageList* newlist);
    BOOL GetBitmapFromImageList(CDC* pDC, CImageList* imglist, int nIndex, CBitmap& bmp);
    void GetFadedBitmap(CBitmap& bmp);
    void GetShadowBitmap(CBitmap& bmp);
    void GetDisabledBitmap(CBitmap& bmp, COLORREF background = 0);
    void GetTransparentBitmap(CBitmap& bmp);
    void DitherBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, HBITMAP hbm, int nXSrc, int nYSrc,
                   COLORREF bgcolor);
    void DitherBlt2(CDC* drawdc, int nXDest, int nYDest, int nWidth, int nHeight, CBitmap& bmp, int nXSrc, int nYSrc,
                    COLORREF bgcolor);
    void DitherBlt3(CDC* drawdc, int nXDest, int nYDest, int nWidth, int nHeight, CBitmap& bmp, COLORREF bgcolor);
    void ColorBitmap(CDC* pDC, CBitmap& bmp, CSize bitmap_size, CSize icon_size, COLORREF fill, COLORREF border,
                     int hatchstyle = -1);
    BOOL LoadFromToolBar(UINT nID, UINT nToolBar, int& xoffset);

    // Check primitives.
    static void DrawCheckMark(CDC* pDC, int x, int y, COLORREF color, BOOL narrowFlag = FALSE);
    static void DrawRadioDot(CDC* pDC, int x, int y, COLORREF color);
    BOOL Draw3DCheckmark(CDC* dc, const CRect& rc, BOOL bSelected, HBITMAP hbmCheck);
    BOOL DrawXPCheckmark(CDC* dc, const CRect& rc, HBITMAP hbmCheck, COLORREF& colorout, BOOL selected);

    // The two looks.
    void DrawItem_Win9xNT2000(LPDRAWITEMSTRUCT lpDIS);
    void DrawItem_WinXP(LPDRAWITEMSTRUCT lpDIS);

protected:
    // What one item shows, read from its record for either look.
    struct ItemView {
        const WCHAR* text = u"";
        CImageList* images = nullptr;
        int xoffset = -1;
        int nIconNormal = -1;
        int globalOffset = -1;
        BOOL checkMarkImage = FALSE;
        BOOL selectedImage = FALSE;
        BOOL disabledImage = FALSE;
        BOOL plainImage = FALSE;
        BOOL HasImageCell() const { return checkMarkImage || selectedImage || disabledImage || plainImage; }
    };
    void ReadItem(CVXMenuData* mdata, BOOL selected, BOOL disabled, BOOL checked, ItemView& view);
    HBITMAP CheckedStateBitmap(LPDRAWITEMSTRUCT lpDIS) const;

    CTypedPtrArray<CPtrArray, CVXMenuData*> m_MenuList;
    CTypedPtrArray<CPtrArray, HMENU> m_SubMenus;
    // Sub-menu objects this menu made (LoadMenu, AppendODPopupMenu) and deletes.
    CTypedPtrArray<CPtrArray, CVXMenu*> m_OwnedSubMenus;
    COLORREF m_bitmapBackground;
    BOOL m_bitmapBackgroundFlag;
    BOOL disable_old_style;
    CImageList* checkmaps;
    BOOL checkmapsshare;
    int m_selectcheck;
    int m_unselectcheck;
    BOOL m_loadmenu;

    // Records.
    CVXMenuData* NewODMenu(UINT pos, UINT_PTR nFlags, UINT_PTR nID, CString string);
    CVXMenuData* FindMenuList(UINT_PTR nID);
    void InitializeMenuList(int value);
    void DeleteMenuList();
    CVXMenu* FindMenuOption(UINT_PTR nId, int& nLoc);
    CVXMenu* FindAnotherMenuOption(UINT_PTR nId, int& nLoc, CArray<CVXMenu*, CVXMenu*>& bcsubs,
                                   CArray<int, int&>& bclocs);
    CVXMenuData* FindMenuOption(const WCHAR* lpstrText);
    CVXMenuData* FindMenuItem(UINT_PTR nId);
    CVXMenuData* OwnRecordOf(UINT_PTR nID);
    void SynchronizeMenu();
    void InsertSpaces();
    int GetMenuStart();
    void RemoveTopLevelOwnerDraw();
    void RemoveRecordAt(INT_PTR index);
    void ForgetSubMenu(HMENU handle);
    void RemoveSubMenuItems(CVXMenu* sub);
    BOOL RemoveOrDelete(UINT uiId, UINT nFlags, bool destroy);
    int RemoveOrDeleteByText(const WCHAR* pText, int separatorOption, bool destroy);
    BOOL IsOwnedSubMenu(HMENU handle) const;
    CVXMenu* NewSubMenu();
    int ImageForCommand(UINT_PTR nID, int nIconNormal);
    CVXMenuData* AddItemRecord(UINT& nFlags, UINT_PTR nID, const WCHAR* lpstrText);
    CVXMenuData* InsertItemRecord(UINT nPosition, UINT& nFlags, UINT_PTR nID, const WCHAR* lpstrText);
    BOOL SetItemImageFromList(CVXMenuData* mdata, UINT_PTR nID, CImageList* il, int xoffset);
    void LoadRecordBitmap(CVXMenuData* mdata, int nIconNormal);
    BOOL ModifyCommandItems(const WCHAR* lpstrText, UINT_PTR nID,
                            const std::function<void(CVXMenuData*)>& image);
    BOOL BitmapIntoList(CBitmap* bmp, CImageList& list);
    COLORREF TransparentColor() const;
    void AddVariants(CImageList* list, int index);
    // A bitmap resource into a list, without the XP variants.
    BOOL AddBitmapResource(CImageList* bmplist, UINT nResourceID);
    BOOL IsCheckMarkImage(CVXMenuData* mdata, UINT state) const;
};
