#include "chart/ChartPlotWnd.h"

#include "controls/MemDC.h"

#include <algorithm>
#include <new>

namespace {
const UINT kPopupId = 111;
const char kPresetPopupText[] = "MessageTextHere";
}  // namespace

BEGIN_MESSAGE_MAP(ChartPlotWnd, ChartWndBase)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

ChartPlotWnd::ChartPlotWnd()
    : m_data(2), m_axis(1, 1), m_dragging(FALSE), m_style(0x108), m_kind(1),
      m_pHovered(nullptr), m_scrollPending(0), m_fullRedraw(0), m_dataArea(0, 0, 0, 0), m_plotRect(0, 0, 0, 0)
{
}

ChartPlotWnd::~ChartPlotWnd() = default;

void ChartPlotWnd::ForgetHoveredPoint()
{
    m_pHovered = nullptr;
    if (m_popup.GetSafeHwnd())
        m_popup.ShowWindow(SW_HIDE);
}

int ChartPlotWnd::SetChartType(int type)
{
    m_kind = m_data.SetChartType(type);
    if (m_kind == CHART_STRIP_AREA)
        m_data.PrepareStripChartForScrolling(&m_scrollPending, &m_fullRedraw, &m_lastFrame);
    m_pHovered = nullptr;
    return m_kind;
}

int ChartPlotWnd::SetFont(BYTE size, const char* face, BYTE style)
{
    ChartWndBase::SetFont(size, face, style);
    if (m_pVertFont) {
        m_pVertFont->DeleteObject();
    } else {
        m_pVertFont.reset(new (std::nothrow) CFont);
        if (!m_pVertFont)
            return 1;
    }
    LOGFONT lf;
    MakeLogFont(size, face, style, lf);
    lf.lfEscapement = lf.lfOrientation = 900;
    CreateFontFor(*m_pVertFont, lf);
    m_axis.m_pVertFont = m_pVertFont.get();
    m_axis.m_pFont = m_pFont.get();
    return 0;
}

void ChartPlotWnd::SetPrinting(CMemDC* dc)
{
    ChartWndBase::SetPrinting(dc);
    m_printVertFont.DeleteObject();
    if (dc && m_printFont.GetSafeHandle()) {
        LOGFONT lf;
        MakeLogFont(m_fontSize, m_fontFace, m_fontStyle, lf);
        lf.lfEscapement = lf.lfOrientation = 900;
        m_printVertFont.CreatePointFontIndirect(&lf, dc);
        m_axis.m_pFont = &m_printFont;
        m_axis.m_pVertFont = m_printVertFont.GetSafeHandle() ? &m_printVertFont : m_pVertFont.get();
    } else {
        m_axis.m_pFont = m_pFont.get();
        m_axis.m_pVertFont = m_pVertFont.get();
    }
}

void ChartPlotWnd::DrawChart(CMemDC* dc, const CRect& client)
{
    m_rect = client;
    dc->FillSolidRect(&m_rect, m_windowColor);
    if (CFont* font = DrawingFont())
        if (font->GetSafeHandle())
            dc->SelectObject(font);
    dc->SetTextColor(m_textColor);
    m_plotRect = client;
    m_plotRect.DeflateRect(5, 5);
    if (m_kind == CHART_BAR) {
        double min = 0, max = m_data.GetMaxInAllSeries() + 1;
        m_axis.SetAxisScale(AXIS_X, min, max);
        m_axis.SetScaleStep(AXIS_X, 1.0, 1.0);
    }
    m_axis.DrawAxis(dc, &m_plotRect);
}

void ChartPlotWnd::Draw(CMemDC* dc)
{
    if (!dc)
        return;
    CRect client(0, 0, 0, 0);
    if (GetSafeHwnd())
        GetClientRect(&client);
    DrawChart(dc, client);
    m_fullRedraw = 1;
    m_data.DrawData(dc, &m_axis);
    m_data.DrawIcons(dc, &m_axis);
}

