#include "chart/VXChartCtrl.h"

#include <cfloat>
#include <cmath>
#include <ctime>

namespace {
const UINT kPlotId = 101, kHeaderId = 102, kFooterId = 103, kLegendId = 104;
const DWORD kPartStyle = 0x50000000;
}  // namespace

BEGIN_MESSAGE_MAP(CVXChartCtrl, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_CHART_UPDATE, OnChartUpdate)
    ON_MESSAGE(WM_CHART_GET_POPUP_TEXT, OnGetPopupText)
    ON_MESSAGE(WM_CHART_POINT_DBLCLK, OnPointDblClk)
END_MESSAGE_MAP()

CVXChartCtrl::CVXChartCtrl()
    : m_headerRect(0, 0, 0, 0), m_footerRect(0, 0, 0, 0), m_legendRect(0, 0, 0, 0), m_chartRect(0, 0, 0, 0),
      m_chartType(0), m_headerShown(TRUE), m_footerShown(TRUE), m_legendShown(TRUE), m_legendPosition(CHART_BOTTOM)
{
}

CVXChartCtrl::~CVXChartCtrl()
{
    if (m_pPrintDC) {
        m_pPrintDC->DeleteDC();
        m_pPrintDC.reset();
    }
    m_printFont.DeleteObject();
}

int CVXChartCtrl::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    const CRect none(0, 0, 0, 0);
    m_plot.Create(nullptr, "", kPartStyle, none, this, kPlotId);
    m_header.Create(nullptr, "", kPartStyle, none, this, kHeaderId);
    m_footer.Create(nullptr, "", kPartStyle, none, this, kFooterId);
    m_legend.Create(nullptr, "", kPartStyle, none, this, kLegendId);
    ChartWndBase* parts[] = {&m_plot, &m_header, &m_footer, &m_legend};
    for (ChartWndBase* part : parts) {
        part->SetFont(10, "Arial", 0);
        part->SetTextColor(0xFFFFFF);
        part->SetWindowColor(0x000000);
    }
    m_legend.SetAutoHide(20, 10);
    return 0;
}

// Data.

int CVXChartCtrl::AddDataSeries(CString caption, COLORREF colour)
{
    m_legend.AddSeriesItem(caption, colour);
    return m_plot.GetData().AddDataSeries(caption, colour);
}

int CVXChartCtrl::AddDataPoint(CDataPoint* point, int series)
{
    if (!point)
        return 0;
    bool pointItems = series == 0 && m_chartType != CHART_STRIP_LINE && m_chartType != CHART_STRIP_AREA;
    if (pointItems)
        m_legend.AddPointItem(point->m_sCaption, point->m_Color);
    if (series >= 0 && series < GetCount() && GetDataSeries(series)->GetMaxNumDataPoints() != 0)
        m_plot.ForgetHoveredPoint();  // the oldest point may be dropped
    int removed = m_plot.GetData().AddDataPoint(point, series);
    if (pointItems && removed == 1)
        m_legend.RemovePointItem(0);
    m_plot.GetAxis().NotifyRemovedDataPoint(removed);
    return removed;
}

int CVXChartCtrl::RemoveDataPoint(int point, int series)
{
    m_plot.ForgetHoveredPoint();
    return m_plot.GetData().RemoveDataPoint(point, series);
}

CDataSeries* CVXChartCtrl::GetDataSeries(int index)
{
    return m_plot.GetData().GetDataSeries(index);
}

int CVXChartCtrl::GetNumOfDataPoints(int series)
{
    return m_plot.GetData().GetNumOfDataPoints(series);
}

void CVXChartCtrl::GetRangeInDataSeries(int series, double& min, double& max, AXIS axis)
{
    m_plot.GetData().GetRangeInDataSeries(series, min, max, axis);
}

void CVXChartCtrl::GetXAxisRange(double& min, double& max)
{
    m_plot.GetData().GetXAxisRange(min, max);
}

void CVXChartCtrl::GetYAxisRange(double& min, double& max)
{
    m_plot.GetData().GetYAxisRange(min, max);
}

