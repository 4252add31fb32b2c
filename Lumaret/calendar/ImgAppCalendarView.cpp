#include "calendar/ImgAppCalendarView.h"

#include "calendar/DlgImgAppCalendar.h"

IMPLEMENT_DYNCREATE(CImgAppCalendarView, CImgDetailView)

CImgAppCalendarView::CImgAppCalendarView() : m_pOwner(nullptr) {}

CImgAppCalendarView::~CImgAppCalendarView() = default;

void CImgAppCalendarView::SetNavigationRect()
{
    if (!m_pOwner)
        return;
    CRect client;
    GetClientRect(&client);
    m_pOwner->OnViewRectChanged(GetSrcRectFromView(client));
}
