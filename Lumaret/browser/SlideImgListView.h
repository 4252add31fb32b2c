// CSlideImgListView: the slide show's strip, a column of the slides' thumbnails on the thumbnail
// view's cell grid, the current slide marked. A click or a key picks a slide and the show loads
// it. It owns no pictures: they are the show's copies.
#pragma once

#include "mfc.h"

#include "browser/ThumbGrid.h"

class CDlgImgSlideShow;
class CImageObject;

class CSlideImgListView : public CScrollView {
    DECLARE_DYNCREATE(CSlideImgListView)
public:
    CSlideImgListView();
    ~CSlideImgListView() override;

    void SetBackColor(COLORREF colour) { m_clrBack = colour; }
    // Marks `now` as the current slide (and unmarks `before`), scrolled into view.
    void SetCurrentSlide(int before, int now);
    void RecalcScrollSizes();
    // The slide under a client point, -1 for none.
    int HitTest(CPoint point) const;
    // The slide's picture rectangle in client coordinates (empty without a picture).
    CRect PictureRect(int slide) const;
    // Moves the current slide as a navigation key does; FALSE for any other key.
    BOOL MoveByKey(UINT key);

    BOOL m_bActivateOnClick;
    CDlgImgSlideShow* m_pSlideShow;
    int m_nCols;
    int m_nMargin;
    int m_nCellSize;
    int m_nCurrent;
    BOOL m_bOverThumb;
    CRect m_rcClient;
    COLORREF m_clrBack;
    COLORREF m_clrSelFill;
    COLORREF m_clrCellBorder;
    COLORREF m_clrCurText;
    COLORREF m_clrNumText;

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    int Count() const;
    CImageObject* Thumb(int slide) const;
    CThumbGrid Grid() const;
    // Makes the slide current in the strip and in the show, and has the show load it.
    void Pick(int slide);
};
