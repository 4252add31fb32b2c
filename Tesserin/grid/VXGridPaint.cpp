// Painting: the whole control, rows, cells and their parts. Only rows and cells
// that meet the clip box are drawn; one record and one text buffer per row.
#include "grid/GridOffscreen.h"
#include "grid/VXGridCtrl.h"

#include <algorithm>

void CVXGridCtrl::OnPaintImpl()
{
    CPaintDC paintDC(this);
    if (!m_rectHeader.IsRectEmpty())
        paintDC.ExcludeClipRect(&m_rectHeader);
    CPalette* oldPalette = nullptr;
    if (m_palette.GetSafeHandle() && (paintDC.GetDeviceCaps(RASTERCAPS) & RC_PALETTE)) {
        oldPalette = paintDC.SelectPalette(&m_palette, FALSE);
        paintDC.RealizePalette();
    }
    if (m_bDoubleBuffer) {
        CRect clip;
        paintDC.GetClipBox(&clip);
        GridOffscreen offscreen(&paintDC, clip);
        if (m_hEditWnd) {
            CRect editor;
            ::GetWindowRect(m_hEditWnd, &editor);
            ScreenToClient(&editor);
            offscreen.ExcludeFromCopy(editor);
        }
        DrawCtrl(offscreen.DC());
    } else {
        DrawCtrl(&paintDC);
    }
    if (oldPalette)
        paintDC.SelectPalette(oldPalette, FALSE);
}

void CVXGridCtrl::ReadDrawRecord(int item, int subItem, _RVITEM& record, char* buffer, int size)
{
    record = _RVITEM();
    record.nMask = RVIM_TEXT;
    record.iItem = item;
    record.iSubItem = subItem;
    record.lpszText = buffer;
    record.iTextMax = size;
    buffer[0] = 0;
    GetItem(&record);
    if (!(record.nMask & RVIM_TEXT))
        record.lpszText = buffer;
}

void CVXGridCtrl::DrawCtrl(CDC* dc)
{
    CRect clip;
    dc->GetClipBox(&clip);
    if (clip.IsRectEmpty())
        return;
    int scrollX = std::min(m_iScrollX, m_iVirtualWidth);
    int top = std::min(m_iScrollY, m_iVirtualHeight);
    COLORREF background = IsWindowEnabled() ? m_crColors[0] : m_crColors[7];
    DrawBkgnd(dc, clip, background);
    static const int penStyles[3] = {PS_DOT, PS_DASH, PS_SOLID};
    CPen pen(penStyles[m_iGridPen], 1, m_crColors[6]);
    CPen* oldPen = dc->SelectObject(&pen);
    CFont* oldFont = dc->SelectObject(&m_fontNormal);
    dc->SetBkMode(TRANSPARENT);
    if (m_bColumnsReordered) {
        RemoveIndent();
        ReorderColumns();
        ApplyIndent();
    }
    if (m_nGridStyle & RVS_SHOWFIXEDROW)
        DrawFixedRow(dc, clip, background);
    if (m_iVirtualHeight == 0) {
        DrawEmptyText(dc);
    } else {
        char buffer[256];
        _RVITEM record;
        int bottom = m_rectRows.top;
        int row = top;
        for (; row < m_iVirtualHeight && bottom < clip.bottom; row++) {
            int item = IsOwnerData() ? row : m_arrayRows[(size_t)row];
            ReadDrawRecord(item, -1, record, buffer, sizeof(buffer));
            CRect rect(m_rectClient.left - scrollX, bottom, m_rectClient.left - scrollX + m_iVirtualWidth,
                       bottom + m_iItemHeight + (m_bPreview ? record.nPreview : 0));
            bottom = rect.bottom;
            if (rect.bottom < clip.top)
                continue;
            if (record.iIndent >= 0 && (record.nMask & RVIM_INDENT)) {
                rect.left += record.iIndent * m_iItemHeight;
                rect.right = std::max(rect.right, rect.left);
            }
            DrawRow(dc, rect, clip, row, &record, row & 1);
            if (m_bPreview && (record.nMask & RVIM_PREVIEW) && record.nPreview) {
                _NMRVDRAWROW draw;
                memset(&draw.hdr, 0, sizeof(draw.hdr));
                draw.hdr.code = (UINT)RVN_DRAWROW;
                draw.iItem = item;
                draw.nState = record.nState;
                draw.hDC = dc->GetSafeHdc();
                draw.lParam = (LPARAM)record.lParam;
                draw.rect = CRect(rect.left, rect.top + m_iItemHeight, rect.right, rect.bottom);
                Notify((_NMREPORTVIEW*)&draw);
            }
            if (m_nGridStyle & RVS_SHOWHGRID) {
                dc->MoveTo(rect.left, rect.bottom - 1);
                dc->LineTo(rect.right, rect.bottom - 1);
            }
            if (m_bFocus && !m_hEditWnd && row == m_iFocusRow &&
                (!(m_nGridStyle & RVS_FOCUSSUBITEMS) || m_iFocusColumn < 0))
                DrawFocusRect(dc, rect, background);
        }
        DrawGridLines(dc, clip, bottom, row >= m_iVirtualHeight);
    }
    dc->SelectObject(oldFont);
    dc->SelectObject(oldPen);
}

