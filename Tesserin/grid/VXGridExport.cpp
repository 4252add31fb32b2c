// What the grid hands outside: the column layout string, the export files,
// the clipboard copy, the TempReport dump and the tree built from a table.
#include "framework/ODBCQuery.h"
#include "framework/VXApp.h"
#include "grid/GridExportFile.h"
#include "grid/VXGridCtrl.h"

#include <algorithm>
#include <string>
#include <cstdlib>
#include <cstring>
#include <set>

CString CVXGridCtrl::GridProfileString()
{
    RemoveIndent();
    if (m_bColumnsReordered)
        ReorderColumns();
    CString layout;
    layout.Format("(%d,%d)", (int)m_arraySubItems.size(), (int)m_arrayColumns.size());
    for (const structSUBITEM& sub : m_arraySubItems) {
        CString width;
        width.Format(" %d", sub.iWidth);
        layout += width;
    }
    for (size_t column = 0; column < m_arrayColumns.size(); column++) {
        CString subItem;
        subItem.Format(" %d", GetSubItemFromColumn((int)column));
        layout += subItem;
    }
    ApplyIndent();
    return layout;
}

namespace {

// Reads "(D,S)" and D + S numbers; false for a string too short or not numeric.
bool ParseLayout(const char* text, int& defined, int& shown, std::vector<int>& numbers)
{
    char* end = nullptr;
    if (*text != '(')
        return false;
    defined = (int)strtol(text + 1, &end, 10);
    if (end == text + 1 || *end != ',')
        return false;
    const char* p = end + 1;
    shown = (int)strtol(p, &end, 10);
    if (end == p || *end != ')' || defined < 0 || shown < 0 || defined > 4096 || shown > 4096)
        return false;
    p = end + 1;
    for (int i = 0; i < defined + shown; i++) {
        if (!*p)
            return false;
        long value = strtol(p + 1, &end, 10);
        if (end == p + 1)
            return false;
        numbers.push_back((int)value);
        p = end;
    }
    return true;
}

} // namespace

BOOL CVXGridCtrl::ApplyProfileString(const CString& layout)
{
    if (layout.IsEmpty())
        return FALSE;
    int defined = 0, shown = 0;
    std::vector<int> numbers;
    if (!ParseLayout(layout, defined, shown, numbers))
        return FALSE;
    if (defined != (int)m_arraySubItems.size() || shown == 0 || shown > defined)
        return FALSE;
    std::set<int> listed;
    for (int i = 0; i < shown; i++) {
        int subItem = numbers[(size_t)(defined + i)];
        // Another grid's layout, or a damaged one, must not change this grid.
        if (subItem < 0 || subItem >= defined || !listed.insert(subItem).second)
            return FALSE;
    }
    RemoveIndent();
    for (int i = 0; i < defined; i++)
        m_arraySubItems[(size_t)i].iWidth = numbers[(size_t)i];
    for (int i = 0; i < shown; i++)
        ActivateSubItem(numbers[(size_t)(defined + i)], i);
    // Shown columns take the widths just read.
    for (int i = 0; i < shown; i++) {
        int subItem = numbers[(size_t)(defined + i)];
        int index = HeaderIndexOfSubItem(subItem);
        HDITEM hdi = {HDI_WIDTH};
        if (index >= 0 && m_wndHeader.GetItem(index, &hdi) && hdi.cxy != numbers[(size_t)subItem]) {
            m_iVirtualWidth += numbers[(size_t)subItem] - hdi.cxy;
            hdi.cxy = numbers[(size_t)subItem];
            m_wndHeader.SetItem(index, &hdi);
            m_arraySubItems[(size_t)subItem].iWidth = numbers[(size_t)subItem];
        }
    }
    ReorderColumns();
    ApplyIndent();
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

BOOL CVXGridCtrl::WriteVXProfile(LPCSTR section, LPCSTR entry)
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app ? app->SaveProfileString(section, entry, GridProfileString()) : FALSE;
}

BOOL CVXGridCtrl::GetVXProfile(LPCSTR section, LPCSTR entry)
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app ? ApplyProfileString(app->LoadProfileString(section, entry)) : FALSE;
}

BOOL CVXGridCtrl::WriteProfile(LPCSTR section, LPCSTR entry)
{
    CWinApp* app = AfxGetApp();
    return app ? app->WriteProfileString(section, entry, GridProfileString()) : FALSE;
}

BOOL CVXGridCtrl::GetProfile(LPCSTR section, LPCSTR entry)
{
    CWinApp* app = AfxGetApp();
    return app ? ApplyProfileString(app->GetProfileString(section, entry)) : FALSE;
}

CString CVXGridCtrl::ExportTo(BOOL spreadsheet)
{
    return GridExportFile::Write(m_strRunDirectory, m_strRunFile, spreadsheet, GetItemCount(),
                                 (int)m_arrayColumns.size(), [this](int item, int column) {
                                     return GetItemText(item, GetSubItemFromColumn(column));
                                 });
}

