// CDataPoint: one value of a chart with its colour, caption, icon and the
// regions the drawing leaves on it for hit testing and popup placement.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CDataPoint {
public:
    CDataPoint();
    CDataPoint(double x, double y, COLORREF colour, CString caption);
    // Copies take the values, never the regions.
    CDataPoint(const CDataPoint& other);
    virtual ~CDataPoint();

    CDataPoint& operator=(CDataPoint& other);
    CDataPoint& operator=(CDataPoint* other);

    double m_dX;
    double m_dY;
    COLORREF m_Color;
    CString m_sCaption;
    int m_nSerial;
    int m_nSeries;
    HICON m_hIcon;
    CRgn m_HitRegion;
    CRgn m_AnchorRegion;

private:
    void CopyValues(const CDataPoint& other);
};
