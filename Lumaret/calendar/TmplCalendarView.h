// CTmplCalendarView: the calendar template editor's preview; reports what it shows to the
// editor so the navigator's outline follows every scroll, zoom and pan.
#pragma once

#include "image/ImgDetailView.h"

class CDlgTemplateCalendar;

class CTmplCalendarView : public CImgDetailView {
    DECLARE_DYNCREATE(CTmplCalendarView)
public:
    CTmplCalendarView();
    ~CTmplCalendarView() override;

    void SetNavigationRect() override;

    CDlgTemplateCalendar* m_pOwner;
};
