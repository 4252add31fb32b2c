// CVXGridCtrl: the report and tree grid. Rows are packed strings of cells
// (GridRowString); columns are definitions shown through a flat header; in tree
// mode nodes decide which rows are visible. The class is split by concern over
// VXGridModel, VXGridItems, VXGridColumns, VXGridTree, VXGridSort, VXGridWindow,
// VXGridPaint, VXGridInput and VXGridExport.
#pragma once

#include "grid/GridRowString.h"
#include "grid/GridTypes.h"
#include "grid/VXGridHeaderCtrl.h"
#include "grid/VXGridTipCtrl.h"

#include <vector>

class CVXGridSubItemListCtrl;
class CVXEdit;

// Grid properties of ModifyProperty.
#define RVP_SPACING 1
#define RVP_CHECK 2
#define RVP_NOITEMTEXT 3
#define RVP_GRIDSTYLE 4
#define RVP_SORTTOOLTIP 5
#define RVP_NOTIFYMASK 6
#define RVP_ENABLEITEMCACHE 7
#define RVP_SEPARATOR 8
#define RVP_ENABLEPREVIEW 9
#define RVP_ENABLEHSCROLL 10
#define RVP_CHECKSTYLE 11
#define RVP_BLENDMODE 12
#define RVP_BLENDCOLOR 13
#define RVP_COPYSEPARATOR 14
#define RVP_TREEINDENT 15

#define RVC_COLORS 12

class AFX_EXT_CLASS CVXGridCtrl : public CWnd {
public:
    CVXGridCtrl();
    ~CVXGridCtrl() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Virtual operations, in their table order.
    virtual BOOL Create();
    virtual CString GetItemString(int item, char separator);
    virtual void DrawItem(CDC* dc, CRect rect, LPRVITEM item);
    virtual BOOL DrawBkgnd(CDC* dc, CRect rect, COLORREF colour);
    virtual int CompareItems(int item1, int subItem1, int item2, int subItem2);
    virtual int CompareItems(LPRVITEM item1, LPRVITEM item2);
    virtual BOOL BeginEdit(int row, int column, UINT key);
    virtual void EndEdit(BOOL apply = TRUE, _NMRVITEMEDIT* record = nullptr);
    virtual LRESULT Notify(_NMREPORTVIEW* record);
    virtual void GetSysColors();
    virtual UINT GetMouseScrollLines();
    virtual structITEM* CacheLookup(int item);
    virtual structITEM* CacheAdd(int item);
    virtual void CacheDelete(int item);
    virtual structITEM& GetItemStruct(int item, int subItem, UINT mask = 0);
    virtual void SetItemStruct(int item, structITEM& record);
    virtual int LoadItemData(structITEM* record, int item, int subItem, UINT mask);
    virtual void GetExpandedItemText(LPRVITEM item);
    virtual void SelectRows(int focusRow, int otherRow, BOOL select, BOOL keepOthers = FALSE, BOOL toggle = FALSE,
                            BOOL notify = TRUE);
    virtual void DrawCtrl(CDC* dc);
    virtual void DrawRow(CDC* dc, CRect rect, CRect clip, int row, LPRVITEM item, BOOL odd);
    virtual int DrawTreeBox(CDC* dc, CRect rect, BOOL expanded);
    virtual int DrawImage(CDC* dc, CRect rect, LPRVITEM item);
    virtual int DrawCheck(CDC* dc, CRect rect, LPRVITEM item);
    virtual int DrawText(CDC* dc, CRect rect, LPRVITEM item);
    virtual void QuickSort(int subItem, int low, int high, BOOL ascending);
    virtual void TreeSort(int subItem, _TREEITEM* node, BOOL ascending, BOOL recursive);

    // Model.
    void FlushCache(int item);
    void SetItemCount(int count);
    int GetItemCount() const;
    int GetItemFromRow(int row);
    int GetRowFromItem(int item);
    int GetItemRow(int item) { return GetRowFromItem(item); }
    const std::vector<int>& GetItemRowArray() const { return m_arrayRows; }
    BOOL SetItemRowArray(const std::vector<int>& rows);
    int GetActiveSubItemCount() const { return (int)m_arrayColumns.size(); }
    int GetSubItemCount() const { return (int)m_arraySubItems.size(); }
    CImageList* GetImageList() const { return m_pImageList; }
    BOOL SetImageList(CImageList* images, CImageList* checks = nullptr);
    int InsertColor(int index, COLORREF colour);
    BOOL SetColor(int index, COLORREF colour);
    COLORREF GetColor(int index) const;
    BOOL DeleteColor(int index);
    void DeleteAllColors();
    CPalette* GetPalette() { return m_palette.GetSafeHandle() ? &m_palette : nullptr; }

