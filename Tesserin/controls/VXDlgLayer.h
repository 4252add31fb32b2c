// CVXDlgLayer: modeless dialogs stacked vertically as pages, each under an
// optional caption bar that collapses it; a stack larger than the window is
// panned with the mouse.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXDlgLayer : public CWnd {
    DECLARE_DYNCREATE(CVXDlgLayer)
public:
    enum : UINT { kShown = 0x0001, kCollapsed = 0x0002, kPressed = 0x8000 };
    enum : int { kFirstPageId = 0xE901, kPanTimer = 100, kPanDelay = 300, kPanCursorId = 10128 };

    class CPageInfo {
    public:
        CDialog* pDialog = nullptr;
        CString templateName;  // empty when made from an id
        UINT templateId = 0;
        int width = 0;
        int height = 0;
        RECT rect = {0, 0, 0, 0};
        UINT state = 0;
        CString caption;  // a copy: callers pass texts that do not outlive the call
        CPageInfo* next = nullptr;
    };

    CVXDlgLayer();
    ~CVXDlgLayer() override;

    // 1 with the page added; 0 when the dialog cannot be made (nothing is
    // inserted and the dialog object stays the caller's). A negative
    // position or one past the end appends.
    int InsertPage(CDialog* dlg, const char* templateName, const char* caption, DWORD state, int position);
    int InsertPage(CDialog* dlg, UINT templateId, const char* caption, DWORD state, int position);
    CDialog* GetPageDialog(int index);
    BOOL IsPage(HWND hWnd);
    CPageInfo* GetPageInfo(int index);
    int GetPageCount() const { return m_nPageCount; }

    void SetCaptionVisible(BOOL visible) { m_bCaptionVisible = visible; }
    BOOL GetCaptionVisible() const { return m_bCaptionVisible; }
    void SetPageState(CPageInfo* page, BOOL show, BOOL collapse, BOOL scrollIntoView);
    void RecalcLayout(BOOL move);
    void CalcCaptionRect(CPageInfo* page, RECT* rect);
    CPageInfo* CaptionHitTest(POINT point);
    BOOL IsPanEnabled(BOOL horizontal, BOOL vertical);
    void SetChildDlgSizes(int cx, int cy);
    CPoint GetPanOffset() const { return m_ptPan; }
    HCURSOR GetPanCursor() const { return m_hPanCursor; }
    CSize GetContentSize() const { return CSize(m_nContentWidth, m_nContentHeight); }

    virtual void DrawPageCaption(CDC* dc, const char* caption, UINT state, RECT* rect);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Suppresses the layer's own painting while set (the pages paint themselves).
    BOOL m_bNoPaint;

protected:
    int InsertPageInfo(CPageInfo* page, int position);
    void ClearPageInfo();
    void BeginPanning(CPoint point);
    void ContinuePanning(CPoint point);
    void EndPanning();
    void DelayedShowPanCursor(BOOL ready);
    void BeginCaptionPress(POINT point);
    void CreateDottedBrush();

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos);
    afx_msg void OnCancelMode();
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bCaptionVisible;
    CPageInfo* m_pFirst;
    CPageInfo* m_pPressed;
    int m_nPageCount;
    CSize m_client;
    CSize m_lastWindowSize;
    int m_nContentWidth;
    int m_nContentHeight;
    int m_nCaptionHeight;
    int m_nGap;
    CPoint m_ptPan;
    BOOL m_bPanning;
    BOOL m_bPanReady;
    CPoint m_ptLastPan;
    HCURSOR m_hNormalCursor;
    HCURSOR m_hPanCursor;
    CBrush m_dottedBrush;

    int InsertCreated(CDialog* dlg, const char* caption, DWORD state, int position);
    int CaptionSpace() const { return m_bCaptionVisible ? m_nCaptionHeight + m_nGap : 0; }
    void MovePages(HDWP* batch);
    void PlacePage(HDWP* batch, CPageInfo* page);
    void ScrollPageIntoView(const CPageInfo* page, CPoint& pan) const;
    void ClampPan(CPoint& pan) const;
    void ScrollContent(int dx, int dy);
    void DrawCaptionOf(CPageInfo* page);
    void PaintPage(CDC& dc, CPageInfo* page, const CRect& client);
    void EndCaptionPress(CPoint point);
    BOOL CountsForPanning(CWnd* pWnd);
    BOOL FocusInside(CPageInfo* page);
};
