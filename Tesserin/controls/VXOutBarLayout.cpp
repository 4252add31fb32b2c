// The out-bar's geometry: folder buttons, the inside rectangle, item boxes,
// drop markers and hit testing.
#include "controls/VXOutBarCtrl.h"

#include "controls/VXOutBarRecords.h"

#include <algorithm>

namespace {

CRect ClientOf(const CWnd* wnd)
{
    CRect client(0, 0, 0, 0);
    if (wnd->GetSafeHwnd())
        wnd->GetClientRect(&client);
    return client;
}

CString SingleLine(const CString& text)
{
    CString line = text;
    line.Replace("\r\n", " ");
    return line;
}

}  // namespace

BOOL CVXOutBarCtrl::GetFolderRect(int index, CRect& rect) const
{
    const int count = GetFolderCount();
    if (index < 0 || index >= count)
        return FALSE;
    const CRect client = ClientOf(this);
    rect = client;
    if (index <= m_nSelFolder) {
        rect.top = client.top + index * m_nFolderHeight - 1;
        rect.bottom = client.top + (index + 1) * m_nFolderHeight - 1;
    } else {
        rect.top = client.bottom - (count - index) * m_nFolderHeight;
        rect.bottom = client.bottom - (count - index - 1) * m_nFolderHeight;
    }
    return TRUE;
}

void CVXOutBarCtrl::GetInsideRect(CRect& rect) const
{
    rect = ClientOf(this);
    const int count = GetFolderCount();
    if (count == 0)
        return;
    rect.top = rect.top + (m_nSelFolder + 1) * m_nFolderHeight - 1;
    rect.bottom = rect.bottom + 1 - (count - m_nSelFolder - 1) * m_nFolderHeight;
}

int CVXOutBarCtrl::Spacing() const
{
    return IsSmallIconView() ? m_nSmallSpacing : m_nLargeSpacing;
}

