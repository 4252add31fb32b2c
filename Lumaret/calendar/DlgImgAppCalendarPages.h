// The two pages of the make-calendar dialog: the template chooser (a grid of the stored
// templates) and the options (transparency, faces, sizes, description, fit mode).
#pragma once

#include "mfc.h"
#include "controls/ImageButton.h"
#include "controls/VXComboBox.h"
#include "dialogs/VXDialog.h"
#include "grid/VXGridCtrl.h"

class CDlgImgAppCalendar;

class CDlgImgAppCalendarTmpl : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgAppCalendarTmpl)
public:
    CDlgImgAppCalendarTmpl();

    // Chooses the template of a grid row, as a click on it does.
    void ChooseRow(int row);

    int m_nSelRow;
    CDlgImgAppCalendar* m_pParent;
    CVXGridCtrl m_wndGrid;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnGridItemClick(NMHDR* pNotifyStruct, LRESULT* pResult);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CImageList m_imgList;
};

class CDlgImgAppCalendarOption : public CVXDialog {
    DECLARE_DYNAMIC(CDlgImgAppCalendarOption)
public:
    CDlgImgAppCalendarOption();

    CDlgImgAppCalendar* m_pParent;
    CSliderCtrl m_wndSlider;
    int m_nTransparency;
    CString m_strYearFace;
    CString m_strMonthFace;
    CString m_strDescFace;
    CString m_strDescText;
    CString m_strDayFace;
    int m_nYearSize;
    int m_nMonthSize;
    int m_nDescSize;
    CImageButton m_btnStretch;
    int m_bStretch;
    CImageButton m_btnCrop;
    int m_bCrop;
    CImageButton m_btnPreview;
    CVXComboBox m_cmbFace[4];

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPreview();
    afx_msg void OnStretch();
    afx_msg void OnCrop();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()
};
