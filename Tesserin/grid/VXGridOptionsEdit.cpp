#include "grid/VXGridOptionsEdit.h"

IMPLEMENT_DYNCREATE(CVXGridOptionsEdit, CEdit)

CVXGridOptionsEdit::CVXGridOptionsEdit() = default;

CVXGridOptionsEdit::~CVXGridOptionsEdit() = default;

DWORD CVXGridOptionsEdit::GetWindowStyle()
{
    return WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
}

int CVXGridOptionsEdit::GetWidth()
{
    return 100;
}

LRESULT CVXGridOptionsEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The grid deletes this box while it answers a request: after sending one,
    // only locals are used.
    switch (message) {
    case WM_GETDLGCODE: return CEdit::WindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            ::SendMessage(::GetParent(m_hWnd), WM_USER, wParam, (LPARAM)m_hWnd);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE)
            return 0;
        break;
    case WM_KILLFOCUS: {
        LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        if (!m_bClosing)
            ::SendMessage(::GetParent(m_hWnd), WM_USER, 0, (LPARAM)m_hWnd);
        return result;
    }
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
