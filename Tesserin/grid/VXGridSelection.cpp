// The focus row and the selected rows: SelectRows with its veto, and the
// selection helpers.
#include "grid/GridPattern.h"
#include "grid/VXGridCtrl.h"

#include <algorithm>

void CVXGridCtrl::ChangeRowState(int row, BOOL select, BOOL toggle, BOOL notify)
{
    int item = GetItemFromRow(row);
    structITEM& record = GetItemStruct(item, -1);
    UINT state = toggle ? (record.nState ^ RVIS_SELECTED) : select ? (record.nState | RVIS_SELECTED)
                                                                   : (record.nState & ~(UINT)RVIS_SELECTED);
    if (state == record.nState)
        return;
    if (notify && Notify((UINT)RVN_ITEMSTATECHANGING, item, -1, state))
        return;
    if (state & RVIS_SELECTED)
        m_listSelection.push_back(item);
    else
        RemoveSelected(item);
    GetItemStruct(item, -1).nState = state;
    if (notify)
        Notify((UINT)RVN_ITEMSTATECHANGED, item, -1, state);
}

void CVXGridCtrl::SelectRows(int focusRow, int otherRow, BOOL select, BOOL keepOthers, BOOL toggle, BOOL notify)
{
    if (focusRow < -1 || focusRow >= m_iVirtualHeight)
        return;
    if (m_nGridStyle & RVS_SINGLESELECT) {
        otherRow = focusRow;
        keepOthers = FALSE;
    }
    otherRow = std::max(-1, std::min(otherRow, m_iVirtualHeight - 1));
    if (m_iFocusRow != focusRow && m_iFocusRow >= -1 && m_iFocusRow < m_iVirtualHeight) {
        GetItemStruct(GetItemFromRow(m_iFocusRow), -1).nState &= ~(UINT)RVIS_FOCUSED;
        InvalidateRow(m_iFocusRow);
    }
    m_iFocusRow = focusRow;
    GetItemStruct(GetItemFromRow(focusRow), -1).nState |= RVIS_FOCUSED;
    int low = std::min(focusRow, otherRow), high = std::max(focusRow, otherRow);
    if (select) {
        for (int row = low; row <= high; row++)
            ChangeRowState(row, TRUE, toggle, notify);
        RedrawRows(low, high);
    } else {
        InvalidateRow(focusRow);
    }
    if (select && !keepOthers) {
        std::vector<int> listed = m_listSelection;
        for (int item : listed) {
            int row = GetRowFromItem(item);
            if (row >= low && row <= high)
                continue;
            structITEM& record = GetItemStruct(item, -1);
            if (!(record.nState & RVIS_SELECTED))
                continue;
            UINT state = record.nState & ~(UINT)RVIS_SELECTED;
            if (notify && Notify((UINT)RVN_ITEMSTATECHANGING, item, -1, state))
                continue; // a vetoed row stays selected and listed
            RemoveSelected(item);
            GetItemStruct(item, -1).nState = state;
            if (notify)
                Notify((UINT)RVN_ITEMSTATECHANGED, item, -1, state);
            InvalidateRow(row);
        }
    }
    if (m_hWnd)
        UpdateWindow();
}

BOOL CVXGridCtrl::AdjustFocus(int row, int column)
{
    if (column >= 0 && !IsFocusable(column))
        return FALSE;
    if (row < -2 || row >= m_iVirtualHeight || column < -1 || column >= (int)m_arrayColumns.size())
        return FALSE;
    int old = m_iFocusRow;
    if (old != row && old >= -1 && old < m_iVirtualHeight)
        GetItemStruct(GetItemFromRow(old), -1).nState &= ~(UINT)RVIS_FOCUSED;
    m_iFocusRow = row;
    m_iFocusColumn = column;
    if (row >= -1)
        GetItemStruct(GetItemFromRow(row), -1).nState |= RVIS_FOCUSED;
    InvalidateRow(old);
    InvalidateRow(row);
    return TRUE;
}

void CVXGridCtrl::ClearSelection()
{
    for (int item : m_listSelection) {
        if (item >= -1 && item < GetItemCount())
            GetItemStruct(item, -1).nState &= ~(UINT)RVIS_SELECTED;
        InvalidateRow(GetRowFromItem(item));
    }
    m_listSelection.clear();
}

void CVXGridCtrl::InvertSelection()
{
    for (int row = 0; row < m_iVirtualHeight; row++)
        ChangeRowState(row, TRUE, TRUE, FALSE);
    if (m_iFocusRow >= -1 && m_iFocusRow < m_iVirtualHeight)
        SelectRows(m_iFocusRow, m_iFocusRow, FALSE, FALSE, FALSE, FALSE);
    if (m_hWnd)
        Invalidate(FALSE);
}

void CVXGridCtrl::SelectAll()
{
    ClearSelection();
    InvertSelection();
}

void CVXGridCtrl::SetSelection(int item, BOOL keep)
{
    int row = GetRowFromItem(item);
    if (row >= -1)
        SelectRows(row, row, TRUE, keep, FALSE, FALSE);
}

void CVXGridCtrl::SetSelection(const int* items, int count, BOOL keep)
{
    for (int i = 0; items && i < count; i++)
        SetSelection(items[i], i > 0 ? TRUE : keep);
}

void CVXGridCtrl::SetSelection(_TREEITEM* node, BOOL keep)
{
    int item = GetItemIndex(node);
    if (item >= 0)
        SetSelection(item, keep);
}

void CVXGridCtrl::SetSelection(int subItem, LPCSTR pattern, BOOL keep)
{
    if (!keep)
        ClearSelection();
    if (!pattern)
        return;
    for (int row = 0; row < m_iVirtualHeight; row++)
        if (GridPattern::Match(pattern, GetItemText(GetItemFromRow(row), subItem)))
            SelectRows(row, row, TRUE, TRUE, FALSE, FALSE);
}

void CVXGridCtrl::SetSelectionLessEq(int subItem, LONG_PTR value, BOOL keep)
{
    (void)subItem;
    if (!keep)
        ClearSelection();
    for (int row = 0; row < m_iVirtualHeight; row++)
        if ((LONG_PTR)GetItemData(GetItemFromRow(row)) <= value)
            ChangeRowState(row, TRUE, FALSE, FALSE);
}

int CVXGridCtrl::GetNextSelectedItem(int item)
{
    int count = GetItemCount();
    for (int next = std::max(item + 1, -1); next < count; next++)
        if (GetItemStruct(next, -1).nState & RVIS_SELECTED)
            return next;
    return -2;
}

int CVXGridCtrl::GetFirstSelectedItem()
{
    if (m_itemFixed.nState & RVIS_SELECTED)
        return -1;
    return GetNextSelectedItem(-1);
}

int CVXGridCtrl::GetSelectedItems(int* items, int size)
{
    int count = 0;
    for (int item = GetFirstSelectedItem(); item != -2; item = GetNextSelectedItem(item)) {
        if (items && count < size)
            items[count] = item;
        count++;
    }
    return count;
}

void CVXGridCtrl::SelectionToSortedArray(std::vector<int>& rows)
{
    rows.clear();
    for (int item : m_listSelection) {
        int row = GetRowFromItem(item);
        if (row >= -1)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
}
