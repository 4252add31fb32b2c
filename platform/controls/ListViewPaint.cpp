// Report list painting with custom draw.
#include "controls/ListViewControl.h"
#include "controls/CommonNotify.h"
#include "controls/CommonPaint.h"

#include <algorithm>
#include <cstring>

namespace mivo {

void ListViewControl::DrawCell(HDC hdc, int index, int column, const RECT& cell, COLORREF text, COLORREF back,
                               bool selected)
{
    const ListRow& row = rows_[(size_t)index];
    RECT rc = cell;
    bool full = (exStyle_ & LVS_EX_FULLROWSELECT) != 0;
    if (column == 0) {
        RECT icon, label;
        ItemRect(index, LVIR_ICON, icon);
        ItemRect(index, LVIR_LABEL, label);
        UINT stateImage = (row.state & LVIS_STATEIMAGEMASK) >> 12;
        if (Checkboxes() && stateImage && !images_[LVSIL_STATE]) {
            RECT box = {icon.left - kCheckWidth + 2, rc.top + (rc.bottom - rc.top - 13) / 2, 0, 0};
            box.right = box.left + 13;
            box.bottom = box.top + 13;
            DrawFrameControl(hdc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (stateImage == 2 ? DFCS_CHECKED : 0));
        } else if (stateImage && images_[LVSIL_STATE]) {
            int cx = 0, cy = 0;
            ImageList_GetIconSize(images_[LVSIL_STATE], &cx, &cy);
            ImageList_Draw(images_[LVSIL_STATE], (int)stateImage - 1, hdc, icon.left - cx,
                           rc.top + (rc.bottom - rc.top - cy) / 2, ILD_TRANSPARENT);
        }
        if (icon.right > icon.left && images_[LVSIL_SMALL]) {
            int cx = 0, cy = 0;
            ImageList_GetIconSize(images_[LVSIL_SMALL], &cx, &cy);
            int image = row.image;
            if (image == I_IMAGECALLBACK) {
                NMLVDISPINFOA di = {};
                di.item.mask = LVIF_IMAGE;
                di.item.iItem = index;
                di.item.lParam = row.data;
                SendNotify(hwnd_, LVN_GETDISPINFOA, &di.hdr);
                image = di.item.iImage;
            }
            UINT style = ILD_TRANSPARENT | (row.state & LVIS_OVERLAYMASK) |
                         (selected && focused_ ? ILD_BLEND50 : 0);
            ImageList_Draw(images_[LVSIL_SMALL], image, hdc, icon.left, rc.top + (rc.bottom - rc.top - cy) / 2, style);
        }
        rc.left = label.left;
        if (!full && selected) {
            // Only the label carries the selection colour without full-row selection.
            const std::string& t = CellText(index, 0);
            int w = TextWidth(hdc, t.c_str(), (int)t.size()) + 2 * kLabelMargin + 2;
            RECT hl = {rc.left, rc.top, std::min((int)rc.right, (int)rc.left + w), rc.bottom};
            FillSolid(hdc, hl, back);
            if (focused_ && index == focus_)
                DrawFocusRect(hdc, &hl);
        }
    }
    int sub = column < ColumnCount() ? columns_[(size_t)column].subItem : 0;
    const std::string& t = CellText(index, sub);
    if (t.empty())
        return;
    int fmt = column < ColumnCount() ? columns_[(size_t)column].fmt : LVCFMT_LEFT;
    UINT align = (fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT    ? DT_RIGHT
                 : (fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? DT_CENTER
                                                               : DT_LEFT;
    RECT textRc = {rc.left + (column == 0 ? kLabelMargin : kCellMargin), rc.top, rc.right - kCellMargin / 2, rc.bottom};
    SetTextColor(hdc, text);
    SetBkMode(hdc, TRANSPARENT);
    DrawText(hdc, t.c_str(), (int)t.size(), &textRc, align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void ListViewControl::PaintRow(HDC hdc, int index, NMLVCUSTOMDRAW& cd, LRESULT prepaint)
{
    const ListRow& row = rows_[(size_t)index];
    RECT rc = RowRect(index);
    bool selected = (row.state & LVIS_SELECTED) && (focused_ || (Style() & LVS_SHOWSELALWAYS));
    COLORREF back = ResolveColor(textBkColor_ == CLR_NONE ? bkColor_ : textBkColor_, COLOR_WINDOW);
    COLORREF text = ResolveColor(textColor_, COLOR_WINDOWTEXT);
    LRESULT itemAnswer = CDRF_DODEFAULT;
    if (prepaint & CDRF_NOTIFYITEMDRAW) {
        cd.nmcd.hdc = hdc;
        cd.nmcd.rc = rc;
        cd.nmcd.dwItemSpec = (DWORD_PTR)index;
        cd.nmcd.uItemState = (selected ? CDIS_SELECTED : 0) | (index == focus_ && focused_ ? CDIS_FOCUS : 0);
        cd.nmcd.lItemlParam = row.data;
        cd.clrText = text;
        cd.clrTextBk = back;
        cd.iSubItem = 0;
        itemAnswer = SendCustomDraw(hwnd_, &cd.nmcd, CDDS_ITEMPREPAINT);
        if (itemAnswer & CDRF_SKIPDEFAULT)
            return;
        if (!Valid(index))
            return;
        text = cd.clrText == CLR_DEFAULT ? text : cd.clrText;
        back = (cd.clrTextBk == CLR_DEFAULT || cd.clrTextBk == CLR_NONE) ? back : cd.clrTextBk;
    }
    COLORREF selBack = focused_ ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_BTNFACE);
    COLORREF selText = focused_ ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_BTNTEXT);
    bool full = (exStyle_ & LVS_EX_FULLROWSELECT) != 0;
    RECT client;
    GetClientRect(hwnd_, &client);
    RECT line = {0, rc.top, client.right, rc.bottom};
    FillSolid(hdc, line, ResolveColor(bkColor_, COLOR_WINDOW));
    RECT cells = {rc.left, rc.top, rc.right, rc.bottom};
    FillSolid(hdc, cells, selected && full ? selBack : back);
    int order[kMaxColumns];
    int n = ColumnCount();
    if (!SendMessage(header_, HDM_GETORDERARRAY, (WPARAM)n, (LPARAM)order))
        for (int i = 0; i < n; ++i)
            order[i] = i;
    for (int k = 0; k < n; ++k) {
        int column = order[k];
        RECT col = ColumnRect(column);
        RECT cell = {col.left, rc.top, col.right, rc.bottom};
        if (cell.right <= 0 || cell.left >= client.right)
            continue;
        COLORREF cellText = text, cellBack = back;
        if ((itemAnswer & CDRF_NOTIFYSUBITEMDRAW) && (prepaint & CDRF_NOTIFYITEMDRAW)) {
            cd.clrText = text;
            cd.clrTextBk = back;
            cd.iSubItem = columns_[(size_t)column].subItem;
            cd.nmcd.rc = cell;
            LRESULT a = SendCustomDraw(hwnd_, &cd.nmcd, CDDS_ITEMPREPAINT | CDDS_SUBITEM);
            if (a & CDRF_SKIPDEFAULT)
                continue;
            cellText = cd.clrText == CLR_DEFAULT ? text : cd.clrText;
            cellBack = (cd.clrTextBk == CLR_DEFAULT || cd.clrTextBk == CLR_NONE) ? back : cd.clrTextBk;
            if (!(selected && full))
                FillSolid(hdc, cell, cellBack);
        }
        HRGN clip = CreateRectRgn(cell.left, cell.top, cell.right, cell.bottom);
        SaveDC(hdc);
        ExtSelectClipRgn(hdc, clip, RGN_AND);
        DeleteObject(clip);
        bool selCell = selected && (full || column == 0);
        DrawCell(hdc, index, column, cell, selCell ? selText : cellText, selCell ? selBack : cellBack, selected);
        RestoreDC(hdc, -1);
    }
    if (selected && full && focused_ && index == focus_)
        DrawFocusRect(hdc, &cells);
    if (itemAnswer & CDRF_NOTIFYPOSTPAINT) {
        cd.nmcd.rc = rc;
        SendCustomDraw(hwnd_, &cd.nmcd, CDDS_ITEMPOSTPAINT);
    }
}

void ListViewControl::Paint(HDC hdc, const RECT& dirty)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    HGDIOBJ oldFont = SelectObject(hdc, font_);
    NMLVCUSTOMDRAW cd = {};
    cd.nmcd.hdc = hdc;
    cd.nmcd.rc = client;
    LRESULT prepaint = SendCustomDraw(hwnd_, &cd.nmcd, CDDS_PREPAINT);
    if (!(prepaint & CDRF_SKIPDEFAULT)) {
        int headerH = HeaderHeight();
        int first = top_ + std::max(0, (int)(dirty.top - headerH) / std::max(1, rowHeight_));
        int last = top_ + (int)(dirty.bottom - headerH) / std::max(1, rowHeight_);
        for (int i = first; i <= last && i < Count(); ++i)
            PaintRow(hdc, i, cd, prepaint);
        int usedBottom = headerH + std::max(0, Count() - top_) * rowHeight_;
        if (usedBottom < client.bottom) {
            RECT rest = {0, std::max(usedBottom, headerH), client.right, client.bottom};
            FillSolid(hdc, rest, ResolveColor(bkColor_, COLOR_WINDOW));
        }
        if (exStyle_ & LVS_EX_GRIDLINES) {
            HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
            HGDIOBJ old = SelectObject(hdc, pen);
            for (int y = headerH + rowHeight_ - 1; y < client.bottom; y += rowHeight_) {
                MoveToEx(hdc, 0, y, nullptr);
                LineTo(hdc, std::min((int)client.right, TotalWidth() - scrollX_), y);
            }
            for (int i = 0; i < ColumnCount(); ++i) {
                RECT c = ColumnRect(i);
                MoveToEx(hdc, c.right - 1, headerH, nullptr);
                LineTo(hdc, c.right - 1, client.bottom);
            }
            SelectObject(hdc, old);
            DeleteObject(pen);
        }
        if (prepaint & CDRF_NOTIFYPOSTPAINT)
            SendCustomDraw(hwnd_, &cd.nmcd, CDDS_POSTPAINT);
    }
    SelectObject(hdc, oldFont);
}

}  // namespace mivo
