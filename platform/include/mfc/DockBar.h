// CDockBar: the strip along one edge of a frame (or inside a floating frame)
// that holds docked bars in rows.
#pragma once

#include "mfc/ControlBar.h"
#include "mfc/PtrArray.h"

class AFX_EXT_CLASS CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    BOOL IsDockBar() const override { return TRUE; }
    BOOL IsFloatingDockBar() const { return m_bFloating; }

    // Places the bar in a row: the row under lpRect (screen coordinates), or a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out of its row; FALSE when it was not here.
    BOOL RemoveControlBar(CControlBar* pBar);
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // Where a bar stands: its row and its place in the row; FALSE when not here.
    BOOL FindBar(CControlBar* pBar, int* pRow, int* pColumn) const;
    void DockControlBarAt(CControlBar* pBar, int nRow, int nColumn);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

    // Bars by rows: a NULL entry ends a row.
    CPtrArray m_arrBars;
    BOOL m_bFloating;

    // Lays the bars out inside the rectangle (client coordinates) and answers the size used.
    CSize LayoutBars(const CRect& rect, BOOL bMove);

protected:
    CSize SizeInParent(const CRect& available, BOOL bStretch, BOOL bMove) override;
    BOOL IsHorizontal() const;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
