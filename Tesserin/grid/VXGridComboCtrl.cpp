#include "grid/VXGridComboCtrl.h"
#include "grid/GridTypes.h"

#include <cstring>

CVXGridComboCtrl::CVXGridComboCtrl(int item, int subItem) : m_iItem(item), m_iSubItem(subItem)
{
}

CVXGridComboCtrl::~CVXGridComboCtrl() = default;

void CVXGridComboCtrl::BeginEdit(UINT key)
{
    if (key != 1 && key != VK_RETURN && (GetStyle() & 0x2))
        SendMessage(WM_CHAR, key, 0);
}

void CVXGridComboCtrl::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = TRUE;
    char text[256] = "";
    GetWindowText(text, sizeof(text));
    _NMRVITEMEDIT record;
    memset(&record.hdr, 0, sizeof(record.hdr));
    record.hdr.hwndFrom = m_hWnd;
    record.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    record.hdr.code = (UINT)RVN_ENDITEMEDIT;
    record.iItem = m_iItem;
    record.iSubItem = m_iSubItem;
    record.hWnd = m_hWnd;
    record.nKey = m_nEndKey;
    record.lpszText = text;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    CWnd* target = owner ? CWnd::FromHandle(owner) : GetParent();
    if (target)
        target->SendMessage(WM_NOTIFY, (WPARAM)GetDlgCtrlID(), (LPARAM)&record);
    if (::IsWindow(m_hWnd))
        PostMessage(WM_CLOSE);
}

LRESULT CVXGridComboCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE) {
            m_nEndKey = (UINT)wParam;
            if (CWnd* parent = GetParent())
                parent->SetFocus();
            return 0;
        }
        break;
    case WM_SYSCHAR: return 0;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}

BOOL CVXGridComboCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_KILLFOCUS) {
        EndEdit();
        return TRUE;
    }
    return CComboBox::OnChildNotify(message, wParam, lParam, result);
}

void CVXGridComboCtrl::PostNcDestroy()
{
    delete this;
}
