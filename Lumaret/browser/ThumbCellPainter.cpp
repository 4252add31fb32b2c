#include "browser/ThumbCellPainter.h"

#include "controls/VXGDI.h"
#include "image/ImageObject.h"

CThumbCellPainter::CThumbCellPainter(CDC* dc, int cellSize, const Colours& colours)
    : m_pDC(dc), m_colours(colours), m_pOldFont(nullptr), m_nLine(0)
{
    LOGFONT lf = {};
    lf.lfHeight = -MulDiv(10, dc->GetDeviceCaps(LOGPIXELSY), 72);
    lf.lfWeight = 0;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfPitchAndFamily = FF_SWISS;
    lf.lfCharSet = 0;
    strcpy(lf.lfFaceName, "돋움");
    m_font.CreateFontIndirect(&lf);
    m_pOldFont = dc->SelectObject(&m_font);
    m_nLine = dc->GetTextExtent("Test").cy;
    // Three lines must fit the lowest quarter of a cell, below the pictures; a font taller than
    // that gets a twelfth of the cell per line (13 pixels of 160).
    if (3 * m_nLine > cellSize / 4)
        m_nLine = cellSize / 12;
    dc->SetBkMode(TRANSPARENT);
    dc->SetBkColor(colours.back);
}

CThumbCellPainter::~CThumbCellPainter()
{
    if (m_pOldFont)
        m_pDC->SelectObject(m_pOldFont);
}

void CThumbCellPainter::DrawPlaceholder(CRect rect)
{
    CVXGDI::VXRoundRect(m_pDC, &rect, m_colours.cellBorder, ::GetSysColor(COLOR_WINDOW));
}

void CThumbCellPainter::DrawText(const CString& text, COLORREF colour, CRect rect, UINT format)
{
    m_pDC->SetTextColor(colour);
    m_pDC->DrawText(text, &rect, format | DT_SINGLELINE | DT_NOPREFIX);
}

void CThumbCellPainter::DrawCell(const Cell& cell)
{
    CRect frame = cell.rect;
    if (cell.selected)
        CVXGDI::VXRoundRect(m_pDC, &frame, m_colours.selBorder, m_colours.selFill);
    else
        CVXGDI::VXRoundRect(m_pDC, &frame, m_colours.cellBorder, CVXGDI::kNoFill);
    const int L = cell.rect.left, T = cell.rect.top, B = cell.rect.bottom, cs = cell.cellSize, lh = m_nLine;
    if (cell.picture) {
        int w = cell.picture->GetWidth(), h = cell.picture->GetHeight();
        int x = L + (cs - w - 2) / 2, y = T + (3 * cs / 4 - h) / 2;
        cell.picture->DrawStretchDirect(m_pDC, 0, 0, w, h, x, y, w, h);
    }
    const UINT centred = DT_CENTER | DT_END_ELLIPSIS, left = DT_END_ELLIPSIS;
    CString index;
    index.Format("[%d]", cell.index);
    if (!cell.folder) {
        DrawText(cell.name, m_colours.nameText, CRect(L + 2, B - 3 * lh - 2, L + cs - 4, B - 2 * lh - 2), centred);
        DrawText(cell.caption, m_colours.captionText, CRect(L + 2, B - 2 * lh - 2, L + cs - 4, B - lh - 2), centred);
        DrawText(cell.date, m_colours.dateText, CRect(L + 15, B - lh - 2, L + cs - 34, B - 2), left);
    } else {
        CString name = cell.parentEntry ? CString("▲ 위로") : "<" + cell.name + ">";
        DrawText(cell.caption, m_colours.dateText, CRect(L + 2, B - 4 * lh - 1, L + cs - 4, B - lh - 1), centred);
        DrawText(name, m_colours.nameText, CRect(L + 2, B - 3 * lh - 1, L + cs - 4, B - 2 * lh - 1), centred);
        DrawText(cell.date, m_colours.dateText, CRect(L + 45, B - lh - 1, L + cs - 34, B - 1), left);
    }
    DrawText(index, m_colours.indexText, CRect(L + cs - 45, B - lh - 1, L + cs - 4, B - 1), left);
}
