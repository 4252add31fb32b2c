// CStatusBar: a control bar that is a "msctls_statusbar32" control, its
// panes named by indicator ids whose texts come from the string table; the
// frame's prompts go into pane 0 and the key indicators follow on idle.
#pragma once

#include "mfc/ControlBar.h"
#include "mfc/StatusBarCtrl.h"
#include "afxres.h"

#include <vector>

// Pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

class AFX_EXT_CLASS CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);

    // Indicator panes take their text and width from the string of their id;
    // a first separator pane stretches.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    int GetCount() const { return (int)m_panes.size(); }
    CStatusBarCtrl& GetStatusBarCtrl() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    struct Pane {
        UINT nID = 0;
        UINT nStyle = SBPS_NORMAL;
        int cxText = 0;
        CString strText;
    };
    std::vector<Pane> m_panes;
    mutable CStatusBarCtrl m_statusBarCtrl;  // the same window seen as the control

    const Pane* PaneAt(int nIndex) const;
    // Gives the control its parts: fixed widths, the stretching pane takes the rest.
    void UpdateAllPanes();
    void ShowPaneText(int nIndex);
    int TextWidth(const CString& text) const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
