// CShape: the marker of a legend item: a square, circle, triangle, diamond or
// plus sign, optionally across a line in one of the pen styles.
#pragma once

#include "mfc.h"

class CMemDC;

class AFX_EXT_CLASS CShape : public CWnd {
public:
    CShape();
    ~CShape() override;

    COLORREF SetBorderColor(COLORREF colour);
    COLORREF SetLineColor(COLORREF colour);
    COLORREF SetBackgroundColor(COLORREF colour);
    COLORREF SetItemColor(COLORREF colour);
    void SetItemStyle(BYTE style) { m_itemStyle = style; }
    void SetLineStyle(BYTE style) { m_lineStyle = style; }
    void SetPrinting(CMemDC* dc) { m_pPrintDC = dc; }
    COLORREF GetItemColor() const { return m_itemColor; }
    BYTE GetItemStyle() const { return m_itemStyle; }
    BYTE GetLineStyle() const { return m_lineStyle; }
    void Draw(CMemDC* dc);

protected:
    COLORREF m_itemColor;
    COLORREF m_borderColor;
    COLORREF m_lineColor;
    COLORREF m_backgroundColor;
    BYTE m_itemStyle;
    BYTE m_lineStyle;
    CMemDC* m_pPrintDC;

    void DrawLine(CMemDC* dc, int width, int height);
    void DrawMarker(CMemDC* dc, int width, int height);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()
};
