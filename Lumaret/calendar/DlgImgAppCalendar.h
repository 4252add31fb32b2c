// CDlgImgAppCalendar: the make-calendar dialog. Composes one picture into a calendar page of a
// stored template on a worker thread, again after every change of an input, shows the page
// zoomable with a navigator, and hands it to the image editor as a new document "Calendar".
// The dialog lives on its caller's stack: closing stops a running composition and waits for it.
#pragma once

#include "mfc.h"
#include "browser/BrowserWorker.h"
#include "calendar/CalendarComposer.h"
#include "calendar/CalendarForms.h"
#include "calendar/MonthLayout.h"
#include "controls/CheckButton.h"
#include "controls/ImageButton.h"
#include "controls/VXComboBox.h"
#include "dialogs/VXDialog.h"
#include "print/DlgWithOverview.h"

#include <memory>

class CImageObject;
class CImgAppCalendarView;
class CDlgImgAppCalendarOption;
class CDlgImgAppCalendarTmpl;

// 1 while a composition runs (set by its starter, cleared by the worker at its end).
extern volatile int g_bCalendarComposing;

class CDlgImgAppCalendar : public CDlgWithOverview {
    DECLARE_DYNAMIC(CDlgImgAppCalendar)
public:
    explicit CDlgImgAppCalendar(CWnd* pParent);
    ~CDlgImgAppCalendar() override;

    static UINT ComposeThread(LPVOID param);
    void StartCompose(int unused = 0);
    void LoadTemplateFonts(int calNo);
    void MakeMonthLayout(int year, int month);
    void MakeNavigator();
    void OnViewRectChanged(CRect visible);
    void CreateStatusBar();
    // Stops a running composition and waits for its end.
    void StopComposition();
    // Waits for a running composition to end.
    void WaitComposition();
    // The fonts section of a template, "MivoCal%d".
    static CString FontSection(int calNo);

    CDlgImgAppCalendarOption* m_pOptionPage;
    CDlgImgAppCalendarTmpl* m_pTmplPage;
    CImgAppCalendarView* m_pView;
    std::unique_ptr<CImageObject> m_pBackImage;
    CImageObject* m_pSrcImg;
    int m_bFromFile;
    CString m_strSrcPath;
    CImageObject* m_pCalImg;
    CMonthLayout m_layout;
    CalendarForm m_form;
    CString m_strMonth;
    CString m_strYear;
    int m_nCalNo;

    CStatusBarCtrl m_wndStatus;
    CProgressCtrl m_wndProgress;
    CCheckButton m_btnTabTmpl;
    CCheckButton m_btnTabOption;
    CVXComboBox m_cmbYear;
    CVXComboBox m_cmbMonth;
    CImageButton m_btnZoomOut;
    CImageButton m_btnZoomIn;
    CImageButton m_btnOkEdit;
    CImageButton m_btnClose;

    // The inputs of the composition running or last run.
    CalendarComposeInput m_input;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnTabTmpl();
    afx_msg void OnTabOption();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnOkEdit();
    afx_msg void OnCloseOk();
    afx_msg void OnCloseCancel();
    afx_msg void OnYearChosen();
    afx_msg void OnMonthChosen();
    afx_msg LRESULT OnImageProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImageDone(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void SetUpPages();
    void SetUpButtons();
    void CreateView();
    void FillYearMonth();
    void ChooseFromCombo(CVXComboBox& combo, CString& value);
    // Takes the working picture out of the view and the navigator, then deletes it.
    void DropCalendar();
    void Compose();
    CRect ControlRect(UINT id) const;

    CBrowserWorker m_worker;
    std::unique_ptr<CImageObject> m_pOwnedSrc;
    int m_nStop;
};
