// Hit testing, the mouse, the keys and the header's notifications.
#include "grid/VXGridCtrl.h"

#include <algorithm>

int CVXGridCtrl::HitTest(_RVHITTESTINFO* hit)
{
    hit->nFlags = 0;
    hit->hItem = nullptr;
    hit->iItem = -2;
    hit->iSubItem = -1;
    hit->iRow = -2;
    hit->iColumn = -1;
    ::SetRectEmpty(&hit->rect);
    CPoint pt = hit->point;
    CRect fixed = m_rectFixed;
    if (!fixed.IsRectEmpty())
        fixed.bottom -= 2 * ::GetSystemMetrics(SM_CYFIXEDFRAME);
    if (!fixed.PtInRect(pt) && !m_rectRows.PtInRect(pt)) {
        if (pt.y < m_rectRows.top)
            hit->nFlags |= RVHT_ABOVE;
        if (pt.y >= m_rectRows.bottom)
            hit->nFlags |= RVHT_BELOW;
        if (pt.x < m_rectRows.left)
            hit->nFlags |= RVHT_TOLEFT;
        if (pt.x >= m_rectRows.right)
            hit->nFlags |= RVHT_TORIGHT;
        return -2;
    }
    CRect rowRect;
    if (fixed.PtInRect(pt)) {
        hit->iItem = hit->iRow = -1;
        hit->nFlags |= RVHT_ONFIXEDROW;
        rowRect = fixed;
    } else {
        int top = m_rectRows.top, row = m_iScrollY;
        for (; row < m_iVirtualHeight; row++) {
            int extent = RowExtent(row);
            if (pt.y < top + extent)
                break;
            top += extent;
        }
        if (row >= m_iVirtualHeight) {
            hit->nFlags |= RVHT_NOWHERE;
            return -2;
        }
        hit->iRow = row;
        hit->iItem = IsOwnerData() ? row : m_arrayRows[(size_t)row];
        if (IsTree())
            hit->hItem = ToHandle(m_arrayItems[(size_t)hit->iItem].lpTreeItem);
        rowRect.SetRect(m_rectClient.left - m_iScrollX, top, m_rectClient.left - m_iScrollX + m_iVirtualWidth,
                        top + m_iItemHeight);
        if (pt.y >= top + m_iItemHeight) {
            hit->nFlags |= RVHT_ONITEMPREVIEW;
            return hit->iItem;
        }
    }
    structTREEITEM* node = ToNode(hit->hItem);
    CRect cell;
    if (node && node->iSubItem >= 0) {
        hit->iSubItem = node->iSubItem;
        hit->iColumn = 0;
        cell = rowRect;
    } else {
        int x = m_rectClient.left - m_iScrollX;
        for (size_t column = 0; column < m_arrayColumns.size(); column++) {
            int width = ColumnWidth((int)column);
            if (pt.x >= x && pt.x < x + width) {
                hit->iColumn = (int)column;
                hit->iSubItem = GetSubItemFromColumn((int)column);
                cell.SetRect(x, rowRect.top, x + width, rowRect.bottom);
                break;
            }
            x += width;
        }
        if (hit->iColumn < 0) {
            hit->nFlags |= RVHT_NOWHERE;
            return hit->iItem;
        }
    }
    char buffer[256];
    _RVITEM record;
    ReadDrawRecord(hit->iItem, hit->iSubItem, record, buffer, sizeof(buffer));
    if (hit->iColumn == 0 && record.iIndent >= 0 && (record.nMask & RVIM_INDENT)) {
        cell.left += record.iIndent * m_iItemHeight;
        CRect box(cell.left - m_iItemHeight, cell.top, cell.left, cell.bottom);
        if ((record.nState & (RVIS_TREECLOSED | RVIS_TREEOPEN)) && box.PtInRect(pt)) {
            hit->nFlags |= RVHT_ONITEMTREEBOX;
            hit->rect = box;
            return hit->iItem;
        }
    }
    hit->rect = cell;
    int x = cell.left + m_iSpacing;
    if (record.nMask & RVIM_IMAGE) {
        x += m_sizeImage.cx + m_iSpacing;
        if (pt.x < x) {
            hit->nFlags |= RVHT_ONITEMIMAGE;
            return hit->iItem;
        }
    }
    if (record.nMask & RVIM_CHECK) {
        x += m_sizeCheck.cx + m_iSpacing;
        if (pt.x < x) {
            hit->nFlags |= RVHT_ONITEMCHECK;
            return hit->iItem;
        }
    } else if (pt.x < x) {
        hit->nFlags |= RVHT_NOWHERE;
        return hit->iItem;
    }
    hit->nFlags |= pt.x < cell.right - m_iSpacing ? RVHT_ONITEMTEXT : RVHT_NOWHERE;
    return hit->iItem;
}

