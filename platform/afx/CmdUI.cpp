#include "mfc/CmdUI.h"
#include "mfc/Wnd.h"
#include "afx/CmdUIMenu.h"

namespace {

mivo::CmdUIMenuOps g_menuOps = {};

// Button messages, kept here so the framework core does not need the controls.
constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;
constexpr UINT kDlgcButton = 0x2000;
constexpr UINT kDlgcRadio = 0x0040;

}  // namespace

void mivo::SetCmdUIMenuOps(const CmdUIMenuOps& ops)
{
    g_menuOps = ops;
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu) {
        if (g_menuOps.enable)
            g_menuOps.enable(this, bOn);
    } else if (m_pOther) {
        // A control losing the focus as it is disabled passes it on.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
            if (CWnd* parent = m_pOther->GetParent())
                parent->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu) {
        if (g_menuOps.check)
            g_menuOps.check(this, nCheck);
    } else if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & kDlgcButton)) {
        m_pOther->SendMessage(kBmSetCheck, (WPARAM)nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu && g_menuOps.radio) {
        g_menuOps.radio(this, bOn);
        return;
    }
    SetCheck(bOn ? 1 : 0);
    (void)kDlgcRadio;
    (void)kBmGetCheck;
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (m_pMenu) {
        if (g_menuOps.text)
            g_menuOps.text(this, lpszText);
    } else if (m_pOther) {
        CString current;
        m_pOther->GetWindowText(current);
        // Only a real change is written, so the control does not flicker.
        if (current != lpszText)
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;  // separators and unnamed controls
    m_bEnableChanged = FALSE;
    BOOL handled = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {nullptr, nullptr};
        BOOL hasHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(hasHandler);
    }
    return handled;
}
