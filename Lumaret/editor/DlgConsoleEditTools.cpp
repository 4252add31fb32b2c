#include "editor/DlgConsoleEditTools.h"

#include "resource.h"

CDlgConsoleEditTools::CDlgConsoleEditTools(CWnd* pParent)
    : CVXDialog(IDD_CONSOLE_EDITTOOLS, pParent),
      m_clrCurrent(0xFFFFFF),
      m_nBrushSize(8),
      m_nOpacity(100),
      m_nRatioX(0),
      m_nRatioY(0)
{
    m_bChild = TRUE;
    m_nIconID = IDR_MAINFRAME;
}

void CDlgConsoleEditTools::OnEditorViewChanged(CImgEditView*) {}
void CDlgConsoleEditTools::OnEditorViewActivated(CImgEditView*) {}
void CDlgConsoleEditTools::OnEditorViewDeactivated(CImgEditView*) {}
void CDlgConsoleEditTools::OnEditorViewDestroyed(CImgEditView*) {}
void CDlgConsoleEditTools::UpdateNavigatorFrame(CRect) {}
void CDlgConsoleEditTools::SyncToolButtons() {}

void CDlgConsoleEditTools::SetCurrentColor(COLORREF clr)
{
    m_clrCurrent = clr;
}
