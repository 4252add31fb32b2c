#include "mfc.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog((LPCSTR)nullptr, pParentWnd) {}

HWND CCommonDialog::CommonDialogOwner() const
{
    HWND parent = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!parent && AfxGetMainWnd())
        parent = AfxGetMainWnd()->GetSafeHwnd();
    if (!parent || !::IsWindow(parent))
        return nullptr;
    HWND top = ::GetAncestor(parent, GA_ROOT);
    HWND popup = ::GetWindow(top, GW_ENABLEDPOPUP);
    return popup ? popup : top;
}

// The common dialog ends itself; these only keep CDialog from ending the child window.
void CCommonDialog::OnOK() {}
void CCommonDialog::OnCancel() {}