void ChartPlotWnd::CopyInto(CBitmap& target, CDC& source, const CRect& area)
{
    target.DeleteObject();
    if (area.IsRectEmpty() || !target.CreateCompatibleBitmap(&source, area.Width(), area.Height()))
        return;
    CDC copy;
    copy.CreateCompatibleDC(&source);
    CBitmap* old = copy.SelectObject(&target);
    copy.BitBlt(0, 0, area.Width(), area.Height(), &source, area.left, area.top, SRCCOPY);
    copy.SelectObject(old);
}

void ChartPlotWnd::UpdatePicture()
{
    if (!GetSafeHwnd() || IsPrinting())
        return;
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CClientDC dc(this);
    CBitmap bitmap;
    CMemDC memory(&dc, &client, &bitmap);
    DrawChart(&memory, client);
    if (m_axis.HasVerticalScalingChanged()) {
        m_scrollPending = 0;
        m_fullRedraw = 1;
    }
    m_data.DrawData(&memory, &m_axis);
    m_data.DrawIcons(&memory, &m_axis);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    if (m_data.DataRemoved() && m_kind == CHART_STRIP_AREA)
        m_scrollPending = 1;
    m_dataArea = m_axis.GetRect() ? *m_axis.GetRect() : CRect(0, 0, 0, 0);
    m_dataArea.IntersectRect(&m_dataArea, &client);
    CopyInto(m_lastFrame, memory, m_dataArea);
    CopyInto(m_picture, memory, client);
}

int ChartPlotWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (ChartWndBase::OnCreate(cs) == -1)
        return -1;
    m_popup.Create(nullptr, "", 0x50000000, CRect(0, 0, 0, 0), this, kPopupId);
    m_popup.ShowWindow(SW_HIDE);
    m_popup.SetWindowColor(0xC6FFFF);
    m_popup.SetFont(10, "Arial", 0);
    return 0;
}

void ChartPlotWnd::OnSize(UINT type, int cx, int cy)
{
    ChartWndBase::OnSize(type, cx, cy);
    m_scrollPending = 0;
    if (!(m_rect.left == 0 && m_rect.top == 0 && m_rect.right == 0 && m_rect.bottom == 0))
        UpdatePicture();
}

void ChartPlotWnd::OnPaint()
{
    CPaintDC dc(this);
    if (IsPrinting() || !m_picture.GetSafeHandle())
        return;
    CRect client;
    GetClientRect(&client);
    CDC picture;
    picture.CreateCompatibleDC(&dc);
    CBitmap* old = picture.SelectObject(&m_picture);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &picture, 0, 0, SRCCOPY);
    picture.SelectObject(old);
}

CDataPoint* ChartPlotWnd::HitTest(CPoint point)
{
    if (m_kind == CHART_STRIP_LINE || m_kind == CHART_STRIP_AREA)
        return nullptr;
    bool pie = m_kind == CHART_PIE || m_kind == CHART_ROTATED_PIE;
    int last = pie ? std::min(0, m_data.GetCount() - 1) : m_data.GetCount() - 1;
    for (int s = last; s >= 0; --s) {
        CDataSeries* series = m_data.GetDataSeries(s);
        for (int i = series->GetCount() - 1; i >= 0; --i) {
            CDataPoint* p = series->GetAt(i);
            CRgn& region = m_kind == CHART_AREA ? series->GetAt(0)->m_HitRegion : p->m_HitRegion;
            if (region.GetSafeHandle() && region.PtInRegion(point))
                return p;
        }
    }
    return nullptr;
}

