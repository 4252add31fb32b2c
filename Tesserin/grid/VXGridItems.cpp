// Reading and writing cells and rows, inserting, deleting, searching and
// moving rows, and a row's export text.
#include "grid/GridNumberText.h"
#include "grid/VXGridCtrl.h"

#include <algorithm>
#include <cstring>
#include <new>

BOOL CVXGridCtrl::GetItem(LPRVITEM rvi)
{
    if (!rvi || rvi->iItem < -1 || rvi->iItem >= GetItemCount() || rvi->iSubItem >= (int)m_arraySubItems.size())
        return FALSE;
    UINT asked = rvi->nMask;
    const structITEM& record = GetItemStruct(rvi->iItem, rvi->iSubItem, asked);
    rvi->nMask = 0;
    rvi->iBkColor = record.iBkColor;
    rvi->nPreview = record.nPreview;
    rvi->iIndent = record.iIndent;
    rvi->nState = record.nState;
    rvi->lParam = record.lParam;
    if (record.iBkColor >= 0)
        rvi->nMask |= RVIM_BKCOLOR;
    if (record.nPreview != 0)
        rvi->nMask |= RVIM_PREVIEW;
    if (record.iIndent >= 0)
        rvi->nMask |= RVIM_INDENT;
    BOOL wantText = (asked & RVIM_TEXT) && rvi->lpszText && rvi->iTextMax > 0;
    if (!wantText)
        rvi->lpszText = nullptr;
    GridCellFields cell;
    if (m_arraySubItems.empty())
        cell = GridCellFields();
    else
        ReadCell(record, rvi->iSubItem, cell, wantText ? rvi->lpszText : nullptr, wantText ? rvi->iTextMax : 0);
    if (wantText && cell.iTextLength < 0)
        rvi->lpszText[0] = 0;
    rvi->iImage = cell.iImage;
    rvi->iOverlay = cell.iOverlay;
    rvi->iCheck = cell.iCheck;
    rvi->iTextColor = cell.iTextColor;
    rvi->iNumberFormat = cell.iNumberFormat;
    if (wantText && cell.iTextLength >= 0)
        rvi->nMask |= RVIM_TEXT;
    if (cell.iImage >= 0)
        rvi->nMask |= RVIM_IMAGE;
    if (cell.iOverlay >= 0)
        rvi->nMask |= RVIM_OVERLAY;
    if (cell.iCheck >= 0)
        rvi->nMask |= RVIM_CHECK;
    if (cell.iTextColor >= 0)
        rvi->nMask |= RVIM_TEXTCOLOR;
    if (cell.iNumberFormat >= 0)
        rvi->nMask |= RVIM_NUMBER;
    rvi->nMask |= RVIM_STATE | RVIM_LPARAM;
    return TRUE;
}

