#include "chart/DataPoint.h"

CDataPoint::CDataPoint() : m_dX(0.0), m_dY(0.0), m_Color(0), m_nSerial(-1), m_nSeries(-1), m_hIcon(nullptr) {}

CDataPoint::CDataPoint(double x, double y, COLORREF colour, CString caption)
    : m_dX(x), m_dY(y), m_Color(colour), m_sCaption(caption), m_nSerial(-1), m_nSeries(-1), m_hIcon(nullptr)
{
}

CDataPoint::CDataPoint(const CDataPoint& other) : CDataPoint()
{
    CopyValues(other);
}

CDataPoint::~CDataPoint()
{
    m_HitRegion.DeleteObject();
    m_AnchorRegion.DeleteObject();
}

void CDataPoint::CopyValues(const CDataPoint& other)
{
    m_nSerial = other.m_nSerial;
    m_nSeries = other.m_nSeries;
    m_dX = other.m_dX;
    m_dY = other.m_dY;
    m_Color = other.m_Color;
    m_sCaption = other.m_sCaption;
    m_hIcon = other.m_hIcon;
}

CDataPoint& CDataPoint::operator=(CDataPoint& other)
{
    if (&other != this)
        CopyValues(other);
    return *this;
}

CDataPoint& CDataPoint::operator=(CDataPoint* other)
{
    if (other && other != this)
        CopyValues(*other);
    return *this;
}
