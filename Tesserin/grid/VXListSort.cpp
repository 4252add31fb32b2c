// The report list's sorting on its rows and the triangle mark in the titles.
#include "grid/VXListCtrl.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char kMarkAscending[] = "△";
const char kMarkDescending[] = "▽";
// Titles are read whole; this only bounds the buffer against a broken header.
const int kMaxTitleBytes = 1 << 16;

int NumberOf(const CString& text)
{
    CString digits = text;
    digits.Remove(',');
    return atoi(digits);
}

// Where the last character of the text starts (a trail byte may look like a lead byte).
int LastCharStart(const CString& text)
{
    int last = -1;
    for (int i = 0; i < text.GetLength(); i++) {
        last = i;
        if (::IsDBCSLeadByte((BYTE)text[i]) && i + 1 < text.GetLength())
            i++;
    }
    return last;
}

// Start of a closing triangle mark, or -1.
int MarkStart(const CString& text)
{
    int last = LastCharStart(text);
    if (last < 0 || text.GetLength() - last != 2)
        return -1;
    LPCSTR tail = (LPCSTR)text + last;
    return strcmp(tail, kMarkAscending) == 0 || strcmp(tail, kMarkDescending) == 0 ? last : -1;
}

// Quicksort over the rows [first, last] by a key per row; rows move whole.
template <typename Key, typename KeyOf, typename Swap>
void SortRows(int first, int last, BOOL ascending, const KeyOf& keyOf, const Swap& swapRows)
{
    int lo = first, hi = last;
    Key pivot = keyOf((first + last) / 2);
    while (lo <= hi) {
        if (ascending) {
            while (lo < last && keyOf(lo) < pivot)
                lo++;
            while (hi > first && pivot < keyOf(hi))
                hi--;
        } else {
            while (lo < last && pivot < keyOf(lo))
                lo++;
            while (hi > first && keyOf(hi) < pivot)
                hi--;
        }
        if (lo <= hi) {
            swapRows(lo, hi);
            lo++;
            hi--;
        }
    }
    if (first < hi)
        SortRows<Key>(first, hi, ascending, keyOf, swapRows);
    if (lo < last)
        SortRows<Key>(lo, last, ascending, keyOf, swapRows);
}

} // namespace

void CVXListCtrl::SwapRows(int row1, int row2)
{
    int columns = GetColumnCount();
    for (int column = 0; column < columns; column++) {
        CString text1 = GetItemText(row1, column);
        CString text2 = GetItemText(row2, column);
        SetItemText(row1, column, text2);
        SetItemText(row2, column, text1);
    }
    LVITEM item1 = {LVIF_IMAGE | LVIF_STATE | LVIF_PARAM, row1};
    LVITEM item2 = {LVIF_IMAGE | LVIF_STATE | LVIF_PARAM, row2};
    item1.stateMask = item2.stateMask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED |
                                        LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;
    GetItem(&item1);
    GetItem(&item2);
    std::swap(item1.iItem, item2.iItem);
    SetItem(&item2);
    SetItem(&item1);
}

int CVXListCtrl::SortTextItems(int column, BOOL ascending, int first, int last)
{
    if (column < 0 || column >= GetColumnCount())
        return 0;
    if (last == -1)
        last = GetItemCount() - 1;
    if (first < 0 || last >= GetItemCount() || last <= first)
        return 0;
    SortRows<CString>(
        first, last, ascending, [&](int row) { return GetItemText(row, column); },
        [&](int row1, int row2) {
            if (GetItemText(row1, column) != GetItemText(row2, column))
                SwapRows(row1, row2);
        });
    return 1;
}

int CVXListCtrl::SortNumericItems(int column, BOOL ascending, int first, int last)
{
    if (column < 0 || column >= GetColumnCount())
        return 0;
    if (last == -1)
        last = GetItemCount() - 1;
    if (first < 0 || last >= GetItemCount() || last <= first)
        return 0;
    SortRows<int>(
        first, last, ascending, [&](int row) { return NumberOf(GetItemText(row, column)); },
        [&](int row1, int row2) {
            if (GetItemText(row1, column) != GetItemText(row2, column))
                SwapRows(row1, row2);
        });
    return 1;
}

CString CVXListCtrl::GetColumnTitle(int column)
{
    std::vector<char> buffer(64);
    for (;;) {
        LVCOLUMN col = {LVCF_TEXT};
        buffer[0] = 0;
        col.pszText = buffer.data();
        col.cchTextMax = (int)buffer.size();
        if (!GetColumn(column, &col))
            return CString();
        if ((int)strlen(buffer.data()) < (int)buffer.size() - 2 || (int)buffer.size() >= kMaxTitleBytes)
            return CString(buffer.data());
        buffer.assign(buffer.size() * 2, 0);
    }
}

void CVXListCtrl::MarkSortedTitles()
{
    int columns = GetColumnCount();
    for (int column = 0; column < columns; column++) {
        CString title = GetColumnTitle(column);
        int mark = MarkStart(title);
        if (column == m_iSortColumn) {
            if (mark >= 0)
                title = title.Left(mark);
            else
                title += " ";
            title += m_bAscending ? kMarkAscending : kMarkDescending;
        } else if (mark >= 0) {
            if (mark > 0 && title[mark - 1] == ' ')
                mark--;
            title = title.Left(mark);
        }
        LVCOLUMN col = {LVCF_TEXT};
        col.pszText = title.GetBuffer();
        SetColumn(column, &col);
    }
}
