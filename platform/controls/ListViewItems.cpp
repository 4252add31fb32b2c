// Report list items, their states and texts, and the columns.
#include "controls/ListViewControl.h"
#include "controls/CommonNotify.h"
#include "controls/CommonPaint.h"

#include <algorithm>
#include <cstring>

namespace mivo {

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

}  // namespace mivo
