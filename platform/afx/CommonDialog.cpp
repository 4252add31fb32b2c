#include "mfc.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog((LPCSTR)nullptr, pParentWnd) {}

HWND CCommonDialog::CommonDialogOwner() const
{
    HWND parent = mivo::HandleOf(m_pParentWnd);
    if (!parent && AfxGetMainWnd())
        parent = mivo::HandleOf(AfxGetMainWnd());
    if (!parent || !::IsWindow(parent))
        return nullptr;
    HWND top = ::GetAncestor(parent, GA_ROOT);
    HWND popup = ::GetWindow(top, GW_ENABLEDPOPUP);
    return popup ? popup : top;
}

// The common dialog ends itself; these only keep CDialog from ending the child window.
void CCommonDialog::OnOK() {}
void CCommonDialog::OnCancel() {}
