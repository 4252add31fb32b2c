// Report list geometry: rows, cells, hit tests and scrolling.
#include "controls/ListViewControl.h"
#include "controls/CommonInput.h"
#include "controls/CommonNotify.h"
#include "controls/CommonPaint.h"

#include <algorithm>
#include <cstring>

namespace mivo {

int ListViewControl::HeaderHeight() const
{
    // The header's own style, not its visibility on screen: a hidden list keeps its geometry.
    if (!header_ || !(GetWindowLong(header_, GWL_STYLE) & WS_VISIBLE))
        return 0;
    RECT rc;
    GetWindowRect(header_, &rc);
    return rc.bottom - rc.top;
}

void ListViewControl::Layout()
{
    RECT client;
    GetClientRect(hwnd_, &client);
    int total = TotalWidth();
    RECT area = {-scrollX_, 0, std::max((int)client.right, total) + scrollX_, client.bottom};
    WINDOWPOS wp = {};
    HDLAYOUT layout = {&area, &wp};
    SendMessage(header_, HDM_LAYOUT, 0, (LPARAM)&layout);
    bool hidden = (Style() & LVS_NOCOLUMNHEADER) != 0;
    SetWindowPos(header_, nullptr, -scrollX_, 0, std::max((int)client.right + scrollX_, total), hidden ? 0 : wp.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | (hidden ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
    int cx = 0, cy = 0;
    int h = FontLineHeight(hwnd_) + 3;
    if (ImageList_GetIconSize(images_[LVSIL_SMALL], &cx, &cy))
        h = std::max(h, cy + 1);
    if (ImageList_GetIconSize(images_[LVSIL_STATE], &cx, &cy))
        h = std::max(h, cy + 1);
    if (Checkboxes())
        h = std::max(h, 17);
    rowHeight_ = h;
    UpdateScrollBars();
}

int ListViewControl::PerPage() const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    return std::max(0, (int)(client.bottom - HeaderHeight()) / std::max(1, rowHeight_));
}

int ListViewControl::TotalWidth() const
{
    int total = 0;
    for (int i = 0; i < ColumnCount(); ++i)
        total += ColumnWidth(i);
    return total;
}

RECT ListViewControl::RowRect(int index) const
{
    int y = HeaderHeight() + (index - top_) * rowHeight_;
    return {-scrollX_, y, TotalWidth() - scrollX_, y + rowHeight_};
}

bool ListViewControl::ItemRect(int index, int code, RECT& rc) const
{
    if (!Valid(index))
        return false;
    RECT row = RowRect(index);
    RECT col0 = ColumnCount() ? ColumnRect(0) : RECT{row.left, 0, row.left, 0};
    int x = col0.left + rows_[(size_t)index].indent * 16;
    int stateW = Checkboxes() ? kCheckWidth : 0;
    int cx = 0, cy = 0;
    if (!stateW && ImageList_GetIconSize(images_[LVSIL_STATE], &cx, &cy) &&
        (rows_[(size_t)index].state & LVIS_STATEIMAGEMASK))
        stateW = cx;
    int iconW = ImageList_GetIconSize(images_[LVSIL_SMALL], &cx, &cy) ? cx : 0;
    RECT icon = {x + stateW, row.top, x + stateW + iconW, row.bottom};
    RECT label = {icon.right, row.top, std::max(icon.right, (LONG)col0.right), row.bottom};
    switch (code) {
    case LVIR_BOUNDS:
        rc = row;
        return true;
    case LVIR_ICON:
        rc = icon;
        return true;
    case LVIR_LABEL:
        rc = label;
        return true;
    case LVIR_SELECTBOUNDS:
        rc = (exStyle_ & LVS_EX_FULLROWSELECT) ? row : RECT{icon.left, row.top, label.right, row.bottom};
        return true;
    }
    return false;
}

bool ListViewControl::SubItemRect(int index, int subItem, int code, RECT& rc) const
{
    if (!Valid(index) || subItem < 0 || subItem >= std::max(1, ColumnCount()))
        return false;
    if (subItem == 0)
        return ItemRect(index, code, rc);
    RECT row = RowRect(index);
    RECT col = ColumnRect(subItem);
    rc = {col.left, row.top, col.right, row.bottom};
    if (code == LVIR_ICON)
        rc.right = rc.left;
    return true;
}

int ListViewControl::HitTest(LVHITTESTINFO& info, bool subItems) const
{
    RECT client;
    GetClientRect(hwnd_, &client);
    info.iItem = -1;
    info.iSubItem = 0;
    info.flags = 0;
    POINT pt = info.pt;
    if (pt.x < 0)
        info.flags |= LVHT_TOLEFT;
    else if (pt.x >= client.right)
        info.flags |= LVHT_TORIGHT;
    if (pt.y < HeaderHeight())
        info.flags |= LVHT_ABOVE;
    else if (pt.y >= client.bottom)
        info.flags |= LVHT_BELOW;
    if (info.flags)
        return -1;
    int index = top_ + (pt.y - HeaderHeight()) / std::max(1, rowHeight_);
    int column = -1;
    for (int i = 0; i < ColumnCount(); ++i) {
        RECT c = ColumnRect(i);
        if (pt.x >= c.left && pt.x < c.right)
            column = i;
    }
    if (!Valid(index) || column < 0) {
        info.flags = LVHT_NOWHERE;
        return -1;
    }
    if (column == 0) {
        RECT icon, label;
        ItemRect(index, LVIR_ICON, icon);
        ItemRect(index, LVIR_LABEL, label);
        if (pt.x < icon.left)
            info.flags = (rows_[(size_t)index].state & LVIS_STATEIMAGEMASK) ? LVHT_ONITEMSTATEICON : LVHT_NOWHERE;
        else if (pt.x < icon.right)
            info.flags = LVHT_ONITEMICON;
        else
            info.flags = LVHT_ONITEMLABEL;
    } else {
        info.flags = (subItems || (exStyle_ & LVS_EX_FULLROWSELECT)) ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
    }
    if (info.flags == LVHT_NOWHERE && !subItems)
        return -1;
    info.iItem = index;
    info.iSubItem = subItems ? column : 0;
    return index;
}

void ListViewControl::InvalidateRow(int index)
{
    if (!Valid(index))
        return;
    RECT client, rc = RowRect(index);
    GetClientRect(hwnd_, &client);
    rc.left = 0;
    rc.right = client.right;
    InvalidateRect(hwnd_, &rc, TRUE);
}

void ListViewControl::UpdateScrollBars()
{
    if (Style() & LVS_NOSCROLL)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    SCROLLINFO si = {sizeof(si)};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, Count() - 1);
    si.nPage = (UINT)std::max(1, PerPage());
    si.nPos = top_;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
    si.nMax = std::max(0, TotalWidth() - 1);
    si.nPage = (UINT)std::max(1, (int)client.right);
    si.nPos = scrollX_;
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
}

void ListViewControl::ScrollTo(int top, int x)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    top = std::max(0, std::min(top, Count() - PerPage()));
    x = std::max(0, std::min(x, TotalWidth() - (int)client.right));
    if (top == top_ && x == scrollX_)
        return;
    editor_.End(false);
    top_ = top;
    bool moved = x != scrollX_;
    scrollX_ = x;
    if (moved)
        Layout();
    UpdateScrollBars();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool ListViewControl::EnsureVisible(int index, bool partialOk)
{
    if (!Valid(index))
        return false;
    int page = std::max(1, PerPage());
    if (index < top_)
        ScrollTo(index, scrollX_);
    else if (index >= top_ + page && !(partialOk && index == top_ + page))
        ScrollTo(index - page + 1, scrollX_);
    return true;
}

void ListViewControl::Scroll(int bar, WPARAM wParam)
{
    int pos = bar == SB_VERT ? top_ : scrollX_;
    if (!ScrollBarTarget(hwnd_, bar, wParam, bar == SB_VERT ? 1 : 8, pos))
        return;
    if (bar == SB_VERT)
        ScrollTo(pos, scrollX_);
    else
        ScrollTo(top_, pos);
}

}  // namespace mivo