void CVXGridCtrl::ToggleNodeFromInput(const _RVHITTESTINFO& hit)
{
    Expand(hit.hItem, 2);
    Notify((UINT)RVN_ITEMEXPANDED, hit.iItem, hit.iSubItem);
    Invalidate();
}

BOOL CVXGridCtrl::IsFocusable(int column)
{
    const structSUBITEM* sub = SubItemAt(GetSubItemFromColumn(column));
    return sub && !(sub->nMask & RVCF_SUBITEM_NOFOCUS);
}

void CVXGridCtrl::OnLButtonDownImpl(UINT flags, CPoint point, BOOL doubleClick)
{
    _RVHITTESTINFO hit;
    hit.point = point;
    if (doubleClick) {
        HitTest(&hit);
        if (Notify((UINT)RVN_ITEMDBLCLICK, flags, &hit)) {
            Default();
            return;
        }
        if (IsTree() && hit.hItem && ToNode(hit.hItem)->pFirstChild)
            ToggleNodeFromInput(hit);
        return;
    }
    SetFocus();
    HitTest(&hit);
    if (IsTree() && (hit.nFlags & RVHT_ONITEMTREEBOX) && !Notify((UINT)RVN_ITEMEXPANDING, hit.iItem, hit.iSubItem)) {
        ToggleNodeFromInput(hit);
        return;
    }
    if (Notify((UINT)RVN_ITEMCLICK, flags, &hit)) {
        Default();
        return;
    }
    int oldRow = m_iFocusRow, oldColumn = m_iFocusColumn;
    m_iFocusColumn = (m_nGridStyle & RVS_FOCUSSUBITEMS) && IsFocusable(hit.iColumn) ? hit.iColumn : -1;
    if (hit.iItem == -2)
        return;
    BOOL shift = (flags & MK_SHIFT) != 0, ctrl = (flags & MK_CONTROL) != 0;
    if (shift && !ctrl) {
        SelectRows(hit.iRow, m_iAnchorRow, TRUE, FALSE, FALSE, TRUE);
    } else if (ctrl && !shift) {
        SelectRows(hit.iRow, hit.iRow, TRUE, TRUE, TRUE, TRUE);
        m_iAnchorRow = hit.iRow;
    } else if (ctrl && shift) {
        SelectRows(hit.iRow, m_iAnchorRow, TRUE, TRUE, FALSE, TRUE);
        m_iAnchorRow = hit.iRow;
    } else {
        SelectRows(hit.iRow, hit.iRow, TRUE, FALSE, FALSE, TRUE);
        m_iAnchorRow = hit.iRow;
        if (m_iFocusRow == oldRow && m_iFocusColumn == oldColumn &&
            (hit.iRow == -1 || (m_nGridStyle & RVS_FOCUSSUBITEMS)))
            BeginEdit(m_iFocusRow, m_iFocusColumn, 1);
    }
}

