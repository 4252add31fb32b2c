// The three child dialogs of the calendar template editor: the basic page (name, orientation,
// size, background, year, month and day-grid placement), the user-picture page (picture box and
// description) and the command bar. The pages exchange their numbers with the editor's form.
#pragma once

#include "mfc.h"
#include "controls/CheckButton.h"
#include "controls/ImageButton.h"
#include "controls/VXComboBox.h"
#include "controls/VXEdit.h"
#include "dialogs/VXDialog.h"

class CDlgTemplateCalendar;

class CDlgTemplateCalendarBasic : public CVXDialog {
    DECLARE_DYNAMIC(CDlgTemplateCalendarBasic)
public:
    explicit CDlgTemplateCalendarBasic(CDlgTemplateCalendar* owner);

    // Runs the picture file dialog; a chosen file becomes the background.
    void ChooseBackground();

    CDlgTemplateCalendar* m_pOwner;
    CString m_strName;
    CString m_strDir;
    CString m_strSize;
    CString m_strPath;
    CString m_strFileType;
    int m_bNewPicture;
    CString m_strYearFace;
    CString m_strMonthFace;
    CString m_strDayFace;

    CVXEdit m_edtName;
    CVXEdit m_edtPath;
    CImageButton m_btnBack;
    CImageButton m_btnColor[3];
    CImageButton m_btnLineDraw;
    CVXComboBox m_cmbYearFace;
    CVXComboBox m_cmbMonthFace;
    CVXComboBox m_cmbDayFace;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnChooseBackground();
    afx_msg void OnYearColor();
    afx_msg void OnMonthColor();
    afx_msg void OnLineColor();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CDlgTemplateCalendarUserImg : public CVXDialog {
    DECLARE_DYNAMIC(CDlgTemplateCalendarUserImg)
public:
    explicit CDlgTemplateCalendarUserImg(CDlgTemplateCalendar* owner);

    CDlgTemplateCalendar* m_pOwner;
    CString m_strDescFace;
    CString m_strDescText;
    CImageButton m_btnColor;
    CVXComboBox m_cmbDescFace;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDescColor();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

class CDlgTemplateCalendarCommands : public CVXDialog {
    DECLARE_DYNAMIC(CDlgTemplateCalendarCommands)
public:
    explicit CDlgTemplateCalendarCommands(CDlgTemplateCalendar* owner);

    CDlgTemplateCalendar* m_pOwner;
    CImageButton m_btn[6];

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnNew();
    afx_msg void OnSave();
    afx_msg void OnDelete();
    afx_msg void OnEdit();
    afx_msg void OnPreview();
    afx_msg void OnRefresh();
    DECLARE_MESSAGE_MAP()
};

// Fills a swatch static of a page with its colour.
void PaintCalendarSwatch(CWnd& page, CDC& dc, UINT id, COLORREF colour);
// The colour dialog on the colour; TRUE (and the colour changed) on OK.
BOOL ChooseCalendarColor(CWnd* parent, int& colour);
