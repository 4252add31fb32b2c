#include "chart/DataSeriesArray.h"

#include <algorithm>
#include <cfloat>
#include <ctime>

CDataSeriesArray::CDataSeriesArray(DATA_TYPE)
    : m_nStripLength(0), m_nChartType(1), m_pDC(nullptr), m_pAxis(nullptr), m_dHeight(100.0), m_dElevation(5.0),
      m_wCustomStyle(0), m_dXOffset(0.0), m_dYOffset(0.0), m_nDataRemoved(0), m_pScrollPending(nullptr),
      m_pFullRedraw(nullptr), m_pLastFrame(nullptr), m_nFullDrawings(0)
{
    m_series.SetSize(0, 1);
    m_dMinX = m_dMinY = DBL_MAX;
    m_dMaxX = m_dMaxY = -DBL_MAX;
}

CDataSeriesArray::~CDataSeriesArray()
{
    Purge();
}

void CDataSeriesArray::RecomputeStatistics()
{
    m_dMinX = m_dMinY = DBL_MAX;
    m_dMaxX = m_dMaxY = -DBL_MAX;
    for (int i = 0; i < GetCount(); ++i) {
        CDataSeries* s = m_series.GetAt(i);
        ChartTakeMinimum(m_dMinX, s->m_dMinX);
        ChartTakeMaximum(m_dMaxX, s->m_dMaxX);
        ChartTakeMinimum(m_dMinY, s->m_dMinY);
        ChartTakeMaximum(m_dMaxY, s->m_dMaxY);
    }
}

int CDataSeriesArray::AddDataSeries(CString caption, COLORREF colour)
{
    CDataSeries* series = new CDataSeries(2);
    series->m_sCaption = caption;
    series->SetColor(colour);
    int index = GetCount();
    if (m_nChartType == CHART_STRIP_LINE || m_nChartType == CHART_STRIP_AREA) {
        series->SetMaxNumDataPoints(m_nStripLength);
        if (m_nStripLength > 0) {
            double now = (double)time(nullptr);
            for (int k = m_nStripLength - 1; k >= 0; --k) {
                CDataPoint zero(now - k, 0.0, colour, "");
                zero.m_nSeries = index;
                series->AddDataPoint(&zero);
            }
        }
    }
    m_series.Add(series);
    RecomputeStatistics();
    return index;
}

int CDataSeriesArray::AddDataPoint(CDataPoint* point, int series)
{
    if (!IsSeries(series) || !point)
        return 0;
    point->m_nSeries = series;
    m_nDataRemoved = m_series.GetAt(series)->AddDataPoint(point);
    RecomputeStatistics();
    return m_nDataRemoved;
}

int CDataSeriesArray::RemoveDataPoint(int point, int series)
{
    if (!IsSeries(series))
        return 1;
    int result = m_series.GetAt(series)->RemoveDataPoint(point);
    RecomputeStatistics();
    return result;
}

CDataSeries* CDataSeriesArray::GetDataSeries(int index)
{
    return m_series.GetAt(index);
}

CDataSeries* CDataSeriesArray::_GetDataSeries(int index)
{
    return index < GetCount() ? m_series.GetAt(index) : nullptr;
}

int CDataSeriesArray::GetNumOfDataPoints(int series)
{
    return IsSeries(series) ? m_series.GetAt(series)->GetCount() : 0;
}

void CDataSeriesArray::GetRangeInDataSeries(int series, double& min, double& max, AXIS axis)
{
    if (!IsSeries(series))
        return;
    CDataSeries* s = m_series.GetAt(series);
    if (axis == AXIS_X) {
        min = s->m_dMinX;
        max = s->m_dMaxX;
    } else {
        min = s->m_dMinY;
        max = s->m_dMaxY;
    }
}

void CDataSeriesArray::GetXAxisRange(double& min, double& max)
{
    min = m_dMinX;
    max = m_dMaxX;
}

void CDataSeriesArray::GetYAxisRange(double& min, double& max)
{
    min = m_dMinY;
    max = m_dMaxY;
}

int CDataSeriesArray::GetMaxInAllSeries()
{
    int most = 0;
    for (int i = 0; i < GetCount(); ++i)
        most = std::max(most, m_series.GetAt(i)->GetCount());
    return most;
}

void CDataSeriesArray::SetColor(COLORREF colour, int series)
{
    if (series >= 0)
        m_series.GetAt(series)->SetColor(colour);
}

COLORREF CDataSeriesArray::GetColor(int series)
{
    return series >= 0 ? m_series.GetAt(series)->GetColor() : 0;
}

void CDataSeriesArray::SetCaption(CString caption, int series)
{
    if (series >= 0)
        m_series.GetAt(series)->m_sCaption = caption;
}

CString CDataSeriesArray::GetCaption(int series)
{
    return series >= 0 ? m_series.GetAt(series)->m_sCaption : CString();
}

int CDataSeriesArray::SetChartType(int type)
{
    m_nStripLength = 0;
    m_nChartType = type;
    switch (type) {
    case 16: case 31: case 61: case 121: case 301: case 601:
        m_nChartType = CHART_STRIP_LINE;
        m_nStripLength = (WORD)type;
        break;
    case 17: case 32: case 62: case 122: case 302: case 602:
        m_nChartType = CHART_STRIP_AREA;
        m_nStripLength = (WORD)(type - 1);
        break;
    default:
        return m_nChartType;
    }
    for (int i = 0; i < GetCount(); ++i)
        m_series.GetAt(i)->SetMaxNumDataPoints((WORD)type);
    m_nFullDrawings = 0;
    return m_nChartType;
}

void CDataSeriesArray::SetHeight(double height)
{
    if (height + CHART_EPSILON > 100.0)
        height = 100.0;
    else if (height + CHART_EPSILON < 0.0)
        height = 0.0;
    m_dHeight = height;
}

void CDataSeriesArray::SetElevation(double elevation)
{
    if (elevation + CHART_EPSILON > 49.5)
        elevation = 49.5;
    else if (elevation + CHART_EPSILON < 5.0)
        elevation = 5.0;
    m_dElevation = elevation;
}

void CDataSeriesArray::SetAxisOffset(AXIS axis, double offset)
{
    if (axis == AXIS_X)
        m_dXOffset = offset;
    else if (axis == AXIS_Y)
        m_dYOffset = offset;
}

void CDataSeriesArray::PrepareStripChartForScrolling(int* scrollPending, int* fullRedraw, CBitmap* lastFrame)
{
    m_pScrollPending = scrollPending;
    m_pFullRedraw = fullRedraw;
    m_pLastFrame = lastFrame;
}

void CDataSeriesArray::Purge()
{
    for (int i = 0; i < GetCount(); ++i)
        delete m_series.GetAt(i);
    m_series.RemoveAll();
    m_dMinX = m_dMinY = DBL_MAX;
    m_dMaxX = m_dMaxY = -DBL_MAX;
    m_nFullDrawings = 0;
}