void CVXGridCtrl::OnVxgridExcel()
{
    CString path = ExportTo(TRUE);
    if (!path.IsEmpty())
        ::ShellExecute(m_hWnd, "open", "Excel.exe", path, nullptr, SW_SHOWNORMAL);
}

void CVXGridCtrl::OnVxgridText()
{
    CString path = ExportTo(FALSE);
    if (!path.IsEmpty())
        ::ShellExecute(m_hWnd, "open", "Notepad.exe", path, nullptr, SW_SHOWNORMAL);
}

void CVXGridCtrl::Copy()
{
    if (!::OpenClipboard(m_hWnd))
        return;
    if (!::EmptyClipboard()) {
        ::CloseClipboard();
        return;
    }
    std::vector<int> rows;
    SelectionToSortedArray(rows);
    SIZE_T size = 1, used = 0;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, size);
    for (int row : rows) {
        if (!block)
            break;
        CString line = GetItemString(GetItemFromRow(row), s_cCopySeparator);
        SIZE_T length = (SIZE_T)line.GetLength();
        HGLOBAL grown = ::GlobalReAlloc(block, size + 2 * length, GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (!grown)
            break; // the rows so far stay
        block = grown;
        size += 2 * length;
        char* text = (char*)::GlobalLock(block);
        memcpy(text + used, (LPCSTR)line, length);
        used += length;
        text[used] = 0;
        ::GlobalUnlock(block);
    }
    if (block && !::SetClipboardData(CF_TEXT, block))
        ::GlobalFree(block);
    ::CloseClipboard();
}

void CVXGridCtrl::SaveToLocalDB(LPCSTR dataSource, LPCSTR reportId)
{
    // Hidden sub-items are saved too: the columns are the definitions.
    GridExportFile::SaveToTempReport(dataSource, reportId, GetItemCount(), (int)m_arraySubItems.size(),
                                     [this](int item, int subItem) { return GetItemText(item, subItem); });
}

int CVXGridCtrl::MakeHierarchyGridFromTable(LPCSTR dataSource, LPCSTR user, LPCSTR password, LPCSTR table,
                                            LPCSTR keyColumn, LPCSTR textColumn, LPCSTR parentColumn,
                                            LPCSTR extraColumn, LPCSTR filter, LPCSTR tail, int topImage,
                                            int childImage)
{
    CWaitCursor wait;
    SendMessage(WM_SETREDRAW, FALSE);
    m_bRedraw = FALSE;
    DeleteAllItems();
    struct Row {
        int key, parent;
        CString text, extra;
    };
    std::vector<Row> pending;
    int read = 0;
    BOOL hasExtra = extraColumn && *extraColumn;
    {
        CODBCQuery query(dataSource, user, password, 1);
        if (query.InitQuery()) {
            query.SetStringColumn(keyColumn, "", 0);
            query.SetStringColumn(textColumn, "", 0);
            query.SetStringColumn(parentColumn, "", 0);
            if (hasExtra)
                query.SetStringColumn(extraColumn, "", 0);
            query.SetFilter(filter ? filter : "");
            query.m_strOrder = tail ? tail : "";
            if (query.RunStructQuery(CString("Select From ") + table))
                while (query.FetchNextRow()) {
                    read++;
                    Row row;
                    row.key = atoi(query.ColumnValue(0));
                    row.text = query.ColumnValue(1);
                    row.parent = atoi(query.ColumnValue(2));
                    if (hasExtra)
                        row.extra = query.ColumnValue(3);
                    pending.push_back(row);
                }
            query.CloseQuery();
        }
    }
    auto place = [&](const Row& row, _TREEITEM* parent) {
        BOOL top = parent == RVTI_ROOT;
        int image = top ? topImage : childImage;
        _TREEITEM* node = InsertItem(row.text, image, -1, -1, parent, RVTI_LAST);
        if (!node)
            return;
        int item = GetItemIndex(node);
        SetItemData(item, (DWORD_PTR)row.key);
        if (hasExtra && m_arraySubItems.size() > 1)
            SetItemText(item, 1, row.extra, -1);
    };
    // Each pass places the rows whose parent exists; a pass that places nothing ends them.
    while (!pending.empty()) {
        std::vector<Row> kept;
        int lastKey = 0;
        _TREEITEM* lastParent = nullptr;
        for (const Row& row : pending) {
            _TREEITEM* parent = RVTI_ROOT;
            if (row.parent != 0) {
                parent = lastParent && lastKey == row.parent ? lastParent : SearchTreeItemByData(RVTI_ROOT, row.parent);
                if (!parent) {
                    kept.push_back(row);
                    continue;
                }
                lastKey = row.parent;
                lastParent = parent;
                Expand(parent, 1);
            }
            place(row, parent);
        }
        if (kept.size() == pending.size()) {
            for (const Row& row : kept)
                place(row, RVTI_ROOT); // parents that never come: shown at the top level
            break;
        }
        pending.swap(kept);
    }
    SendMessage(WM_SETREDRAW, TRUE);
    m_bRedraw = TRUE;
    Invalidate();
    return read;
}
