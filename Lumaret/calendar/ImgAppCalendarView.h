// CImgAppCalendarView: the make-calendar dialog's preview of the composed page; reports what it
// shows to the dialog for the navigator and the zoom text.
#pragma once

#include "image/ImgDetailView.h"

class CDlgImgAppCalendar;

class CImgAppCalendarView : public CImgDetailView {
    DECLARE_DYNCREATE(CImgAppCalendarView)
public:
    CImgAppCalendarView();
    ~CImgAppCalendarView() override;

    void SetNavigationRect() override;

    CDlgImgAppCalendar* m_pOwner;
};