void ChartPlotWnd::PlacePopup(CDataPoint* point)
{
    CRect anchor(0, 0, 0, 0);
    if (point->m_AnchorRegion.GetSafeHandle())
        point->m_AnchorRegion.GetRgnBox(&anchor);
    CRect popup;
    m_popup.GetWindowRect(&popup);
    const int w = popup.Width(), h = popup.Height();
    int x, y;
    if (m_kind == CHART_PIE || m_kind == CHART_ROTATED_PIE) {
        x = anchor.left > 0 ? anchor.left - w : -anchor.left;
        y = anchor.top > 0 ? anchor.top - h : -anchor.top;
    } else {
        switch (m_style & CHART_POPUP_PLACEMENT) {
        case 0x101: x = anchor.left; y = anchor.top; break;
        case 0x102: x = anchor.left; y = anchor.bottom - h; break;
        case 0x104: x = anchor.right - w; y = anchor.top; break;
        case 0x108: x = anchor.right - w; y = anchor.bottom - h; break;
        case 0x111: x = anchor.left; y = anchor.top - h; break;
        case 0x112: x = anchor.left; y = anchor.bottom; break;
        case 0x114: x = anchor.right - w; y = anchor.top - h; break;
        case 0x118: x = anchor.right - w; y = anchor.bottom; break;
        default:
            x = anchor.left + anchor.Width() / 2 - w / 2;
            y = anchor.top + anchor.Height() / 2 - h / 2;
            break;
        }
    }
    CRect client;
    GetClientRect(&client);
    if (x < client.left)
        x = client.left + 10;
    if (y < client.top)
        y = client.top + 10;
    if (x + w > client.right)
        x = client.right - w - 10;
    if (y + h > client.bottom)
        y = client.bottom - h - 10;
    m_popup.SetWindowPos(nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChartPlotWnd::Hover(CPoint point)
{
    CDataPoint* hit = HitTest(point);
    if (!hit) {
        m_popup.ShowWindow(SW_HIDE);
        m_pHovered = nullptr;
        return;
    }
    if (!m_popup.IsWindowVisible())
        m_popup.ShowWindow(SW_SHOWNA);
    if (hit == m_pHovered)
        return;
    CString text = kPresetPopupText;
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_CHART_GET_POPUP_TEXT, (WPARAM)hit, (LPARAM)&text);
    m_popup.SetWindowTextA(text);
    PlacePopup(hit);
    m_pHovered = hit;
}

void ChartPlotWnd::OnLButtonDown(UINT flags, CPoint point)
{
    ChartWndBase::OnLButtonDown(flags, point);
    if (m_kind != CHART_LINE && m_kind != CHART_PIE && (flags & MK_CONTROL))
        m_dragging = TRUE;
}

void ChartPlotWnd::OnLButtonUp(UINT flags, CPoint point)
{
    ChartWndBase::OnLButtonUp(flags, point);
    m_dragging = FALSE;
}

void ChartPlotWnd::OnMouseMove(UINT flags, CPoint point)
{
    ChartWndBase::OnMouseMove(flags, point);
    if (m_kind == CHART_STRIP_LINE || m_kind == CHART_STRIP_AREA)
        return;
    if ((m_style & CHART_POPUPS) && !m_dragging)
        Hover(point);
    else
        m_popup.ShowWindow(SW_HIDE);
    if (!((flags & MK_CONTROL) && (flags & MK_LBUTTON)))
        m_dragging = FALSE;
    if (!m_dragging)
        return;
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    double across = point.x * 90.0 / client.Width(), down = point.y * 90.0 / client.Height();
    if (m_kind == CHART_ROTATED_PIE) {
        m_data.SetHeight(across);
        m_data.SetElevation(down);
    } else {
        m_axis.SetHorzRotation(across);
        m_axis.SetVertRotation(down);
    }
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_CHART_UPDATE, 0, 0);
}

void ChartPlotWnd::OnLButtonDblClk(UINT flags, CPoint point)
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    if (CDataPoint* hit = HitTest(point)) {
        parent->SendMessage(WM_CHART_POINT_DBLCLK, (WPARAM)hit, 0);
        return;
    }
    MapWindowPoints(parent, &point, 1);
    parent->SendMessage(WM_LBUTTONDBLCLK, flags, MAKELPARAM(point.x, point.y));
}