void CVXGridCtrl::DrawFocusRect(CDC* dc, CRect rect, COLORREF background)
{
    if (m_nGridStyle & (RVS_SHOWHGRID | RVS_SHOWVGRID)) {
        rect.left++;
        rect.right--;
        rect.bottom--;
    }
    dc->SetBkColor(background);
    dc->SetTextColor(m_crColors[3]);
    dc->DrawFocusRect(&rect);
}

void CVXGridCtrl::DrawFixedRow(CDC* dc, const CRect& clip, COLORREF background)
{
    int bar = 2 * ::GetSystemMetrics(SM_CYFIXEDFRAME);
    CRect barRect(m_rectClient.left, m_rectFixed.bottom - bar, m_rectClient.right, m_rectFixed.bottom);
    dc->FillSolidRect(&barRect, m_crColors[7]);
    dc->Draw3dRect(&barRect, m_crColors[10], m_crColors[11]);
    char buffer[256];
    _RVITEM record;
    ReadDrawRecord(-1, -1, record, buffer, sizeof(buffer));
    CRect rect(m_rectFixed.left - m_iScrollX, m_rectFixed.top, m_rectFixed.left - m_iScrollX + m_iVirtualWidth,
               m_rectFixed.bottom - bar);
    DrawRow(dc, rect, clip, -1, &record, FALSE);
    if (m_bFocus && !m_hEditWnd && m_iFocusRow == -1 && m_iFocusColumn < 0) {
        CRect focus = m_rectFixed;
        focus.bottom -= bar;
        if (m_nGridStyle & (RVS_SHOWHGRID | RVS_SHOWVGRID))
            focus.DeflateRect(1, 0);
        dc->SetBkColor(background);
        dc->SetTextColor(m_crColors[3]);
        dc->DrawFocusRect(&focus);
    }
}

void CVXGridCtrl::DrawEmptyText(CDC* dc)
{
    if (m_strNoItems.IsEmpty())
        return;
    CRect band(m_rectClient.left, m_rectRows.top + 2, m_rectClient.right, m_rectRows.top + 2 + m_iItemHeight);
    if (m_iVirtualWidth > 0 && m_iVirtualWidth < m_rectClient.Width())
        band.right = band.left + m_iVirtualWidth - m_iScrollX;
    dc->SetTextColor(m_crColors[3]);
    dc->DrawText(m_strNoItems, -1, &band, DT_CENTER | DT_END_ELLIPSIS | DT_SINGLELINE | DT_NOPREFIX);
}

void CVXGridCtrl::DrawGridLines(CDC* dc, const CRect& clip, int lastBottom, BOOL allRows)
{
    int right = m_rectClient.left - m_iScrollX + m_iVirtualWidth;
    int bottom = (m_nGridStyle & RVS_SHOWHGRIDEX) ? m_rectClient.bottom : lastBottom;
    if (m_nGridStyle & (RVS_SHOWHGRID | RVS_SHOWVGRID)) {
        dc->MoveTo(right - 1, m_rectRows.top);
        dc->LineTo(right - 1, bottom);
    }
    if ((m_nGridStyle & RVS_SHOWHGRID) && (m_nGridStyle & RVS_SHOWHGRIDEX) && allRows)
        for (int y = lastBottom + m_iItemHeight; y <= m_rectClient.bottom; y += m_iItemHeight) {
            dc->MoveTo(m_rectClient.left - m_iScrollX, y - 1);
            dc->LineTo(right, y - 1);
        }
    if (m_nGridStyle & RVS_SHOWVGRID) {
        int x = m_rectClient.left - m_iScrollX;
        for (size_t column = 0; column < m_arrayColumns.size() && x < clip.right; column++) {
            x += ColumnWidth((int)column);
            dc->MoveTo(x - 1, m_rectRows.top);
            dc->LineTo(x - 1, bottom);
        }
    }
}