    // Cells and rows.
    BOOL GetItem(LPRVITEM item);
    BOOL SetItem(LPRVITEM item);
    int GetItemText(int item, int subItem, LPSTR text, int size);
    CString GetItemText(int item, int subItem);
    double GetItemValue(int item, int subItem);
    int GetItemImage(int item, int subItem);
    int GetItemCheck(int item, int subItem);
    DWORD_PTR GetItemData(int item);
    BOOL SetItemText(int item, int subItem, LPCSTR text, int colour = -1);
    BOOL SetItemTextColor(int item, int subItem, int colour);
    BOOL SetItemValue(int item, int subItem, double value, int decimals = 0, int colour = -1);
    BOOL SetItemValue(int item, int subItem, LPCSTR text, int decimals = 0, int colour = -1);
    // The edit field's number with its count of decimals.
    BOOL SetItemValueFromVXEdit(int item, int subItem, CVXEdit* edit, int colour = -1);
    BOOL SetItemImage(int item, int subItem, int image);
    BOOL SetItemCheck(int item, int subItem, int check);
    BOOL SetItemData(int item, DWORD_PTR data);
    _TREEITEM* GetItemHandle(int item);
    int InsertItem(LPRVITEM item);
    int InsertItem(int item, LPCSTR text, int image = -1, int check = -1, int colour = -1);
    int AddItem(LPCSTR text, int image = -1, int check = -1, int colour = -1);
    int AddItem(LPRVITEM item = nullptr);
    int DeleteItem(int item);
    BOOL DeleteAllItems();
    int FindItem(const _RVFINDINFO* info, int subItem = 0, int start = -1);
    BOOL MoveUp(int row);
    BOOL MoveDown(int row);

    // Columns.
    int DefineSubItem(int index, const _RVSUBITEM* definition, BOOL updateList = TRUE);
    BOOL RedefineSubItem(int index, const _RVSUBITEM* definition, BOOL updateList = TRUE);
    BOOL UndefineSubItem(int index);
    void UndefineAllSubItems();
    int ActivateSubItem(int subItem, int column = 0);
    BOOL DeactivateSubItem(int subItem);
    BOOL DeactivateAllSubItems();
    BOOL IsActiveSubItem(int subItem);
    int GetSubItemWidth(int subItem);
    BOOL SetSubItemWidth(int subItem, int width);
    int GetSubItemFromColumn(int column);
    int GetColumnFromSubItem(int subItem);
    BOOL GetSubItemDefinition(int subItem, structSUBITEM& out) const;
    // The definition itself, or none outside the defined columns (no copy: painting reads it per cell).
    const structSUBITEM* SubItemAt(int subItem) const
    {
        return subItem >= 0 && subItem < (int)m_arraySubItems.size() ? &m_arraySubItems[(size_t)subItem] : nullptr;
    }
    BOOL SetVXGridSubItemListCtrl(CVXGridSubItemListCtrl* list);
    CVXGridSubItemListCtrl* GetVXGridSubItemListCtrl() const { return m_pSubItemListCtrl; }

    // Tree.
    _TREEITEM* InsertItem(LPRVITEM item, _TREEITEM* parent, _TREEITEM* after = RVTI_LAST, int treeSubItem = -1);
    _TREEITEM* InsertItem(LPCSTR text, int image, int check, int colour, _TREEITEM* parent,
                          _TREEITEM* after = RVTI_LAST, int treeSubItem = -1);
    BOOL DeleteItem(_TREEITEM* node);
    BOOL Expand(_TREEITEM* node, int code);
    BOOL ExpandAll(_TREEITEM* node, int code, int depthLimit = -1);
    _TREEITEM* GetNextItem(_TREEITEM* node, int code);
    int GetItemCount(_TREEITEM* node, BOOL recursive);
    BOOL HasChildren(_TREEITEM* node);
    BOOL IsChild(_TREEITEM* parent, _TREEITEM* node);
    BOOL IsDescendent(_TREEITEM* ancestor, _TREEITEM* node);
    int GetItemIndex(_TREEITEM* node);
    void SetTreeSubItem(_TREEITEM* node, int subItem);
    _TREEITEM* SearchTreeItemByData(_TREEITEM* start, DWORD_PTR data);
    _TREEITEM* SearchTreeItemByTitle(_TREEITEM* start, LPCSTR title);
    _TREEITEM* GetTreeFocus();
    void SetTreeFocus(_TREEITEM* node);
    _TREEITEM* GetVisibleAncestor(_TREEITEM* node);

