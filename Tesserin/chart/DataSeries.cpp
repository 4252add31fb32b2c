#include "chart/DataSeries.h"

#include <cfloat>

void ChartTakeMinimum(double& current, double value)
{
    if (value < current + CHART_EPSILON)
        current = value;
}

void ChartTakeMaximum(double& current, double value)
{
    if (value > current - CHART_EPSILON)
        current = value;
}

CDataSeries::CDataSeries(DATA_TYPE) : m_nMaxPoints(0), m_Color(0), m_nLastSerial(-1)
{
    m_points.SetSize(0, 1);
    ResetStatistics();
}

CDataSeries::~CDataSeries()
{
    Purge();
}

void CDataSeries::ResetStatistics()
{
    m_dMinX = m_dMinY = DBL_MAX;
    m_dMaxX = m_dMaxY = -DBL_MAX;
}

void CDataSeries::CountIn(double x, double y)
{
    ChartTakeMinimum(m_dMinX, x);
    ChartTakeMaximum(m_dMaxX, x);
    ChartTakeMinimum(m_dMinY, y);
    ChartTakeMaximum(m_dMaxY, y);
}

int CDataSeries::AddDataPoint(CDataPoint* point)
{
    if (!point)
        return 0;
    int dropped = 0;
    if (m_nMaxPoints != 0 && m_nMaxPoints < GetCount())
        dropped = RemoveDataPoint(0) == 0 ? 1 : 0;
    CDataPoint* copy = new CDataPoint;
    *copy = *point;
    CountIn(point->m_dX, point->m_dY);
    copy->m_nSerial = ++m_nLastSerial;
    m_points.Add(copy);
    return dropped;
}

int CDataSeries::RemoveDataPoint(int index)
{
    if (index >= GetCount())
        return 1;
    delete m_points.GetAt(index);  // a negative index throws here
    m_points.RemoveAt(index);
    for (int i = index; i < GetCount(); ++i)
        m_points.GetAt(i)->m_dX -= 1.0;
    ResetStatistics();
    for (int i = 0; i < GetCount(); ++i)
        CountIn(m_points.GetAt(i)->m_dX, m_points.GetAt(i)->m_dY);
    return 0;
}

CDataPoint* CDataSeries::GetAt(int index) const
{
    return m_points.GetAt(index);
}

void CDataSeries::Purge()
{
    for (int i = 0; i < GetCount(); ++i)
        delete m_points.GetAt(i);
    m_points.RemoveAll();
    m_nLastSerial = -1;
    ResetStatistics();
}
