// Comparing rows, the quicksort of the visible rows, tree sorting and the
// sort column kept on the header.
#include "grid/VXGridCtrl.h"

#include <cstring>

BOOL CVXGridCtrl::SetSortCallback(PFNRVCOMPARE callback, LPARAM value)
{
    m_pfnCompare = callback;
    m_lParamCompare = value;
    return TRUE;
}

namespace {

int Sign(double a, double b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

} // namespace

int CVXGridCtrl::CompareItems(int item1, int subItem1, int item2, int subItem2)
{
    if (m_pfnCompare)
        return m_pfnCompare(item1, subItem1, item2, subItem2, m_lParamCompare);
    char text1[256] = "", text2[256] = "";
    _RVITEM a, b;
    a.nMask = b.nMask = RVIM_TEXT;
    a.iItem = item1;
    a.iSubItem = subItem1;
    a.lpszText = text1;
    a.iTextMax = sizeof(text1);
    b.iItem = item2;
    b.iSubItem = subItem2;
    b.lpszText = text2;
    b.iTextMax = sizeof(text2);
    GetItem(&a);
    GetItem(&b);
    if (!(a.nMask & RVIM_TEXT) && !(b.nMask & RVIM_TEXT)) {
        if ((a.nMask | b.nMask) & RVIM_CHECK)
            return Sign(a.iCheck, b.iCheck);
        return Sign(a.iImage, b.iImage);
    }
    if ((a.nMask | b.nMask) & RVIM_NUMBER)
        return Sign(GetItemValue(item1, subItem1), GetItemValue(item2, subItem2));
    int order = strcmp(text1, text2);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int CVXGridCtrl::CompareItems(LPRVITEM item1, LPRVITEM item2)
{
    const char* t1 = item1->lpszText ? item1->lpszText : "";
    const char* t2 = item2->lpszText ? item2->lpszText : "";
    if (!*t1 && !*t2) {
        if ((item1->nMask | item2->nMask) & RVIM_CHECK)
            return Sign(item1->iCheck, item2->iCheck);
        return Sign(item1->iImage, item2->iImage);
    }
    int order = strcmp(t1, t2);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

void CVXGridCtrl::QuickSort(int subItem, int low, int high, BOOL ascending)
{
    if (low >= high)
        return;
    int pivot = m_arrayRows[(size_t)(low + high) / 2];
    int i = low, j = high;
    while (i <= j) {
        // Bounded by the range: a callback that never answers 0 cannot run off it.
        if (ascending) {
            while (i < high && CompareItems(m_arrayRows[(size_t)i], subItem, pivot, subItem) < 0)
                i++;
            while (j > low && CompareItems(m_arrayRows[(size_t)j], subItem, pivot, subItem) > 0)
                j--;
        } else {
            while (i < high && CompareItems(m_arrayRows[(size_t)i], subItem, pivot, subItem) > 0)
                i++;
            while (j > low && CompareItems(m_arrayRows[(size_t)j], subItem, pivot, subItem) < 0)
                j--;
        }
        if (i <= j) {
            if (i != j)
                std::swap(m_arrayRows[(size_t)i], m_arrayRows[(size_t)j]);
            i++;
            j--;
        }
    }
    if (low < j)
        QuickSort(subItem, low, j, ascending);
    if (i < high)
        QuickSort(subItem, i, high, ascending);
}

void CVXGridCtrl::TreeSortNode(structTREEITEM* node, int subItem, BOOL ascending, BOOL recursive)
{
    structTREEITEM* child = node->pFirstChild;
    node->pFirstChild = nullptr;
    while (child) {
        structTREEITEM* next = child->pNext;
        if (recursive && child->pFirstChild)
            TreeSortNode(child, subItem, ascending, TRUE);
        LinkSorted(node, child, subItem, ascending);
        child = next;
    }
}

void CVXGridCtrl::TreeSort(int subItem, _TREEITEM* handle, BOOL ascending, BOOL recursive)
{
    structTREEITEM* node = ResolveParent(handle);
    if (node)
        TreeSortNode(node, subItem, ascending, recursive);
}

BOOL CVXGridCtrl::SortItems(int subItem, BOOL ascending)
{
    if (IsOwnerData() || !IsActiveSubItem(subItem))
        return FALSE;
    m_wndHeader.SetSortColumn(HeaderIndexOfSubItem(subItem), ascending);
    if (!IsTree()) {
        if (m_arrayRows.empty())
            return FALSE;
        int focusItem = m_iFocusRow >= 0 && m_iFocusRow < (int)m_arrayRows.size() ? m_arrayRows[(size_t)m_iFocusRow]
                                                                                   : -2;
        QuickSort(subItem, 0, (int)m_arrayRows.size() - 1, ascending);
        m_bRowMapDirty = TRUE;
        if (focusItem >= 0) {
            m_iFocusRow = GetRowFromItem(focusItem);
            EnsureVisible(focusItem);
        }
    } else {
        _TREEITEM* focus = GetTreeFocus();
        TreeSortNode(&m_itemRoot, subItem, ascending, TRUE);
        RebuildVisibleRows();
        SetTreeFocus(focus);
    }
    Invalidate(TRUE);
    return TRUE;
}

BOOL CVXGridCtrl::ResortItems()
{
    BOOL ascending = TRUE;
    int column = m_wndHeader.m_hWnd ? m_wndHeader.GetSortColumn(&ascending) : -1;
    if (column < 0)
        return FALSE;
    HDITEM hdi = {HDI_LPARAM};
    if (!m_wndHeader.GetItem(column, &hdi))
        return FALSE;
    return SortItems((int)hdi.lParam, ascending);
}

int CVXGridCtrl::GetSortSettings(int* subItem, BOOL* ascending)
{
    BOOL up = TRUE;
    int column = m_wndHeader.m_hWnd ? m_wndHeader.GetSortColumn(&up) : -1;
    int sub = -1;
    HDITEM hdi = {HDI_LPARAM};
    if (column >= 0 && m_wndHeader.GetItem(column, &hdi))
        sub = (int)hdi.lParam;
    if (subItem)
        *subItem = sub;
    if (ascending)
        *ascending = up;
    return column;
}
