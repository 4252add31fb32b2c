// CDataSeries: an ordered list of chart points with running minima and maxima
// and an optional cap on its length (strip charts).
#pragma once

#include "mfc.h"
#include "chart/ChartTypes.h"
#include "chart/DataPoint.h"

class AFX_EXT_CLASS CDataSeries {
public:
    explicit CDataSeries(DATA_TYPE type = 2);
    virtual ~CDataSeries();
    CDataSeries(const CDataSeries&) = delete;
    CDataSeries& operator=(const CDataSeries&) = delete;

    // Appends a copy; drops point 0 first when the series is already over its
    // cap. Returns 1 when a point was dropped.
    int AddDataPoint(CDataPoint* point);
    // 1 for an index past the end; else removes it, moves later points back
    // by 1.0 in x and recomputes the statistics, and returns 0.
    int RemoveDataPoint(int index);
    CDataPoint* GetAt(int index) const;
    int GetCount() const { return (int)m_points.GetSize(); }
    int GetNumOfDataPoints() const { return GetCount(); }
    void Purge();

    void SetColor(COLORREF colour) { m_Color = colour; }
    COLORREF GetColor() const { return m_Color; }
    void SetMaxNumDataPoints(WORD count) { m_nMaxPoints = count; }
    WORD GetMaxNumDataPoints() const { return m_nMaxPoints; }

    CString m_sCaption;
    double m_dMinX, m_dMaxX, m_dMinY, m_dMaxY;

private:
    CTypedPtrArray<CPtrArray, CDataPoint*> m_points;
    WORD m_nMaxPoints;
    COLORREF m_Color;
    int m_nLastSerial;

    void ResetStatistics();
    void CountIn(double x, double y);
};

// The running-statistics rule shared by series and the series list.
void ChartTakeMinimum(double& current, double value);
void ChartTakeMaximum(double& current, double value);
