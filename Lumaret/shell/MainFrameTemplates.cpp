// The main frame's template commands: each opens its template page in a layer window of the
// MDI client, or brings back the one already open.
#include "MainFrame.h"

#include "framework/VXUtil.h"
#include "calendar/DlgTemplateCalendar.h"
#include "resource.h"
#include "templates/DlgTemplateFrame.h"
#include "templates/DlgTemplateMask.h"
#include "templates/DlgTemplatePattern.h"

namespace {

// A layer already open is found by its title or its page's class.
const int kFindByTitleOrClass = 1;

}  // namespace

void CMainFrame::OnTemplateMask()
{
    OpenLayerViewFromDlg("마스크 템플릿 등록 및 관리", new CDlgTemplateMask(nullptr), IDD_TEMPLATE_MASK, IDR_MAINFRAME,
                         m_hWndMDIClient, this, TRUE, kFindByTitleOrClass);
}

void CMainFrame::OnTemplatePattern()
{
    OpenLayerViewFromDlg("배경무늬 템플릿 등록 및 관리", new CDlgTemplatePattern(nullptr), IDD_TEMPLATE_PATTERN,
                         IDR_MAINFRAME, m_hWndMDIClient, this, TRUE, kFindByTitleOrClass);
}

void CMainFrame::OnTemplateFrame()
{
    OpenLayerViewFromDlg("액자 템플릿 등록 및 관리", new CDlgTemplateFrame(nullptr), IDD_TEMPLATE_FRAME, IDR_MAINFRAME,
                         m_hWndMDIClient, this, TRUE, kFindByTitleOrClass);
}

void CMainFrame::OnTemplateCalendar()
{
    OpenLayerViewFromDlg("달력 템플릿 등록 및 관리", new CDlgTemplateCalendar(nullptr), IDD_TEMPLATE_CALENDAR,
                         IDR_MAINFRAME, m_hWndMDIClient, this, TRUE, kFindByTitleOrClass);
}