void CVXChartCtrl::SetDataSeriesColor(COLORREF colour, int series)
{
    m_plot.GetData().SetColor(colour, series);
}

COLORREF CVXChartCtrl::GetDataSeriesColor(int series)
{
    return m_plot.GetData().GetColor(series);
}

void CVXChartCtrl::SetDataSeriesCaption(CString caption, int series)
{
    m_plot.GetData().SetCaption(caption, series);
}

CString CVXChartCtrl::GetDataSeriesCaption(int series)
{
    return m_plot.GetData().GetCaption(series);
}

void CVXChartCtrl::SetCustomChartStyle(WORD style)
{
    m_plot.GetData().SetCustomChartStyle(style);
}

WORD CVXChartCtrl::GetCustomChartStyle()
{
    return m_plot.GetData().GetCustomChartStyle();
}

int CVXChartCtrl::GetCount()
{
    return m_plot.GetData().GetCount();
}

void CVXChartCtrl::Purge()
{
    m_plot.ForgetHoveredPoint();
    m_plot.GetData().Purge();
    m_legend.Purge();
}

// Axes.

void CVXChartCtrl::GetAxisScale(AXIS axis, double& min, double& max)
{
    m_plot.GetAxis().GetAxisScale(axis, min, max);
}

void CVXChartCtrl::SetAxisScale(AXIS axis, double min, double max)
{
    if (axis != AXIS_X && axis != AXIS_Y)
        return;
    C2DScale& scale = m_plot.GetAxis();
    scale.ClearStyle(axis | AXIS_AUTO_SCALE);
    scale.SetStyle(scale.GetStyle(axis) | axis);
    scale.SetAxisScale(axis, min, max);
    m_plot.GetData().SetAxisOffset(axis, scale.GetAxisOffset(axis));
    if (m_plot.GetSafeHwnd())
        m_plot.Invalidate();
}

void CVXChartCtrl::SetScaleStep(AXIS axis, double minor, double major)
{
    m_plot.GetAxis().SetScaleStep(axis, minor, major);
}

void CVXChartCtrl::GetScaleStep(AXIS axis, double& minor, double& major)
{
    m_plot.GetAxis().GetScaleStep(axis, minor, major);
}

void CVXChartCtrl::SetAxisText(AXIS axis, CString* text)
{
    m_plot.GetAxis().SetAxisText(axis, text);
}

void CVXChartCtrl::SetAxisFormatString(AXIS axis, CString& format)
{
    m_plot.GetAxis().SetAxisFormatString(axis, format);
}

void CVXChartCtrl::SetLineColor(COLORREF colour)
{
    m_plot.GetAxis().SetLineColor(colour);
    m_legend.SetLegendTextColor(colour);
}

COLORREF CVXChartCtrl::GetLineColor()
{
    return m_plot.GetAxis().GetLineColor();
}

COLORREF CVXChartCtrl::GetChartFillColor()
{
    return m_plot.GetAxis().GetChartFillColor();
}

void CVXChartCtrl::SetChartFillColor(COLORREF colour)
{
    m_plot.GetAxis().SetChartFillColor(colour);
}

BYTE CVXChartCtrl::GetDepth()
{
    return m_plot.GetAxis().GetDepth();
}

double CVXChartCtrl::GetHorzRotation()
{
    return m_plot.GetAxis().GetHorzRotation();
}

double CVXChartCtrl::GetVertRotation()
{
    return m_plot.GetAxis().GetVertRotation();
}

bool CVXChartCtrl::Ignores3DSettings() const
{
    switch (m_chartType) {
    case CHART_STRIP_LINE:
    case CHART_STRIP_AREA:
    case CHART_LINE:
    case CHART_AREA:
    case CHART_XY:
    case CHART_PIE:
        return true;
    default:
        return false;
    }
}

void CVXChartCtrl::SetDepth(BYTE depth)
{
    if (Ignores3DSettings())
        return;
    m_plot.GetAxis().SetDepth(depth);
    if (GetSafeHwnd())
        m_plot.Invalidate(TRUE);
}

