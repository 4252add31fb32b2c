// In-cell editing: asking the parent, opening the edit box, storing the result.
#include "controls/VXEdit.h"
#include "grid/GridNumberText.h"
#include "grid/VXGridCtrl.h"
#include "grid/VXGridEditCtrl.h"

#include <memory>

#include <cstring>

CString CVXGridCtrl::NumberEditText(const char* text)
{
    // Digits and points only, but a leading minus stays: the value keeps its sign.
    CString plain;
    const char* p = text;
    while (*p == ' ')
        p++;
    if (*p == '-')
        plain += '-';
    for (int i = 0; text[i] && i < 256; i++)
        if ((text[i] >= '0' && text[i] <= '9') || text[i] == '.')
            plain += text[i];
    return plain == "0" ? CString() : plain;
}

BOOL CVXGridCtrl::TextPartRect(int row, int column, const _RVITEM& cell, CRect& rect)
{
    if (!GetRowRect(row, column, &rect))
        return FALSE;
    rect.left += m_iSpacing;
    rect.right -= m_iSpacing;
    if (cell.nMask & RVIM_IMAGE)
        rect.left += m_sizeImage.cx + m_iSpacing;
    if (cell.nMask & RVIM_CHECK)
        rect.left += m_sizeCheck.cx + m_iSpacing;
    return rect.right > rect.left;
}

BOOL CVXGridCtrl::BeginEdit(int row, int column, UINT key)
{
    if (row == -2 || row < -1 || row >= m_iVirtualHeight || column < 0 ||
        column >= (int)m_arrayColumns.size() || (row == -1 && !(m_nGridStyle & RVS_SHOWFIXEDROW)))
        return FALSE;
    EndEdit(TRUE);
    int item = GetItemFromRow(row), subItem = GetSubItemFromColumn(column);
    char text[257] = "";
    _RVITEM cell;
    cell.nMask = RVIM_TEXT;
    cell.iItem = item;
    cell.iSubItem = subItem;
    cell.lpszText = text;
    cell.iTextMax = 256;
    if (!GetItem(&cell) || (cell.nState & RVIS_READONLY))
        return FALSE;
    _NMRVITEMEDIT record;
    memset(&record.hdr, 0, sizeof(record.hdr));
    record.hdr.code = (UINT)RVN_BEGINITEMEDIT;
    record.iItem = item;
    record.iSubItem = subItem;
    if (!GetRowRect(row, column, &record.rect))
        return FALSE;
    record.nKey = key;
    record.lpszText = (cell.nMask & RVIM_TEXT) ? text : nullptr;
    record.lParam = (LPARAM)cell.lParam;
    record.item.iItem = item;
    record.item.iSubItem = subItem;
    if (Notify((_NMREPORTVIEW*)&record)) {
        if (!record.hWnd)
            return FALSE;
        m_hEditWnd = record.hWnd;
        m_iEditItem = item;
        m_iEditSubItem = subItem;
        ::SetFocus(m_hEditWnd);
        return TRUE;
    }
    CRect rect;
    if (!(cell.nMask & RVIM_TEXT) || !TextPartRect(row, column, cell, rect))
        return FALSE;
    rect.bottom += 1;
    auto owned = std::make_unique<CVXGridEditCtrl>(item, subItem, record.nFlags);
    CFont* font = (cell.nState & RVIS_BOLD) ? &m_fontBold : &m_fontNormal;
    owned->AddButton(this, rect, font);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN;
    if (!owned->Create(style, rect, this, 0))
        return FALSE;
    CVXGridEditCtrl* editor = owned.release();  // the window frees itself when it is destroyed
    editor->SetFont(font);
    editor->SetWindowText(cell.iNumberFormat != -1 ? (LPCSTR)NumberEditText(text) : text);
    m_hEditWnd = editor->m_hWnd;
    m_iEditItem = item;
    m_iEditSubItem = subItem;
    editor->SetFocus();
    editor->BeginEdit(key);
    return TRUE;
}

LRESULT CVXGridCtrl::OnEditorEnd(_NMRVITEMEDIT* notice)
{
    // A notice from an editor this grid already ended must not land in another cell.
    if (!m_hEditWnd || notice->hdr.hwndFrom != m_hEditWnd)
        return 0;
    _NMRVITEMEDIT record = *notice;
    memset(&record.hdr, 0, sizeof(record.hdr));
    record.hdr.code = (UINT)RVN_ENDITEMEDIT;
    record.iItem = m_iEditItem;
    record.iSubItem = m_iEditSubItem;
    record.hWnd = m_hEditWnd;
    if (m_iEditItem >= -1 && m_iEditItem < GetItemCount())
        record.lParam = (LPARAM)GetItemData(m_iEditItem);
    if (Notify((_NMREPORTVIEW*)&record))
        EndEdit(FALSE);
    else
        EndEdit(notice->nKey != VK_ESCAPE, &record);
    return 0;
}

void CVXGridCtrl::EndEdit(BOOL apply, _NMRVITEMEDIT* record)
{
    LPCSTR text = record ? (record->lpszText ? record->lpszText : "") : nullptr;
    if (!m_hEditWnd)
        return;
    HWND editor = m_hEditWnd;
    int item = m_iEditItem, subItem = m_iEditSubItem;
    m_hEditWnd = nullptr;
    m_iEditItem = -2;
    m_iEditSubItem = -1;
    if (apply && !IsOwnerData() && item >= -1 && item < GetItemCount()) {
        char buffer[256] = "";
        BOOL readable = TRUE;
        if (text) {
            strncpy(buffer, text, 255);
        } else {
            readable = ::IsWindow(editor);
            if (readable)
                ::GetWindowText(editor, buffer, sizeof(buffer));
        }
        _RVITEM cell;
        cell.iItem = item;
        cell.iSubItem = subItem;
        if (readable && GetItem(&cell)) {
            if (cell.iNumberFormat == -1)
                SetItemText(item, subItem, buffer, -1);
            else
                SetItemValue(item, subItem, GridNumberText::Parse(NumberEditText(buffer)), cell.iNumberFormat, -1);
        }
    }
    if (::IsWindow(editor))
        ::PostMessage(editor, WM_CLOSE, 0, 0);
    HWND focus = ::GetFocus();
    if (focus != m_hWnd && !::IsChild(m_hWnd, focus))
        m_bFocus = FALSE;
    InvalidateRow(m_iFocusRow);
}

void CVXGridCtrl::OnCharImpl(UINT character)
{
    if (!m_bTyping || m_iFocusColumn < 0)
        return;
    if (m_iFocusRow == -1 || (m_nGridStyle & RVS_FOCUSSUBITEMS))
        BeginEdit(m_iFocusRow, m_iFocusColumn, character);
}

BOOL CVXGridCtrl::HandleCellKey(UINT key)
{
    if (!(m_nGridStyle & RVS_FOCUSSUBITEMS) || (key != VK_TAB && key != VK_RETURN))
        return FALSE;
    if (key == VK_RETURN) {
        BeginEdit(m_iFocusRow, m_iFocusColumn, 1);
        return TRUE;
    }
    OnKeyDownImpl(VK_RIGHT, 0);
    if (m_bAllCellEdit)
        BeginEdit(m_iFocusRow, m_iFocusColumn, 1);
    return TRUE;
}

BOOL CVXGridCtrl::SetItemValueFromVXEdit(int item, int subItem, CVXEdit* edit, int colour)
{
    if (!edit)
        return FALSE;
    return SetItemValue(item, subItem, edit->GetValue(), edit->GetDecimals(), colour);
}
