// CFlatHeaderCtrl: a flat-drawn column header with a sort arrow, per-item
// extended settings (content width, limits, fixed width, no removal, tool tip),
// automatic sizing to the parent's width and a reported drop result for column
// drags. The platform header underneath does the tracking and the reordering.
#pragma once

#include "grid/FlatHeaderDragWnd.h"
#include "grid/FlatHeaderDropWnd.h"
#include "mfc.h"

#include <vector>

#define HDF_EX_AUTOWIDTH 0x0001
#define HDF_EX_INCLUDESORT 0x0002
#define HDF_EX_FIXEDWIDTH 0x0004
#define HDF_EX_NOREMOVE 0x0010
#define HDF_EX_TOOLTIP 0x0080

// Header properties of ModifyProperty.
#define FH_PROPERTY_SPACING 1
#define FH_PROPERTY_ARROW 2
#define FH_PROPERTY_STATICBORDER 3
#define FH_PROPERTY_DONTDROPCURSOR 4
#define FH_PROPERTY_DROPTARGET 5
#define FH_PROPERTY_ENABLETOOLTIPS 6
#define FH_PROPERTY_AUTOSIZE 7

struct _HDITEMEX {
    UINT nStyle = 0;
    int iMinWidth = 0;
    int iMaxWidth = 0;
    CString strToolTip;
};

class AFX_EXT_CLASS CFlatHeaderCtrl : public CHeaderCtrl {
public:
    CFlatHeaderCtrl();
    ~CFlatHeaderCtrl() override;

    BOOL ModifyProperty(WPARAM property, LPARAM value);
    BOOL GetItemEx(int index, _HDITEMEX* item) const;
    BOOL SetItemEx(int index, const _HDITEMEX* item);
    UINT GetItemExStyle(int index) const;
    BOOL SetItemExStyle(int index, UINT style);
    void SetSortColumn(int column, BOOL ascending);
    int GetSortColumn(BOOL* ascending = nullptr) const;
    void SetHeight(int height) { m_iHeight = height; }
    int GetHeight() const;
    int GetItemWidth(int index, BOOL withArrow) const;
    void AutoSizeItems() { AutoSize(-1); }
    BOOL IsAutoSizing() const { return m_bAutoSizing; }
    int GetDropResult() const { return m_iDropResult; }
    int GetSpacing() const { return m_iSpacing; }

    virtual void DrawItem(CDC* dc, CRect rect, HDITEM& item, BOOL sortColumn, BOOL ascending);
    void DrawItem(LPDRAWITEMSTRUCT) override {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The grid parent's header menu; a header under another parent shows none.
    virtual void ShowParentMenu(CPoint screenPoint);

    std::vector<_HDITEMEX> m_arrayEx;
    int m_iSpacing = 6;
    CSize m_sizeArrow{8, 8};
    BOOL m_bStaticBorder = FALSE;
    UINT m_nDontDropCursor = 0;
    HWND m_hDropTarget = nullptr;
    BOOL m_bToolTips = FALSE;
    BOOL m_bAutoSize = FALSE;
    int m_iSortColumn = -1;
    BOOL m_bSortAscending = FALSE;
    int m_iHeight = -1;
    BOOL m_bDoubleBuffer = TRUE;
    CSize m_sizeImage{0, 0};
    COLORREF m_cr3DHighLight, m_cr3DShadow, m_cr3DFace, m_crText;
    CFont m_font;

    // Tracking.
    int m_iPressed = -1;
    CPoint m_ptPress{0, 0};
    BOOL m_bDividerDrag = FALSE;
    int m_iTrackLeft = 0, m_iTrackMin = 0, m_iTrackMax = 0, m_iTrackOffset = 0;
    BOOL m_bColumnDrag = FALSE;
    int m_iDropResult = -1;
    BOOL m_bAutoSizing = FALSE;
    CFlatHeaderDragWnd m_wndDrag;
    CFlatHeaderDropWnd m_wndDrop;

    void ReadColours();
    void AutoSize(int pivot);
    void CorrectRemainder(std::vector<int>& widths, const std::vector<int>& mins, const std::vector<int>& maxs,
                          int target);
    void ApplyWidth(int index, int width);
    int LimitOf(int max) const { return max > 0 ? max : 16384; }

    LRESULT OnInsertItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonUp(WPARAM wParam, LPARAM lParam);
    BOOL OnSetCursorAt(CPoint point);
    int DropResultAt(CPoint point) const;
    int HotDividerAt(CPoint point);
    void ShowDragPictures(CPoint point);
    void ShowDropAt(int divider);
    LRESULT OnSetHotDivider(WPARAM byPoint, LPARAM value);
    void EndDragPictures();
    int FixedDividerAt(CPoint point, HDHITTESTINFO& hit);

    void Paint();
    void PaintItems(CDC* dc, const CRect& clip);
    int DrawArrow(CDC* dc, const CRect& rect, BOOL ascending, BOOL rightAligned);
    int DrawImagePart(CDC* dc, CRect rect, int image);
};
