#include "grid/VXListCombo.h"
#include "grid/VXListCtrl.h"

CVXListCombo::CVXListCombo(const CStringList& choices, int column, int row, LPCSTR text)
    : m_listChoices(10), m_iColumn(column), m_iRow(row), m_strInitText(text)
{
    for (POSITION pos = choices.GetHeadPosition(); pos;)
        m_listChoices.AddTail(choices.GetNext(pos));
}

CVXListCombo::~CVXListCombo() = default;

BOOL CVXListCombo::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        ::TranslateMessage(msg);
        ::DispatchMessage(msg);
        return TRUE;
    }
    return CComboBox::PreTranslateMessage(msg);
}

void CVXListCombo::Start()
{
    CWnd* list = GetParent();
    if (list)
        SetFont(list->GetFont());
    for (POSITION pos = m_listChoices.GetHeadPosition(); pos;)
        AddString(m_listChoices.GetNext(pos));
    SetFocus();
    ShowDropDown(TRUE);
    SetCurSel(FindStringExact(-1, m_strInitText));
}

void CVXListCombo::ReturnFocus()
{
    // The list taking the focus ends this box.
    if (CWnd* list = GetParent())
        list->SetFocus();
}

void CVXListCombo::End()
{
    if (m_bEnded)
        return;
    m_bEnded = TRUE;
    HWND self = m_hWnd;
    int selected = GetCurSel();
    if (selected >= 0) {
        CWnd* list = GetParent();
        CString text;
        GetLBText(selected, text);
        NMLVDISPINFO record = {};
        record.hdr.hwndFrom = list ? list->m_hWnd : nullptr;
        record.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
        record.hdr.code = LVN_ENDLABELEDIT;
        record.item.mask = LVIF_TEXT | LVIF_PARAM;
        record.item.iItem = m_iRow;
        record.item.iSubItem = m_iColumn;
        record.item.pszText = m_bEscape ? nullptr : text.GetBuffer();
        record.item.cchTextMax = text.GetLength();
        record.item.lParam = (LPARAM)GetItemData(selected);
        CWnd* owner = list ? list->GetParent() : nullptr;
        if (owner)
            owner->SendMessage(WM_NOTIFY, (WPARAM)record.hdr.idFrom, (LPARAM)&record);
    }
    // The owner may have closed the list, and this box with it.
    if (::IsWindow(self))
        ::PostMessage(self, WM_CLOSE, 0, 0);
}

LRESULT CVXListCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
        if (result != -1)
            Start();
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            if (wParam == VK_ESCAPE)
                m_bEscape = TRUE;
            ReturnFocus();
            return 0;
        }
        break;
    case WM_DESTROY:
        if (auto* list = dynamic_cast<CVXListCtrl*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
            list->EditorDestroyed(this);
        break;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

BOOL CVXListCombo::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_KILLFOCUS) {
        End();
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_CLOSEUP) {
        ReturnFocus();
        return TRUE;
    }
    return CComboBox::OnChildNotify(message, wParam, lParam, result);
}

void CVXListCombo::PostNcDestroy()
{
    delete this;
}