void CVXChartCtrl::SetHorzRotation(double degrees)
{
    if (Ignores3DSettings())
        return;
    m_plot.GetAxis().SetHorzRotation(degrees);
    if (GetSafeHwnd())
        m_plot.Invalidate(TRUE);
}

void CVXChartCtrl::SetVertRotation(double degrees)
{
    if (Ignores3DSettings())
        return;
    m_plot.GetAxis().SetVertRotation(degrees);
    if (GetSafeHwnd())
        m_plot.Invalidate(TRUE);
}

DWORD CVXChartCtrl::_GetAxisStyle(AXIS axis)
{
    return m_plot.GetAxis().GetStyle(axis);
}

DWORD CVXChartCtrl::GetAxisStyleX()
{
    return _GetAxisStyle(AXIS_X) & ~(DWORD)AXIS_X;
}

DWORD CVXChartCtrl::GetAxisStyleY()
{
    return _GetAxisStyle(AXIS_Y) & ~(DWORD)AXIS_Y;
}

void CVXChartCtrl::SetAxisStyleX(DWORD style)
{
    m_plot.GetAxis().SetStyle(style | AXIS_X);
    if (style & AXIS_AUTO_SCALE)
        _AutoScale(style | AXIS_X);
}

void CVXChartCtrl::SetAxisStyleY(DWORD style)
{
    m_plot.GetAxis().SetStyle(style | AXIS_Y);
    if (style & AXIS_AUTO_SCALE)
        _AutoScale(style | AXIS_Y);
}

void CVXChartCtrl::_SetAxisStyle(DWORD style)
{
    m_plot.GetAxis().SetStyle(style | ((style & AXIS_X) ? AXIS_X : AXIS_Y));
}

void CVXChartCtrl::_AutoScale(DWORD style)
{
    C2DScale& scale = m_plot.GetAxis();
    CDataSeriesArray& data = m_plot.GetData();
    if (style & AXIS_X) {
        bool set = true;
        double min = 0, max = 0, minor = 0, major = 0;
        if (m_chartType == CHART_LINE || m_chartType == CHART_AREA) {
            max = RoundToScaleMark(data.GetMaxInAllSeries() - 1, 0);
            minor = 0.1 * max;
            major = 0.2 * max;
        } else if (m_chartType == CHART_STRIP_LINE || m_chartType == CHART_STRIP_AREA) {
            data.GetXAxisRange(min, max);
            if (min > max + CHART_EPSILON)
                min = max = (double)time(nullptr);
            minor = 1.0;
            major = 10.0;
        } else {
            set = false;
        }
        if (set) {
            scale.SetAxisScale(AXIS_X, min, max);
            scale.SetScaleStep(AXIS_X, minor, major);
            data.SetAxisOffset(AXIS_X, scale.GetAxisOffset(AXIS_X));
        }
    }
    if (style & AXIS_Y) {
        double low = 0, high = 0;
        data.GetYAxisRange(low, high);
        double min = (style & AXIS_ZERO_BASED) ? 0.0 : RoundToScaleMark(low, 1);
        double max = RoundToScaleMark(high, 0);
        scale.SetAxisScale(AXIS_Y, min, max);
        double rounded = RoundToScaleMark(high, 0);
        scale.SetScaleStep(AXIS_Y, 0.1 * rounded, 0.2 * rounded);
        data.SetAxisOffset(AXIS_Y, scale.GetAxisOffset(AXIS_Y));
    }
}

// Windows.

void CVXChartCtrl::SetTitleText(CTitleWnd& title, CHART_WINDOW_POSITION position, CString text)
{
    switch (position) {
    case CHART_LEFT:
        title.SetLText(text);
        break;
    case CHART_MIDDLE:
        title.SetMText(text);
        break;
    case CHART_RIGHT:
        title.SetRText(text);
        break;
    default:
        break;
    }
}

void CVXChartCtrl::SetHeaderText(CHART_WINDOW_POSITION position, CString& text)
{
    SetTitleText(m_header, position, text);
}

