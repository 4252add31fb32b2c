// CVXGridView: a view whose whole client area is one grid; the low 16 bits of
// the view's creation style are the grid's style.
#pragma once

#include "grid/VXGridCtrl.h"

class AFX_EXT_CLASS CVXGridView : public CView {
    DECLARE_DYNCREATE(CVXGridView)
public:
    CVXGridView();
    ~CVXGridView() override;

    CVXGridCtrl& GetVXGridCtrl() { return m_wndGrid; }
    virtual CVXGridCtrl* GetVXGridCtrlPtr() { return &m_wndGrid; }

    void OnDraw(CDC* dc) override;
    void OnInitialUpdate() override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* oldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

    CVXGridCtrl m_wndGrid;
    BOOL m_bCreated = FALSE;
    DWORD m_dwGridStyle = 0;
};
