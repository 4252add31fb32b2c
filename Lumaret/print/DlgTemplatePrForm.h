// CDlgTemplatePrForm: the print-form editor, a page of a layer frame. The form list
// and the item list lie either side of a splitter; the preview draws the selected
// form as a white sheet with its picture slots, the overview the whole sheet. An
// edited item cell is written to the template database at once.
#pragma once

#include "mfc.h"

#include "controls/ImageButton.h"
#include "controls/xSplitterWnd.h"
#include "dialogs/VXDialog.h"
#include "grid/VXGridCtrl.h"
#include "print/DlgWithOverview.h"
#include "print/PrintForm.h"

#include <memory>
#include <vector>

class CImageObject;
class CTmplPrintView;

class CDlgTemplatePrForm : public CDlgWithOverview {
    DECLARE_DYNAMIC(CDlgTemplatePrForm)
public:
    explicit CDlgTemplatePrForm(CWnd* parent = nullptr);
    ~CDlgTemplatePrForm() override;

    BOOL OnInitDialog() override;

    afx_msg void LoadFormList();
    // A click on a form row: its items listed and its sheet drawn fitted.
    void OnFormClick(int row, int column);
    // A finished cell edit of the item list; an edit ended by Escape changes nothing.
    void OnItemEdited(int row, int column, const CString& text, UINT key);
    void DrawFormPicture();
    void OnViewRectChanged(CRect source);

    CTmplPrintView* m_pView;
    std::unique_ptr<CImageObject> m_pFormImg;
    int m_bFirstFit;
    CImageList m_imgList;
    int m_nFormNo;
    CxSplitterWnd m_wndSplitter;
    int m_nPaperWidth;
    int m_nPaperHeight;
    std::vector<PrintFormItem> m_items;
    CVXGridCtrl m_gridForms;
    CVXGridCtrl m_gridItems;
    CStatic m_stcPreview;
    CStatic m_stcOverview;
    CImageButton m_btnRefresh;
    CImageButton m_btnZoomIn;
    CImageButton m_btnZoomOut;
    CEdit m_editZoom;
    CString m_strZoomText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSplitterMoved(WPARAM wParam, LPARAM lParam);
    afx_msg void OnFormGridNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemGridNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    DECLARE_MESSAGE_MAP()

private:
    void CreateView();
    void ListItems();
};