void CVXChartCtrl::SetHeaderText(CHART_WINDOW_POSITION position, const char* text)
{
    SetTitleText(m_header, position, text ? text : "");
}

void CVXChartCtrl::SetFooterText(CHART_WINDOW_POSITION position, CString& text)
{
    SetTitleText(m_footer, position, text);
}

void CVXChartCtrl::SetFooterText(CHART_WINDOW_POSITION position, const char* text)
{
    SetTitleText(m_footer, position, text ? text : "");
}

void CVXChartCtrl::SetHeaderTextColor(COLORREF colour)
{
    m_header.SetTextColor(colour);
}

void CVXChartCtrl::SetFooterTextColor(COLORREF colour)
{
    m_footer.SetTextColor(colour);
}

void CVXChartCtrl::SetWindowColor(COLORREF colour)
{
    m_plot.SetWindowColor(colour);
    m_header.SetWindowColor(colour);
    m_footer.SetWindowColor(colour);
    m_legend.SetWindowColor(colour);
}

COLORREF CVXChartCtrl::GetWindowColor()
{
    return m_plot.GetWindowColor();
}

void CVXChartCtrl::SetFont(int size, const char* face, BYTE style)
{
    m_plot.SetFont((BYTE)size, face, style);
    m_header.SetFont((BYTE)size, face, style);
    m_footer.SetFont((BYTE)size, face, style);
    m_legend.SetFont((BYTE)size, face, style);
}

void CVXChartCtrl::ShowHeader(BOOL show)
{
    m_headerShown = show;
    _RecalculateAllWindows();
}

void CVXChartCtrl::ShowFooter(BOOL show)
{
    m_footerShown = show;
    _RecalculateAllWindows();
}

void CVXChartCtrl::ShowLegend(BOOL show)
{
    m_legendShown = show;
    _RecalculateAllWindows();
}

void CVXChartCtrl::ShowSeriesLegend()
{
    m_legend.ShowSeriesLegend();
    m_legendShown = TRUE;
    _RecalculateAllWindows();
}

void CVXChartCtrl::ShowPointLegend()
{
    m_legend.ShowPointLegend();
}

void CVXChartCtrl::SetLegendPosition(CHART_WINDOW_POSITION position)
{
    m_legendPosition = position;
    m_legend.SetLegendPosition(position);
}

void CVXChartCtrl::SetLegendAutoHide(BYTE width, BYTE height)
{
    m_legend.SetAutoHide(width, height);
    _RecalculateAllWindows();
}

void CVXChartCtrl::SetLegendSeriesItemColor(COLORREF colour, int index)
{
    m_legend.SetLegendSeriesItemColor(colour, index);
}

void CVXChartCtrl::SetStyle(STYLES style)
{
    m_plot.SetStyle(style);
}

STYLES CVXChartCtrl::GetStyle()
{
    return m_plot.GetStyle();
}

int CVXChartCtrl::SetChartType(int type)
{
    m_chartType = 0;
    if (type == CHART_STRIP_LINE)
        type = 16;
    else if (type == CHART_STRIP_AREA)
        type = 17;
    C2DScale& scale = m_plot.GetAxis();
    if (type == CHART_BAR || type == CHART_ROTATED_PIE) {
        SetDepth(50);
        SetHorzRotation(50.0);
        SetVertRotation(50.0);
        scale.SetStyle(0x100001E3);
    } else {
        SetDepth(0);
        SetHorzRotation(0.0);
        SetVertRotation(0.0);
    }
    scale.SetStyle((type == CHART_PIE || type == CHART_ROTATED_PIE) ? 0x80000002 : 0x80000001);
    switch (type) {
    case 16: case 31: case 61: case 121: case 301: case 601:
        scale.SetStyle(scale.GetStyle(AXIS_CHART) | 0x80000100);
        m_chartType = CHART_STRIP_LINE;
        break;
    case 17: case 32: case 62: case 122: case 302: case 602:
        scale.SetStyle(scale.GetStyle(AXIS_CHART) | 0x80000200);
        m_chartType = CHART_STRIP_AREA;
        break;
    default:
        m_chartType = type;
        break;
    }
    return m_plot.SetChartType(type);
}

