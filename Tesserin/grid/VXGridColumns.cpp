// Defining, showing, hiding and sizing columns, and the first-column indent.
#include "grid/VXGridCtrl.h"
#include "grid/VXGridSubItemListCtrl.h"

#include <algorithm>

int CVXGridCtrl::HeaderIndexOfSubItem(int subItem)
{
    if (!m_wndHeader.m_hWnd || subItem < 0)
        return -1;
    int count = m_wndHeader.GetItemCount();
    for (int i = 0; i < count; i++) {
        HDITEM hdi = {HDI_LPARAM};
        if (m_wndHeader.GetItem(i, &hdi) && (int)hdi.lParam == subItem)
            return i;
    }
    return -1;
}

BOOL CVXGridCtrl::GetSubItemDefinition(int subItem, structSUBITEM& out) const
{
    if (subItem < 0 || subItem >= (int)m_arraySubItems.size())
        return FALSE;
    out = m_arraySubItems[(size_t)subItem];
    return TRUE;
}

void CVXGridCtrl::RefreshChooser()
{
    if (m_pSubItemListCtrl)
        m_pSubItemListCtrl->UpdateList();
}

int CVXGridCtrl::DefineSubItem(int index, const _RVSUBITEM* definition, BOOL updateList)
{
    if (!definition)
        return -1;
    index = std::max(0, std::min(index, (int)m_arraySubItems.size()));
    structSUBITEM sub;
    sub.nMask = definition->nMask;
    sub.iWidth = definition->iWidth < 0 ? m_iDefaultWidth : definition->iWidth;
    sub.iMinWidth = definition->iMinWidth;
    sub.iMaxWidth = definition->iMaxWidth;
    sub.iImage = (definition->nMask & HDF_IMAGE) ? definition->iImage : 0;
    sub.strText = definition->lpszText ? definition->lpszText : "";
    m_arraySubItems.insert(m_arraySubItems.begin() + index, sub);
    if (m_wndHeader.m_hWnd) {
        int count = m_wndHeader.GetItemCount();
        for (int i = 0; i < count; i++) {
            HDITEM hdi = {HDI_LPARAM};
            if (m_wndHeader.GetItem(i, &hdi) && (int)hdi.lParam >= index) {
                hdi.lParam++;
                m_wndHeader.SetItem(i, &hdi);
            }
        }
    }
    GridCellFields empty;
    GridRowString::Write(m_itemFixed.strItem, index, s_cSeparator, empty, nullptr);
    if (!IsOwnerData())
        for (structITEM& record : m_arrayItems)
            GridRowString::Write(record.strItem, index, s_cSeparator, empty, nullptr);
    if (updateList)
        RefreshChooser();
    return index;
}

BOOL CVXGridCtrl::RedefineSubItem(int index, const _RVSUBITEM* definition, BOOL updateList)
{
    if (!definition || index < 0 || index >= (int)m_arraySubItems.size())
        return FALSE;
    structSUBITEM& sub = m_arraySubItems[(size_t)index];
    sub.nMask = definition->nMask;
    sub.iMinWidth = definition->iMinWidth;
    sub.iMaxWidth = definition->iMaxWidth;
    sub.iImage = (definition->nMask & HDF_IMAGE) ? definition->iImage : 0;
    sub.strText = definition->lpszText ? definition->lpszText : "";
    if (updateList)
        RefreshChooser();
    return SetSubItemWidth(index, definition->iWidth);
}

BOOL CVXGridCtrl::UndefineSubItem(int index)
{
    if (index < 0 || index >= (int)m_arraySubItems.size())
        AfxThrowInvalidArgException();
    DeactivateSubItem(index);
    m_arraySubItems.erase(m_arraySubItems.begin() + index);
    if (m_wndHeader.m_hWnd) {
        int count = m_wndHeader.GetItemCount();
        for (int i = 0; i < count; i++) {
            HDITEM hdi = {HDI_LPARAM};
            if (m_wndHeader.GetItem(i, &hdi) && (int)hdi.lParam > index) {
                hdi.lParam--;
                m_wndHeader.SetItem(i, &hdi);
            }
        }
    }
    GridRowString::Delete(m_itemFixed.strItem, index, s_cSeparator);
    if (!IsOwnerData())
        for (structITEM& record : m_arrayItems)
            GridRowString::Delete(record.strItem, index, s_cSeparator);
    RefreshChooser();
    return TRUE;
}

void CVXGridCtrl::UndefineAllSubItems()
{
    while (!m_arraySubItems.empty())
        UndefineSubItem(0);
}