    // Sorting.
    BOOL SetSortCallback(PFNRVCOMPARE callback, LPARAM value);
    PFNRVCOMPARE GetSortCallback() const { return m_pfnCompare; }
    BOOL SortItems(int subItem, BOOL ascending);
    BOOL ResortItems();
    int GetSortSettings(int* subItem, BOOL* ascending);

    // Window.
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyProperty(WPARAM property, LPARAM value);
    void SetItemHeight(int height);
    int GetItemHeight() const { return m_iItemHeight; }
    void SetHeaderHeight(int height);
    CVXGridTipCtrl* GetTipCtrl() { return m_wndTip.m_hWnd ? &m_wndTip : nullptr; }
    CVXGridHeaderCtrl* GetHeaderCtrl() { return m_wndHeader.m_hWnd ? &m_wndHeader : nullptr; }
    void SetRedraw(BOOL redraw = TRUE);
    BOOL SetBkImage(LPCSTR name);
    BOOL SetBkImage(UINT resourceId);
    // A bitmap the caller made; the grid keeps it and deletes it.
    BOOL SetBkImage(HBITMAP bitmap);
    void SetBkColor(COLORREF colour) { m_crColors[0] = colour; }
    // The grid lines' colour; like SetBkColor it leaves repainting to the caller.
    void SetGridColor(COLORREF colour) { m_crColors[6] = colour; }
    COLORREF GetGridColor(int index) const { return m_crColors[index]; }
    int GetTopIndex();
    void PageUp();
    void PageDown();
    int GetScrollPos32(int bar, BOOL tracking = FALSE);
    BOOL SetScrollPos32(int bar, int position, BOOL redraw = TRUE);
    int PreviewHeight(CFont* font, UINT lines);
    int PreviewHeight(CFont* font, LPCSTR text, LPRECT rect = nullptr, BOOL wordBreak = TRUE);
    int GetVisibleCount(BOOL wholeOnly = TRUE);
    BOOL EnsureVisible(int item, BOOL wholeOnly = TRUE);
    BOOL EnsureVisible(_TREEITEM* node, BOOL wholeOnly = TRUE);
    BOOL IsItemVisible(int item, BOOL wholeOnly = TRUE);
    BOOL GetRowRect(int row, int column, LPRECT rect, UINT kind = 0);
    BOOL GetItemRect(int item, int subItem, LPRECT rect, UINT kind = 0);
    void RedrawRows(int first, int last = -1, BOOL now = FALSE);
    void RedrawItems(int first, int last = -1);
    void SetIndentFirstColumn(int pixels);
    BOOL HasFocus() const { return m_bFocus; }
    int GetCurrentFocus(int* column = nullptr);
    BOOL MeasureItem(int item, int subItem, LPRECT rect, BOOL noDecoration = FALSE);
    BOOL EditCurrentCell() { return BeginEdit(m_iFocusRow, m_iFocusColumn, 1); }
    HWND GetEditWindow() const { return m_hEditWnd; }
    void SetAllCellEditMode(BOOL on) { m_bAllCellEdit = on; }
    BOOL GetAllCellEditMode() const { return m_bAllCellEdit; }
    LRESULT Notify(UINT code, int item, int subItem = -1, UINT state = 0, LPARAM lParam = 0);
    LRESULT Notify(UINT code, UINT keys, const _RVHITTESTINFO* hit);
    LRESULT NotifyHdr(_NMRVHEADER* record, UINT code, int headerItem);

    // Input and selection.
    int HitTest(_RVHITTESTINFO* hit);
    BOOL AdjustFocus(int row, int column);
    void SetSelection(int item, BOOL keep = FALSE);
    void SetSelection(const int* items, int count, BOOL keep = FALSE);
    void SetSelection(_TREEITEM* node, BOOL keep = FALSE);
    void SetSelection(int subItem, LPCSTR pattern, BOOL keep);
    void SetSelectionLessEq(int subItem, LONG_PTR value, BOOL keep = FALSE);
    void ClearSelection();
    void SelectAll();
    void InvertSelection();
    int GetFirstSelectedItem();
    int GetNextSelectedItem(int item);
    int GetSelectedItems(int* items, int size);
    void SelectionToSortedArray(std::vector<int>& rows);
    void ShowHeaderPopupMenu(CPoint screenPoint);

