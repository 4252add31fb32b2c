#include "twain/TestSourcePanel.h"

#include "res/resource.h"
#include "twain/TestSource.h"
#include "win32/user.h"
#include "win32/dialogs.h"
#include "win32/msgbox.h"

namespace mivo::twain {

TestSourcePanel::~TestSourcePanel()
{
    if (m_window && IsWindow(m_window))
        DestroyWindow(m_window);
}

bool TestSourcePanel::Show(HWND owner)
{
    m_window = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_TWAIN_TEST_SOURCE), owner, Proc, (LPARAM)this);
    if (!m_window)
        return false;
    ShowWindow(m_window, SW_SHOW);
    return true;
}

INT_PTR CALLBACK TestSourcePanel::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        return TRUE;
    }
    auto* panel = (TestSourcePanel*)GetWindowLongPtr(dialog, DWLP_USER);
    if (!panel || message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_TWAIN_SCAN:
        panel->m_source.Scan();
        return TRUE;
    case IDCANCEL:
        panel->m_source.RequestClose();
        return TRUE;
    }
    return FALSE;
}

}  // namespace mivo::twain
