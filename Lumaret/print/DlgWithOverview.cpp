#include "print/DlgWithOverview.h"

BEGIN_MESSAGE_MAP(CDlgWithOverview, CVXDialog)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CDlgWithOverview::CDlgWithOverview(UINT nIDTemplate, CWnd* pParent) : CVXDialog(nIDTemplate, pParent)
{
}

void CDlgWithOverview::OnPaint()
{
    CPaintDC dc(this);
    m_overview.Paint(&dc);
}

void CDlgWithOverview::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_overview.OnLButtonDown(nFlags, point);
    CVXDialog::OnLButtonDown(nFlags, point);
}

void CDlgWithOverview::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_overview.OnLButtonUp(nFlags, point);
    CVXDialog::OnLButtonUp(nFlags, point);
}

void CDlgWithOverview::OnMouseMove(UINT nFlags, CPoint point)
{
    m_overview.OnMouseMove(nFlags, point);
    CVXDialog::OnMouseMove(nFlags, point);
}

// Only over the dialog itself: a child control keeps its own cursor.
BOOL CDlgWithOverview::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && m_overview.OnSetCursor())
        return TRUE;
    return CVXDialog::OnSetCursor(pWnd, nHitTest, message);
}
