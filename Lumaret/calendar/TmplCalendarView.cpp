#include "calendar/TmplCalendarView.h"

#include "calendar/DlgTemplateCalendar.h"

IMPLEMENT_DYNCREATE(CTmplCalendarView, CImgDetailView)

CTmplCalendarView::CTmplCalendarView() : m_pOwner(nullptr) {}

CTmplCalendarView::~CTmplCalendarView() = default;

void CTmplCalendarView::SetNavigationRect()
{
    if (!m_pOwner)
        return;
    CRect client;
    GetClientRect(&client);
    CRect source = GetSrcRectFromView(client);
    m_pOwner->OnViewRectChanged(source.left, source.top, source.right, source.bottom);
}
