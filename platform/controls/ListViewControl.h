// The "SysListView32" control in report mode: rows with sub-item texts, a
// header of columns, selection and focus, check boxes, label editing, custom
// draw and scrolling. The window procedure and its messages are in ListView.cpp.
#pragma once

#include "controls/ControlsInternal.h"
#include "controls/LabelEditor.h"
#include "win32/commctrl.h"

#include <string>
#include <vector>

namespace mivo {

struct ListRow {
    std::vector<std::string> texts;  // by sub-item number
    std::vector<bool> callback;      // LPSTR_TEXTCALLBACK per sub-item
    int image = 0;
    UINT state = 0;
    LPARAM data = 0;
    int indent = 0;
};

struct ListColumn {
    int fmt = LVCFMT_LEFT;
    int subItem = 0;
    int image = -1;
};

class ListViewControl {
public:
    static const int kMaxItems = 1 << 24;
    static const int kMaxColumns = 1024;
    static const int kCheckWidth = 16;
    static const int kLabelMargin = 2;
    static const int kCellMargin = 6;
    static const UINT kEditTimer = 0x4C56;  // a click on the focused label starts editing after a pause
    static const UINT kStateMaskAll = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED |
                                      LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;

    explicit ListViewControl(HWND hwnd) : hwnd_(hwnd) {}

    HWND Handle() const { return hwnd_; }
    HWND Header() const { return header_; }
    DWORD Style() const { return (DWORD)GetWindowLong(hwnd_, GWL_STYLE); }
    DWORD ExStyle() const { return exStyle_; }
    int Count() const { return (int)rows_.size(); }
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    bool Checkboxes() const { return (exStyle_ & LVS_EX_CHECKBOXES) != 0; }

    void Create();
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    // Items
    int InsertItem(const LVITEMA& item);
    bool DeleteItem(int index);
    bool DeleteAll();
    bool SetItem(const LVITEMA& item);
    bool GetItem(LVITEMA& item) const;
    bool SetState(int index, UINT state, UINT mask);
    int GetNextItem(int start, UINT flags) const;
    int FindItem(int start, const LVFINDINFOA& find) const;
    bool SortItems(PFNLVCOMPARE compare, LPARAM param);
    void SetExStyle(DWORD mask, DWORD style);
    std::string Text(int index, int subItem) const;
    const std::string& CellText(int index, int subItem);
    void CopyText(const std::string& text, LPSTR out, int max) const;
    void StoreText(ListRow& row, int subItem, LPCSTR text);
    bool ChangeState(int index, UINT state, UINT mask);
    void SelectOnly(int index);

    // Columns
    int InsertColumn(int index, const LVCOLUMNA& col);
    bool DeleteColumn(int index);
    bool SetColumn(int index, const LVCOLUMNA& col);
    bool GetColumn(int index, LVCOLUMNA& col) const;
    int ColumnWidth(int index) const;
    bool SetColumnWidth(int index, int width);
    int ColumnCount() const { return (int)columns_.size(); }
    RECT ColumnRect(int index) const;

    // Geometry
    void Layout();
    int RowHeight() const { return rowHeight_; }
    int HeaderHeight() const;
    int PerPage() const;
    int TotalWidth() const;
    RECT RowRect(int index) const;
    bool ItemRect(int index, int code, RECT& rc) const;
    bool SubItemRect(int index, int subItem, int code, RECT& rc) const;
    int HitTest(LVHITTESTINFO& info, bool subItems) const;
    bool EnsureVisible(int index, bool partialOk);
    void ScrollTo(int top, int x);
    void UpdateScrollBars();
    void Scroll(int bar, WPARAM wParam);
    void InvalidateRow(int index);

    // Painting
    void Paint(HDC hdc, const RECT& dirty);
    void PaintRow(HDC hdc, int index, NMLVCUSTOMDRAW& cd, LRESULT prepaint);
    void DrawCell(HDC hdc, int index, int column, const RECT& rc, COLORREF text, COLORREF back, bool selected);

    // Input
    void MouseDown(POINT pt, UINT keys, bool doubleClick, bool right);
    void MouseUp(POINT pt, bool right);
    void MouseMove(POINT pt, UINT keys);
    void KeyDown(WPARAM vk);
    void MoveFocus(int index, bool shift, bool ctrl);
    LRESULT ItemNotify(UINT code, int index, int subItem, POINT pt);
    void ToggleCheck(int index);

    // Label editing
    HWND EditLabel(int index);
    void EndEdit(int index, const char* text);

    LRESULT HeaderNotify(NMHDR* hdr);

    HWND hwnd_;
    HWND header_ = nullptr;
    std::vector<ListRow> rows_;
    std::vector<ListColumn> columns_;
    HIMAGELIST images_[3] = {nullptr, nullptr, nullptr};
    DWORD exStyle_ = 0;
    COLORREF bkColor_ = CLR_DEFAULT;
    COLORREF textColor_ = CLR_DEFAULT;
    COLORREF textBkColor_ = CLR_DEFAULT;
    HFONT font_ = nullptr;
    int rowHeight_ = 17;
    int top_ = 0;
    int scrollX_ = 0;
    int focus_ = -1;
    int mark_ = -1;
    bool focused_ = false;
    int pressed_ = -1;
    POINT pressPoint_ = {0, 0};
    bool dragStarted_ = false;
    int editCandidate_ = -1;  // a click on the focused, selected label may start editing
    LabelEditor editor_;
    int editItem_ = -1;
    std::string scratch_;
};

}  // namespace mivo
