// The main frame's print-form template command: the print-form editor as a page of a
// layer frame (an open one is brought to the front).
#include "MainFrame.h"

#include "framework/VXUtil.h"
#include "print/DlgTemplatePrForm.h"
#include "resource.h"

void CMainFrame::OnTemplatePrForm()
{
    OpenLayerViewFromDlg("인쇄양식 템플릿 등록 및 관리", new CDlgTemplatePrForm(nullptr), IDD_TEMPLATE_PRFORM, 128,
                         m_hWndMDIClient, this, TRUE, 1);
}
