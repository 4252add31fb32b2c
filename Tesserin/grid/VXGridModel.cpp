// The grid's storage: row records, the owner-data cache, the parent's replies
// for owner data, the row count and the colour table with its palette.
#include "grid/VXGridCtrl.h"
#include "grid/VXGridSubItemListCtrl.h"

#include <algorithm>
#include <cstring>

char CVXGridCtrl::s_cSeparator = '|';
char CVXGridCtrl::s_cCopySeparator = '\t';
CString CVXGridCtrl::s_strTreeIndent = "  ";

CVXGridCtrl::CVXGridCtrl()
{
    RegisterGridClass();
    m_itemRoot.bExpanded = 1;
    m_strEmptyField = GridRowString::EmptyField(s_cSeparator);
    m_strNoItems = "No Data : 표시할 자료가 없습니다.";
}

CVXGridCtrl::~CVXGridCtrl()
{
    // A chooser that outlives the grid must not reach it.
    if (m_pSubItemListCtrl)
        m_pSubItemListCtrl->SetVXGridCtrl(nullptr);
    FreeNodes(&m_itemRoot);
}

int CVXGridCtrl::ReadCell(const structITEM& record, int subItem, GridCellFields& cell, char* text, int size) const
{
    return GridRowString::Read(record.strItem, subItem < 0 ? 0 : subItem, s_cSeparator, cell, text, size);
}

structITEM* CVXGridCtrl::CacheLookup(int item)
{
    if (item == -1)
        return m_bFixedCached ? &m_itemFixed : nullptr;
    if (item < -1)
        return nullptr;
    CacheSlot& slot = m_cache[item % 128];
    return slot.iItem == item ? &slot.item : nullptr;
}

structITEM* CVXGridCtrl::CacheAdd(int item)
{
    if (item == -1) {
        m_bFixedCached = TRUE;
        return &m_itemFixed;
    }
    CacheSlot& slot = m_cache[((item % 128) + 128) % 128];
    slot.iItem = item;
    slot.item = structITEM();
    return &slot.item;
}

void CVXGridCtrl::CacheDelete(int item)
{
    if (item == -2) {
        for (CacheSlot& slot : m_cache)
            slot.iItem = -2;
        m_bFixedCached = FALSE;
    } else if (item == -1) {
        m_bFixedCached = FALSE;
    } else if (item >= 0 && m_cache[item % 128].iItem == item) {
        m_cache[item % 128].iItem = -2;
    }
}

void CVXGridCtrl::FlushCache(int item)
{
    if (IsOwnerData() || m_bCacheOn)
        CacheDelete(item);
}

structITEM& CVXGridCtrl::GetItemStruct(int item, int subItem, UINT mask)
{
    if (!IsOwnerData() || item == -1) {
        if (item == -1)
            return m_itemFixed;
        if (item < 0 || item >= (int)m_arrayItems.size())
            AfxThrowInvalidArgException();
        return m_arrayItems[(size_t)item];
    }
    structITEM* hit = m_bCacheOn ? CacheLookup(item) : nullptr;
    if (hit) {
        GridCellFields cell;
        if (subItem >= 0 && !ReadCell(*hit, subItem, cell, nullptr, 0))
            LoadItemData(hit, item, subItem, mask);
        return *hit;
    }
    structITEM* slot = CacheAdd(item);
    GridRowString::Fill(slot->strItem, (int)m_arraySubItems.size(), s_cSeparator);
    LoadItemData(slot, item, subItem, mask);
    return *slot;
}

void CVXGridCtrl::SetItemStruct(int item, structITEM& record)
{
    if (IsOwnerData())
        return;
    if (item == -1)
        m_itemFixed = record;
    else if (item < 0 || item >= (int)m_arrayItems.size())
        AfxThrowInvalidArgException();
    else
        m_arrayItems[(size_t)item] = record;
}

