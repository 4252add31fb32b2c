// CMDIFrameWnd: the main window of a program with many documents, holding
// the MDI client and showing the active child's menu.
#pragma once

#include "mfc/FrameWnd.h"

class CMDIChildWnd;

class AFX_EXT_CLASS CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    void MDICascade(int nType = 0);
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    HMENU MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu);
    // Shows the active child's shared menu, or the frame's own when none.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);

    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    HACCEL GetDefaultAccelerator() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND m_hWndMDIClient = nullptr;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg void OnWindowCommand(UINT nID);
    afx_msg void OnUpdateWindowCommand(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
