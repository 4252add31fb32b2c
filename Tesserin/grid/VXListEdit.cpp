#include "grid/VXListEdit.h"
#include "grid/VXListCtrl.h"

#include <algorithm>

namespace {

// Room left after the text when the box widens while typing.
const int kWidenMargin = 5;

} // namespace

CVXListEdit::CVXListEdit(int row, int column, LPCSTR text) : m_iRow(row), m_iColumn(column), m_strInitText(text)
{
}

CVXListEdit::~CVXListEdit() = default;

BOOL CVXListEdit::PreTranslateMessage(MSG* msg)
{
    // Dialog navigation must not take the keys that end or edit the cell.
    if (msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_RETURN || msg->wParam == VK_DELETE || msg->wParam == VK_ESCAPE ||
         ::GetKeyState(VK_CONTROL) < 0)) {
        ::TranslateMessage(msg);
        ::DispatchMessage(msg);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(msg);
}

void CVXListEdit::Start()
{
    CWnd* list = GetParent();
    if (list)
        SetFont(list->GetFont());
    SetWindowText(m_strInitText);
    SetFocus();
    SetSel(0, 0);
}

void CVXListEdit::End()
{
    if (m_bEnded)
        return;
    m_bEnded = TRUE;
    HWND self = m_hWnd;
    CWnd* list = GetParent();
    CString text;
    GetWindowText(text);
    NMLVDISPINFO record = {};
    record.hdr.hwndFrom = list ? list->m_hWnd : nullptr;
    record.hdr.idFrom = (UINT_PTR)GetDlgCtrlID();
    record.hdr.code = LVN_ENDLABELEDIT;
    record.item.mask = LVIF_TEXT;
    record.item.iItem = m_iRow;
    record.item.iSubItem = m_iColumn;
    record.item.pszText = m_bEscape ? nullptr : text.GetBuffer();
    record.item.cchTextMax = text.GetLength();
    CWnd* owner = list ? list->GetParent() : nullptr;
    if (owner)
        owner->SendMessage(WM_NOTIFY, (WPARAM)record.hdr.idFrom, (LPARAM)&record);
    // The owner may have closed the list, and this box with it.
    if (::IsWindow(self))
        DestroyWindow();
}

void CVXListEdit::Widen()
{
    CWnd* list = GetParent();
    if (!list)
        return;
    CString text;
    GetWindowText(text);
    CClientDC dc(this);
    CFont* old = dc.SelectObject(GetFont());
    int wanted = dc.GetTextExtent(text).cx + kWidenMargin;
    dc.SelectObject(old);
    CRect box, client;
    GetWindowRect(&box);
    list->ScreenToClient(&box);
    list->GetClientRect(&client);
    if (wanted <= box.Width())
        return;
    int right = std::min((int)client.right, (int)box.left + wanted);
    if (right > box.right)
        SetWindowPos(nullptr, 0, 0, right - box.left, box.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CVXListEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        if (result != -1)
            Start();
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            if (wParam == VK_ESCAPE)
                m_bEscape = TRUE;
            // The list taking the focus ends this box, which deletes it.
            if (CWnd* list = GetParent())
                list->SetFocus();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE)
            return 0;
        {
            LRESULT result = CEdit::WindowProc(message, wParam, lParam);
            Widen();
            return result;
        }
    case WM_KILLFOCUS: {
        LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        End();
        return result;
    }
    case WM_DESTROY:
        if (auto* list = dynamic_cast<CVXListCtrl*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
            list->EditorDestroyed(this);
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

void CVXListEdit::PostNcDestroy()
{
    delete this;
}
