// C2DScale: the chart's axes. Holds ranges, steps, styles, titles and label
// formats of both axes with the 3-D depth and rotations, maps values to
// pixels, and draws frame, back planes, graticules, ticks, labels and titles.
#pragma once

#include "mfc.h"
#include "chart/ChartTypes.h"

class CMemDC;

// Each channel lowered by 30, not below 0.
AFX_EXT_API COLORREF DarkenColor(COLORREF c);
// Each channel halved.
AFX_EXT_API COLORREF HalfColor(COLORREF c);
// The scale mark (1..10 times a power of ten) at or below v (down = 1) or at or
// above it (down = 0).
AFX_EXT_API double RoundToScaleMark(double v, int down);

class AFX_EXT_CLASS C2DScale {
public:
    C2DScale(int a = 1, int b = 1);
    virtual ~C2DScale();
    C2DScale(const C2DScale&) = delete;
    C2DScale& operator=(const C2DScale&) = delete;

    // Fonts of the Y title (turned) and of labels and the X title; not owned.
    CFont* m_pVertFont;
    CFont* m_pFont;

    void SetAxisScale(AXIS axis, double& min, double& max);
    void GetAxisScale(AXIS axis, double& min, double& max);
    double GetAxisOffset(AXIS axis);
    void SetScaleStep(AXIS axis, double minor, double major);
    void GetScaleStep(AXIS axis, double& minor, double& major);
    void SetStyle(DWORD style);
    void ClearStyle(DWORD bits);
    DWORD GetStyle(DWORD axis);
    void SetAxisText(AXIS axis, CString* text);
    void SetAxisFormatString(AXIS axis, CString& format);
    void SetLineColor(COLORREF colour);
    COLORREF GetLineColor() { return m_lineColor; }
    void SetChartFillColor(COLORREF colour) { m_fillColor = colour; }
    COLORREF GetChartFillColor() { return m_fillColor; }
    void SetDepth(BYTE depth) { m_depth = depth; }
    BYTE GetDepth() { return m_depth; }
    void SetHorzRotation(double degrees) { m_horzRotation = degrees; }
    double GetHorzRotation() { return m_horzRotation; }
    void SetVertRotation(double degrees) { m_vertRotation = degrees; }
    double GetVertRotation() { return m_vertRotation; }
    CRect* GetRect() { return m_pRect; }
    int HasVerticalScalingChanged();
    void NotifyRemovedDataPoint(int removed) { m_removedMark = removed; }

    // Draws the axes and shrinks `rect` to the area the data go into.
    void DrawAxis(CMemDC* dc, CRect* rect);

    int _XValueToPixel(double v);
    int _YValueToPixel(double v);

private:
    CString m_xTitle, m_yTitle;
    CString m_xFormat, m_yFormat;
    int m_a, m_b;
    double m_xMin, m_xMax;
    double m_yMin, m_yMax;
    double m_prevYMin, m_prevYMax;
    double m_xOffset, m_yOffset;
    double m_xMinor, m_xMajor, m_xLabelStep;
    double m_yMinor, m_yMajor, m_yLabelStep;
    DWORD m_xStyle, m_yStyle, m_chartStyle;
    CMemDC* m_pDC;
    CPen m_pen;
    CRect* m_pRect;
    CRect m_entryRect;
    COLORREF m_lineColor;
    COLORREF m_fillColor;
    BYTE m_depth;
    double m_horzRotation, m_vertRotation;
    int m_removedMark;

    // Measures of the current drawing.
    int m_wx, m_hx, m_wy, m_hy;
    int m_ty;
    int m_lastLabelWidth = 0;

    void _SetDrawingArea();
    void _PrintAxisText();
    void _DrawTickText();
    void _PrintXAxisLabelText(CRect& box, double x, int shift, int y0);
    void _DrawTimeLabels(CRect& box, int shift, int y0);
    void _DrawAxis();
    void _DrawGraticules();
    void _DrawTickMarks();

    bool IsTimeAxis() const { return (m_chartStyle & CHART_STYLE_TIME_AXIS) != 0; }
    bool XLabels() const { return (m_xStyle & AXIS_LABELS) != 0; }
    bool YLabels() const { return (m_yStyle & AXIS_LABELS) != 0; }
    bool XBottom() const { return (m_xStyle & AXIS_NEAR_SIDE) != 0; }
    bool YLeft() const { return (m_yStyle & AXIS_NEAR_SIDE) != 0; }
    double DepthX() const;
    double DepthY() const;
    int TimeLabelStep() const;
    CString XLabel(double x) const;
    CString YLabel(double y) const;
    CSize Measure(const CString& text);
    void Line(int x1, int y1, int x2, int y2);
    void FillQuad(const POINT* quad, COLORREF colour);
    void OutlineQuad(const POINT* quad);
};
