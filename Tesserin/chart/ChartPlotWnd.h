// ChartPlotWnd: the chart's plot. Owns the data and the axes, keeps the last
// picture in a bitmap so that painting is a copy, pops up a point's text on
// hover, reports double clicks on points, and turns the 3-D view on Ctrl-drag.
#pragma once

#include "chart/2DScale.h"
#include "chart/ChartWndBase.h"
#include "chart/DataSeriesArray.h"
#include "chart/PopupWindow.h"

class AFX_EXT_CLASS ChartPlotWnd : public ChartWndBase {
public:
    ChartPlotWnd();
    ~ChartPlotWnd() override;

    int SetChartType(int type);
    int GetChartType() const { return m_kind; }
    int SetFont(BYTE size, const char* face, BYTE style) override;
    void SetPrinting(CMemDC* dc) override;
    void Draw(CMemDC* dc) override;
    // Draws everything again into the picture and onto the window.
    void UpdatePicture();

    void SetStyle(STYLES style) { m_style = style; }
    STYLES GetStyle() const { return m_style; }
    CDataSeriesArray& GetData() { return m_data; }
    C2DScale& GetAxis() { return m_axis; }
    CPopupWindow& GetPopup() { return m_popup; }
    CDataPoint* GetHoveredPoint() const { return m_pHovered; }
    CDataPoint* HitTest(CPoint point);
    // Points are about to go: the popup no longer stands for one.
    void ForgetHoveredPoint();

protected:
    CDataSeriesArray m_data;
    C2DScale m_axis;
    std::unique_ptr<CFont> m_pVertFont;
    BOOL m_dragging;
    STYLES m_style;
    int m_kind;
    CPopupWindow m_popup;
    CDataPoint* m_pHovered;
    CBitmap m_lastFrame;
    CBitmap m_picture;
    int m_scrollPending;
    int m_fullRedraw;
    CRect m_dataArea;
    // The rectangle the axes shrink to the data area; the axes keep its address.
    CRect m_plotRect;
    CFont m_printVertFont;

    void DrawChart(CMemDC* dc, const CRect& client);
    void Hover(CPoint point);
    void PlacePopup(CDataPoint* point);
    void CopyInto(CBitmap& target, CDC& source, const CRect& area);

    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
