#include "grid/VXGridOptionsCombo.h"

IMPLEMENT_DYNCREATE(CVXGridOptionsCombo, CComboBox)

CVXGridOptionsCombo::CVXGridOptionsCombo() = default;

CVXGridOptionsCombo::~CVXGridOptionsCombo() = default;

DWORD CVXGridOptionsCombo::GetWindowStyle()
{
    return WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST;
}

int CVXGridOptionsCombo::GetWidth()
{
    return 100;
}

int CVXGridOptionsCombo::GetHeight()
{
    return 100;
}

LRESULT CVXGridOptionsCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The grid deletes this list while it answers a request: after sending one,
    // only locals are used.
    switch (message) {
    case WM_GETDLGCODE: return CComboBox::WindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS;
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
        LRESULT result = CComboBox::WindowProc(message, wParam, lParam);
        if (!m_bClosing)
            ::SendMessage(::GetParent(m_hWnd), WM_USER, 0, (LPARAM)m_hWnd);
        return result;
    }
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}