BOOL CVXGridCtrl::SetItem(LPRVITEM rvi)
{
    if (IsOwnerData() || !rvi)
        return FALSE;
    // A cell past the defined columns has no field to write.
    if (rvi->iSubItem >= (int)m_arraySubItems.size() || rvi->iItem < -1)
        return FALSE;
    if (rvi->iItem >= (int)m_arrayItems.size())
        AfxThrowInvalidArgException();
    HideTip();
    char current[256] = "";
    _RVITEM work;
    work.nMask = RVIM_TEXT | RVIM_STATE;
    work.iItem = rvi->iItem;
    work.iSubItem = rvi->iSubItem;
    work.lpszText = current;
    work.iTextMax = sizeof(current);
    GetItem(&work);
    char text[256] = "";
    const char* newText = (work.nMask & RVIM_TEXT) ? current : nullptr;
    if (rvi->nMask & RVIM_TEXT) {
        newText = rvi->lpszText;
    } else if (rvi->nMask & RVIM_NUMBER) {
        CString number = GridNumberText::Format(rvi->dblNumber, rvi->iNumberFormat);
        strncpy(text, number, 255);
        newText = text;
    }
    if (newText && newText != text) {
        int length = GridRowString::CutLength(newText, 255);
        memmove(text, newText, length);
        text[length] = 0;
        newText = text;
    }
    if (newText)
        GridRowString::BlankSeparators(text, s_cSeparator);
    GridCellFields cell;
    cell.iImage = (rvi->nMask & RVIM_IMAGE) ? rvi->iImage : work.iImage;
    cell.iOverlay = (rvi->nMask & RVIM_OVERLAY) ? rvi->iOverlay : work.iOverlay;
    cell.iCheck = (rvi->nMask & RVIM_CHECK) ? rvi->iCheck : work.iCheck;
    cell.iTextColor = (rvi->nMask & RVIM_TEXTCOLOR) ? rvi->iTextColor : work.iTextColor;
    cell.iNumberFormat = (rvi->nMask & RVIM_NUMBER) ? rvi->iNumberFormat : work.iNumberFormat;
    cell.iTextLength = newText ? (int)strlen(newText) : -1;

    structITEM record = GetItemStruct(rvi->iItem, rvi->iSubItem);
    if (rvi->iSubItem >= 0)
        GridRowString::Replace(record.strItem, rvi->iSubItem, s_cSeparator, cell, newText);
    if (rvi->nMask & RVIM_BKCOLOR)
        record.iBkColor = rvi->iBkColor;
    if (rvi->nMask & RVIM_PREVIEW)
        record.nPreview = rvi->nPreview;
    if (rvi->nMask & RVIM_INDENT)
        record.iIndent = rvi->iIndent;
    if (rvi->nMask & RVIM_LPARAM)
        record.lParam = rvi->lParam;
    if (rvi->nMask & RVIM_STATE)
        record.nState = (record.nState & RVIS_GRIDOWNED) | (rvi->nState & ~(UINT)RVIS_GRIDOWNED);
    SetItemStruct(rvi->iItem, record);
    ClampScrollY();
    if (m_bRedraw && m_hWnd)
        RedrawItems(rvi->iItem, rvi->iItem);
    return TRUE;
}

int CVXGridCtrl::GetItemText(int item, int subItem, LPSTR text, int size)
{
    if (!text || size <= 0)
        return 0;
    _RVITEM rvi;
    rvi.nMask = RVIM_TEXT;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    rvi.lpszText = text;
    rvi.iTextMax = size;
    if (!GetItem(&rvi)) {
        text[0] = 0;
        return 0;
    }
    if (!(rvi.nMask & RVIM_TEXT))
        text[0] = 0;
    return (int)strlen(text);
}

CString CVXGridCtrl::GetItemText(int item, int subItem)
{
    char text[256] = "";
    GetItemText(item, subItem, text, sizeof(text));
    return CString(text);
}

double CVXGridCtrl::GetItemValue(int item, int subItem)
{
    return GridNumberText::Parse(GetItemText(item, subItem));
}

int CVXGridCtrl::GetItemImage(int item, int subItem)
{
    _RVITEM rvi;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    return GetItem(&rvi) && (rvi.nMask & RVIM_IMAGE) ? rvi.iImage : -1;
}

int CVXGridCtrl::GetItemCheck(int item, int subItem)
{
    _RVITEM rvi;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    return GetItem(&rvi) && (rvi.nMask & RVIM_CHECK) ? rvi.iCheck : -1;
}

DWORD_PTR CVXGridCtrl::GetItemData(int item)
{
    _RVITEM rvi;
    rvi.iItem = item;
    return GetItem(&rvi) ? rvi.lParam : 0;
}

BOOL CVXGridCtrl::SetItemText(int item, int subItem, LPCSTR text, int colour)
{
    _RVITEM rvi;
    rvi.nMask = RVIM_TEXT | RVIM_TEXTCOLOR;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    rvi.lpszText = const_cast<LPSTR>(text);
    rvi.iTextColor = colour;
    return SetItem(&rvi);
}

BOOL CVXGridCtrl::SetItemTextColor(int item, int subItem, int colour)
{
    _RVITEM rvi;
    rvi.nMask = RVIM_TEXTCOLOR;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    rvi.iTextColor = colour;
    return SetItem(&rvi);
}

BOOL CVXGridCtrl::SetItemValue(int item, int subItem, double value, int decimals, int colour)
{
    _RVITEM rvi;
    rvi.nMask = RVIM_NUMBER | RVIM_TEXTCOLOR;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    rvi.dblNumber = value;
    rvi.iNumberFormat = decimals;
    rvi.iTextColor = colour;
    return SetItem(&rvi);
}

