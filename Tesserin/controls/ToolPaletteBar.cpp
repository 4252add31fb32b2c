#include "controls/ToolPaletteBar.h"

IMPLEMENT_DYNAMIC(CToolPaletteBar, CToolBar)

CToolPaletteBar::CToolPaletteBar() : m_nColumns(2)
{
    m_cxLeftBorder = 6;
    m_cxRightBorder = 6;
    m_cyTopBorder = 5;
    m_cyBottomBorder = 5;
}

void CToolPaletteBar::SetColumns(UINT columns)
{
    if (columns == 0)
        return;
    m_nColumns = columns;
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        UINT style = GetButtonStyle(i);
        bool endsRow = (UINT)(i + 1) % columns == 0;
        SetButtonStyle(i, endsRow ? (style | TBBS_WRAPPED) : (style & ~TBBS_WRAPPED));
    }
    if (!m_hWnd)
        return;
    Invalidate();
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout(TRUE);
}