void CVXGridCtrl::DrawRow(CDC* dc, CRect rect, CRect clip, int row, LPRVITEM record, BOOL odd)
{
    COLORREF plain = IsWindowEnabled() ? m_crColors[0] : m_crColors[7];
    COLORREF colour = plain;
    if ((m_nGridStyle & RVS_SHOWCOLORALTERNATE) && odd && !m_arrayColors.empty())
        colour = m_arrayColors[0];
    if (record->iBkColor >= 0 && record->iBkColor < (int)m_arrayColors.size())
        colour = m_arrayColors[(size_t)record->iBkColor];
    BOOL selected = (record->nState & RVIS_SELECTED) != 0;
    if (selected && m_bFocus)
        colour = m_crColors[1];
    else if (selected && (m_nGridStyle & RVS_SHOWSELALWAYS))
        colour = m_crColors[2];
    if (!(m_bmpBack.GetSafeHandle() && colour == plain && row != -1))
        dc->FillSolidRect(&rect, colour);
    dc->SetBkColor(colour);
    CFont* oldFont = (record->nState & RVIS_BOLD) ? dc->SelectObject(&m_fontBold) : nullptr;
    int item = record->iItem;
    structTREEITEM* node = IsTree() && item >= 0 && item < (int)m_arrayItems.size()
                               ? m_arrayItems[(size_t)item].lpTreeItem
                               : nullptr;
    char buffer[256];
    _RVITEM cell;
    int x = rect.left;
    for (size_t column = 0; column < m_arrayColumns.size() && x < clip.right; column++) {
        int width = ColumnWidth((int)column);
        CRect cellRect(x, rect.top, x + width, rect.top + m_iItemHeight);
        if (column == 0 && record->iIndent >= 0 && (record->nMask & RVIM_INDENT))
            cellRect.right = std::max(cellRect.left, cellRect.right - record->iIndent * m_iItemHeight);
        x = cellRect.right;
        if (cellRect.right < clip.left)
            continue;
        int subItem = GetSubItemFromColumn((int)column);
        BOOL spanning = column == 0 && node && node->iSubItem >= 0;
        if (spanning) {
            subItem = node->iSubItem;
            cellRect.right = rect.right;
        }
        ReadDrawRecord(item, subItem, cell, buffer, sizeof(buffer));
        COLORREF text = cell.iTextColor >= 0 && cell.iTextColor < (int)m_arrayColors.size()
                            ? m_arrayColors[(size_t)cell.iTextColor]
                            : m_crColors[3];
        BOOL ownColour = (m_nGridStyle & RVS_SHOWCOLORALWAYS) && cell.iTextColor >= 0;
        if (selected && m_bFocus && !ownColour)
            text = m_crColors[4];
        else if (selected && !m_bFocus && (m_nGridStyle & RVS_SHOWSELALWAYS) && !ownColour)
            text = m_crColors[5];
        BOOL focusCell = row == m_iFocusRow && (int)column == m_iFocusColumn &&
                         ((m_nGridStyle & RVS_FOCUSSUBITEMS) || row == -1);
        if (focusCell) {
            dc->FillSolidRect(&cellRect, plain);
            text = m_crColors[3];
        }
        dc->SetTextColor(text);
        if (column == 0 && record->iIndent >= 0 && (record->nState & (RVIS_TREECLOSED | RVIS_TREEOPEN))) {
            CRect box(cellRect.left - m_iItemHeight, cellRect.top, cellRect.left, cellRect.bottom);
            DrawTreeBox(dc, box, (record->nState & RVIS_TREEOPEN) != 0);
        }
        cell.nState = record->nState;
        CRect inner(cellRect.left + m_iSpacing, cellRect.top, cellRect.right - m_iSpacing, cellRect.bottom);
        DrawItem(dc, inner, &cell);
        if (focusCell && m_bFocus && !m_hEditWnd)
            DrawFocusRect(dc, cellRect, plain);
        if (spanning)
            break;
    }
    if (oldFont)
        dc->SelectObject(oldFont);
}

