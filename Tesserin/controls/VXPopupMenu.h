// CVXPopupMenu: a popup menu whose items can be turned owner-drawn, with small
// images from toolbar resources, a bold default item, flat titles for nested
// menus and embossed disabled text. The window that tracks it forwards
// WM_MEASUREITEM and WM_DRAWITEM to MeasureItem and DrawItem.
#pragma once

#include "mfc.h"

#include <memory>
#include <vector>

class AFX_EXT_CLASS CVXPopupMenu : public CMenu {
public:
    // Command codes of items that are not commands.
    enum { kNestedEntry = -2, kSeparator = -3, kTitle = -4 };
    enum { kMaxText = 127 };

    struct ImageItem {
        int iImageIdx;
        int iCmd;
    };
    struct SpawnItem {
        int iImageIdx;  // -1 none; negative command codes are copied here
        int iCmd;
        char cText[kMaxText + 1];
    };

    CVXPopupMenu();
    ~CVXPopupMenu() override;
    CVXPopupMenu(const CVXPopupMenu&) = delete;
    CVXPopupMenu& operator=(const CVXPopupMenu&) = delete;

    bool LoadToolBarResource(UINT id);
    bool AddToolBarResource(UINT id);
    void AddImageItem(int image, WORD command);
    int FindImageItem(int command) const;
    SpawnItem* AddSpawnItem(const char* text, int command);
    void RemapMenu(CMenu* menu);
    void EnableMenuItems(CMenu* menu, CWnd* target);
    bool CreateBoldFont();
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

    // A font of the caller's for the items (null: the menu font); not owned.
    void SetCustomFont(HFONT font);
    CSize GetImageSize() const { return m_imageSize; }
    const std::vector<ImageItem>& ImageItems() const { return m_images; }
    size_t SpawnCount() const { return m_spawn.size(); }
    const SpawnItem* Spawn(size_t index) const { return index < m_spawn.size() ? m_spawn[index].get() : nullptr; }

    CImageList m_images_list;  // item images
    CImageList m_checks;       // image 0: the check mark

private:
    std::vector<ImageItem> m_images;
    std::vector<std::unique_ptr<SpawnItem>> m_spawn;
    CSize m_imageSize;
    HFONT m_menuFont = nullptr;
    HFONT m_customFont = nullptr;
    HFONT m_boldFont = nullptr;
    COLORREF m_menuText, m_highlightText, m_imageBack, m_menuBack, m_highlight, m_hilight3d, m_shadow3d, m_grayText;

    SpawnItem* Owned(ULONG_PTR data) const;
    HFONT ItemFont() const;
    bool AddToolBar(UINT id, bool fresh);
    void MakeCheckImage();
    void DrawSeparator(CDC* dc, const CRect& rect);
    void DrawTitle(CDC* dc, const CRect& rect, const SpawnItem& item, bool selected, bool grayed);
    void DrawCommand(CDC* dc, const CRect& rect, const SpawnItem& item, UINT state);
    void DrawItemText(CDC* dc, const CRect& rect, const char* text, bool selected, bool grayed);
};
