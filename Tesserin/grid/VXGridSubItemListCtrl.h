// CVXGridSubItemListCtrl: the column chooser. A drag list box of the linked
// grid's defined but hidden columns; an entry dragged onto the grid's header
// is shown as a column where it is dropped. Entries are owner-drawn: create the
// box with LBS_OWNERDRAWFIXED and LBS_HASSTRINGS.
#pragma once

#include "mfc.h"

#include <memory>

class CVXGridCtrl;
class CFlatHeaderDragWnd;

// Chooser style: entries framed in the grid's colours instead of button faces.
#define VXSLS_GRIDCOLORS 0x20000

class AFX_EXT_CLASS CVXGridSubItemListCtrl : public CDragListBox {
    DECLARE_DYNAMIC(CVXGridSubItemListCtrl)
public:
    CVXGridSubItemListCtrl();
    ~CVXGridSubItemListCtrl() override;

    BOOL SetVXGridCtrl(CVXGridCtrl* grid);
    CVXGridCtrl* GetVXGridCtrl() const { return m_pGrid; }
    BOOL UpdateList();

    BOOL BeginDrag(CPoint pt) override;
    UINT Dragging(CPoint pt) override;
    void CancelDrag(CPoint pt) override;
    void Dropped(int nSrcIndex, CPoint pt) override;
    void DrawItem(LPDRAWITEMSTRUCT draw) override;
    // Whether a sub-item is listed, and whether its entry cannot be dragged.
    virtual BOOL Include(int subItem);
    virtual BOOL Disable(int subItem);

    // The header item record the drag picture shows while a drag is under way.
    const HDITEM& GetDragItemRecord() const { return m_hdiDrag; }
    int GetDraggedSubItem() const { return m_iSubItem; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg HBRUSH CtlColor(CDC* dc, UINT controlType);
    DECLARE_MESSAGE_MAP()
    CString TitleOf(int subItem) const;
    void EndDragPicture();
    void MakeEntriesTaller();

    CVXGridCtrl* m_pGrid = nullptr;
    int m_iSubItem = -1;
    HDITEM m_hdiDrag = {};
    char m_szDragText[80] = "";
    std::unique_ptr<CFlatHeaderDragWnd> m_pDragWnd;
    CRect m_rectList{0, 0, 0, 0};
    CRect m_rectHeader{0, 0, 0, 0};
    int m_iDropColumn = -1;
    BOOL m_bTaller = FALSE;
};