void CVXChartCtrl::UpdateWindow()
{
    C2DScale& scale = m_plot.GetAxis();
    for (DWORD axis : {(DWORD)AXIS_X, (DWORD)AXIS_Y}) {
        DWORD style = scale.GetStyle(axis) | axis;
        scale.SetStyle(style);
        if (style & AXIS_AUTO_SCALE)
            _AutoScale(style);
    }
    if (!GetSafeHwnd())
        return;
    m_header.CWnd::UpdateWindow();
    m_footer.CWnd::UpdateWindow();
    m_legend.CWnd::UpdateWindow();
    m_plot.CWnd::UpdateWindow();
    m_plot.UpdatePicture();
    SendSizeToSelf();
}

void CVXChartCtrl::Invalidate(BOOL erase)
{
    if (!GetSafeHwnd())
        return;
    m_header.CWnd::Invalidate(erase);
    m_footer.CWnd::Invalidate(erase);
    m_legend.CWnd::Invalidate(erase);
    m_plot.CWnd::Invalidate(erase);
    if (erase)
        SendSizeToSelf();
}

void CVXChartCtrl::SendSizeToSelf()
{
    CRect client;
    GetClientRect(&client);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
}

// Layout. Shares of the height are measured from the layout's own corner, so
// that a page rectangle with margins lays out like the client area.

void CVXChartCtrl::_RecalculateLegend(const CRect& layout)
{
    const int H = layout.Height(), W = layout.Width();
    const int tenth = (int)(0.1 * H), nineTenths = (int)(0.9 * H);
    m_legendRect = layout;
    if (!m_legendShown) {
        m_legendRect.SetRectEmpty();
    } else {
        bool sideways = m_legendPosition == CHART_LEFT || m_legendPosition == CHART_RIGHT;
        if (sideways) {
            if (m_headerShown)
                m_legendRect.top += tenth;
            if (m_footerShown)
                m_legendRect.bottom -= tenth;
        }
        m_legend.SetInitialWindowSize(&m_legendRect);
        CRect minimum(0, 0, 0, 0);
        m_legend.GetMinimumWindowRect(&minimum);
        int h = minimum.Height() != 0 ? minimum.Height() + 20 : 0;
        int w = minimum.Width() > 0 ? minimum.Width() + 20 : 0;
        switch (m_legendPosition) {
        case CHART_TOP:
            m_legendRect.bottom = layout.top + h;
            break;
        case CHART_BOTTOM:
            m_legendRect.top = layout.top + H - h;
            break;
        case CHART_LEFT:
            m_legendRect.right = layout.left + w;
            break;
        case CHART_RIGHT:
            m_legendRect.left = layout.left + W - w;
            break;
        default:
            break;
        }
        if (sideways) {
            if (m_headerShown)
                m_legendRect.top = layout.top + tenth;
            if (m_footerShown)
                m_legendRect.bottom = layout.top + nineTenths;
        }
    }
    m_legend.SetWindowPos(nullptr, m_legendRect.left, m_legendRect.top, m_legendRect.Width(), m_legendRect.Height(),
                          SWP_SHOWWINDOW | SWP_NOZORDER);
}

void CVXChartCtrl::_RecalculateHeader(const CRect& layout)
{
    const int tenth = (int)(0.1 * layout.Height());
    m_headerRect = layout;
    if (!m_headerShown) {
        m_headerRect.SetRectEmpty();
    } else if (m_legendShown && m_legendPosition == CHART_TOP) {
        m_headerRect.top = m_legendRect.bottom;
        m_headerRect.bottom = m_headerRect.top + tenth;
    } else if (!(m_legendShown && m_legendPosition == CHART_MIDDLE)) {
        m_headerRect.bottom = layout.top + tenth;
    }
    m_header.SetWindowPos(nullptr, m_headerRect.left, m_headerRect.top, m_headerRect.Width(), m_headerRect.Height(),
                          SWP_SHOWWINDOW | SWP_NOZORDER);
}

