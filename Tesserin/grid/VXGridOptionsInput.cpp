// The options grid's input: clicks and Space change options, a double click
// opens an option's editor, and the editors' requests close it again.
#include "grid/VXGridOptionsCtrl.h"
#include "grid/VXGridOptionsCombo.h"
#include "grid/VXGridOptionsEdit.h"
#include "mivo/runtimeclass.h"

#include <memory>

#include <algorithm>
#include <cstring>

LRESULT CVXGridOptionsCtrl::Notify(_NMREPORTVIEW* record)
{
    switch ((int)record->hdr.code) {
    case RVN_ITEMCLICK:
        EndOptionEdit(FALSE);
        if (record->iItem >= 0)
            ChangeOption(record->hItem);
        break;
    case RVN_ITEMDBLCLICK:
        if (record->iItem >= 0 && HasOptionEditor(record->hItem))
            BeginOptionEdit(record->hItem);
        break;
    case RVN_KEYDOWN:
        break;
    // Painting asks these: drawing a row must not close the editor over it.
    case RVN_DRAWROW:
    case RVN_DRAWITEM:
    case RVN_LOADITEMDATA:
        break;
    default:
        EndOptionEdit(FALSE);
        break;
    }
    return CVXGridCtrl::Notify(record);
}

void CVXGridOptionsCtrl::ChangeOption(_TREEITEM* node)
{
    if (IsOptionDisabled(node))
        return;
    _TREEITEM* parent = GetNextItem(node, 3);
    if (IsCheckOption(node)) {
        int state = 0;
        GetOptionCheck(node, state);
        if (SetOptionCheck(node, !state))
            SendOptionNotify((UINT)RVN_OPTIONCHECKCHANGED, parent, node, !state);
    } else if (IsRadioOption(node)) {
        SetOptionRadio(node);
        int index = 0;
        for (_TREEITEM* child = GetNextItem(parent, 4); child && child != node; child = GetNextItem(child, 1))
            index++;
        SendOptionNotify((UINT)RVN_OPTIONCHOICECHANGED, parent, node, index);
    }
}

void CVXGridOptionsCtrl::OnSpace(UINT flags)
{
    EndOptionEdit(FALSE);
    _TREEITEM* node = GetNextItem(RVTI_ROOT, 5);
    BOOL opens = node && HasOptionEditor(node);
    if (node && !opens)
        ChangeOption(node);
    CVXGridCtrl::WindowProc(WM_KEYDOWN, VK_SPACE, flags);
    // The editor opens after the grid's own Space: selecting the row notifies,
    // and a notification closes an open editor. Only the same focus row opens.
    if (opens && GetNextItem(RVTI_ROOT, 5) == node)
        BeginOptionEdit(node);
}

LRESULT CVXGridOptionsCtrl::SendOptionNotify(UINT code, _TREEITEM* parent, _TREEITEM* node, int value)
{
    int bit = RVN_FIRST - (int)code;
    if (bit >= 0 && bit <= 31 && !(m_nNotifyMask & (1u << bit)))
        return 0;
    CWnd* owner = m_hWnd ? GetParent() : nullptr;
    if (!owner)
        return 0;
    _NMRVOPTION record;
    memset(&record.hdr, 0, sizeof(record.hdr));
    record.hdr.hwndFrom = m_hWnd;
    record.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    record.hdr.code = code;
    record.hParent = parent;
    record.hItem = node;
    record.iValue = value;
    return owner->SendMessage(WM_NOTIFY, (WPARAM)GetDlgCtrlID(), (LPARAM)&record);
}

CRuntimeClass* CVXGridOptionsCtrl::EditorClassOf(_TREEITEM* node)
{
    int item = GetItemIndex(node);
    if (item < 0)
        return nullptr;
    // The item data is whatever the caller stored: only a registered class is read through.
    CRuntimeClass* editorClass = mivo::FindRegisteredClass((const void*)GetItemData(item));
    if (!editorClass || !editorClass->m_pfnCreateObject)
        return nullptr;
    if (!editorClass->IsDerivedFrom(RUNTIME_CLASS(CVXGridOptionsEdit)) &&
        !editorClass->IsDerivedFrom(RUNTIME_CLASS(CVXGridOptionsCombo)))
        return nullptr;
    return editorClass;
}

BOOL CVXGridOptionsCtrl::EditorRect(_TREEITEM* node, LPCSTR name, CRect& rect)
{
    int item = GetItemIndex(node);
    int row = GetRowFromItem(item);
    CRect cell;
    if (row < 0 || !GetRowRect(row, 0, &cell))
        return FALSE;
    char rowBuffer[256], cellBuffer[256];
    _RVITEM rowRecord, cellRecord;
    ReadDrawRecord(item, -1, rowRecord, rowBuffer, sizeof(rowBuffer));
    ReadDrawRecord(item, 0, cellRecord, cellBuffer, sizeof(cellBuffer));
    // As painting lays the cell out: tree indent, gap, image, check, then the text.
    if (rowRecord.iIndent >= 0 && (rowRecord.nMask & RVIM_INDENT))
        cell.left += rowRecord.iIndent * m_iItemHeight;
    int left = cell.left + m_iSpacing;
    if (cellRecord.nMask & RVIM_IMAGE)
        left += m_sizeImage.cx + m_iSpacing;
    if (cellRecord.nMask & RVIM_CHECK)
        left += m_sizeCheck.cx + m_iSpacing;
    CClientDC dc(this);
    CFont* old = dc.SelectObject((rowRecord.nState & RVIS_BOLD) ? &m_fontBold : &m_fontNormal);
    left += dc.GetTextExtent(name, (int)strlen(name)).cx;
    dc.SelectObject(old);
    int right = cell.right - 2 * ::GetSystemMetrics(SM_CXEDGE);
    rect.SetRect(left, cell.top, right, cell.top + m_iItemHeight);
    return right > left;
}