void CVXGridCtrl::OnMouseMoveImpl(UINT flags, CPoint point)
{
    if (!m_bFocus || (flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) || !(m_nGridStyle & RVS_EXPANDSUBITEMS) ||
        m_hEditWnd) {
        HideTip();
        return;
    }
    _RVHITTESTINFO hit;
    hit.point = point;
    HitTest(&hit);
    char buffer[256];
    _RVITEM record;
    if (hit.iItem != -2 && (hit.nFlags & RVHT_ONITEMTEXT)) {
        ReadDrawRecord(hit.iItem, hit.iSubItem, record, buffer, sizeof(buffer));
        if ((record.nMask & RVIM_TEXT) && buffer[0]) {
            structTREEITEM* node = ToNode(hit.hItem);
            CRect text;
            TextPartRect(hit.iRow, hit.iColumn, record, text);
            if (node && node->iSubItem >= 0)
                text.right = m_rectClient.left - m_iScrollX + m_iVirtualWidth - m_iSpacing;
            GetExpandedItemText(&record);
            CFont* font = (record.nState & RVIS_BOLD) ? &m_fontBold : &m_fontNormal;
            m_wndTip.Show(text, record.lpszText, font); // hides itself when the text fits
            return;
        }
    }
    HideTip();
}

void CVXGridCtrl::OnRButtonDownImpl(UINT flags, CPoint point)
{
    SetFocus();
    _RVHITTESTINFO hit;
    hit.point = point;
    HitTest(&hit);
    if (Notify((UINT)RVN_RBUTTONDOWN, flags, &hit)) {
        Default();
        return;
    }
    if (hit.iItem != -2 && !(flags & (MK_SHIFT | MK_CONTROL))) {
        SelectRows(hit.iRow, hit.iRow, TRUE, FALSE, FALSE, TRUE);
        m_iAnchorRow = hit.iRow;
    }
}

void CVXGridCtrl::OnKeyDownImpl(UINT key, UINT flags)
{
    m_bTyping = FALSE;
    int focusItem = m_iFocusRow >= -1 && m_iFocusRow < m_iVirtualHeight ? GetItemFromRow(m_iFocusRow) : -2;
    _NMREPORTVIEW record;
    memset(&record.hdr, 0, sizeof(record.hdr));
    record.hdr.code = (UINT)RVN_KEYDOWN;
    record.nKeys = key;
    record.nFlags = flags;
    record.iItem = focusItem;
    record.iSubItem = GetSubItemFromColumn(m_iFocusColumn);
    if (focusItem >= 0 && !IsOwnerData())
        record.lParam = (LPARAM)m_arrayItems[(size_t)focusItem].lParam;
    if (Notify(&record)) {
        Default();
        return;
    }
    BOOL ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    if ((key < VK_ESCAPE || key > VK_DOWN) && !ctrl)
        m_bTyping = TRUE;
    switch (key) {
    case VK_SPACE: SelectRows(m_iFocusRow, m_iFocusRow, TRUE, TRUE, ctrl, TRUE); break;
    case VK_PRIOR: KeyPage(FALSE); break;
    case VK_NEXT: KeyPage(TRUE); break;
    case VK_END: KeyHomeEnd(TRUE); break;
    case VK_HOME: KeyHomeEnd(FALSE); break;
    case VK_UP: KeyVertical(-1); break;
    case VK_DOWN: KeyVertical(1); break;
    case VK_LEFT: KeyHorizontal(-1); break;
    case VK_RIGHT: KeyHorizontal(1); break;
    default: break;
    }
    (void)shift;
}