void CVXGridCtrl::DrawItem(CDC* dc, CRect rect, LPRVITEM record)
{
    if (record->nState & RVIS_OWNERDRAW) {
        _NMRVDRAWITEM draw;
        memset(&draw.hdr, 0, sizeof(draw.hdr));
        draw.hdr.code = (UINT)RVN_DRAWITEM;
        draw.lpItem = record;
        draw.hDC = dc->GetSafeHdc();
        draw.rect = rect;
        if (Notify((_NMREPORTVIEW*)&draw))
            return;
    }
    int width = DrawImage(dc, rect, record);
    if (width > 0) {
        if ((record->nMask & RVIM_IMAGE) && rect.Width() < width)
            return;
        rect.left += width + m_iSpacing;
    }
    width = DrawCheck(dc, rect, record);
    if (width > 0) {
        if ((record->nMask & RVIM_CHECK) && rect.Width() < width)
            return;
        rect.left += width + m_iSpacing;
    }
    rect.top += 2;
    DrawText(dc, rect, record);
}

BOOL CVXGridCtrl::SetBkImage(HBITMAP bitmap)
{
    m_bmpBack.DeleteObject();
    m_sizeBack = CSize(0, 0);
    BITMAP info = {};
    if (!bitmap || !::GetObject(bitmap, sizeof(info), &info)) {
        RebuildPalette();
        return FALSE;
    }
    m_bmpBack.Attach(bitmap);
    m_sizeBack = CSize(info.bmWidth, info.bmHeight);
    RebuildPalette();
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

BOOL CVXGridCtrl::SetBkImage(LPCSTR name)
{
    HBITMAP bitmap = (HBITMAP)::LoadImage(AfxGetResourceHandle(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    return SetBkImage(bitmap);
}

BOOL CVXGridCtrl::SetBkImage(UINT resourceId)
{
    return SetBkImage(MAKEINTRESOURCE(resourceId));
}

BOOL CVXGridCtrl::DrawBkgnd(CDC* dc, CRect rect, COLORREF colour)
{
    if (!m_bmpBack.GetSafeHandle() || m_sizeBack.cx <= 0 || m_sizeBack.cy <= 0) {
        dc->FillSolidRect(&rect, colour);
        return FALSE;
    }
    rect.IntersectRect(&rect, &m_rectClient);
    CDC source;
    source.CreateCompatibleDC(dc);
    CBitmap* old = source.SelectObject(&m_bmpBack);
    int startX = rect.left - ((rect.left + m_iScrollX) % m_sizeBack.cx);
    int startY = rect.top - (rect.top % m_sizeBack.cy);
    for (int y = startY; y < rect.bottom; y += m_sizeBack.cy)
        for (int x = startX; x < rect.right; x += m_sizeBack.cx)
            dc->BitBlt(x, y, m_sizeBack.cx, m_sizeBack.cy, &source, 0, 0, SRCCOPY);
    source.SelectObject(old);
    return TRUE;
}

int CVXGridCtrl::DrawImage(CDC* dc, CRect rect, LPRVITEM record)
{
    const structSUBITEM* sub = SubItemAt(record->iSubItem);
    BOOL reserves = sub && (sub->nMask & RVCF_SUBITEM_IMAGE);
    if (!(record->nMask & RVIM_IMAGE) || !m_pImageList)
        return reserves ? m_sizeImage.cx : 0;
    if (rect.Width() < 1)
        return m_sizeImage.cx;
    UINT style = ILD_NORMAL;
    COLORREF blend = CLR_NONE;
    BOOL selected = (record->nState & RVIS_SELECTED) != 0, focused = (record->nState & RVIS_FOCUSED) != 0;
    switch (m_iBlendMode) {
    case 0:
        style = (record->nState & RVIS_BLEND25) ? ILD_BLEND25 : (record->nState & RVIS_BLEND50) ? ILD_BLEND50 : 0;
        blend = m_crBlend;
        break;
    case 1: style = selected ? ILD_BLEND50 : 0, blend = dc->GetBkColor(); break;
    case 2: style = focused ? ILD_BLEND25 : 0, blend = m_crColors[0]; break;
    case 3:
        style = selected ? ILD_BLEND50 : focused ? ILD_BLEND25 : 0;
        blend = selected ? dc->GetBkColor() : m_crColors[0];
        break;
    }
    IMAGELISTDRAWPARAMS params = {sizeof(params)};
    params.himl = m_pImageList->GetSafeHandle();
    params.i = record->iImage;
    params.hdcDst = dc->GetSafeHdc();
    params.x = rect.left;
    params.y = rect.top + (m_iItemHeight - m_sizeImage.cy) / 2;
    params.cx = std::min((int)m_sizeImage.cx, rect.Width());
    params.cy = m_sizeImage.cy;
    params.rgbBk = CLR_DEFAULT;
    params.rgbFg = blend;
    params.fStyle = style;
    ImageList_DrawIndirect(&params);
    if (record->nMask & RVIM_OVERLAY) {
        params.i = record->iOverlay;
        ImageList_DrawIndirect(&params);
    }
    return m_sizeImage.cx;
}

int CVXGridCtrl::DrawCheck(CDC* dc, CRect rect, LPRVITEM record)
{
    const structSUBITEM* sub = SubItemAt(record->iSubItem);
    BOOL reserves = sub && (sub->nMask & RVCF_SUBITEM_CHECK);
    if (!(record->nMask & RVIM_CHECK))
        return reserves ? m_sizeCheck.cx : 0;
    if (rect.Width() <= m_sizeCheck.cx)
        return 0;
    int centre = rect.top + m_iItemHeight / 2;
    if (m_pCheckList) {
        m_pCheckList->Draw(dc, record->iCheck, CPoint(rect.left, centre - m_sizeCheck.cy / 2 + 1), ILD_TRANSPARENT);
        return m_sizeCheck.cx;
    }
    int value = record->iCheck >= 0 && record->iCheck <= 7 ? record->iCheck : 0;
    BOOL radio = value >= 4;
    UINT state = (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | ((value & 1) ? DFCS_CHECKED : 0);
    state |= m_iCheckStyle == 0 ? DFCS_FLAT : m_iCheckStyle == 1 ? DFCS_MONO : 0;
    CRect box(rect.left, centre - m_sizeCheck.cy / 2, rect.left + m_sizeCheck.cx,
              centre - m_sizeCheck.cy / 2 + m_sizeCheck.cy);
    dc->DrawFrameControl(&box, DFC_BUTTON, state);
    if (value & 2)
        DrawRedCross(dc, box, radio);
    return m_sizeCheck.cx;
}

void CVXGridCtrl::DrawRedCross(CDC* dc, CRect rect, BOOL radio)
{
    rect.DeflateRect(1, 1);
    if (radio)
        rect.OffsetRect(1, 0);
    CPen red(PS_SOLID, 2, RGB(255, 0, 0));
    CPen* old = dc->SelectObject(&red);
    dc->MoveTo(rect.left, rect.top);
    dc->LineTo(rect.right, rect.bottom);
    dc->MoveTo(rect.right, rect.top);
    dc->LineTo(rect.left, rect.bottom);
    dc->SelectObject(old);
}

int CVXGridCtrl::DrawText(CDC* dc, CRect rect, LPRVITEM record)
{
    if (!(record->nMask & RVIM_TEXT) || !record->lpszText || !*record->lpszText || rect.Width() <= 0)
        return 0;
    const structSUBITEM* sub = SubItemAt(record->iSubItem < 0 ? 0 : record->iSubItem);
    UINT align = sub ? (sub->nMask & 3) : 0;
    UINT format = DT_END_ELLIPSIS | DT_VCENTER | DT_NOPREFIX |
                  (align == 1 ? DT_RIGHT : align == 2 ? DT_CENTER : DT_LEFT);
    dc->DrawText(record->lpszText, -1, &rect, format);
    int width = dc->GetTextExtent(record->lpszText, (int)strlen(record->lpszText)).cx;
    return std::max(0, std::min(width, rect.Width()));
}

int CVXGridCtrl::DrawTreeBox(CDC* dc, CRect rect, BOOL expanded)
{
    if (rect.Width() < 0)
        return rect.left;
    int cy = rect.top + rect.Height() / 2;
    int cx = rect.left + rect.Height() / 2;
    CRect box(cx - 4, cy - 4, cx + 5, cy + 5);
    dc->FillSolidRect(&box, m_crColors[9]);
    box.DeflateRect(1, 1);
    dc->FillSolidRect(&box, m_crColors[0]);
    CPen pen(PS_SOLID, 1, m_crColors[3]);
    CPen* old = dc->SelectObject(&pen);
    dc->MoveTo(cx - 2, cy);
    dc->LineTo(cx + 3, cy);
    if (!expanded) {
        dc->MoveTo(cx, cy - 2);
        dc->LineTo(cx, cy + 3);
    }
    dc->SelectObject(old);
    return rect.left + rect.Height();
}
