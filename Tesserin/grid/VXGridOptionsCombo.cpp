#include "grid/VXGridOptionsCombo.h"

#include "grid/OptionEditorMessages.h"

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
    return RouteOptionEditorMessage(m_hWnd, m_bClosing, message, wParam,
                                    [&] { return CComboBox::WindowProc(message, wParam, lParam); });
}