int CVXGridCtrl::LoadItemData(structITEM* record, int item, int subItem, UINT mask)
{
    if (!m_hWnd || !GetParent())
        return 0;
    _NMRVITEM request;
    memset(&request.hdr, 0, sizeof(request.hdr));
    request.hdr.hwndFrom = m_hWnd;
    request.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    request.hdr.code = (UINT)RVN_LOADITEMDATA;
    request.item.nMask = mask;
    request.item.iItem = item;
    request.item.iSubItem = subItem;
    char text[257] = {0};
    if (subItem >= 0) {
        request.item.nMask |= RVIM_TEXT;
        request.item.lpszText = text;
        request.item.iTextMax = 256;
    }
    Notify((_NMREPORTVIEW*)&request);
    const _RVITEM& reply = request.item;
    if (subItem >= 0 && subItem < (int)m_arraySubItems.size()) {
        text[255] = 0; // the owner may fill the whole buffer
        GridRowString::BlankSeparators(text, s_cSeparator);
        GridCellFields cell;
        cell.iImage = (reply.nMask & RVIM_IMAGE) ? reply.iImage : -1;
        cell.iOverlay = (reply.nMask & RVIM_OVERLAY) ? reply.iOverlay : -1;
        cell.iCheck = (reply.nMask & RVIM_CHECK) ? reply.iCheck : -1;
        cell.iTextColor = (reply.nMask & RVIM_TEXTCOLOR) ? reply.iTextColor : -1;
        cell.iNumberFormat = (reply.nMask & RVIM_NUMBER) ? reply.iNumberFormat : -1;
        const char* replyText = (reply.nMask & RVIM_TEXT) && reply.lpszText ? text : nullptr;
        if (replyText && reply.lpszText != text) {
            int length = GridRowString::CutLength(reply.lpszText, 255);
            memcpy(text, reply.lpszText, length);
            text[length] = 0;
        }
        cell.iTextLength = replyText ? (int)strlen(text) : -1;
        GridRowString::Replace(record->strItem, subItem, s_cSeparator, cell, replyText);
    }
    record->iBkColor = (reply.nMask & RVIM_BKCOLOR) ? reply.iBkColor : -1;
    record->nPreview = (reply.nMask & RVIM_PREVIEW) ? reply.nPreview : 0;
    record->nState = (reply.nMask & RVIM_STATE) ? reply.nState : 0;
    record->iIndent = (reply.nMask & RVIM_INDENT) ? reply.iIndent : -1;
    return 1;
}

void CVXGridCtrl::SetItemCount(int count)
{
    if (count < 0)
        count = 0;
    m_iVirtualHeight = count;
    if (m_iFocusRow >= count)
        m_iFocusRow = count - 1;
    m_listSelection.erase(std::remove_if(m_listSelection.begin(), m_listSelection.end(),
                                         [count](int item) { return item >= count; }),
                          m_listSelection.end());
    for (CacheSlot& slot : m_cache)
        if (slot.iItem >= count)
            slot.iItem = -2;
    if (m_hWnd) {
        InvalidateRect(&m_rectRows, TRUE);
        ScrollWindow(SB_VERT, std::min(m_iScrollY, count));
        UpdateWindow();
    }
}

int CVXGridCtrl::GetItemCount() const
{
    return IsOwnerData() ? m_iVirtualHeight : (int)m_arrayItems.size();
}

int CVXGridCtrl::GetItemFromRow(int row)
{
    if (IsOwnerData() || row == -1 || row == -2)
        return row;
    if (row < 0 || row >= (int)m_arrayRows.size())
        AfxThrowInvalidArgException();
    return m_arrayRows[(size_t)row];
}

int CVXGridCtrl::GetRowFromItem(int item)
{
    if (item == -1 || IsOwnerData())
        return item;
    if (m_arrayRows.empty())
        return -2;
    if (m_bRowMapDirty) {
        m_rowOfItem.assign(m_arrayItems.size(), -2);
        for (size_t row = 0; row < m_arrayRows.size(); row++)
            if (m_arrayRows[row] >= 0 && m_arrayRows[row] < (int)m_rowOfItem.size())
                m_rowOfItem[(size_t)m_arrayRows[row]] = (int)row;
        m_bRowMapDirty = FALSE;
    }
    return item >= 0 && item < (int)m_rowOfItem.size() ? m_rowOfItem[(size_t)item] : -2;
}

