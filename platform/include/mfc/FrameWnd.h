// CFrameWnd: a window holding a view, control bars and a menu, routing
// commands and showing the document's title.
#pragma once

#include "mfc/Wnd.h"
#include "mfc/ControlBar.h"
#include "mfc/CreateContext.h"
#include "mfc/PtrList.h"
#include "afxres.h"

class CView;
class CDocument;
class CMenu;
class CDockBar;

// Frame styles: the document's title joins the frame's, before it with
// FWS_PREFIXTITLE (the bit of WS_THICKFRAME, so sizeable frames show
// "document - program").
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00040000L
#define FWS_SNAPTOBARS 0x00020000L

class AFX_EXT_CLASS CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    // Views and documents.
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // Layout.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The layout waits for the next idle time.
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    // Control bars and docking.
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void SaveBarState(LPCSTR lpszProfileName) const;
    void LoadBarState(LPCSTR lpszProfileName);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CPtrList m_listControlBars;
    CRuntimeClass* m_pFloatingFrameClass = nullptr;

    // Titles.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCSTR lpszDocName);
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }

    // Status-bar messages (to the child with id AFX_IDW_STATUS_BAR).
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // Modal state: the frame and its pop-ups disabled while a modeless window acts modally.
    void BeginModalState();
    void EndModalState();
    BOOL InModalState() const { return m_cModalStack > 0; }

    virtual HACCEL GetDefaultAccelerator();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;
    int m_nWindow = -1;       // the frame's number among those showing one document, -1 alone
    BOOL m_bAutoMenuEnable = TRUE;
    BOOL m_bHelpMode = FALSE;  // Shift+F1 mode: never entered here, but readable
    CRect m_rectBorder;
    UINT m_nIDTracking = 0;
    UINT m_nIDLastMessage = 0;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    DECLARE_MESSAGE_MAP()

    CView* m_pViewActive = nullptr;
    CString m_strTitle;
    int m_cModalStack = 0;
    CPtrList m_modalDisabled;  // windows BeginModalState disabled, enabled again by EndModalState
    BOOL m_bInRecalcLayout = FALSE;
    BOOL m_bLayoutPending = FALSE;

private:
    void DestroyFloatingBars();
    void UpdateFloatingBars(BOOL bDisableIfNoHndler);
    void MoveBarInto(CControlBar* pBar, CDockBar* pDockBar);
    void DetachBar(CControlBar* pBar);
};