BOOL CVXGridCtrl::SetItemValue(int item, int subItem, LPCSTR text, int decimals, int colour)
{
    return SetItemValue(item, subItem, GridNumberText::Parse(text), decimals, colour);
}

BOOL CVXGridCtrl::SetItemImage(int item, int subItem, int image)
{
    _RVITEM rvi;
    rvi.nMask = RVIM_IMAGE;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    rvi.iImage = image;
    return SetItem(&rvi);
}

BOOL CVXGridCtrl::SetItemCheck(int item, int subItem, int check)
{
    _RVITEM rvi;
    rvi.nMask = RVIM_CHECK;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    rvi.iCheck = check;
    return SetItem(&rvi);
}

BOOL CVXGridCtrl::SetItemData(int item, DWORD_PTR data)
{
    _RVITEM rvi;
    rvi.nMask = RVIM_LPARAM;
    rvi.iItem = item;
    rvi.iSubItem = -1;
    rvi.lParam = data;
    return SetItem(&rvi);
}

_TREEITEM* CVXGridCtrl::GetItemHandle(int item)
{
    if (item < 0)
        return nullptr;
    if (item >= (int)m_arrayItems.size())
        AfxThrowInvalidArgException();
    return ToHandle(m_arrayItems[(size_t)item].lpTreeItem);
}

void CVXGridCtrl::ShiftItemIndices(int from, int delta)
{
    if (delta > 0 && from >= (int)m_arrayItems.size() - delta)
        return; // an appended item: no index reaches it
    for (int& item : m_arrayRows)
        if (item >= from)
            item += delta;
    for (int& item : m_listSelection)
        if (item >= from)
            item += delta;
    m_bRowMapDirty = TRUE;
}

int CVXGridCtrl::InsertItemImpl(LPRVITEM rvi)
{
    int at = rvi->iItem;
    if (at < 0)
        return -2;
    at = std::min(at, (int)m_arrayItems.size()); // past the end appends
    try {
        structITEM record;
        GridRowString::Fill(record.strItem, (int)m_arraySubItems.size(), s_cSeparator);
        m_arrayItems.insert(m_arrayItems.begin() + at, record);
    } catch (const std::bad_alloc&) {
        return -2;
    }
    ShiftItemIndices(at, 1);
    if (!IsTree()) {
        int row = std::min(at, (int)m_arrayRows.size());
        m_arrayRows.insert(m_arrayRows.begin() + row, at);
        m_iVirtualHeight = (int)m_arrayRows.size();
        if (m_iFocusRow >= row)
            m_iFocusRow++;
    }
    _RVITEM apply = *rvi;
    apply.iItem = at;
    SetItem(&apply);
    m_bRowMapDirty = TRUE;
    ClampScrollY();
    if (m_hWnd && m_bRedraw) {
        ScrollWindow(SB_VERT, m_iScrollY);
    }
    return at;
}

int CVXGridCtrl::InsertItem(LPRVITEM rvi)
{
    if ((m_nGridStyle & (RVS_OWNERDATA | RVS_TREEMODEL)) || !rvi)
        return -2;
    return InsertItemImpl(rvi);
}

int CVXGridCtrl::InsertItem(int item, LPCSTR text, int image, int check, int colour)
{
    _RVITEM rvi;
    rvi.nMask = RVIM_TEXT;
    rvi.iItem = item;
    rvi.iSubItem = 0;
    rvi.lpszText = const_cast<LPSTR>(text);
    if (colour >= 0)
        rvi.nMask |= RVIM_TEXTCOLOR, rvi.iTextColor = colour;
    if (image >= 0)
        rvi.nMask |= RVIM_IMAGE, rvi.iImage = image;
    if (check >= 0)
        rvi.nMask |= RVIM_CHECK, rvi.iCheck = check;
    return InsertItem(&rvi);
}

int CVXGridCtrl::AddItem(LPCSTR text, int image, int check, int colour)
{
    return InsertItem((int)m_arrayItems.size(), text, image, check, colour);
}