void CVXGridCtrl::KeyVertical(int step)
{
    BOOL ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    int focus = m_iFocusRow;
    if (step < 0) {
        int first = (m_nGridStyle & RVS_SHOWFIXEDROW) ? -1 : 0;
        if (focus <= first)
            return;
    } else {
        if (focus >= m_iVirtualHeight - 1)
            return;
        if (focus < -1 || (focus == -1 && !(m_nGridStyle & RVS_SHOWFIXEDROW)))
            focus = -1;
    }
    int target = focus + step;
    if (ctrl) {
        SelectRows(target, target, FALSE, FALSE, FALSE, TRUE);
        m_iAnchorRow = target;
    } else if (shift) {
        SelectRows(target, m_iAnchorRow, TRUE, FALSE, FALSE, TRUE);
    } else {
        SelectRows(target, target, TRUE, FALSE, FALSE, TRUE);
        m_iAnchorRow = target;
    }
    if (target >= 0)
        EnsureVisible(GetItemFromRow(target));
}

void CVXGridCtrl::KeyHorizontal(int step)
{
    structTREEITEM* node = IsTree() && m_iFocusRow >= 0 && m_iFocusRow < (int)m_arrayRows.size()
                               ? m_arrayItems[(size_t)m_arrayRows[(size_t)m_iFocusRow]].lpTreeItem
                               : nullptr;
    if (node && m_iFocusColumn < 0) {
        if (step < 0) {
            if (node->pFirstChild && node->bExpanded) {
                Expand(ToHandle(node), 0);
                Invalidate();
                return;
            }
            if (node->pParent != &m_itemRoot) {
                int row = GetRowFromItem(node->pParent->iItem);
                SelectRows(row, row, TRUE, FALSE, FALSE, TRUE);
                EnsureVisible(node->pParent->iItem);
                return;
            }
            if (m_nGridStyle & RVS_SHOWFIXEDROW) {
                SelectRows(-1, -1, TRUE, FALSE, FALSE, TRUE);
                return;
            }
        } else if (node->pFirstChild) {
            if (node->bExpanded) {
                int row = GetRowFromItem(node->pFirstChild->iItem);
                SelectRows(row, row, TRUE, FALSE, FALSE, TRUE);
                EnsureVisible(node->pFirstChild->iItem);
            } else {
                Expand(ToHandle(node), 1);
                Invalidate();
            }
            return;
        }
    }
    if (!(m_nGridStyle & RVS_FOCUSSUBITEMS)) {
        OnHScrollImpl(step < 0 ? SB_LINELEFT : SB_LINERIGHT, 0);
        return;
    }
    int column = m_iFocusColumn + step;
    while (column >= 0 && column < (int)m_arrayColumns.size() && !IsFocusable(column))
        column += step;
    if (step < 0)
        m_iFocusColumn = column >= 0 ? column : -1;
    else if (column < (int)m_arrayColumns.size())
        m_iFocusColumn = column;
    if (step > 0 && !IsTree() && m_iFocusRow < 0 && m_iVirtualHeight > 0)
        m_iFocusRow = 0;
    SelectRows(m_iFocusRow, m_iFocusRow, TRUE, FALSE, FALSE, TRUE);
}

void CVXGridCtrl::KeyPage(BOOL down)
{
    BOOL ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    int first = m_iScrollY, last = -1;
    GetVisibleRows(TRUE, &first, &last);
    int target = down ? last : first;
    if (m_iFocusRow == target) {
        OnVScrollImpl(down ? SB_PAGEDOWN : SB_PAGEUP, 0);
        first = m_iScrollY;
        GetVisibleRows(TRUE, &first, &last);
        target = down ? last : first;
    }
    target = std::min(target, last);
    if (ctrl) {
        SelectRows(target, target, FALSE, FALSE, FALSE, TRUE);
        m_iAnchorRow = m_iFocusRow;
        return;
    }
    if (!shift)
        m_iAnchorRow = target;
    SelectRows(target, m_iAnchorRow, TRUE, FALSE, FALSE, TRUE);
}

