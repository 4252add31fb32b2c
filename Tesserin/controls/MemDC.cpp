#include "controls/MemDC.h"

#include <vector>

CMemDC::CMemDC(CDC* dc, CRect* rect, CBitmap* bitmap)
    : x(0), y(0), m_bKeep(FALSE), m_noRestore(false), m_savedBkColor(0), m_savedTextColor(0), m_savedPen(nullptr),
      m_savedBrush(nullptr), m_savedFont(nullptr), m_savedBitmap(nullptr)
{
    // A bitmap needs the device it is meant for; without one nothing is made.
    if ((rect && bitmap && !dc) || !CreateCompatibleDC(dc)) {
        m_noRestore = true;
        return;
    }
    m_savedBkColor = ::GetBkColor(m_hDC);
    m_savedTextColor = ::GetTextColor(m_hDC);
    m_savedPen = ::GetCurrentObject(m_hDC, OBJ_PEN);
    m_savedBrush = ::GetCurrentObject(m_hDC, OBJ_BRUSH);
    m_savedFont = ::GetCurrentObject(m_hDC, OBJ_FONT);
    m_savedBitmap = ::GetCurrentObject(m_hDC, OBJ_BITMAP);
    if (rect && bitmap) {
        bitmap->DeleteObject();  // a reused object gets a bitmap of the new size
        if (bitmap->CreateCompatibleBitmap(dc, rect->Width(), rect->Height()))
            SelectObject(bitmap);
    }
}

CMemDC::CMemDC()
    : x(0), y(0), m_bKeep(FALSE), m_noRestore(true), m_savedBkColor(0), m_savedTextColor(0), m_savedPen(nullptr),
      m_savedBrush(nullptr), m_savedFont(nullptr), m_savedBitmap(nullptr)
{
}

CMemDC::~CMemDC()
{
    if (!m_noRestore && !m_bKeep && m_hDC) {
        ::SetBkColor(m_hDC, m_savedBkColor);
        ::SetTextColor(m_hDC, m_savedTextColor);
        ::SelectObject(m_hDC, m_savedPen);
        ::SelectObject(m_hDC, m_savedBrush);
        ::SelectObject(m_hDC, m_savedFont);
        ::SelectObject(m_hDC, m_savedBitmap);
    }
    DeleteDC();
}

CFont* CMemDC::SelectObject(CFont* font)
{
    if (m_bKeep)
        return nullptr;
    return CDC::SelectObject(font);
}

RECT CMemDC::Shifted(const RECT& rect) const
{
    RECT r = rect;
    ::OffsetRect(&r, x, y);
    return r;
}

bool CMemDC::ShiftPoints(const POINT* points, int count, std::vector<POINT>& out) const
{
    if (!points || count <= 0)
        return false;
    out.assign(points, points + count);
    for (POINT& p : out) {
        p.x += x;
        p.y += y;
    }
    return true;
}

CPoint CMemDC::MoveTo(int px, int py)
{
    return CDC::MoveTo(px + x, py + y);
}

BOOL CMemDC::LineTo(int px, int py)
{
    return CDC::LineTo(px + x, py + y);
}

void CMemDC::FillSolidRect(const RECT* rect, COLORREF colour)
{
    if (!rect)
        return;
    RECT r = Shifted(*rect);
    CDC::FillSolidRect(&r, colour);
}

BOOL CMemDC::FillRgn(CRgn* region, CBrush* brush)
{
    if (!region || !region->GetSafeHandle())
        return FALSE;
    region->OffsetRgn(x, y);
    return CDC::FillRgn(region, brush);
}

int CMemDC::DrawText(const char* text, int length, RECT* rect, UINT format)
{
    if (!rect)
        return 0;
    if (format == DT_CALCRECT)
        return CDC::DrawText(text, length, rect, format);
    RECT r = Shifted(*rect);
    return CDC::DrawText(text, length, &r, format);
}

BOOL CMemDC::TextOut(int px, int py, const char* text, int length)
{
    return CDC::TextOut(px + x, py + y, text, length);
}

BOOL CMemDC::Polygon(const POINT* points, int count)
{
    std::vector<POINT> shifted;
    return ShiftPoints(points, count, shifted) && CDC::Polygon(shifted.data(), count);
}

BOOL CMemDC::Polyline(const POINT* points, int count)
{
    std::vector<POINT> shifted;
    return ShiftPoints(points, count, shifted) && CDC::Polyline(shifted.data(), count);
}

BOOL CMemDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return CDC::Ellipse(x1 + x, y1 + y, x2 + x, y2 + y);
}

BOOL CMemDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return CDC::Pie(x1 + x, y1 + y, x2 + x, y2 + y, x3 + x, y3 + y, x4 + x, y4 + y);
}

BOOL CMemDC::DrawIcon(int px, int py, HICON icon)
{
    return CDC::DrawIcon(px + x, py + y, icon);
}

BOOL CMemDC::BitBlt(int px, int py, int width, int height, CDC* source, int xSource, int ySource, DWORD rop)
{
    return CDC::BitBlt(px + x, py + y, width, height, source, xSource, ySource, rop);
}