int CVXGridCtrl::AddItem(LPRVITEM rvi)
{
    if (rvi)
        return InsertItem(rvi);
    char text[256];
    _RVITEM cell;
    cell.nMask = RVIM_TEXT | RVIM_TEXTCOLOR | RVIM_IMAGE | RVIM_CHECK | RVIM_OVERLAY;
    cell.iItem = -1;
    cell.iSubItem = 0;
    cell.lpszText = text;
    cell.iTextMax = sizeof(text);
    if (!m_arraySubItems.empty())
        GetItem(&cell);
    cell.nMask &= ~(UINT)(RVIM_STATE | RVIM_LPARAM);
    if (!(cell.nMask & RVIM_TEXT))
        cell.nMask |= RVIM_TEXT, cell.lpszText = nullptr;
    cell.iItem = (int)m_arrayItems.size();
    int item = InsertItem(&cell);
    for (int sub = 1; item >= 0 && sub < (int)m_arraySubItems.size(); sub++) {
        _RVITEM copy;
        copy.nMask = RVIM_TEXT;
        copy.iItem = -1;
        copy.iSubItem = sub;
        copy.lpszText = text;
        copy.iTextMax = sizeof(text);
        GetItem(&copy);
        copy.nMask &= ~(UINT)(RVIM_STATE | RVIM_LPARAM);
        if (!(copy.nMask & RVIM_TEXT))
            copy.nMask |= RVIM_TEXT, copy.lpszText = nullptr;
        copy.iItem = item;
        SetItem(&copy);
    }
    return item;
}

void CVXGridCtrl::RemoveSelected(int item)
{
    m_listSelection.erase(std::remove(m_listSelection.begin(), m_listSelection.end(), item), m_listSelection.end());
}

void CVXGridCtrl::DeleteItemImpl(int item)
{
    Notify((UINT)RVN_ITEMDELETED, item, -1, 0, (LPARAM)m_arrayItems[(size_t)item].lParam);
    if (IsTree())
        for (structITEM& record : m_arrayItems)
            if (record.lpTreeItem && record.lpTreeItem->iItem > item)
                record.lpTreeItem->iItem--;
    m_arrayItems.erase(m_arrayItems.begin() + item);
    m_arrayRows.erase(std::remove(m_arrayRows.begin(), m_arrayRows.end(), item), m_arrayRows.end());
    RemoveSelected(item);
    ShiftItemIndices(item + 1, -1);
}

int CVXGridCtrl::DeleteItem(int item)
{
    if (m_nGridStyle & (RVS_OWNERDATA | RVS_TREEMODEL))
        return -2;
    if (item < 0 || item >= (int)m_arrayItems.size())
        return 0;
    int row = GetRowFromItem(item);
    DeleteItemImpl(item);
    m_bRowMapDirty = TRUE;
    m_iVirtualHeight = (int)m_arrayRows.size();
    if (row >= 0 && row <= m_iFocusRow)
        m_iFocusRow--;
    if (m_iFocusRow >= m_iVirtualHeight)
        m_iFocusRow = m_iVirtualHeight - 1;
    if (m_iFocusRow < -1)
        m_iFocusRow = -1;
    if (m_hWnd) {
        ClampScrollY();
        EnsureVisible(GetItemFromRow(std::max(m_iFocusRow, -1)));
        Invalidate();
    }
    return 1;
}

BOOL CVXGridCtrl::DeleteAllItems()
{
    if (IsOwnerData())
        return FALSE;
    if (IsTree()) {
        while (m_itemRoot.pFirstChild)
            DeleteNode(m_itemRoot.pFirstChild);
    } else {
        for (size_t i = 0; i < m_arrayItems.size(); i++)
            Notify((UINT)RVN_ITEMDELETED, (int)i, -1, 0, (LPARAM)m_arrayItems[i].lParam);
    }
    m_arrayRows.clear();
    m_arrayItems.clear();
    m_listSelection.clear();
    m_bRowMapDirty = TRUE;
    m_iVirtualHeight = 0;
    m_iFocusRow = -2;
    m_iScrollY = 0;
    if (m_hWnd) {
        ScrollWindow(SB_VERT, 0);
        Invalidate();
    }
    return TRUE;
}

