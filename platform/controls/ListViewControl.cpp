// Report-mode list view: items, columns, geometry, painting and input.
#include "controls/ListViewControl.h"
#include "controls/CommonNotify.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

const int kLabelMargin = 2;
const int kCellMargin = 6;
const UINT kEditTimer = 0x4C56;
const UINT kStateMaskAll = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_OVERLAYMASK |
                           LVIS_STATEIMAGEMASK;

COLORREF Resolve(COLORREF c, int sysColor)
{
    return c == CLR_DEFAULT ? GetSysColor(sysColor) : c;
}

void FillSolid(HDC hdc, const RECT& rc, COLORREF color)
{
    COLORREF old = SetBkColor(hdc, color);
    ExtTextOut(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(hdc, old);
}

}  // namespace

void ListViewControl::Create()
{
    header_ = CreateWindowEx(0, WC_HEADERA, "",
                             WS_CHILD | HDS_HORZ | ((Style() & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS) |
                                 ((Style() & LVS_NOCOLUMNHEADER) ? HDS_HIDDEN : WS_VISIBLE),
                             0, 0, 0, 0, hwnd_, nullptr, nullptr, nullptr);
    font_ = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    SendMessage(header_, WM_SETFONT, (WPARAM)font_, 0);
    rowHeight_ = FontLineHeight(hwnd_) + 3;
    Layout();
}

// ---------------------------------------------------------------- items

std::string ListViewControl::Text(int index, int subItem) const
{
    const ListRow& row = rows_[(size_t)index];
    if (subItem < 0)
        return std::string();
    bool callback = (size_t)subItem < row.callback.size() && row.callback[(size_t)subItem];
    if (!callback)
        return (size_t)subItem < row.texts.size() ? row.texts[(size_t)subItem] : std::string();
    char buffer[260] = "";
    NMLVDISPINFOA di = {};
    di.item.mask = LVIF_TEXT;
    di.item.iItem = index;
    di.item.iSubItem = subItem;
    di.item.pszText = buffer;
    di.item.cchTextMax = (int)sizeof(buffer);
    di.item.lParam = row.data;
    SendNotify(hwnd_, LVN_GETDISPINFOA, &di.hdr);
    if (!di.item.pszText || di.item.pszText == LPSTR_TEXTCALLBACKA)
        return std::string();
    return std::string(di.item.pszText, strnlen(di.item.pszText, di.item.pszText == buffer ? sizeof(buffer) - 1 : 4096));
}

const std::string& ListViewControl::CellText(int index, int subItem)
{
    // Painting reads stored texts in place; only callbacks need a copy.
    const ListRow& row = rows_[(size_t)index];
    bool callback = subItem >= 0 && (size_t)subItem < row.callback.size() && row.callback[(size_t)subItem];
    if (!callback && subItem >= 0 && (size_t)subItem < row.texts.size())
        return row.texts[(size_t)subItem];
    scratch_ = callback ? Text(index, subItem) : std::string();
    return scratch_;
}

void ListViewControl::CopyText(const std::string& text, LPSTR out, int max) const
{
    if (!out || max <= 0)
        return;
    size_t n = CharStartAtOrBefore(text, std::min(text.size(), (size_t)max - 1));
    memcpy(out, text.data(), n);
    out[n] = '\0';
}

void ListViewControl::StoreText(ListRow& row, int subItem, LPCSTR text)
{
    if (subItem < 0 || subItem >= kMaxColumns)
        return;
    if (row.texts.size() <= (size_t)subItem) {
        row.texts.resize((size_t)subItem + 1);
        row.callback.resize((size_t)subItem + 1, false);
    }
    row.callback[(size_t)subItem] = text == LPSTR_TEXTCALLBACKA;
    row.texts[(size_t)subItem] = (text && text != LPSTR_TEXTCALLBACKA) ? text : "";
}

int ListViewControl::InsertItem(const LVITEMA& item)
{
    if (item.iSubItem != 0 || Count() >= kMaxItems)
        return -1;
    int index = std::max(0, std::min(item.iItem, Count()));
    ListRow row;
    if (item.mask & LVIF_TEXT)
        StoreText(row, 0, item.pszText);
    if (item.mask & LVIF_IMAGE)
        row.image = item.iImage;
    if (item.mask & LVIF_PARAM)
        row.data = item.lParam;
    if (item.mask & LVIF_INDENT)
        row.indent = item.iIndent;
    if (item.mask & LVIF_STATE)
        row.state = item.state & item.stateMask & ~(UINT)LVIS_FOCUSED;
    if (Checkboxes() && !(row.state & LVIS_STATEIMAGEMASK))
        row.state |= INDEXTOSTATEIMAGEMASK(1);
    if ((Style() & LVS_SINGLESEL) && (row.state & LVIS_SELECTED))
        SelectOnly(-1);
    rows_.insert(rows_.begin() + index, row);
    if (focus_ >= index)
        ++focus_;
    if (mark_ >= index)
        ++mark_;
    NMLISTVIEW nm = {};
    nm.iItem = index;
    nm.lParam = row.data;
    SendNotify(hwnd_, LVN_INSERTITEM, &nm.hdr);
    UpdateScrollBars();
    InvalidateRect(hwnd_, nullptr, TRUE);
    return index;
}

bool ListViewControl::DeleteItem(int index)
{
    if (!Valid(index))
        return false;
    if (editItem_ == index)
        editor_.End(true);
    NMLISTVIEW nm = {};
    nm.iItem = index;
    nm.lParam = rows_[(size_t)index].data;
    SendNotify(hwnd_, LVN_DELETEITEM, &nm.hdr);
    if (!Valid(index))
        return false;
    rows_.erase(rows_.begin() + index);
    for (int* at : {&focus_, &mark_, &editItem_})
        if (*at == index)
            *at = -1;
        else if (*at > index)
            --*at;
    top_ = std::max(0, std::min(top_, Count() - PerPage()));
    UpdateScrollBars();
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

bool ListViewControl::DeleteAll()
{
    editor_.End(true);
    NMLISTVIEW nm = {};
    nm.iItem = -1;
    // A non-zero answer to LVN_DELETEALLITEMS asks for no LVN_DELETEITEM per row.
    bool each = !SendNotify(hwnd_, LVN_DELETEALLITEMS, &nm.hdr);
    std::vector<ListRow> gone;
    gone.swap(rows_);
    if (each) {
        for (size_t i = 0; i < gone.size(); ++i) {
            NMLISTVIEW d = {};
            d.iItem = (int)i;
            d.lParam = gone[i].data;
            SendNotify(hwnd_, LVN_DELETEITEM, &d.hdr);
        }
    }
    focus_ = mark_ = editItem_ = -1;
    top_ = 0;
    UpdateScrollBars();
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

bool ListViewControl::SetItem(const LVITEMA& item)
{
    if (!Valid(item.iItem) || item.iSubItem < 0 || item.iSubItem >= kMaxColumns)
        return false;
    ListRow& row = rows_[(size_t)item.iItem];
    if (item.mask & LVIF_TEXT)
        StoreText(row, item.iSubItem, item.pszText);
    if (item.iSubItem == 0) {
        if (item.mask & LVIF_IMAGE)
            row.image = item.iImage;
        if (item.mask & LVIF_PARAM)
            row.data = item.lParam;
        if (item.mask & LVIF_INDENT)
            row.indent = item.iIndent;
        if (item.mask & LVIF_STATE)
            ChangeState(item.iItem, item.state, item.stateMask);
    }
    InvalidateRow(item.iItem);
    return true;
}

bool ListViewControl::GetItem(LVITEMA& item) const
{
    if (!Valid(item.iItem))
        return false;
    const ListRow& row = rows_[(size_t)item.iItem];
    if (item.mask & LVIF_TEXT)
        CopyText(Text(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
    if (item.mask & LVIF_IMAGE)
        item.iImage = row.image;
    if (item.mask & LVIF_PARAM)
        item.lParam = row.data;
    if (item.mask & LVIF_INDENT)
        item.iIndent = row.indent;
    if (item.mask & LVIF_STATE)
        item.state = row.state & item.stateMask;
    return true;
}

bool ListViewControl::ChangeState(int index, UINT state, UINT mask)
{
    ListRow& row = rows_[(size_t)index];
    mask &= kStateMaskAll;
    UINT next = (row.state & ~mask) | (state & mask);
    if (next == row.state)
        return true;
    NMLISTVIEW nm = {};
    nm.iItem = index;
    nm.uNewState = next;
    nm.uOldState = row.state;
    nm.uChanged = LVIF_STATE;
    nm.lParam = row.data;
    if (SendNotify(hwnd_, LVN_ITEMCHANGING, &nm.hdr))
        return false;
    if (!Valid(index))
        return false;
    if ((next & LVIS_SELECTED) && !(row.state & LVIS_SELECTED) && (Style() & LVS_SINGLESEL)) {
        for (int i = 0; i < Count(); ++i)
            if (i != index && (rows_[(size_t)i].state & LVIS_SELECTED))
                ChangeState(i, 0, LVIS_SELECTED);
    }
    if ((next & LVIS_FOCUSED) && focus_ != index) {
        if (Valid(focus_))
            ChangeState(focus_, 0, LVIS_FOCUSED);
        focus_ = index;
    } else if (!(next & LVIS_FOCUSED) && focus_ == index) {
        focus_ = -1;
    }
    rows_[(size_t)index].state = next;
    SendNotify(hwnd_, LVN_ITEMCHANGED, &nm.hdr);
    InvalidateRow(index);
    return true;
}

bool ListViewControl::SetState(int index, UINT state, UINT mask)
{
    if (index == -1) {
        for (int i = 0; i < Count(); ++i)
            ChangeState(i, state, mask & ~(UINT)LVIS_FOCUSED);
        return true;
    }
    return Valid(index) && ChangeState(index, state, mask);
}

void ListViewControl::SelectOnly(int index)
{
    for (int i = 0; i < Count(); ++i)
        if (i != index && (rows_[(size_t)i].state & LVIS_SELECTED))
            ChangeState(i, 0, LVIS_SELECTED);
    if (Valid(index))
        ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int ListViewControl::GetNextItem(int start, UINT flags) const
{
    UINT want = 0;
    if (flags & LVNI_SELECTED)
        want |= LVIS_SELECTED;
    if (flags & LVNI_FOCUSED)
        want |= LVIS_FOCUSED;
    if (flags & LVNI_CUT)
        want |= LVIS_CUT;
    if (flags & LVNI_DROPHILITED)
        want |= LVIS_DROPHILITED;
    int step = (flags & (LVNI_ABOVE | LVNI_TOLEFT)) ? -1 : 1;
    int i = start < 0 ? (step > 0 ? 0 : Count() - 1) : start + step;
    for (; i >= 0 && i < Count(); i += step)
        if ((rows_[(size_t)i].state & want) == want)
            return i;
    return -1;
}

int ListViewControl::FindItem(int start, const LVFINDINFOA& find) const
{
    int n = Count();
    for (int k = 0; k < n; ++k) {
        int i = start + 1 + k;
        if (i >= n) {
            if (!(find.flags & LVFI_WRAP))
                return -1;
            i -= n;
        }
        if (find.flags & LVFI_PARAM) {
            if (rows_[(size_t)i].data == find.lParam)
                return i;
        } else if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.psz) {
            std::string text = Text(i, 0);
            size_t len = strlen(find.psz);
            bool match = (find.flags & LVFI_PARTIAL) ? _strnicmp(text.c_str(), find.psz, len) == 0
                                                     : lstrcmpi(text.c_str(), find.psz) == 0;
            if (match)
                return i;
        }
    }
    return -1;
}

bool ListViewControl::SortItems(PFNLVCOMPARE compare, LPARAM param)
{
    if (!compare)
        return false;
    editor_.End(true);
    LPARAM focusData = Valid(focus_) ? rows_[(size_t)focus_].data : 0;
    bool hadFocus = Valid(focus_);
    std::stable_sort(rows_.begin(), rows_.end(),
                     [&](const ListRow& a, const ListRow& b) { return compare(a.data, b.data, param) < 0; });
    if (hadFocus)
        for (int i = 0; i < Count(); ++i)
            if ((rows_[(size_t)i].state & LVIS_FOCUSED) && rows_[(size_t)i].data == focusData)
                focus_ = i;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

void ListViewControl::SetExStyle(DWORD mask, DWORD style)
{
    if (!mask)
        mask = 0xFFFFFFFF;
    DWORD old = exStyle_;
    exStyle_ = (exStyle_ & ~mask) | (style & mask);
    if ((exStyle_ & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES))
        for (ListRow& row : rows_)
            if (!(row.state & LVIS_STATEIMAGEMASK))
                row.state |= INDEXTOSTATEIMAGEMASK(1);
    if (!(exStyle_ & LVS_EX_CHECKBOXES) && (old & LVS_EX_CHECKBOXES))
        for (ListRow& row : rows_)
            row.state &= ~(UINT)LVIS_STATEIMAGEMASK;
    if ((exStyle_ ^ old) & LVS_EX_HEADERDRAGDROP) {
        LONG hs = GetWindowLong(header_, GWL_STYLE);
        SetWindowLong(header_, GWL_STYLE, (exStyle_ & LVS_EX_HEADERDRAGDROP) ? hs | HDS_DRAGDROP : hs & ~HDS_DRAGDROP);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListViewControl::ToggleCheck(int index)
{
    if (!Valid(index))
        return;
    UINT image = (rows_[(size_t)index].state & LVIS_STATEIMAGEMASK) >> 12;
    ChangeState(index, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
}

// ---------------------------------------------------------------- columns

int ListViewControl::InsertColumn(int index, const LVCOLUMNA& col)
{
    if (ColumnCount() >= kMaxColumns)
        return -1;
    index = std::max(0, std::min(index, ColumnCount()));
    ListColumn c;
    c.fmt = (col.mask & LVCF_FMT) ? col.fmt : LVCFMT_LEFT;
    if (index == 0)
        c.fmt = (c.fmt & ~LVCFMT_JUSTIFYMASK) | LVCFMT_LEFT;  // the first column is always left aligned
    c.subItem = (col.mask & LVCF_SUBITEM) ? col.iSubItem : index;
    c.image = (col.mask & LVCF_IMAGE) ? col.iImage : -1;
    HDITEMA hd = {};
    hd.mask = HDI_FORMAT | HDI_WIDTH | HDI_LPARAM;
    hd.fmt = HDF_STRING | ((c.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT    ? HDF_RIGHT
                           : (c.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? HDF_CENTER
                                                                            : HDF_LEFT);
    hd.cxy = (col.mask & LVCF_WIDTH) ? std::max(0, col.cx) : 50;
    if (col.mask & LVCF_TEXT) {
        hd.mask |= HDI_TEXT;
        hd.pszText = col.pszText;
    }
    if (col.mask & LVCF_ORDER) {
        hd.mask |= HDI_ORDER;
        hd.iOrder = col.iOrder;
    }
    int at = (int)SendMessage(header_, HDM_INSERTITEMA, (WPARAM)index, (LPARAM)&hd);
    if (at < 0)
        return -1;
    columns_.insert(columns_.begin() + at, c);
    UpdateScrollBars();
    InvalidateRect(hwnd_, nullptr, TRUE);
    return at;
}

bool ListViewControl::DeleteColumn(int index)
{
    if (index < 0 || index >= ColumnCount())
        return false;
    SendMessage(header_, HDM_DELETEITEM, (WPARAM)index, 0);
    columns_.erase(columns_.begin() + index);
    UpdateScrollBars();
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

bool ListViewControl::SetColumn(int index, const LVCOLUMNA& col)
{
    if (index < 0 || index >= ColumnCount())
        return false;
    ListColumn& c = columns_[(size_t)index];
    HDITEMA hd = {};
    if (col.mask & LVCF_FMT) {
        c.fmt = col.fmt;
        hd.mask |= HDI_FORMAT;
        hd.fmt = HDF_STRING | (col.fmt & LVCFMT_JUSTIFYMASK);
    }
    if (col.mask & LVCF_WIDTH) {
        hd.mask |= HDI_WIDTH;
        hd.cxy = col.cx;
    }
    if (col.mask & LVCF_TEXT) {
        hd.mask |= HDI_TEXT;
        hd.pszText = col.pszText;
    }
    if (col.mask & LVCF_SUBITEM)
        c.subItem = col.iSubItem;
    if (col.mask & LVCF_IMAGE)
        c.image = col.iImage;
    if (col.mask & LVCF_ORDER) {
        hd.mask |= HDI_ORDER;
        hd.iOrder = col.iOrder;
    }
    if (hd.mask)
        SendMessage(header_, HDM_SETITEMA, (WPARAM)index, (LPARAM)&hd);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
}

bool ListViewControl::GetColumn(int index, LVCOLUMNA& col) const
{
    if (index < 0 || index >= ColumnCount())
        return false;
    const ListColumn& c = columns_[(size_t)index];
    HDITEMA hd = {};
    hd.mask = HDI_WIDTH | HDI_ORDER | ((col.mask & LVCF_TEXT) ? HDI_TEXT : 0);
    hd.pszText = col.pszText;
    hd.cchTextMax = col.cchTextMax;
    SendMessage(header_, HDM_GETITEMA, (WPARAM)index, (LPARAM)&hd);
    if (col.mask & LVCF_FMT)
        col.fmt = c.fmt;
    if (col.mask & LVCF_WIDTH)
        col.cx = hd.cxy;
    if (col.mask & LVCF_SUBITEM)
        col.iSubItem = c.subItem;
    if (col.mask & LVCF_IMAGE)
        col.iImage = c.image;
    if (col.mask & LVCF_ORDER)
        col.iOrder = hd.iOrder;
    return true;
}

int ListViewControl::ColumnWidth(int index) const
{
    HDITEMA hd = {HDI_WIDTH};
    return SendMessage(header_, HDM_GETITEMA, (WPARAM)index, (LPARAM)&hd) ? hd.cxy : 0;
}

bool ListViewControl::SetColumnWidth(int index, int width)
{
    if (index < 0 || index >= ColumnCount())
        return false;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        HDC dc = GetDC(hwnd_);
        HGDIOBJ old = SelectObject(dc, font_);
        int widest = 0;
        int sub = columns_[(size_t)index].subItem;
        for (int i = 0; i < Count(); ++i) {
            std::string t = Text(i, sub);
            widest = std::max(widest, TextWidth(dc, t.c_str(), (int)t.size()));
        }
        if (width == LVSCW_AUTOSIZE_USEHEADER) {
            char title[260] = "";
            HDITEMA hd = {HDI_TEXT};
            hd.pszText = title;
            hd.cchTextMax = sizeof(title);
            SendMessage(header_, HDM_GETITEMA, (WPARAM)index, (LPARAM)&hd);
            widest = std::max(widest, TextWidth(dc, title, (int)strlen(title)) + 6);
        }
        SelectObject(dc, old);
        ReleaseDC(hwnd_, dc);
        width = widest + 2 * kCellMargin;
        if (index == 0) {
            int cx = 0, cy = 0;
            if (ImageList_GetIconSize(images_[LVSIL_SMALL], &cx, &cy))
                width += cx;
            if (Checkboxes())
                width += kCheckWidth;
        }
    }
    HDITEMA hd = {HDI_WIDTH};
    hd.cxy = std::max(0, width);
    return SendMessage(header_, HDM_SETITEMA, (WPARAM)index, (LPARAM)&hd) != 0;
}

RECT ListViewControl::ColumnRect(int index) const
{
    RECT rc = {0, 0, 0, 0};
    SendMessage(header_, HDM_GETITEMRECT, (WPARAM)index, (LPARAM)&rc);
    OffsetRect(&rc, -scrollX_, 0);
    return rc;
}

// ---------------------------------------------------------------- geometry

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
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(hwnd_, bar, &si);
    int pos = bar == SB_VERT ? top_ : scrollX_;
    int line = bar == SB_VERT ? 1 : 8, page = (int)si.nPage;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= std::max(1, page); break;
    case SB_PAGEDOWN: pos += std::max(1, page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
    }
    if (bar == SB_VERT)
        ScrollTo(pos, scrollX_);
    else
        ScrollTo(top_, pos);
}

// ---------------------------------------------------------------- painting

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
    COLORREF back = Resolve(textBkColor_ == CLR_NONE ? bkColor_ : textBkColor_, COLOR_WINDOW);
    COLORREF text = Resolve(textColor_, COLOR_WINDOWTEXT);
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
    FillSolid(hdc, line, Resolve(bkColor_, COLOR_WINDOW));
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
            FillSolid(hdc, rest, Resolve(bkColor_, COLOR_WINDOW));
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

// ---------------------------------------------------------------- input

LRESULT ListViewControl::ItemNotify(UINT code, int index, int subItem, POINT pt)
{
    NMITEMACTIVATE nm = {};
    nm.iItem = index;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    if (GetKeyState(VK_SHIFT) < 0)
        nm.uKeyFlags |= LVKF_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0)
        nm.uKeyFlags |= LVKF_CONTROL;
    return SendNotify(hwnd_, code, &nm.hdr);
}

void ListViewControl::MoveFocus(int index, bool shift, bool ctrl)
{
    if (!Valid(index))
        return;
    bool single = (Style() & LVS_SINGLESEL) != 0;
    if (ctrl && !single) {
        ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (shift && !single && Valid(mark_)) {
        int a = std::min(mark_, index), b = std::max(mark_, index);
        for (int i = 0; i < Count(); ++i)
            ChangeState(i, (i >= a && i <= b) ? LVIS_SELECTED : 0, LVIS_SELECTED);
        ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
    } else {
        SelectOnly(index);
        mark_ = index;
    }
    EnsureVisible(index, false);
}

void ListViewControl::MouseDown(POINT pt, UINT keys, bool doubleClick, bool right)
{
    editor_.End(false);
    KillTimer(hwnd_, kEditTimer);
    bool hadFocus = GetFocus() == hwnd_;
    if (!hadFocus)
        SetFocus(hwnd_);
    LVHITTESTINFO hit = {pt};
    int index = HitTest(hit, false);
    LVHITTESTINFO sub = {pt};
    HitTest(sub, true);
    if (doubleClick) {
        ItemNotify(right ? NM_RDBLCLK : NM_DBLCLK, index, sub.iSubItem, pt);
        return;
    }
    if (index < 0) {
        if (!(keys & (MK_SHIFT | MK_CONTROL)) && !right)
            SelectOnly(-1);
        pressed_ = -1;
        if (right)
            ItemNotify(NM_RCLICK, -1, 0, pt);
        return;
    }
    if (!right && (hit.flags & LVHT_ONITEMSTATEICON) && Checkboxes()) {
        ToggleCheck(index);
    } else {
        bool wasFocusedSelected = hadFocus && index == focus_ && (rows_[(size_t)index].state & LVIS_SELECTED);
        if (right) {
            if (!(rows_[(size_t)index].state & LVIS_SELECTED))
                MoveFocus(index, false, false);
        } else if ((keys & MK_CONTROL) && !(Style() & LVS_SINGLESEL)) {
            ChangeState(index, (rows_[(size_t)index].state & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
            mark_ = index;
        } else {
            MoveFocus(index, (keys & MK_SHIFT) != 0, false);
        }
        editCandidate_ = (!right && wasFocusedSelected && (Style() & LVS_EDITLABELS) &&
                          (hit.flags & LVHT_ONITEMLABEL) && !(keys & (MK_SHIFT | MK_CONTROL)))
                             ? index
                             : -1;
    }
    if (right) {
        ItemNotify(NM_RCLICK, index, sub.iSubItem, pt);
        return;
    }
    pressed_ = index;
    pressPoint_ = pt;
    dragStarted_ = false;
    SetCapture(hwnd_);
}

void ListViewControl::MouseMove(POINT pt, UINT keys)
{
    if (pressed_ < 0 || dragStarted_ || !(keys & MK_LBUTTON))
        return;
    if (abs(pt.x - pressPoint_.x) > GetSystemMetrics(SM_CXDRAG) ||
        abs(pt.y - pressPoint_.y) > GetSystemMetrics(SM_CYDRAG)) {
        dragStarted_ = true;
        editCandidate_ = -1;
        if (GetCapture() == hwnd_)
            ReleaseCapture();
        NMLISTVIEW nm = {};
        nm.iItem = pressed_;
        nm.ptAction = pressPoint_;
        nm.lParam = Valid(pressed_) ? rows_[(size_t)pressed_].data : 0;
        pressed_ = -1;
        SendNotify(hwnd_, LVN_BEGINDRAG, &nm.hdr);
    }
}

void ListViewControl::MouseUp(POINT pt, bool)
{
    int index = pressed_;
    pressed_ = -1;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (dragStarted_ || index < 0)
        return;
    LVHITTESTINFO sub = {pt};
    HitTest(sub, true);
    ItemNotify(NM_CLICK, index, sub.iSubItem, pt);
    if (editCandidate_ == index && IsWindow(hwnd_))
        SetTimer(hwnd_, kEditTimer, GetDoubleClickTime(), nullptr);
}

void ListViewControl::KeyDown(WPARAM vk)
{
    NMLVKEYDOWN kd = {};
    kd.wVKey = (WORD)vk;
    SendNotify(hwnd_, LVN_KEYDOWN, &kd.hdr);
    if (!IsWindow(hwnd_))
        return;
    bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    int page = std::max(1, PerPage());
    int at = Valid(focus_) ? focus_ : -1;
    switch (vk) {
    case VK_UP: MoveFocus(std::max(0, at - 1), shift, ctrl); break;
    case VK_DOWN: MoveFocus(at < 0 ? 0 : std::min(Count() - 1, at + 1), shift, ctrl); break;
    case VK_HOME: MoveFocus(0, shift, ctrl); break;
    case VK_END: MoveFocus(Count() - 1, shift, ctrl); break;
    case VK_PRIOR: MoveFocus(std::max(0, at - page + 1), shift, ctrl); break;
    case VK_NEXT: MoveFocus(std::min(Count() - 1, at + page - 1), shift, ctrl); break;
    case VK_SPACE:
        if (Checkboxes() && Valid(at))
            ToggleCheck(at);
        else if (ctrl && Valid(at))
            ChangeState(at, (rows_[(size_t)at].state & LVIS_SELECTED) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        break;
    case VK_F2:
        if ((Style() & LVS_EDITLABELS) && Valid(at))
            EditLabel(at);
        break;
    case VK_RETURN:
        SendNotify(hwnd_, NM_RETURN);
        break;
    }
}

// ---------------------------------------------------------------- label editing

HWND ListViewControl::EditLabel(int index)
{
    editor_.End(false);
    if (!Valid(index))
        return nullptr;
    if (GetFocus() != hwnd_)
        SetFocus(hwnd_);
    EnsureVisible(index, false);
    NMLVDISPINFOA di = {};
    di.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    di.item.iItem = index;
    std::string text = Text(index, 0);
    di.item.pszText = &text[0];
    di.item.lParam = rows_[(size_t)index].data;
    di.item.state = rows_[(size_t)index].state;
    if (SendNotify(hwnd_, LVN_BEGINLABELEDITA, &di.hdr) || !Valid(index))
        return nullptr;
    RECT label;
    ItemRect(index, LVIR_LABEL, label);
    label.top -= 1;
    label.bottom += 1;
    editItem_ = index;
    return editor_.Start(hwnd_, label, text, font_, [this, index](const char* t) { EndEdit(index, t); });
}

void ListViewControl::EndEdit(int index, const char* text)
{
    editItem_ = -1;
    if (!Valid(index))
        return;
    std::string copy = text ? text : "";
    NMLVDISPINFOA di = {};
    di.item.mask = LVIF_TEXT | LVIF_PARAM;
    di.item.iItem = index;
    di.item.pszText = text ? &copy[0] : nullptr;
    di.item.cchTextMax = text ? (int)copy.size() + 1 : 0;
    di.item.lParam = rows_[(size_t)index].data;
    LRESULT keep = SendNotify(hwnd_, LVN_ENDLABELEDITA, &di.hdr);
    if (keep && text && Valid(index)) {
        StoreText(rows_[(size_t)index], 0, copy.c_str());
        InvalidateRow(index);
    }
}

// ---------------------------------------------------------------- header and messages

LRESULT ListViewControl::HeaderNotify(NMHDR* hdr)
{
    LRESULT answer = SendMessage(GetParent(hwnd_), WM_NOTIFY, hdr->idFrom, (LPARAM)hdr);
    switch (hdr->code) {
    case HDN_ITEMCLICKA: {
        auto* h = (NMHEADERA*)hdr;
        NMLISTVIEW nm = {};
        nm.iItem = -1;
        nm.iSubItem = h->iItem;
        SendNotify(hwnd_, LVN_COLUMNCLICK, &nm.hdr);
        break;
    }
    case HDN_ITEMCHANGEDA:
    case HDN_ENDDRAG:
    case HDN_TRACKA:
        editor_.End(false);
        UpdateScrollBars();
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    case HDN_DIVIDERDBLCLICKA:
        SetColumnWidth(((NMHEADERA*)hdr)->iItem, LVSCW_AUTOSIZE);
        break;
    }
    return answer;
}

LRESULT ListViewControl::Message(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case LVM_GETBKCOLOR: return Resolve(bkColor_, COLOR_WINDOW);
    case LVM_SETBKCOLOR: bkColor_ = (COLORREF)lParam; InvalidateRect(hwnd_, nullptr, TRUE); return TRUE;
    case LVM_GETTEXTCOLOR: return Resolve(textColor_, COLOR_WINDOWTEXT);
    case LVM_SETTEXTCOLOR: textColor_ = (COLORREF)lParam; InvalidateRect(hwnd_, nullptr, TRUE); return TRUE;
    case LVM_GETTEXTBKCOLOR: return textBkColor_ == CLR_DEFAULT ? Resolve(bkColor_, COLOR_WINDOW) : textBkColor_;
    case LVM_SETTEXTBKCOLOR: textBkColor_ = (COLORREF)lParam; InvalidateRect(hwnd_, nullptr, TRUE); return TRUE;
    case LVM_GETIMAGELIST: return wParam < 3 ? (LRESULT)images_[wParam] : 0;
    case LVM_SETIMAGELIST: {
        if (wParam >= 3)
            return 0;
        HIMAGELIST old = images_[wParam];
        images_[wParam] = (HIMAGELIST)lParam;
        Layout();
        InvalidateRect(hwnd_, nullptr, TRUE);
        return (LRESULT)old;
    }
    case LVM_GETITEMCOUNT: return Count();
    case LVM_GETITEMA: return lParam && GetItem(*(LVITEMA*)lParam);
    case LVM_SETITEMA: return lParam && SetItem(*(const LVITEMA*)lParam);
    case LVM_INSERTITEMA: return lParam ? InsertItem(*(const LVITEMA*)lParam) : -1;
    case LVM_DELETEITEM: return DeleteItem((int)wParam);
    case LVM_DELETEALLITEMS: return DeleteAll();
    case LVM_GETNEXTITEM: return GetNextItem((int)wParam, (UINT)LOWORD(lParam));
    case LVM_FINDITEMA: return lParam ? FindItem((int)wParam, *(const LVFINDINFOA*)lParam) : -1;
    case LVM_GETITEMRECT: {
        auto* rc = (RECT*)lParam;
        return rc && ItemRect((int)wParam, rc->left, *rc);
    }
    case LVM_GETSUBITEMRECT: {
        auto* rc = (RECT*)lParam;
        return rc && SubItemRect((int)wParam, rc->top, rc->left, *rc);
    }
    case LVM_HITTEST: return lParam ? HitTest(*(LVHITTESTINFO*)lParam, false) : -1;
    case LVM_SUBITEMHITTEST: return lParam ? HitTest(*(LVHITTESTINFO*)lParam, true) : -1;
    case LVM_ENSUREVISIBLE: return EnsureVisible((int)wParam, lParam != 0);
    case LVM_SCROLL:
        ScrollTo(top_ + (int)lParam / std::max(1, rowHeight_), scrollX_ + (int)wParam);
        return TRUE;
    case LVM_REDRAWITEMS:
        for (int i = (int)wParam; i <= (int)lParam; ++i)
            InvalidateRow(i);
        return TRUE;
    case LVM_UPDATE: InvalidateRow((int)wParam); return TRUE;
    case LVM_EDITLABELA: return (LRESULT)EditLabel((int)wParam);
    case LVM_GETEDITCONTROL: return (LRESULT)editor_.Window();
    case LVM_GETCOLUMNA: return lParam && GetColumn((int)wParam, *(LVCOLUMNA*)lParam);
    case LVM_SETCOLUMNA: return lParam && SetColumn((int)wParam, *(const LVCOLUMNA*)lParam);
    case LVM_INSERTCOLUMNA: return lParam ? InsertColumn((int)wParam, *(const LVCOLUMNA*)lParam) : -1;
    case LVM_DELETECOLUMN: return DeleteColumn((int)wParam);
    case LVM_GETCOLUMNWIDTH: return ColumnWidth((int)wParam);
    case LVM_SETCOLUMNWIDTH: return SetColumnWidth((int)wParam, (short)LOWORD(lParam));
    case LVM_GETHEADER: return (LRESULT)header_;
    case LVM_GETTOPINDEX: return top_;
    case LVM_GETCOUNTPERPAGE: return PerPage();
    case LVM_SETITEMSTATE: return lParam && SetState((int)wParam, ((LVITEMA*)lParam)->state, ((LVITEMA*)lParam)->stateMask);
    case LVM_GETITEMSTATE: return Valid((int)wParam) ? rows_[wParam].state & (UINT)lParam : 0;
    case LVM_GETITEMTEXTA: {
        auto* item = (LVITEMA*)lParam;
        if (!item || !Valid((int)wParam))
            return 0;
        std::string t = Text((int)wParam, item->iSubItem);
        CopyText(t, item->pszText, item->cchTextMax);
        return item->pszText ? (LRESULT)strlen(item->pszText) : 0;
    }
    case LVM_SETITEMTEXTA: {
        auto* item = (LVITEMA*)lParam;
        if (!item)
            return FALSE;
        LVITEMA copy = *item;
        copy.iItem = (int)wParam;
        copy.mask = LVIF_TEXT;
        return SetItem(copy);
    }
    case LVM_SETITEMCOUNT: return TRUE;
    case LVM_SORTITEMS: return SortItems((PFNLVCOMPARE)lParam, (LPARAM)wParam);
    case LVM_GETSELECTEDCOUNT: {
        int n = 0;
        for (const ListRow& r : rows_)
            n += (r.state & LVIS_SELECTED) ? 1 : 0;
        return n;
    }
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        DWORD old = exStyle_;
        SetExStyle((DWORD)wParam, (DWORD)lParam);
        Layout();
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return exStyle_;
    case LVM_SETCOLUMNORDERARRAY:
        InvalidateRect(hwnd_, nullptr, TRUE);
        return SendMessage(header_, HDM_SETORDERARRAY, wParam, lParam);
    case LVM_GETCOLUMNORDERARRAY: return SendMessage(header_, HDM_GETORDERARRAY, wParam, lParam);
    case LVM_GETSELECTIONMARK: return mark_;
    case LVM_SETSELECTIONMARK: {
        int old = mark_;
        mark_ = Valid((int)lParam) ? (int)lParam : -1;
        return old;
    }
    case LVM_GETSTRINGWIDTHA: {
        if (!lParam)
            return 0;
        HDC dc = GetDC(hwnd_);
        HGDIOBJ old = SelectObject(dc, font_);
        int w = TextWidth(dc, (LPCSTR)lParam, (int)strlen((LPCSTR)lParam));
        SelectObject(dc, old);
        ReleaseDC(hwnd_, dc);
        return w;
    }
    case WM_NOTIFY: {
        auto* hdr = (NMHDR*)lParam;
        if (hdr && hdr->hwndFrom == header_)
            return HeaderNotify(hdr);
        return 0;
    }
    case WM_COMMAND:
        if ((HWND)lParam == editor_.Window() && HIWORD(wParam) == EN_KILLFOCUS)
            editor_.End(false);
        return 0;
    case WM_TIMER:
        if (wParam == kEditTimer) {
            KillTimer(hwnd_, kEditTimer);
            if (Valid(editCandidate_) && GetFocus() == hwnd_)
                EditLabel(editCandidate_);
            editCandidate_ = -1;
        }
        return 0;
    case WM_SETFONT:
        font_ = wParam ? (HFONT)wParam : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
        SendMessage(header_, WM_SETFONT, (WPARAM)font_, lParam);
        Layout();
        if (LOWORD(lParam))
            InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return (LRESULT)font_;
    case WM_SIZE:
        Layout();
        ScrollTo(top_, scrollX_);
        return 0;
    case WM_STYLECHANGED:
        Layout();
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd_, wParam);
        if (paint.Dc())
            Paint(paint.Dc(), paint.Dirty());
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(hwnd_, &client);
        Paint((HDC)wParam, client);
        return 0;
    }
    case WM_SETFOCUS:
        focused_ = true;
        InvalidateRect(hwnd_, nullptr, TRUE);
        SendNotify(hwnd_, NM_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        focused_ = false;
        InvalidateRect(hwnd_, nullptr, TRUE);
        SendNotify(hwnd_, NM_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: KeyDown(wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown({(short)LOWORD(lParam), (short)HIWORD(lParam)}, (UINT)wParam,
                  msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK, msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE: MouseMove({(short)LOWORD(lParam), (short)HIWORD(lParam)}, (UINT)wParam); return 0;
    case WM_LBUTTONUP: MouseUp({(short)LOWORD(lParam), (short)HIWORD(lParam)}, false); return 0;
    case WM_CAPTURECHANGED: pressed_ = -1; return 0;
    case WM_VSCROLL: Scroll(SB_VERT, wParam); return 0;
    case WM_HSCROLL: Scroll(SB_HORZ, wParam); return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(top_ - 3 * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA, scrollX_);
        return 0;
    }
    return DefWindowProc(hwnd_, msg, wParam, lParam);
}

}  // namespace mivo