    // Profile, export and transfer.
    BOOL WriteVXProfile(LPCSTR section, LPCSTR entry);
    BOOL GetVXProfile(LPCSTR section, LPCSTR entry);
    BOOL WriteProfile(LPCSTR section, LPCSTR entry);
    BOOL GetProfile(LPCSTR section, LPCSTR entry);
    CString GridProfileString();
    BOOL ApplyProfileString(const CString& layout);
    void SetRunDirectory(LPCSTR folder) { m_strRunDirectory = folder; }
    void SetRunFile(LPCSTR name) { m_strRunFile = name; }
    CString ExportTo(BOOL spreadsheet);
    void OnVxgridExcel();
    void OnVxgridText();
    void Copy();
    void SaveToLocalDB(LPCSTR dataSource, LPCSTR reportId);
    int MakeHierarchyGridFromTable(LPCSTR dataSource, LPCSTR user, LPCSTR password, LPCSTR table, LPCSTR keyColumn,
                                   LPCSTR textColumn, LPCSTR parentColumn, LPCSTR extraColumn, LPCSTR filter,
                                   LPCSTR tail, int topImage, int childImage);

    // Process-wide settings.
    static char GetSeparator() { return s_cSeparator; }
    static char GetCopySeparator() { return s_cCopySeparator; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Model state.
    DWORD m_nGridStyle = 0;
    int m_iDefaultWidth = 200;
    int m_iItemHeight = 10;
    int m_iVirtualWidth = 0;
    int m_iVirtualHeight = 0;
    std::vector<structSUBITEM> m_arraySubItems;
    std::vector<structITEM> m_arrayItems;
    structTREEITEM m_itemRoot;
    BOOL m_bFixedCached = FALSE;
    structITEM m_itemFixed;
    BOOL m_bCacheOn = TRUE;
    struct CacheSlot {
        int iItem = -2;
        structITEM item;
    };
    CacheSlot m_cache[128];
    std::vector<int> m_listSelection;
    std::vector<int> m_arrayColumns;
    std::vector<int> m_arrayRows;
    BOOL m_bRowMapDirty = TRUE;
    std::vector<int> m_rowOfItem;
    std::vector<COLORREF> m_arrayColors;
    CPalette m_palette;
    CVXGridSubItemListCtrl* m_pSubItemListCtrl = nullptr;
    CString m_strRunDirectory = ".";
    CString m_strRunFile = "Temp";
    PFNRVCOMPARE m_pfnCompare = nullptr;
    LPARAM m_lParamCompare = 0;
    CString m_strEmptyField;

    // Window state.
    BOOL m_bCreated = FALSE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bRedraw = TRUE;
    int m_iSpacing = 2;
    UINT m_nWheelLines = 3;
    BOOL m_bPreview = TRUE;
    BOOL m_bHScroll = TRUE;
    CFont m_fontNormal, m_fontBold;
    CImageList* m_pImageList = nullptr;
    CImageList* m_pCheckList = nullptr;
    CSize m_sizeImage{0, 0};
    CSize m_sizeCheck{8, 8};
    COLORREF m_crColors[RVC_COLORS] = {};
    int m_iGridPen = 2;
    int m_iCheckStyle = 0;
    int m_iBlendMode = 0;
    COLORREF m_crBlend = 0xFFFFFF;
    CString m_strNoItems;
    CString m_strSortTip = "Sort by: %s";
    CRect m_rectHeader, m_rectFixed, m_rectRows, m_rectClient;
    BOOL m_bFocus = FALSE;
    int m_iFocusRow = -1;
    int m_iFocusColumn = -1;
    int m_iAnchorRow = 0;
    BOOL m_bTyping = FALSE;
    BOOL m_bAllCellEdit = FALSE;
    int m_iIndentFirst = 0;
    BOOL m_bIndentApplied = FALSE;
    int m_iEditItem = -2;
    int m_iEditSubItem = -1;
    HWND m_hEditWnd = nullptr;
    BOOL m_bColumnsReordered = FALSE;
    CVXGridHeaderCtrl m_wndHeader;
    CVXGridTipCtrl m_wndTip;
    CBitmap m_bmpBack;
    CSize m_sizeBack{0, 0};
    DWORD m_nNotifyMask = 0xFFFFFFFF;
    int m_iScrollX = 0;
    int m_iScrollY = 0;

    static char s_cSeparator;
    static char s_cCopySeparator;
    static CString s_strTreeIndent;
    static void RegisterGridClass();

    // Model helpers.
    BOOL IsOwnerData() const { return (m_nGridStyle & RVS_OWNERDATA) != 0; }
    BOOL IsTree() const { return (m_nGridStyle & RVS_TREEANY) != 0; }
    BOOL IsTreeModel() const { return (m_nGridStyle & RVS_TREEMODEL) != 0; }
    int ReadCell(const structITEM& record, int subItem, GridCellFields& cell, char* text, int size) const;
    void ClampScrollY();
    BOOL RebuildPalette();
    void RewriteSeparators(char from, char to);

    // Item helpers.
    int InsertItemImpl(LPRVITEM item);
    void DeleteItemImpl(int item);
    void ShiftItemIndices(int from, int delta);
    BOOL CellMatches(const _RVFINDINFO* info, int item, int subItem);
    void RemoveSelected(int item);

    // Column helpers.
    void ReorderColumns();
    void RemoveIndent();
    void ApplyIndent();
    void ApplyLimitsToHeader(int subItem);
    int HeaderIndexOfSubItem(int subItem);
    void RefreshChooser();

    // Tree helpers.
    static structTREEITEM* ToNode(_TREEITEM* handle);
    static _TREEITEM* ToHandle(structTREEITEM* node);
    structTREEITEM* ResolveParent(_TREEITEM* handle);
    void LinkNode(structTREEITEM* parent, structTREEITEM* node, _TREEITEM* after, int subItem, BOOL ascending);
    void LinkSorted(structTREEITEM* parent, structTREEITEM* node, int subItem, BOOL ascending);
    void RebuildVisibleRows();
    void AppendVisible(structTREEITEM* node);
    void DeleteNode(structTREEITEM* node);
    void FreeNodes(structTREEITEM* node);
    void DeselectDescendants(structTREEITEM* node);
    BOOL ExpandWalk(structTREEITEM* node, int code, int depth, int limit);
    structTREEITEM* SearchByData(structTREEITEM* start, DWORD_PTR data);
    structTREEITEM* SearchByTitle(structTREEITEM* start, LPCSTR title);
    int CountNodes(structTREEITEM* node, BOOL recursive);
    void TreeSortNode(structTREEITEM* node, int subItem, BOOL ascending, BOOL recursive);

    // Window helpers.
    void HideTip();
    void Layout(int cx, int cy);
    void ScrollWindow(int bar, int position);
    // TRUE when the whole rows area must be repainted instead.
    BOOL ShiftRows(int from, int to);
    void RedrawScrollBar(int bar);
    int GetVisibleRows(BOOL wholeOnly, int* first, int* last, BOOL backwards = FALSE);
    int RowExtent(int row);
    void OnSetFontImpl(HFONT font, BOOL redraw);
    void OnVScrollImpl(UINT code, int position);
    void OnHScrollImpl(UINT code, int position);
    void OnMouseWheelImpl(short delta);
    int ReadWheelLines();
    LRESULT OnHeaderNotify(NMHDR* header);

    // Painting helpers.
    void OnPaintImpl();
    void DrawFixedRow(CDC* dc, const CRect& clip, COLORREF background);
    void DrawEmptyText(CDC* dc);
    void DrawGridLines(CDC* dc, const CRect& clip, int lastBottom, BOOL allRows);
    void DrawFocusRect(CDC* dc, CRect rect, COLORREF background);
    void ReadDrawRecord(int item, int subItem, _RVITEM& record, char* buffer, int size);
    void DrawRedCross(CDC* dc, CRect rect, BOOL radio);

    // Editing helpers.
    LRESULT OnEditorEnd(_NMRVITEMEDIT* record);
    void OnCharImpl(UINT character);
    BOOL HandleCellKey(UINT key);
    BOOL TextPartRect(int row, int column, const _RVITEM& cell, CRect& rect);
    static CString NumberEditText(const char* text);

    // Input helpers.
    void OnLButtonDownImpl(UINT flags, CPoint point, BOOL doubleClick);
    void OnRButtonDownImpl(UINT flags, CPoint point);
    void OnMouseMoveImpl(UINT flags, CPoint point);
    void OnKeyDownImpl(UINT key, UINT flags);
    void KeyVertical(int step);
    void KeyHorizontal(int step);
    void KeyPage(BOOL down);
    void KeyHomeEnd(BOOL end);
    void ChangeRowState(int row, BOOL select, BOOL toggle, BOOL notify);
    void InvalidateRow(int row);
    int ColumnLeft(int column);
    int ColumnWidth(int column);
    void ToggleNodeFromInput(const _RVHITTESTINFO& hit);
    BOOL IsFocusable(int column);
};