BOOL CVXGridCtrl::CellMatches(const _RVFINDINFO* info, int item, int subItem)
{
    char text[256] = "";
    _RVITEM rvi;
    rvi.nMask = RVIM_TEXT;
    rvi.iItem = item;
    rvi.iSubItem = subItem;
    rvi.lpszText = text;
    rvi.iTextMax = sizeof(text);
    if (!GetItem(&rvi))
        return FALSE;
    if (info->nFlags & RVFI_TEXT) {
        if (!(rvi.nMask & RVIM_TEXT) || !info->lpszText)
            return FALSE;
        if (info->nFlags & RVFI_PARTIAL) {
            if (strncmp(text, info->lpszText, strlen(info->lpszText)) != 0)
                return FALSE;
        } else if (strcmp(text, info->lpszText) != 0) {
            return FALSE;
        }
    }
    if ((info->nFlags & RVFI_IMAGE) && (!(rvi.nMask & RVIM_IMAGE) || rvi.iImage != info->iImage))
        return FALSE;
    if ((info->nFlags & RVFI_CHECK) && (!(rvi.nMask & RVIM_CHECK) || rvi.iCheck != info->iCheck))
        return FALSE;
    if ((info->nFlags & RVFI_LPARAM) && rvi.lParam != info->lParam)
        return FALSE;
    return TRUE;
}

int CVXGridCtrl::FindItem(const _RVFINDINFO* info, int subItem, int start)
{
    if (IsOwnerData() || !info)
        return 0;
    int count = (int)m_arrayItems.size();
    int step = (info->nFlags & RVFI_UP) ? -1 : 1;
    BOOL wrap = (info->nFlags & RVFI_WRAP) != 0;
    int item = start;
    // Items -1 .. count - 1 are candidates; a start outside them still ends.
    for (int visited = 0; visited <= count; visited++) {
        item += step;
        if (item >= count) {
            if (!wrap)
                return -2;
            item = -1;
        } else if (item < -1) {
            if (!wrap)
                return -2;
            item = count - 1;
        }
        if (item == start)
            return -2;
        if (CellMatches(info, item, subItem))
            return item;
    }
    return -2;
}

BOOL CVXGridCtrl::MoveUp(int row)
{
    if (IsOwnerData() || row < 1)
        return FALSE;
    if (row >= (int)m_arrayRows.size())
        AfxThrowInvalidArgException();
    std::swap(m_arrayRows[(size_t)row - 1], m_arrayRows[(size_t)row]);
    m_bRowMapDirty = TRUE;
    if (m_iFocusRow == row)
        m_iFocusRow = row - 1;
    if (m_hWnd)
        RedrawRows(row - 1, row);
    return TRUE;
}

BOOL CVXGridCtrl::MoveDown(int row)
{
    if (IsOwnerData() || row < 0 || row >= (int)m_arrayRows.size() - 1)
        return FALSE;
    std::swap(m_arrayRows[(size_t)row], m_arrayRows[(size_t)row + 1]);
    m_bRowMapDirty = TRUE;
    if (m_iFocusRow == row)
        m_iFocusRow = row + 1;
    if (m_hWnd)
        RedrawRows(row, row + 1);
    return TRUE;
}

CString CVXGridCtrl::GetItemString(int item, char separator)
{
    CString line;
    for (size_t column = 0; column < m_arrayColumns.size(); column++) {
        int subItem = GetSubItemFromColumn((int)column);
        char text[256] = "";
        _RVITEM rvi;
        rvi.nMask = RVIM_TEXT;
        rvi.iItem = item;
        rvi.iSubItem = subItem;
        rvi.lpszText = text;
        rvi.iTextMax = sizeof(text);
        GetItem(&rvi);
        CString cell;
        if (rvi.nMask & RVIM_TEXT) {
            GridRowString::BlankSeparators(text, separator);
            cell = text;
        } else if (rvi.nMask & RVIM_IMAGE) {
            cell.Format("%d", rvi.iImage);
        } else if (rvi.nMask & RVIM_CHECK) {
            cell.Format("%d", rvi.iCheck);
        }
        if (IsTree() && column == 0 && rvi.iIndent >= 1) {
            for (int i = 0; i < rvi.iIndent - 1; i++)
                line += s_strTreeIndent;
            line += (rvi.nState & RVIS_TREEOPEN) ? '-' : (rvi.nState & RVIS_TREECLOSED) ? '+' : ' ';
        }
        line += cell;
        line += column + 1 < m_arrayColumns.size() ? separator : '\n';
    }
    return line;
}