int CVXGridCtrl::ActivateSubItem(int subItem, int column)
{
    if (subItem < 0 || subItem >= (int)m_arraySubItems.size())
        AfxThrowInvalidArgException();
    if (IsActiveSubItem(subItem) || !m_wndHeader.m_hWnd)
        return -1;
    RemoveIndent();
    structSUBITEM& sub = m_arraySubItems[(size_t)subItem];
    HDITEM hdi = {HDI_WIDTH | HDI_FORMAT | HDI_LPARAM | HDI_ORDER};
    hdi.cxy = sub.iWidth;
    hdi.fmt = (int)(sub.nMask & 0xFFFF);
    hdi.lParam = subItem;
    hdi.iOrder = std::max(0, std::min(column, m_wndHeader.GetItemCount()));
    if (sub.nMask & HDF_IMAGE) {
        hdi.mask |= HDI_IMAGE;
        hdi.iImage = sub.iImage;
    }
    if (sub.nMask & HDF_STRING) {
        hdi.mask |= HDI_TEXT;
        hdi.pszText = const_cast<LPSTR>((LPCSTR)sub.strText);
    }
    int index = m_wndHeader.InsertItem(m_wndHeader.GetItemCount(), &hdi);
    if (index >= 0) {
        m_iVirtualWidth += sub.iWidth;
        _HDITEMEX ex;
        ex.nStyle = (sub.nMask >> 16) & 0xFF;
        ex.iMinWidth = sub.iMinWidth;
        ex.iMaxWidth = sub.iMaxWidth;
        if (ex.nStyle & HDF_EX_TOOLTIP)
            ex.strToolTip = sub.strText;
        m_wndHeader.SetItemEx(index, &ex);
        HDITEM back = {HDI_WIDTH};
        if (m_wndHeader.GetItem(index, &back)) {
            m_iVirtualWidth += back.cxy - sub.iWidth;
            sub.iWidth = back.cxy;
        }
        ReorderColumns();
        if (m_hWnd)
            ScrollWindow(SB_HORZ, m_iScrollX);
    }
    ApplyIndent();
    return index;
}

BOOL CVXGridCtrl::DeactivateSubItem(int subItem)
{
    int index = HeaderIndexOfSubItem(subItem);
    if (index < 0)
        return FALSE;
    RemoveIndent();
    index = HeaderIndexOfSubItem(subItem);
    BOOL ascending = TRUE;
    int sortColumn = m_wndHeader.GetSortColumn(&ascending);
    HDITEM hdi = {HDI_WIDTH};
    m_wndHeader.GetItem(index, &hdi);
    BOOL done = m_wndHeader.DeleteItem(index);
    if (done) {
        if (sortColumn == index)
            m_wndHeader.SetSortColumn(-1, TRUE);
        m_iVirtualWidth -= hdi.cxy;
        ReorderColumns();
        if (m_hWnd)
            ScrollWindow(SB_HORZ, m_iScrollX);
    }
    ApplyIndent();
    return done;
}

BOOL CVXGridCtrl::DeactivateAllSubItems()
{
    for (int sub = 0; sub < (int)m_arraySubItems.size(); sub++)
        if (IsActiveSubItem(sub) && !DeactivateSubItem(sub))
            return FALSE;
    return TRUE;
}

BOOL CVXGridCtrl::IsActiveSubItem(int subItem)
{
    return HeaderIndexOfSubItem(subItem) >= 0;
}

int CVXGridCtrl::GetSubItemWidth(int subItem)
{
    if (subItem < 0 || subItem >= (int)m_arraySubItems.size())
        AfxThrowInvalidArgException();
    int width = m_arraySubItems[(size_t)subItem].iWidth;
    if (m_bIndentApplied && GetSubItemFromColumn(0) == subItem)
        width -= m_iIndentFirst;
    return width;
}

BOOL CVXGridCtrl::SetSubItemWidth(int subItem, int width)
{
    if (subItem < 0 || subItem >= (int)m_arraySubItems.size())
        AfxThrowInvalidArgException();
    RemoveIndent();
    structSUBITEM& sub = m_arraySubItems[(size_t)subItem];
    if (width < 0)
        width = m_iDefaultWidth;
    width = std::max(width, sub.iMinWidth);
    if (sub.iMaxWidth > 0)
        width = std::min(width, sub.iMaxWidth);
    BOOL result = TRUE;
    int index = HeaderIndexOfSubItem(subItem);
    if (index >= 0) {
        HDITEM hdi = {HDI_WIDTH};
        if (!m_wndHeader.GetItem(index, &hdi)) {
            result = FALSE;
        } else {
            int old = hdi.cxy;
            sub.iWidth = width;
            hdi.cxy = width;
            m_wndHeader.SetItem(index, &hdi);
            m_iVirtualWidth += width - old;
        }
    } else {
        sub.iWidth = width;
    }
    ApplyIndent();
    return result;
}