BOOL CVXGridCtrl::SetItemRowArray(const std::vector<int>& rows)
{
    if (IsOwnerData() || rows.size() != m_arrayRows.size())
        return FALSE;
    int focusItem = m_iFocusRow >= 0 && m_iFocusRow < (int)m_arrayRows.size() ? m_arrayRows[(size_t)m_iFocusRow] : -2;
    m_arrayRows = rows;
    m_bRowMapDirty = TRUE;
    if (focusItem >= 0)
        m_iFocusRow = GetRowFromItem(focusItem);
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

BOOL CVXGridCtrl::SetImageList(CImageList* images, CImageList* checks)
{
    int cx = 0, cy = 0;
    if (images) {
        if (!ImageList_GetIconSize(images->GetSafeHandle(), &cx, &cy) || images->GetImageCount() < 1)
            return FALSE;
        m_pImageList = images;
        m_sizeImage = CSize(cx, cy);
        m_iItemHeight = std::max(m_iItemHeight, cy + 2);
        if (m_wndHeader.m_hWnd)
            m_wndHeader.SetImageList(images);
    }
    if (checks) {
        if (!ImageList_GetIconSize(checks->GetSafeHandle(), &cx, &cy) || checks->GetImageCount() < 1)
            return FALSE;
        m_pCheckList = checks;
        m_sizeCheck = CSize(cx, cy);
        m_iItemHeight = std::max(m_iItemHeight, cy + 1);
    }
    if (m_hWnd)
        Invalidate(TRUE);
    return TRUE;
}

int CVXGridCtrl::InsertColor(int index, COLORREF colour)
{
    index = std::max(0, std::min(index, (int)m_arrayColors.size()));
    m_arrayColors.insert(m_arrayColors.begin() + index, colour);
    RebuildPalette();
    return index;
}

BOOL CVXGridCtrl::SetColor(int index, COLORREF colour)
{
    if (index < 0 || index >= (int)m_arrayColors.size())
        return FALSE;
    m_arrayColors[(size_t)index] = colour;
    RebuildPalette();
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

COLORREF CVXGridCtrl::GetColor(int index) const
{
    if (index < 0 || index >= (int)m_arrayColors.size())
        AfxThrowInvalidArgException();
    return m_arrayColors[(size_t)index];
}

BOOL CVXGridCtrl::DeleteColor(int index)
{
    if (index < 0 || index >= (int)m_arrayColors.size())
        return FALSE;
    m_arrayColors.erase(m_arrayColors.begin() + index);
    RebuildPalette();
    return TRUE;
}

void CVXGridCtrl::DeleteAllColors()
{
    m_arrayColors.clear();
    RebuildPalette();
}

BOOL CVXGridCtrl::RebuildPalette()
{
    m_palette.DeleteObject();
    std::vector<RGBQUAD> bitmapColours;
    if (m_bmpBack.GetSafeHandle()) {
        DIBSECTION dib = {};
        if (::GetObject(m_bmpBack.GetSafeHandle(), sizeof(dib), &dib) == sizeof(dib) &&
            dib.dsBmih.biBitCount <= 8) {
            HDC dc = ::CreateCompatibleDC(nullptr);
            HGDIOBJ old = ::SelectObject(dc, m_bmpBack.GetSafeHandle());
            bitmapColours.resize(256);
            UINT n = ::GetDIBColorTable(dc, 0, 256, bitmapColours.data());
            bitmapColours.resize(n);
            ::SelectObject(dc, old);
            ::DeleteDC(dc);
        }
    }
    size_t count = m_arrayColors.size() + bitmapColours.size();
    if (count == 0)
        return FALSE;
    if (count > 256) {
        HDC screen = ::GetDC(nullptr);
        HPALETTE halftone = ::CreateHalftonePalette(screen);
        ::ReleaseDC(nullptr, screen);
        return halftone && m_palette.Attach(halftone);
    }
    std::vector<BYTE> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    LOGPALETTE* logical = (LOGPALETTE*)block.data();
    logical->palVersion = 0x300;
    logical->palNumEntries = (WORD)count;
    size_t i = 0;
    for (COLORREF c : m_arrayColors)
        logical->palPalEntry[i++] = {GetRValue(c), GetGValue(c), GetBValue(c), 0};
    for (const RGBQUAD& q : bitmapColours)
        logical->palPalEntry[i++] = {q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
    return m_palette.CreatePalette(logical);
}

void CVXGridCtrl::ClampScrollY()
{
    if (m_iScrollY > std::max(0, m_iVirtualHeight - 1))
        m_iScrollY = std::max(0, m_iVirtualHeight - 1);
}