CSize CVXOutBarCtrl::LabelSize(int folder, int item)
{
    CBarItem* record = Folder(folder)->ItemAt(item);
    if (!record)
        AfxThrowInvalidArgException();
    CWindowDC dc(m_hWnd ? this : nullptr);
    CFont* old = dc.SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    CSize size;
    if (IsSmallIconView()) {
        size = dc.GetTextExtent(SingleLine(record->text));
    } else {
        CRect inside;
        GetInsideRect(inside);
        CRect box(0, 0, inside.Width(), 0);
        dc.DrawText(record->text, &box, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        size = box.Size();
    }
    dc.SelectObject(old);
    return size;
}

CSize CVXOutBarCtrl::GetItemSize(int folder, int item, int type)
{
    CBarItem* record = Folder(folder)->ItemAt(item);
    if (!record)
        AfxThrowInvalidArgException();
    CSize icon(0, 0);
    CImageList* list = ViewImageList(folder);
    if (record->image >= 0 && list && list->GetSafeHandle()) {
        int cx = 0, cy = 0;
        list->GetIconSize(&cx, &cy);
        icon = CSize(cx, cy);
    }
    if (type == 1)
        return icon;
    const CSize label = LabelSize(folder, item);
    if (type == 2)
        return label;
    if (IsSmallIconView())
        return CSize(m_nSmallLabelOffset + label.cx + icon.cx, std::max(icon.cy, label.cy));
    return CSize(std::max(icon.cx, label.cx), m_nLargeSpacing + m_nLargeLabelOffset + label.cy + icon.cy);
}

int CVXOutBarCtrl::ItemOffset(int folder)
{
    int offset = 0;
    const int first = std::min(m_nFirstItem, GetFolderItemCount(folder));
    for (int i = 0; i < first; ++i)
        offset += GetItemSize(folder, i, 3).cy + Spacing();
    return offset;
}

namespace {

// Top of an item before scrolling: items stack from the inside top.
int StackTop(CVXOutBarCtrl* bar, int folder, int item, int insideTop, int spacing)
{
    int y = insideTop;
    for (int i = 0; i < item; ++i)
        y += bar->GetItemSize(folder, i, 3).cy + spacing;
    return y;
}

}  // namespace

void CVXOutBarCtrl::GetItemRect(int folder, int item, CRect& rect)
{
    CRect inside;
    GetInsideRect(inside);
    const CSize size = GetItemSize(folder, item, 3);
    const int y = StackTop(this, folder, item, inside.top, Spacing()) - ItemOffset(folder);
    rect.SetRect(inside.left, y, inside.left + size.cx, y + size.cy);
    rect.left += m_nLeftMargin;
    rect.top += m_nTopMargin;
    rect.bottom += m_nTopMargin;
    if (!IsSmallIconView()) {
        rect.left = inside.left;
        rect.right = inside.right;
    }
}

void CVXOutBarCtrl::GetIconRect(int folder, int item, CRect& rect)
{
    CRect inside;
    GetInsideRect(inside);
    const CSize icon = GetItemSize(folder, item, 1);
    const int y = StackTop(this, folder, item, inside.top, Spacing()) + Spacing() - ItemOffset(folder);
    if (IsSmallIconView()) {
        const int left = inside.left + m_nLeftMargin + 2;
        rect.SetRect(left, y - m_nTopMargin, left + icon.cx, y - m_nTopMargin + icon.cy);
        return;
    }
    const int left = inside.left + (inside.Width() - icon.cx) / 2;
    rect.SetRect(left, y - 3, left + icon.cx, y + icon.cy - 2);
}

void CVXOutBarCtrl::GetLabelRect(int folder, int item, CRect& rect)
{
    CRect inside;
    GetInsideRect(inside);
    const CSize whole = GetItemSize(folder, item, 3);
    const int offset = ItemOffset(folder);
    const int y = StackTop(this, folder, item, inside.top, Spacing());
    if (IsSmallIconView()) {
        const int left = inside.left + m_nLeftMargin + 2;
        rect.SetRect(left, y + m_nTopMargin - 5 - offset, left + whole.cx, y + m_nTopMargin - 5 - offset + whole.cy);
        return;
    }
    const int label = GetItemSize(folder, item, 2).cy;
    const int left = inside.left + (inside.Width() - whole.cx) / 2;
    const int bottom = y + whole.cy - 2 - offset - m_nLargeSpacing;
    rect.SetRect(left, bottom - label, left + whole.cx, bottom);
}

void CVXOutBarCtrl::GetVisibleRange(int folder, int& first, int& last)
{
    first = m_nFirstItem;
    const int count = GetFolderItemCount(folder);
    if (first >= count)
        return;
    CRect inside;
    GetInsideRect(inside);
    last = first - 1;
    for (int i = first; i < count; ++i) {
        CRect r;
        GetItemRect(folder, i, r);
        if (r.bottom > inside.bottom)
            break;
        last = i;
    }
}

int CVXOutBarCtrl::GetDragItemRect(int index, CRect& rect)
{
    CRect inside;
    GetInsideRect(inside);
    inside.DeflateRect(2, 2);
    const int count = GetItemCount();
    int y = inside.top;
    CRect item;
    if (index < count && index >= 0) {
        GetItemRect(m_nSelFolder, index, item);
        y = item.top - 4;
    } else if (count > 0) {
        GetItemRect(m_nSelFolder, count - 1, item);
        y = item.bottom + 6;
    }
    if (index == 0 && count > 0) {
        rect.SetRect(inside.left, y + 2, inside.right, y + 7);
        return 0;
    }
    if (index > 0 && index < count) {
        rect.SetRect(inside.left, y - 9, inside.right, y);
        if (IsSmallIconView())
            rect.OffsetRect(0, 8);
        return 1;
    }
    rect.SetRect(inside.left, y, inside.right, y + 5);
    return 2;
}

int CVXOutBarCtrl::HitTestEx(const CPoint& point, int& index)
{
    if (m_bUpArrow && m_rcUpArrow.PtInRect(point))
        return kHitUpArrow;
    if (m_bDownArrow && m_rcDownArrow.PtInRect(point))
        return kHitDownArrow;
    for (int i = 0; i < GetFolderCount(); ++i) {
        CRect r;
        GetFolderRect(i, r);
        if (r.PtInRect(point)) {
            index = i;
            return kHitFolder;
        }
    }
    if (GetFolderCount() == 0 || GetFolderChild(m_nSelFolder))
        return kHitNone;
    CRect inside;
    GetInsideRect(inside);
    for (int i = m_nFirstItem; i < GetItemCount(); ++i) {
        CRect box;
        if (IsSmallIconView()) {
            GetItemRect(m_nSelFolder, i, box);
        } else {
            GetIconRect(m_nSelFolder, i, box);
            CRect label;
            GetLabelRect(m_nSelFolder, i, label);
            label.top -= m_nLargeLabelOffset;
            if (!box.PtInRect(point) && label.PtInRect(point))
                box = label;
        }
        if (box.top > inside.bottom)
            break;
        if (box.PtInRect(point)) {
            index = i;
            return kHitItem;
        }
    }
    return kHitNone;
}
