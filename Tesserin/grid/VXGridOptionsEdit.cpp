#include "grid/VXGridOptionsEdit.h"

#include "grid/OptionEditorMessages.h"

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
    return RouteOptionEditorMessage(m_hWnd, m_bClosing, message, wParam,
                                    [&] { return CEdit::WindowProc(message, wParam, lParam); });
}
