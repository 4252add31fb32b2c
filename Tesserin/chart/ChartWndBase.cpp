#include "chart/ChartWndBase.h"

#include "controls/MemDC.h"

#include <cstring>
#include <new>

BEGIN_MESSAGE_MAP(ChartWndBase, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

ChartWndBase::ChartWndBase()
    : m_rect(0, 0, 0, 0), m_windowColor(0), m_textColor(0), m_fontSize(0), m_fontStyle(0),
      m_pDrawDC(nullptr), m_pPrintDC(nullptr)
{
}

ChartWndBase::~ChartWndBase() = default;

void ChartWndBase::SetPrinting(CMemDC* dc)
{
    m_pPrintDC = dc;
    m_printFont.DeleteObject();
    if (dc && m_pFont && m_pFont->GetSafeHandle()) {
        LOGFONT lf;
        MakeLogFont(m_fontSize, m_fontFace, m_fontStyle, lf);
        m_printFont.CreatePointFontIndirect(&lf, dc);
    }
}

CFont* ChartWndBase::DrawingFont()
{
    if (IsPrinting() && m_printFont.GetSafeHandle())
        return &m_printFont;
    return m_pFont.get();
}

void ChartWndBase::SetInitialWindowSize(CRect* rect)
{
    if (rect)
        m_rect = *rect;
}

void ChartWndBase::MakeLogFont(BYTE size, const char* face, BYTE style, LOGFONT& lf)
{
    std::memset(&lf, 0, sizeof(lf));
    // Longer names are cut at a whole character: CP949 pairs are never split.
    size_t used = 0;
    const size_t room = sizeof(lf.lfFaceName) - 1;
    for (const char* p = face ? face : ""; *p;) {
        size_t len = (IsDBCSLeadByte((BYTE)*p) && p[1]) ? 2 : 1;
        if (used + len > room)
            break;
        std::memcpy(lf.lfFaceName + used, p, len);
        used += len;
        p += len;
    }
    lf.lfHeight = size * 10;
    lf.lfWeight = (style & 0x1) ? 700 : 400;
    lf.lfItalic = (style & 0x2) ? 1 : 0;
    lf.lfUnderline = (style & 0x4) ? 1 : 0;
}

BOOL ChartWndBase::CreateFontFor(CFont& font, const LOGFONT& lf)
{
    if (!GetSafeHwnd())
        return font.CreatePointFontIndirect(&lf, nullptr);
    CDC* dc = GetDC();
    BOOL made = font.CreatePointFontIndirect(&lf, dc);
    ReleaseDC(dc);
    return made;
}

int ChartWndBase::SetFont(BYTE size, const char* face, BYTE style)
{
    if (m_pFont) {
        m_pFont->DeleteObject();
    } else {
        m_pFont.reset(new (std::nothrow) CFont);
        if (!m_pFont)
            return 1;
    }
    LOGFONT lf;
    MakeLogFont(size, face, style, lf);
    CreateFontFor(*m_pFont, lf);
    m_fontSize = size;
    m_fontFace = lf.lfFaceName;
    m_fontStyle = style;
    return 0;
}

COLORREF ChartWndBase::SetTextColor(COLORREF colour)
{
    COLORREF old = m_textColor;
    m_textColor = colour;
    return old;
}

COLORREF ChartWndBase::GetTextColor()
{
    return m_textColor;
}

COLORREF ChartWndBase::SetWindowColor(COLORREF colour)
{
    COLORREF old = m_windowColor;
    m_windowColor = colour;
    return old;
}

COLORREF ChartWndBase::GetWindowColor()
{
    return m_windowColor;
}

void ChartWndBase::Draw(CMemDC*) {}

CFont* ChartWndBase::GetFont()
{
    return m_pFont.get();
}

int ChartWndBase::GetFontHeight()
{
    if (!m_pFont || !m_pFont->GetSafeHandle())
        return 0;
    CClientDC dc(GetSafeHwnd() ? this : nullptr);
    CFont* old = dc.SelectObject(m_pFont.get());
    int height = dc.GetTextExtent("X", 1).cy;
    dc.SelectObject(old);
    return height;
}

BYTE ChartWndBase::GetFontSize()
{
    return m_fontSize;
}

CString ChartWndBase::GetFontFace()
{
    return m_fontFace;
}

void ChartWndBase::PaintThroughDraw()
{
    CPaintDC dc(this);
    if (IsPrinting())
        return;
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CBitmap bitmap;
    CMemDC memory(&dc, &client, &bitmap);
    Draw(&memory);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
}

void ChartWndBase::ForwardToParent(UINT message, UINT flags, CPoint point)
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    MapWindowPoints(parent, &point, 1);
    parent->SendMessage(message, flags, MAKELPARAM(point.x, point.y));
}

void ChartWndBase::OnLButtonDown(UINT flags, CPoint point)
{
    CWnd::OnLButtonDown(flags, point);
    ForwardToParent(WM_LBUTTONDOWN, flags, point);
}

void ChartWndBase::OnLButtonDblClk(UINT flags, CPoint point)
{
    CWnd::OnLButtonDblClk(flags, point);
    ForwardToParent(WM_LBUTTONDBLCLK, flags, point);
}

void ChartWndBase::OnRButtonDown(UINT flags, CPoint point)
{
    CWnd::OnRButtonDown(flags, point);
    ForwardToParent(WM_RBUTTONDOWN, flags, point);
}

void ChartWndBase::OnMouseMove(UINT flags, CPoint point)
{
    CWnd::OnMouseMove(flags, point);
    ForwardToParent(WM_MOUSEMOVE, flags, point);
}

BOOL ChartWndBase::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