int CVXGridCtrl::GetSubItemFromColumn(int column)
{
    if (column < 0 || column >= (int)m_arrayColumns.size())
        return -1;
    HDITEM hdi = {HDI_LPARAM};
    if (!m_wndHeader.GetItem(m_arrayColumns[(size_t)column], &hdi))
        return -1;
    return (int)hdi.lParam;
}

int CVXGridCtrl::GetColumnFromSubItem(int subItem)
{
    int index = HeaderIndexOfSubItem(subItem);
    if (index < 0)
        return -1;
    for (size_t column = 0; column < m_arrayColumns.size(); column++)
        if (m_arrayColumns[column] == index)
            return (int)column;
    return -1;
}

BOOL CVXGridCtrl::SetVXGridSubItemListCtrl(CVXGridSubItemListCtrl* list)
{
    if (m_pSubItemListCtrl) {
        if (m_wndHeader.m_hWnd)
            m_wndHeader.ModifyProperty(FH_PROPERTY_DROPTARGET, 0);
        CVXGridSubItemListCtrl* old = m_pSubItemListCtrl;
        m_pSubItemListCtrl = nullptr;
        old->SetVXGridCtrl(nullptr);
    }
    m_pSubItemListCtrl = list;
    if (list) {
        if (m_wndHeader.m_hWnd)
            m_wndHeader.ModifyProperty(FH_PROPERTY_DROPTARGET, (LPARAM)list->GetSafeHwnd());
        list->SetVXGridCtrl(this);
    }
    return TRUE;
}

void CVXGridCtrl::ReorderColumns()
{
    int focusSubItem = GetSubItemFromColumn(m_iFocusColumn);
    int count = m_wndHeader.m_hWnd ? m_wndHeader.GetItemCount() : 0;
    m_arrayColumns.assign((size_t)std::max(count, 0), 0);
    if (count > 0)
        m_wndHeader.GetOrderArray(m_arrayColumns.data(), count);
    if (count <= 0) {
        m_arrayColumns.clear();
        m_iFocusColumn = -1;
    } else if (m_iFocusColumn >= 0) {
        int column = GetColumnFromSubItem(focusSubItem);
        m_iFocusColumn = std::min(column >= 0 ? column : m_iFocusColumn, count - 1);
    }
    m_bColumnsReordered = FALSE;
    RefreshChooser();
}

void CVXGridCtrl::SetIndentFirstColumn(int pixels)
{
    RemoveIndent();
    m_iIndentFirst = std::max(0, pixels);
    ApplyIndent();
}

void CVXGridCtrl::ApplyLimitsToHeader(int subItem)
{
    int index = HeaderIndexOfSubItem(subItem);
    if (index < 0)
        return;
    const structSUBITEM& sub = m_arraySubItems[(size_t)subItem];
    m_wndHeader.SetMinMax(index, sub.iMinWidth, sub.iMaxWidth);
    HDITEM hdi = {HDI_WIDTH};
    if (m_wndHeader.GetItem(index, &hdi) && hdi.cxy != sub.iWidth) {
        m_iVirtualWidth += sub.iWidth - hdi.cxy;
        hdi.cxy = sub.iWidth;
        m_wndHeader.SetItem(index, &hdi);
    }
}

void CVXGridCtrl::RemoveIndent()
{
    if (!m_bIndentApplied)
        return;
    m_bIndentApplied = FALSE;
    int subItem = GetSubItemFromColumn(0);
    if (subItem < 0)
        return;
    structSUBITEM& sub = m_arraySubItems[(size_t)subItem];
    if (sub.iMaxWidth >= 1)
        sub.iMaxWidth -= m_iIndentFirst;
    sub.iMinWidth -= m_iIndentFirst;
    sub.iWidth -= m_iIndentFirst;
    if (sub.iMinWidth < 1)
        sub.iWidth = std::max(sub.iWidth, 20);
    ApplyLimitsToHeader(subItem);
}

void CVXGridCtrl::ApplyIndent()
{
    if (m_bIndentApplied || m_iIndentFirst < 1)
        return;
    int subItem = GetSubItemFromColumn(0);
    if (subItem < 0)
        return;
    m_bIndentApplied = TRUE;
    structSUBITEM& sub = m_arraySubItems[(size_t)subItem];
    sub.iMinWidth += m_iIndentFirst;
    if (sub.iMaxWidth > 0)
        sub.iMaxWidth += m_iIndentFirst;
    sub.iWidth += m_iIndentFirst;
    ApplyLimitsToHeader(subItem);
}
