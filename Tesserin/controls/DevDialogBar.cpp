#include "controls/DevDialogBar.h"

IMPLEMENT_DYNAMIC(CDevDialogBar, CVXSizingBar)

CDevDialogBar::CDevDialogBar() : CVXSizingBar(CSize(32, 32), 20, 3), m_pDialog(nullptr) {}

int CDevDialogBar::Create(CWnd* parent, CDialog* dialog, CString& title, UINT id, DWORD style)
{
    m_dwStyle = style & CBRS_ALL;
    if (!dialog || !CWnd::Create(RegisterBarClass(), title, style & ~CBRS_ALL, CRect(0, 0, 0, 0), parent, id))
        return 0;
    if (!dialog->Create(id, this)) {
        DestroyWindow();
        return 0;
    }
    m_pDialog = dialog;
    CRect r;
    dialog->GetWindowRect(&r);
    ComputeSizes(r.Size(), false);
    return 1;
}

void CDevDialogBar::PlaceContent()
{
    if (!m_pDialog || !m_pDialog->GetSafeHwnd())
        return;
    CRect r;
    GetClientRect(&r);
    m_pDialog->MoveWindow(&r);
}