void CVXChartCtrl::_RecalculateFooter(const CRect& layout)
{
    const int tenth = (int)(0.1 * layout.Height()), nineTenths = (int)(0.9 * layout.Height());
    m_footerRect = layout;
    if (!m_footerShown) {
        m_footerRect.SetRectEmpty();
    } else if (m_legendShown && m_legendPosition == CHART_BOTTOM) {
        m_footerRect.bottom = m_legendRect.top;
        m_footerRect.top = m_footerRect.bottom - tenth;
    } else if (!(m_legendShown && m_legendPosition == CHART_MIDDLE)) {
        m_footerRect.top = layout.top + nineTenths;
    }
    m_footer.SetWindowPos(nullptr, m_footerRect.left, m_footerRect.top, m_footerRect.Width(), m_footerRect.Height(),
                          SWP_SHOWWINDOW | SWP_NOZORDER);
}

void CVXChartCtrl::_RecalculateChart()
{
    if (m_legendShown) {
        switch (m_legendPosition) {
        case CHART_TOP:
            m_chartRect.top = m_legendRect.bottom;
            break;
        case CHART_BOTTOM:
            m_chartRect.bottom = m_legendRect.top;
            break;
        case CHART_LEFT:
            m_chartRect.left = m_legendRect.right;
            break;
        case CHART_RIGHT:
            m_chartRect.right = m_legendRect.left;
            break;
        default:
            break;
        }
    }
    if (m_headerShown)
        m_chartRect.top = m_headerRect.bottom;
    if (m_footerShown)
        m_chartRect.bottom = m_footerRect.top;
    m_plot.SetWindowPos(nullptr, m_chartRect.left, m_chartRect.top, m_chartRect.Width(), m_chartRect.Height(),
                        SWP_SHOWWINDOW | SWP_NOZORDER);
}

void CVXChartCtrl::_RecalculateAllWindows(CRect* area)
{
    if (!GetSafeHwnd())
        return;
    CRect layout;
    GetClientRect(&layout);
    if (m_plot.GetStyle() & CHART_SUNKEN)
        layout.DeflateRect(2, 2);
    if (area)
        layout = *area;
    m_headerRect = m_footerRect = m_legendRect = m_chartRect = layout;
    m_legend.SetInitialWindowSize(&layout);
    _RecalculateLegend(layout);
    _RecalculateHeader(layout);
    _RecalculateFooter(layout);
    _RecalculateChart();
}

// Messages.

void CVXChartCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    _RecalculateAllWindows();
}

void CVXChartCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_plot.GetStyle() & CHART_SUNKEN) {
        CRect client;
        GetClientRect(&client);
        dc.DrawEdge(&client, EDGE_SUNKEN, BF_RECT);
    }
}

BOOL CVXChartCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CVXChartCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (CWnd* parent = GetParent()) {
        MapWindowPoints(parent, &point, 1);
        parent->SendMessage(WM_LBUTTONDBLCLK, flags, MAKELPARAM(point.x, point.y));
    }
}

void CVXChartCtrl::OnRButtonDown(UINT flags, CPoint point)
{
    if (CWnd* parent = GetParent()) {
        MapWindowPoints(parent, &point, 1);
        parent->SendMessage(WM_RBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
    }
}

LRESULT CVXChartCtrl::OnChartUpdate(WPARAM, LPARAM)
{
    UpdateWindow();
    return 0;
}

LRESULT CVXChartCtrl::OnGetPopupText(WPARAM wParam, LPARAM lParam)
{
    CWnd* parent = GetParent();
    return parent ? parent->SendMessage(WM_CHART_GET_POPUP_TEXT, wParam, lParam) : 0;
}

LRESULT CVXChartCtrl::OnPointDblClk(WPARAM wParam, LPARAM lParam)
{
    CWnd* parent = GetParent();
    return parent ? parent->SendMessage(WM_CHART_POINT_DBLCLK, wParam, lParam) : 0;
}
