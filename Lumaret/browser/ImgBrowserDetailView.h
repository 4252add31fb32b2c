// CImgBrowserDetailView: the browser window's zoomed picture. Over the library's zooming view it
// adds fourteen zoom steps and their commands, a status text, the keys and double click that go
// back to the thumbnails, and the navigator frame it reports to the console pane's preview.
#pragma once

#include "image/ImgDetailView.h"

class CDlgImgBrowser;

class CImgBrowserDetailView : public CImgDetailView {
    DECLARE_DYNCREATE(CImgBrowserDetailView)
public:
    enum { STEPS = 14, START_STEP = 4 };

    CImgBrowserDetailView();
    ~CImgBrowserDetailView() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void SetNavigationRect() override;
    void UpdateStatusText();
    // Pane 2's text: the picture's size and zoom, empty without a picture.
    CString StatusText();

    CDlgImgBrowser* m_pBrowser;

protected:
    afx_msg void OnZoomStep(UINT nID);
    afx_msg void OnUpdateZoomStep(CCmdUI* pCmdUI);
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
