// CToolBar: a control bar that is a "ToolbarWindow32" control, loaded from a
// TOOLBAR resource and its 16-colour bitmap, its buttons enabled and checked
// by the commands' update handlers on idle.
#pragma once

#include "mfc/ControlBar.h"
#include "mfc/ToolBarCtrl.h"
#include "mfc/UIntArray.h"
#include "afxres.h"

// Button styles: the control's style in the low word, its state in the high
// word (TBBS_DISABLED is the control's enabled bit, inverted).
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)
#define TBBS_ELLIPSES MAKELONG(0, TBSTATE_ELLIPSES)
#define TBBS_MARKED MAKELONG(0, TBSTATE_MARKED)

// A 16-colour bitmap resource whose black, greys and white become the current
// button text, shadow, face and highlight colours (black and white only with
// bMono). NULL when the resource is missing or damaged.
AFX_EXT_API HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc, BOOL bMono = FALSE);

class AFX_EXT_CLASS CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                        UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                          CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);
    BOOL LoadToolBar(LPCSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
    BOOL LoadBitmap(LPCSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
    // The bar owns the bitmap from here on.
    BOOL SetBitmap(HBITMAP hbmImageWell);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCSTR lpszText);
    CString GetButtonText(int nIndex) const;
    void GetButtonText(int nIndex, CString& rString) const;
    int GetCount() const;
    CToolBarCtrl& GetToolBarCtrl() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    HBITMAP m_hbmImageWell = nullptr;
    HRSRC m_hRsrcImageWell = nullptr;
    HINSTANCE m_hInstImageWell = nullptr;

protected:
    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};
    mutable CToolBarCtrl m_toolBarCtrl;  // the same window seen as the control

    // The size of the bar around its buttons laid out for `nMode`; with
    // LM_COMMIT a floating width is kept for the next time.
    CSize CalcLayout(DWORD nMode, int nLength = -1);
    // Sets the wrap state so that rows fit in `width` (one column below a button's width).
    void WrapToWidth(int width);
    void ClearWraps();
    CSize ButtonsExtent() const;
    CSize BorderExtent(BOOL bHorz) const;
    BOOL ReadToolBarResource(LPCSTR lpszResourceName, CSize& image, CUIntArray& ids) const;

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()
};
