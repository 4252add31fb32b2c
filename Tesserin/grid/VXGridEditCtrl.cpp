#include "grid/VXGridEditCtrl.h"
#include "grid/GridTypes.h"

#include <cstring>

CVXGridEditCtrl::CVXGridEditCtrl(int item, int subItem, UINT flags)
    : m_iItem(item), m_iSubItem(subItem), m_nFlags(flags)
{
}

CVXGridEditCtrl::~CVXGridEditCtrl() = default;

void CVXGridEditCtrl::AddButton(CWnd* grid, CRect& rect, CFont* font)
{
    int side = rect.Height();
    if (!m_nFlags || rect.Width() <= side + 10)
        return;
    rect.right -= side;
    CRect button(rect.right, rect.top, rect.right + side, rect.bottom);
    if (m_wndButton.Create("...", WS_CHILD | WS_VISIBLE, button, grid, 0) && font)
        m_wndButton.SetFont(font);
}

void CVXGridEditCtrl::BeginEdit(UINT key)
{
    int length = GetWindowTextLength();
    if (key == 1 || key == VK_RETURN) {
        SetSel(length, length);
    } else if (key == VK_BACK) {
        SetSel(length, length);
        SendMessage(WM_CHAR, VK_BACK, 0);
    } else if (key == VK_TAB || (key >= VK_SPACE && key <= VK_DOWN)) {
        SetSel(0, -1);
    } else {
        SetSel(0, -1);
        SendMessage(WM_CHAR, key, 0);
    }
}

CWnd* CVXGridEditCtrl::NoticeTarget()
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    return owner ? CWnd::FromHandle(owner) : GetParent();
}

void CVXGridEditCtrl::EndEdit()
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
    record.nFlags = m_nFlags;
    record.hWnd = m_hWnd;
    record.nKey = m_nEndKey;
    record.lpszText = text;
    if (CWnd* target = NoticeTarget())
        target->SendMessage(WM_NOTIFY, (WPARAM)GetDlgCtrlID(), (LPARAM)&record);
    if (::IsWindow(m_hWnd))
        PostMessage(WM_CLOSE);
}

BOOL CVXGridEditCtrl::OnEndKey(UINT key)
{
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE)
        return FALSE;
    m_nEndKey = key;
    CWnd* grid = GetParent();
    if (!grid)
        return TRUE;
    grid->SetFocus(); // ends the edit through the lost focus
    if (key == VK_TAB)
        grid->SendMessage(WM_KEYDOWN, VK_TAB, 0);
    return TRUE;
}

void CVXGridEditCtrl::OnLostFocus(HWND newFocus)
{
    if (newFocus && m_wndButton.m_hWnd && newFocus == m_wndButton.m_hWnd) {
        char text[256] = "";
        GetWindowText(text, sizeof(text));
        _NMRVITEMEDIT record;
        memset(&record.hdr, 0, sizeof(record.hdr));
        record.hdr.code = (UINT)RVN_EDITKILLFOCUS;
        record.iItem = m_iItem;
        record.iSubItem = m_iSubItem;
        record.nFlags = m_nFlags;
        record.hWnd = m_hWnd;
        record.lpszText = text;
        CWnd* grid = GetParent();
        LRESULT reply = grid ? grid->SendMessage(WM_NOTIFY, (WPARAM)RVN_EDITKILLFOCUS, (LPARAM)&record) : 0;
        if (reply == 1) {
            text[255] = 0;
            SetWindowText(text);
        }
        SetFocus();
        return;
    }
    EndEdit();
}

LRESULT CVXGridEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (OnEndKey((UINT)wParam))
            return 0;
        break;
    case WM_CHAR:
        if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE)
            return 0;
        break;
    case WM_SYSCHAR: return 0;
    case WM_KILLFOCUS: {
        LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        OnLostFocus((HWND)wParam);
        return result;
    }
    case WM_DESTROY:
        if (m_wndButton.m_hWnd)
            m_wndButton.DestroyWindow();
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

void CVXGridEditCtrl::PostNcDestroy()
{
    delete this;
}
