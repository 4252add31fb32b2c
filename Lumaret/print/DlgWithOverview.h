// CDlgWithOverview: a dialog that keeps a COverviewPanel and hands it its paint, mouse and
// cursor messages before its own default handling. The printing dialog, the print-form editor,
// the calendar template editor and the make-calendar window are built on it.
#pragma once

#include "dialogs/VXDialog.h"
#include "print/OverviewPanel.h"

class CDlgWithOverview : public CVXDialog {
public:
    CDlgWithOverview(UINT nIDTemplate, CWnd* pParent);

    COverviewPanel m_overview;

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