BOOL CVXGridOptionsCtrl::OpenEdit(CVXGridOptionsEdit* edit, CRect rect, LPCSTR value)
{
    rect.right = std::min<int>(rect.right, rect.left + edit->GetWidth());
    if (!edit->CreateEx(WS_EX_CLIENTEDGE, "Edit", value, edit->GetWindowStyle(), rect, this, 0))
        return FALSE;
    edit->SetFont(&m_fontNormal);
    edit->SetSel(0, -1);
    edit->SendMessage(EM_SCROLLCARET);
    return TRUE;
}

BOOL CVXGridOptionsCtrl::OpenCombo(CVXGridOptionsCombo* combo, CRect rect, LPCSTR value)
{
    rect.right = std::min<int>(rect.right, rect.left + combo->GetWidth());
    rect.bottom = rect.top + combo->GetHeight();
    if (!combo->Create(combo->GetWindowStyle(), rect, this, 0))
        return FALSE;
    combo->SetFont(&m_fontNormal);
    CString entry;
    for (int index = 0; index < combo->GetCount(); index++) {
        combo->GetLBText(index, entry);
        if (entry == value) {
            combo->SetCurSel(index);
            break;
        }
    }
    return TRUE;
}

BOOL CVXGridOptionsCtrl::BeginOptionEdit(_TREEITEM* node)
{
    EndOptionEdit(FALSE);
    CRuntimeClass* editorClass = EditorClassOf(node);
    if (!editorClass)
        return FALSE;
    int item = GetItemIndex(node);
    CString value = GetOptionValue(node);
    CString name = GetOptionName(item);
    CRect rect;
    if (!EditorRect(node, name, rect))
        return FALSE;
    std::unique_ptr<CObject> object(editorClass->CreateObject());
    CVXGridOptionsEdit* edit = DYNAMIC_DOWNCAST(CVXGridOptionsEdit, object.get());
    CVXGridOptionsCombo* combo = DYNAMIC_DOWNCAST(CVXGridOptionsCombo, object.get());
    BOOL opened = edit ? OpenEdit(edit, rect, value) : combo ? OpenCombo(combo, rect, value) : FALSE;
    if (!opened)
        return FALSE;
    object.release();  // held by m_pOptionEdit or m_pOptionCombo below
    // The row shows the name alone while its value is in the editor.
    _RVITEM nameOnly;
    nameOnly.nMask = RVIM_TEXT;
    nameOnly.iItem = item;
    nameOnly.iSubItem = 0;
    nameOnly.lpszText = const_cast<LPSTR>((LPCSTR)name);
    SetItem(&nameOnly);
    RedrawItems(item);
    m_hEditNode = node;
    m_strEditValue = value;
    m_pOptionEdit = edit;
    m_pOptionCombo = combo;
    CWnd::FromHandle(GetOptionEditorWnd())->SetFocus();
    return TRUE;
}

BOOL CVXGridOptionsCtrl::EndOptionEdit(BOOL commit, BOOL)
{
    CWnd* editor = m_pOptionEdit ? (CWnd*)m_pOptionEdit : (CWnd*)m_pOptionCombo;
    if (!editor)
        return FALSE;
    // Detached and marked before anyone is told: a parent that moves the focus
    // while it answers (a message box) must not end this editor a second time.
    if (m_pOptionEdit)
        m_pOptionEdit->MarkClosing();
    else
        m_pOptionCombo->MarkClosing();
    _TREEITEM* node = m_hEditNode;
    CString value = m_strEditValue;
    m_pOptionEdit = nullptr;
    m_pOptionCombo = nullptr;
    m_hEditNode = nullptr;
    if (commit) {
        if (editor->m_hWnd)
            editor->GetWindowText(value);
        SendOptionNotify((UINT)RVN_OPTIONTEXTCHANGED, GetNextItem(node, 3), node, -1);
    }
    if (editor->m_hWnd && ::GetFocus() == editor->m_hWnd && m_hWnd)
        SetFocus(); // the keys stay with the grid
    editor->DestroyWindow();
    std::unique_ptr<CWnd> closed(editor);  // detached above, so nobody else frees it
    closed.reset();
    SetOptionValue(GetItemIndex(node), value);
    return TRUE;
}

LRESULT CVXGridOptionsCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_USER:
        // Only the open editor closes it; a request from any other window is no editor's.
        if (lParam && (HWND)lParam != GetOptionEditorWnd())
            return 0;
        return EndOptionEdit(wParam != VK_ESCAPE);
    case WM_KEYDOWN:
        if (wParam != VK_SPACE)
            break;
        OnSpace((UINT)lParam);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DESTROY:
        EndOptionEdit(FALSE);
        break;
    }
    return CVXGridCtrl::WindowProc(message, wParam, lParam);
}