void CVXGridCtrl::KeyHomeEnd(BOOL end)
{
    BOOL ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    int target = end ? m_iVirtualHeight - 1 : 0;
    if (end ? m_iFocusRow >= m_iVirtualHeight - 1 : m_iFocusRow <= 0)
        return;
    OnVScrollImpl(end ? SB_BOTTOM : SB_TOP, 0);
    if (!shift)
        m_iAnchorRow = target;
    SelectRows(target, m_iAnchorRow, !ctrl, FALSE, FALSE, TRUE);
}

LRESULT CVXGridCtrl::OnHeaderNotify(NMHDR* header)
{
    NMHEADER* nm = (NMHEADER*)header;
    switch ((int)header->code) {
    case (int)HDN_ITEMCHANGED: {
        EndEdit(TRUE);
        HDITEM hdi = {HDI_WIDTH | HDI_FORMAT | HDI_LPARAM};
        if (!m_wndHeader.GetItem(nm->iItem, &hdi))
            return 0;
        int subItem = (int)hdi.lParam;
        if (subItem < 0 || subItem >= (int)m_arraySubItems.size())
            return 0;
        structSUBITEM& sub = m_arraySubItems[(size_t)subItem];
        if (nm->pitem && (nm->pitem->mask & HDI_FORMAT))
            sub.nMask = (sub.nMask & ~3u) | (hdi.fmt & 3);
        if (nm->pitem && (nm->pitem->mask & HDI_WIDTH)) {
            m_iVirtualWidth += hdi.cxy - sub.iWidth;
            sub.iWidth = hdi.cxy;
            if (!m_wndHeader.IsAutoSizing())
                ScrollWindow(SB_HORZ, m_iScrollX);
            Invalidate(FALSE);
        }
        Notify((UINT)RVN_COLUMNWIDTHCHANGED, -2, subItem);
        return 0;
    }
    case (int)HDN_ITEMCLICK: {
        EndEdit(TRUE);
        _NMRVHEADER record;
        if (NotifyHdr(&record, (UINT)RVN_COLUMNCLICK, nm->iItem) || (m_nGridStyle & (RVS_NOSORT | RVS_OWNERDATA)))
            return 0;
        BOOL ascending = TRUE;
        int sortColumn = m_wndHeader.GetSortColumn(&ascending);
        SortItems(record.iSubItem, sortColumn == nm->iItem ? !ascending : TRUE);
        return 0;
    }
    case (int)HDN_DIVIDERDBLCLICK: {
        EndEdit(TRUE);
        _NMRVHEADER record;
        if (NotifyHdr(&record, (UINT)RVN_DIVIDERDBLCLICK, nm->iItem) || IsOwnerData())
            return 0;
        structSUBITEM sub;
        if (!GetSubItemDefinition(record.iSubItem, sub) || (sub.nMask & RVCF_EX_FIXEDWIDTH))
            return 0;
        int widest = -1;
        for (int item = 0; item < (int)m_arrayItems.size(); item++) {
            CRect rc;
            MeasureItem(item, record.iSubItem, &rc);
            widest = std::max(widest, rc.Width());
        }
        if (widest >= 0)
            SetSubItemWidth(record.iSubItem, widest);
        Invalidate(FALSE);
        return 0;
    }
    case (int)HDN_BEGINDRAG: EndEdit(TRUE); return 0;
    case (int)HDN_ENDDRAG: {
        EndEdit(TRUE);
        int result = m_wndHeader.GetDropResult();
        if (result == 0 || result == 2) {
            m_bColumnsReordered = TRUE;
            Invalidate(FALSE);
            return 0;
        }
        if (m_nGridStyle & RVS_ALLOWCOLUMNREMOVAL) {
            HDITEM hdi = {HDI_LPARAM};
            if (m_wndHeader.GetItem(nm->iItem, &hdi))
                DeactivateSubItem((int)hdi.lParam);
        }
        return 1;
    }
    }
    return 0;
}

void CVXGridCtrl::ShowHeaderPopupMenu(CPoint screenPoint)
{
    CMenu menu;
    if (!menu.LoadMenu(11000))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup)
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, this);
}
