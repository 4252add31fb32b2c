// CDlgTemplateCalendar: the calendar template editor. A list of the stored templates, two pages
// of fields and a command bar, a zoomable preview that draws a month on the background with the
// template's placements, and a navigator of the preview. Keeps the key of the loaded row, -1 for
// a new template.
#pragma once

#include "mfc.h"
#include "calendar/CalendarForms.h"
#include "calendar/MonthLayout.h"
#include "controls/CheckButton.h"
#include "controls/ImageButton.h"
#include "dialogs/VXDialog.h"
#include "grid/VXGridCtrl.h"
#include "print/DlgWithOverview.h"

#include <memory>

class CImageObject;
class CTmplCalendarView;
class CDlgTemplateCalendarBasic;
class CDlgTemplateCalendarUserImg;
class CDlgTemplateCalendarCommands;

class CDlgTemplateCalendar : public CDlgWithOverview {
    DECLARE_DYNAMIC(CDlgTemplateCalendar)
public:
    explicit CDlgTemplateCalendar(CWnd* pParent);
    ~CDlgTemplateCalendar() override;

    void LoadTemplateList();
    void NewTemplate();
    void LoadBackground();
    void DrawPreview();
    void MakeMonthLayout(int year, int month);
    void MakeNavigator();
    void OnViewRectChanged(int left, int top, int right, int bottom);
    void SaveTemplate();
    void DeleteTemplate();
    void EditBackground();
    // Opens the stored template of a list row, as a click on it does.
    void OpenTemplate(int row);
    // Pulls or pushes the fields of both pages.
    void PullPages();
    void PushPages();
    // The list row whose item data is the key; -1 when none has it.
    int RowOfKey(int key);

    CImageList m_imgList;
    CDlgTemplateCalendarBasic* m_pBasic;
    CDlgTemplateCalendarUserImg* m_pUserImg;
    CDlgTemplateCalendarCommands* m_pCommands;
    int m_nCurRow;
    std::unique_ptr<CImageObject> m_pBackImage;
    std::unique_ptr<CImageObject> m_pPreviewImage;
    CTmplCalendarView* m_pView;
    int m_bFitView;
    CMonthLayout m_layout;
    int m_nCalNo;
    CString m_strZoom;
    // The numbers of the pages' fields.
    CalendarForm m_form;
    // The month the preview shows; 0 is today's.
    int m_nPreviewYear;
    int m_nPreviewMonth;

    CVXGridCtrl m_wndGrid;
    CCheckButton m_btnTabBasic;
    CCheckButton m_btnTabUserImg;
    CImageButton m_btnZoomIn;
    CImageButton m_btnZoomOut;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnGridItemClick(NMHDR* pNotifyStruct, LRESULT* pResult);
    afx_msg void OnTabBasic();
    afx_msg void OnTabUserImg();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    DECLARE_MESSAGE_MAP()

private:
    void SetUpButtons();
    void SetUpPages();
    void LayOutPages();
    void SetUpGrid();
    void CreateView();
    CRect ControlRect(UINT id) const;
};
