// CReBar: a control bar that is a "ReBarWindow32" control holding other
// bars and windows in bands; it takes its height in the frame's layout.
#pragma once

#include "mfc/ControlBar.h"
#include "mfc/ReBarCtrl.h"
#include "afxres.h"

class CBitmap;

class AFX_EXT_CLASS CReBar : public CControlBar {
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar();
    ~CReBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                        UINT nID = AFX_IDW_REBAR);
    // The window moves into a new band at the end; its present size is the
    // band's smallest child size.
    BOOL AddBar(CWnd* pBar, LPCSTR pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCSTR pszText = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS);
    CReBarCtrl& GetReBarCtrl() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    mutable CReBarCtrl m_reBarCtrl;  // the same window seen as the control

    BOOL AddBand(CWnd* pBar, REBARBANDINFO& info);
    CSize SizeInParent(const CRect& available, BOOL bStretch, BOOL bMove) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
