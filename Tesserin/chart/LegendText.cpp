#include "chart/LegendText.h"

#include "controls/MemDC.h"

#include <new>

namespace {
const UINT kMarkerId = 1010;
const BYTE kSmallestItemFont = 10;
}  // namespace

BEGIN_MESSAGE_MAP(CLegendText, ChartWndBase)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CLegendText::CLegendText()
    : m_textRect(0, 0, 0, 0), m_itemColor(0x0000FF), m_borderColor(0x00FFFF), m_lineColor(0x00FFFF), m_backgroundColor(0),
      m_itemStyle(0), m_lineStyle(5), m_created(FALSE)
{
    m_backgroundColor = ::GetSysColor(COLOR_BTNFACE);
    m_textColor = 0;
    m_marker.SetBorderColor(m_borderColor);
    m_marker.SetLineColor(m_lineColor);
    m_marker.SetItemColor(m_itemColor);
    m_marker.SetBackgroundColor(m_backgroundColor);
    m_marker.SetItemStyle(m_itemStyle);
    m_marker.SetLineStyle(m_lineStyle);
}

CLegendText::~CLegendText() = default;

BOOL CLegendText::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    m_created = TRUE;
    BOOL made = CWnd::Create("STATIC", "", style, rect, parent, id);
    if (made)
        m_marker.Create(nullptr, "", 0x50000000, CRect(0, 0, 0, 0), this, kMarkerId);
    m_caption = "Afghjpqy";
    _CalculateClientRect();
    m_caption = text ? text : "";
    _CalculateClientRect();
    return made;
}

BOOL CLegendText::Create(LPCSTR, LPCSTR, DWORD, const RECT&, CWnd*, UINT, CCreateContext*)
{
    return 0;
}

void CLegendText::SetWindowTextA(const char* text)
{
    m_caption = text ? text : "";
    _CalculateClientRect();
}

void CLegendText::SetWindowTextA(CString* text)
{
    SetWindowTextA(text ? (const char*)*text : "");
}

void CLegendText::SetWindowTextA(CString text)
{
    SetWindowTextA((const char*)text);
}

int CLegendText::Gap(int textHeight) const
{
    return IsPrinting() ? textHeight / 4 : 5;
}

void CLegendText::MeasureWith(CDC* dc)
{
    CRect r(0, 0, 0, 0);
    dc->DrawText(m_caption, &r, DT_CALCRECT);
    r.right += Gap(r.Height()) + r.Height() / 2;
    m_textRect = r;
}

void CLegendText::_CalculateClientRect()
{
    CClientDC dc(GetSafeHwnd() ? this : nullptr);
    CFont* old = (m_pItemFont && m_pItemFont->GetSafeHandle()) ? dc.SelectObject(m_pItemFont.get()) : nullptr;
    MeasureWith(&dc);
    if (old)
        dc.SelectObject(old);
}

void CLegendText::RecalculateSize(CMemDC* dc)
{
    if (!dc) {
        _CalculateClientRect();
        return;
    }
    // While printing the printer's font is already chosen.
    CFont* old = (!IsPrinting() && m_pItemFont && m_pItemFont->GetSafeHandle()) ? dc->SelectObject(m_pItemFont.get())
                                                                                : nullptr;
    MeasureWith(dc);
    if (old)
        dc->SelectObject(old);
}

void CLegendText::GetClientRect(RECT* rect) const
{
    if (rect)
        *rect = m_textRect;
}

int CLegendText::SetFont(BYTE size, const char* face, BYTE style)
{
    if (size < kSmallestItemFont)
        size = kSmallestItemFont;
    if (m_pItemFont) {
        m_pItemFont->DeleteObject();
    } else {
        m_pItemFont.reset(new (std::nothrow) CFont);
        if (!m_pItemFont)
            return 1;
    }
    LOGFONT lf;
    MakeLogFont(size, face, style, lf);
    CreateFontFor(*m_pItemFont, lf);
    m_fontSize = size;
    m_fontFace = lf.lfFaceName;
    m_fontStyle = style;
    _CalculateClientRect();
    return 0;
}

COLORREF CLegendText::SetItemColor(COLORREF colour)
{
    COLORREF old = m_itemColor;
    m_itemColor = colour;
    m_marker.SetItemColor(colour);
    return old;
}

COLORREF CLegendText::SetBorderColor(COLORREF colour)
{
    COLORREF old = m_borderColor;
    m_borderColor = colour;
    m_marker.SetBorderColor(colour);
    return old;
}

COLORREF CLegendText::SetLineColor(COLORREF colour)
{
    COLORREF old = m_lineColor;
    m_lineColor = colour;
    m_marker.SetLineColor(colour);
    return old;
}

COLORREF CLegendText::SetBackgroundColor(COLORREF colour)
{
    COLORREF old = m_backgroundColor;
    m_backgroundColor = colour;
    m_marker.SetBackgroundColor(colour);
    return old;
}

COLORREF CLegendText::SetTextColor(COLORREF colour)
{
    COLORREF old = ChartWndBase::SetTextColor(colour);
    m_marker.SetBorderColor(colour);
    return old;
}

void CLegendText::SetItemStyle(BYTE style)
{
    m_itemStyle = style;
    m_marker.SetItemStyle(style);
}

void CLegendText::SetLineStyle(BYTE style)
{
    m_lineStyle = style;
    m_marker.SetLineStyle(style);
}

void CLegendText::SetPrinting(CMemDC* dc)
{
    ChartWndBase::SetPrinting(dc);
    m_marker.SetPrinting(dc);
}

void CLegendText::Draw(CMemDC* dc)
{
    if (!dc)
        return;
    dc->SetTextColor(m_textColor);
    dc->SetBkColor(m_backgroundColor);
    if (IsPrinting()) {
        if (CFont* printing = m_pPrintDC->GetCurrentFont())
            dc->SelectObject(printing);
    } else if (m_pItemFont && m_pItemFont->GetSafeHandle()) {
        dc->SelectObject(m_pItemFont.get());
    }
    CRect text(0, 0, 0, 0);
    dc->DrawText(m_caption, -1, &text, DT_CALCRECT);
    const int h = text.Height(), m = h / 2, g = Gap(h);
    CRect whole(0, 0, text.Width() + g + m, h);
    dc->FillSolidRect(&whole, m_backgroundColor);
    if (GetSafeHwnd())
        SetWindowPos(nullptr, 0, 0, whole.Width(), whole.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_marker.GetSafeHwnd() && m > 0) {
        m_marker.SetWindowPos(nullptr, 0, (h - m) / 2, m, m, SWP_NOZORDER | SWP_NOACTIVATE);
        CRect markerRect(0, 0, m, m);
        CBitmap bitmap;
        CMemDC marker(dc, &markerRect, &bitmap);
        m_marker.Draw(&marker);
        dc->BitBlt(0, (h - m) / 2, m, m, &marker, 0, 0, SRCCOPY);
    }
    dc->SetBkColor(m_backgroundColor);
    text.OffsetRect(g + m, 0);
    dc->DrawText(m_caption, -1, &text, DT_VCENTER);
}

void CLegendText::OnPaint()
{
    CPaintDC dc(this);
    if (IsPrinting())
        return;
    CRect client;
    CWnd::GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CBitmap bitmap;
    CMemDC memory(&dc, &client, &bitmap);
    Draw(&memory);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
}
