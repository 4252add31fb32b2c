// CImgPrintView: the printing dialog's large preview. It tells the dialog which part
// of the page is visible, finds the picture slot under the mouse and offers the
// context menu (paging, zoom, print, close, and on a one-page job which slots print).
#pragma once

#include "mfc.h"

#include "image/ImgDetailView.h"

class CDlgImgPrint;

class CImgPrintView : public CImgDetailView {
    DECLARE_DYNCREATE(CImgPrintView)
public:
    CImgPrintView();
    ~CImgPrintView() override;

    void SetNavigationRect() override;
    // The form item whose slot lies under a client point; -1 unless the job has one page.
    int HitTestSlot(CPoint point);

    CDlgImgPrint* m_pPrintDlg;
    int m_bOverSlot;
    int m_nHitSlot;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnPrintOnlySlot();
    afx_msg void OnPrintExcludeSlot();
    afx_msg void OnNavFirst();
    afx_msg void OnNavPrev();
    afx_msg void OnNavNext();
    afx_msg void OnNavLast();
    afx_msg void OnImagePrint();
    afx_msg void OnClose57602();
    DECLARE_MESSAGE_MAP()
};
