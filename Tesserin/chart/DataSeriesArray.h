// CDataSeriesArray: the chart's list of series with the chart kind, the
// strip-chart state, the overall ranges and the drawing of every kind.
#pragma once

#include "mfc.h"
#include "chart/ChartTypes.h"
#include "chart/DataSeries.h"

class C2DScale;
class CMemDC;

class AFX_EXT_CLASS CDataSeriesArray {
public:
    explicit CDataSeriesArray(DATA_TYPE type = 2);
    virtual ~CDataSeriesArray();
    CDataSeriesArray(const CDataSeriesArray&) = delete;
    CDataSeriesArray& operator=(const CDataSeriesArray&) = delete;

    int AddDataSeries(CString caption, COLORREF colour);
    int AddDataPoint(CDataPoint* point, int series);
    int RemoveDataPoint(int point, int series);
    CDataSeries* GetDataSeries(int index);
    int GetNumOfDataPoints(int series);
    void GetRangeInDataSeries(int series, double& min, double& max, AXIS axis);
    void GetXAxisRange(double& min, double& max);
    void GetYAxisRange(double& min, double& max);
    int GetMaxInAllSeries();
    int GetCount() const { return (int)m_series.GetSize(); }
    void SetColor(COLORREF colour, int series);
    COLORREF GetColor(int series);
    void SetCaption(CString caption, int series);
    CString GetCaption(int series);
    int SetChartType(int type);
    int GetChartType() const { return m_nChartType; }
    void SetHeight(double height);
    double GetHeight() const { return m_dHeight; }
    void SetElevation(double elevation);
    double GetElevation() const { return m_dElevation; }
    void SetAxisOffset(AXIS axis, double offset);
    void SetCustomChartStyle(WORD style) { m_wCustomStyle = style; }
    WORD GetCustomChartStyle() const { return m_wCustomStyle; }
    int DataRemoved() const { return m_nDataRemoved; }
    void PrepareStripChartForScrolling(int* scrollPending, int* fullRedraw, CBitmap* lastFrame);
    WORD GetStripLength() const { return m_nStripLength; }
    void Purge();

    // Draws the data of the current kind after the axes, leaving hit and
    // anchor regions on the points; then the points' icons on top.
    void DrawData(CMemDC* dc, C2DScale* axis);
    void DrawIcons(CMemDC* dc, C2DScale* axis);

private:
    CTypedPtrArray<CPtrArray, CDataSeries*> m_series;
    WORD m_nStripLength;
    int m_nChartType;
    double m_dMinX, m_dMaxX, m_dMinY, m_dMaxY;
    CMemDC* m_pDC;
    C2DScale* m_pAxis;
    double m_dHeight;
    double m_dElevation;
    WORD m_wCustomStyle;
    double m_dXOffset, m_dYOffset;
    int m_nDataRemoved;
    int* m_pScrollPending;
    int* m_pFullRedraw;
    CBitmap* m_pLastFrame;
    // Full strip-area drawings since the last reset; scrolling needs two.
    int m_nFullDrawings;

    CDataSeries* _GetDataSeries(int index);
    bool IsSeries(int index) const { return index >= 0 && index < GetCount(); }
    void RecomputeStatistics();

    void _DrawLineChart(int dx, int dy);
    void _DrawBarChart(int dx, int dy);
    void _DrawXYChart(int dx, int dy);
    void _DrawPieChart(int dx, int dy);
    void _DrawRotatedPieChart(int dx, int dy);
    void _DrawAreaChart(int dx, int dy);
    void _DrawRotatedLineChart(int dx, int dy);
    void _DrawRotatedXYChart(int dx, int dy);
    void _GenerateRegion(int pass, CDataPoint* point, int startAngle, int endAngle, int thickness, const CRect& box);
    bool _ScrollStripArea();
    void _DrawFullArea(CDataSeries* series, bool strip);
};
