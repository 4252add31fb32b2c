#include "mfc/DC.h"
#include "afx/gdi/Safe.h"

#include "afx/gdi/HandleMap.h"
#include "mfc/ResourceException.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

mivo::gdi::HandleMap<CDC>& Map()
{
    static auto* map = new mivo::gdi::HandleMap<CDC>([](CDC* dc) {
        dc->m_hDC = nullptr;
        dc->m_hAttribDC = nullptr;
    });
    return *map;
}

}  // namespace

// ---------------------------------------------------------------- lifetime

CDC::CDC() : m_hDC(nullptr), m_hAttribDC(nullptr), m_bPrinting(FALSE) {}

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

HDC CDC::GetSafeHdc() const
{
    const CDC* self = this;
    // Keep the compiler from assuming `this` is never null.
    asm("" : "+r"(self));
    return self != nullptr ? self->m_hDC : nullptr;
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return Map().FromHandle(hDC, [](void* h) {
        CDC* dc = new CDC;
        dc->m_hDC = dc->m_hAttribDC = (HDC)h;
        return dc;
    });
}

void PASCAL CDC::DeleteTempMap()
{
    Map().DeleteTemporary();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr)
        return FALSE;
    ASSERT(m_hDC == nullptr);
    m_hDC = hDC;
    Map().SetPermanent(hDC, this);
    SetAttribDC(m_hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (h != nullptr)
        Map().RemovePermanent(h, this);
    ReleaseAttribDC();
    m_hDC = nullptr;
    return h;
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = nullptr;
}

void CDC::ReleaseOutputDC()
{
    m_hDC = nullptr;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(mivo::gdi::SafeHdc(pDC)));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    int result = 0;
    if (m_hAttribDC != nullptr)
        result = ::SaveDC(m_hAttribDC);
    if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0)
        result = -1;  // both saved: only RestoreDC(-1) restores both
    return result;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL ok = TRUE;
    if (m_hDC != m_hAttribDC)
        ok = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != nullptr)
        ok = ::RestoreDC(m_hAttribDC, nSavedDC) && ok;
    return ok;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

BOOL CDC::ResetDC(const DEVMODE* lpDevMode)
{
    return ::ResetDC(m_hAttribDC, lpDevMode) != nullptr;
}

// ---------------------------------------------------------------- drawing tools

CPoint CDC::GetBrushOrg() const
{
    POINT p = {0, 0};
    ::GetBrushOrgEx(m_hDC, &p);
    return CPoint(p);
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT p = {0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &p);
    return CPoint(p);
}

CPoint CDC::SetBrushOrg(POINT point)
{
    return SetBrushOrg(point.x, point.y);
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle((HPALETTE)::GetCurrentObject(m_hDC, OBJ_PAL));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP));
}

namespace {

// Selects into the output DC and the attribute DC; the old object of the
// attribute DC is the answer, as the framework has it.
HGDIOBJ SelectIntoBoth(HDC output, HDC attrib, HGDIOBJ h)
{
    HGDIOBJ old = nullptr;
    if (output != attrib && output != nullptr)
        old = ::SelectObject(output, h);
    if (attrib != nullptr)
        old = ::SelectObject(attrib, h);
    return old;
}

}  // namespace

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ h = ::GetStockObject(nIndex);
    return CGdiObject::FromHandle(SelectIntoBoth(m_hDC, m_hAttribDC, h));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return CPen::FromHandle((HPEN)SelectIntoBoth(m_hDC, m_hAttribDC, mivo::gdi::SafeHandle(pPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return CBrush::FromHandle((HBRUSH)SelectIntoBoth(m_hDC, m_hAttribDC, mivo::gdi::SafeHandle(pBrush)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return CFont::FromHandle((HFONT)SelectIntoBoth(m_hDC, m_hAttribDC, mivo::gdi::SafeHandle(pFont)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return CBitmap::FromHandle((HBITMAP)::SelectObject(m_hDC, mivo::gdi::SafeHandle(pBitmap)));
}

int CDC::SelectObject(CRgn* pRgn)
{
    return (int)(INT_PTR)::SelectObject(m_hDC, mivo::gdi::SafeHandle(pRgn));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(SelectIntoBoth(m_hDC, m_hAttribDC, mivo::gdi::SafeHandle(pObject)));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return SelectIntoBoth(m_hDC, m_hAttribDC, hObject);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return CPalette::FromHandle(::SelectPalette(m_hDC, (HPALETTE)mivo::gdi::SafeHandle(pPalette), bForceBackground));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

void CDC::UpdateColors() {}

// ---------------------------------------------------------------- colours and modes

COLORREF CDC::GetNearestColor(COLORREF crColor) const
{
    return ::GetNearestColor(m_hAttribDC, crColor);
}

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hAttribDC);
}

int CDC::GetBkMode() const
{
    return ::GetBkMode(m_hAttribDC);
}

int CDC::GetPolyFillMode() const
{
    return ::GetPolyFillMode(m_hAttribDC);
}

int CDC::GetROP2() const
{
    return ::GetROP2(m_hAttribDC);
}

int CDC::GetStretchBltMode() const
{
    return ::GetStretchBltMode(m_hAttribDC);
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hAttribDC);
}

// Attribute setters go to both DCs and answer from the attribute DC.
#define SET_BOTH(call, fail)                    \
    auto result = fail;                         \
    if (m_hDC != m_hAttribDC && m_hDC != nullptr) \
        result = ::call(m_hDC, ARGS);           \
    if (m_hAttribDC != nullptr)                 \
        result = ::call(m_hAttribDC, ARGS);     \
    return result

#define ARGS crColor
COLORREF CDC::SetBkColor(COLORREF crColor)
{
    SET_BOTH(SetBkColor, CLR_INVALID);
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    SET_BOTH(SetTextColor, CLR_INVALID);
}
#undef ARGS

#define ARGS nBkMode
int CDC::SetBkMode(int nBkMode)
{
    SET_BOTH(SetBkMode, 0);
}
#undef ARGS

#define ARGS nPolyFillMode
int CDC::SetPolyFillMode(int nPolyFillMode)
{
    SET_BOTH(SetPolyFillMode, 0);
}
#undef ARGS

#define ARGS nDrawMode
int CDC::SetROP2(int nDrawMode)
{
    SET_BOTH(SetROP2, 0);
}
#undef ARGS

#define ARGS nStretchMode
int CDC::SetStretchBltMode(int nStretchMode)
{
    SET_BOTH(SetStretchBltMode, 0);
}
#undef ARGS

#define ARGS nArcDirection
int CDC::SetArcDirection(int nArcDirection)
{
    SET_BOTH(SetArcDirection, 0);
}
#undef ARGS

#define ARGS iMode
int CDC::SetGraphicsMode(int iMode)
{
    SET_BOTH(SetGraphicsMode, 0);
}
#undef ARGS

#define ARGS nMapMode
int CDC::SetMapMode(int nMapMode)
{
    SET_BOTH(SetMapMode, 0);
}
#undef ARGS

#define ARGS nFlags
UINT CDC::SetTextAlign(UINT nFlags)
{
    SET_BOTH(SetTextAlign, (UINT)GDI_ERROR);
}
#undef ARGS

#define ARGS nCharExtra
int CDC::SetTextCharacterExtra(int nCharExtra)
{
    SET_BOTH(SetTextCharacterExtra, (int)0x80000000);
}
#undef ARGS

int CDC::GetArcDirection() const
{
    return ::GetArcDirection(m_hAttribDC);
}

int CDC::GetGraphicsMode() const
{
    return ::GetGraphicsMode(m_hAttribDC);
}

// ---------------------------------------------------------------- coordinates

int CDC::GetMapMode() const
{
    return ::GetMapMode(m_hAttribDC);
}

CPoint CDC::GetViewportOrg() const
{
    POINT p = {0, 0};
    ::GetViewportOrgEx(m_hAttribDC, &p);
    return CPoint(p);
}

namespace {

template <class T, class F>
T PointSetter(HDC output, HDC attrib, F call)
{
    T old = {};
    if (output != attrib && output != nullptr)
        call(output, &old);
    if (attrib != nullptr)
        call(attrib, &old);
    return old;
}

}  // namespace

CPoint CDC::SetViewportOrg(int x, int y)
{
    return CPoint(PointSetter<POINT>(m_hDC, m_hAttribDC, [&](HDC h, POINT* p) { ::SetViewportOrgEx(h, x, y, p); }));
}

CPoint CDC::SetViewportOrg(POINT point)
{
    return SetViewportOrg(point.x, point.y);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    return CPoint(
        PointSetter<POINT>(m_hDC, m_hAttribDC, [&](HDC h, POINT* p) { ::OffsetViewportOrgEx(h, nWidth, nHeight, p); }));
}

CSize CDC::GetViewportExt() const
{
    SIZE s = {0, 0};
    ::GetViewportExtEx(m_hAttribDC, &s);
    return CSize(s);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    return CSize(PointSetter<SIZE>(m_hDC, m_hAttribDC, [&](HDC h, SIZE* s) { ::SetViewportExtEx(h, cx, cy, s); }));
}

CSize CDC::SetViewportExt(SIZE size)
{
    return SetViewportExt(size.cx, size.cy);
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    return CSize(PointSetter<SIZE>(m_hDC, m_hAttribDC,
                                   [&](HDC h, SIZE* s) { ::ScaleViewportExtEx(h, xNum, xDenom, yNum, yDenom, s); }));
}

CPoint CDC::GetWindowOrg() const
{
    POINT p = {0, 0};
    ::GetWindowOrgEx(m_hAttribDC, &p);
    return CPoint(p);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    return CPoint(PointSetter<POINT>(m_hDC, m_hAttribDC, [&](HDC h, POINT* p) { ::SetWindowOrgEx(h, x, y, p); }));
}

CPoint CDC::SetWindowOrg(POINT point)
{
    return SetWindowOrg(point.x, point.y);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    return CPoint(
        PointSetter<POINT>(m_hDC, m_hAttribDC, [&](HDC h, POINT* p) { ::OffsetWindowOrgEx(h, nWidth, nHeight, p); }));
}

CSize CDC::GetWindowExt() const
{
    SIZE s = {0, 0};
    ::GetWindowExtEx(m_hAttribDC, &s);
    return CSize(s);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    return CSize(PointSetter<SIZE>(m_hDC, m_hAttribDC, [&](HDC h, SIZE* s) { ::SetWindowExtEx(h, cx, cy, s); }));
}

CSize CDC::SetWindowExt(SIZE size)
{
    return SetWindowExt(size.cx, size.cy);
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    return CSize(PointSetter<SIZE>(m_hDC, m_hAttribDC,
                                   [&](HDC h, SIZE* s) { ::ScaleWindowExtEx(h, xNum, xDenom, yNum, yDenom, s); }));
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    ::DPtoLP(m_hAttribDC, lpPoints, nCount);
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::DPtoLP(LPSIZE lpSize) const
{
    CSize win = GetWindowExt(), view = GetViewportExt();
    lpSize->cx = ::MulDiv(lpSize->cx, std::abs(win.cx), std::abs(view.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, std::abs(win.cy), std::abs(view.cy));
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    ::LPtoDP(m_hAttribDC, lpPoints, nCount);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    CSize win = GetWindowExt(), view = GetViewportExt();
    lpSize->cx = ::MulDiv(lpSize->cx, std::abs(view.cx), std::abs(win.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, std::abs(view.cy), std::abs(win.cy));
}

void CDC::DPtoHIMETRIC(LPSIZE lpSize) const
{
    lpSize->cx = ::MulDiv(lpSize->cx, 2540, GetDeviceCaps(LOGPIXELSX));
    lpSize->cy = ::MulDiv(lpSize->cy, 2540, GetDeviceCaps(LOGPIXELSY));
}

void CDC::HIMETRICtoDP(LPSIZE lpSize) const
{
    lpSize->cx = ::MulDiv(lpSize->cx, GetDeviceCaps(LOGPIXELSX), 2540);
    lpSize->cy = ::MulDiv(lpSize->cy, GetDeviceCaps(LOGPIXELSY), 2540);
}

void CDC::LPtoHIMETRIC(LPSIZE lpSize) const
{
    LPtoDP(lpSize);
    DPtoHIMETRIC(lpSize);
}

void CDC::HIMETRICtoLP(LPSIZE lpSize) const
{
    HIMETRICtoDP(lpSize);
    DPtoLP(lpSize);
}

// ---------------------------------------------------------------- regions and clipping

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, (HRGN)mivo::gdi::SafeHandle(pRgn), (HBRUSH)mivo::gdi::SafeHandle(pBrush));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, (HRGN)mivo::gdi::SafeHandle(pRgn), (HBRUSH)mivo::gdi::SafeHandle(pBrush), nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn)
{
    return ::InvertRgn(m_hDC, (HRGN)mivo::gdi::SafeHandle(pRgn));
}

BOOL CDC::PaintRgn(CRgn* pRgn)
{
    return ::PaintRgn(m_hDC, (HRGN)mivo::gdi::SafeHandle(pRgn));
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    return ::GetClipBox(m_hDC, lpRect);
}

BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}

BOOL CDC::PtVisible(POINT point) const
{
    return PtVisible(point.x, point.y);
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    return ::RectVisible(m_hDC, lpRect);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    int result = ERROR;
    if (m_hDC != m_hAttribDC)
        result = ::SelectClipRgn(m_hDC, (HRGN)mivo::gdi::SafeHandle(pRgn));
    if (m_hAttribDC != nullptr)
        result = ::SelectClipRgn(m_hAttribDC, (HRGN)mivo::gdi::SafeHandle(pRgn));
    return result;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    int result = ERROR;
    if (m_hDC != m_hAttribDC)
        result = ::ExtSelectClipRgn(m_hDC, (HRGN)mivo::gdi::SafeHandle(pRgn), nMode);
    if (m_hAttribDC != nullptr)
        result = ::ExtSelectClipRgn(m_hAttribDC, (HRGN)mivo::gdi::SafeHandle(pRgn), nMode);
    return result;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    int result = ERROR;
    if (m_hDC != m_hAttribDC)
        result = ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
    if (m_hAttribDC != nullptr)
        result = ::ExcludeClipRect(m_hAttribDC, x1, y1, x2, y2);
    return result;
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    int result = ERROR;
    if (m_hDC != m_hAttribDC)
        result = ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
    if (m_hAttribDC != nullptr)
        result = ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2);
    return result;
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::OffsetClipRgn(int x, int y)
{
    int result = ERROR;
    if (m_hDC != m_hAttribDC)
        result = ::OffsetClipRgn(m_hDC, x, y);
    if (m_hAttribDC != nullptr)
        result = ::OffsetClipRgn(m_hAttribDC, x, y);
    return result;
}

int CDC::OffsetClipRgn(SIZE size)
{
    return OffsetClipRgn(size.cx, size.cy);
}

// ---------------------------------------------------------------- lines and curves

CPoint CDC::GetCurrentPosition() const
{
    POINT p = {0, 0};
    ::GetCurrentPositionEx(m_hAttribDC, &p);
    return CPoint(p);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT p = {0, 0};
    if (m_hDC != m_hAttribDC && m_hDC != nullptr)
        ::MoveToEx(m_hDC, x, y, &p);
    if (m_hAttribDC != nullptr)
        ::MoveToEx(m_hAttribDC, x, y, &p);
    return CPoint(p);
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y)
{
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return ::Arc(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x,
                 ptEnd.y);
}

BOOL CDC::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::ArcTo(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::ArcTo(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return ::ArcTo(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x,
                   ptEnd.y);
}

BOOL CDC::AngleArc(int x, int y, int nRadius, float fStartAngle, float fSweepAngle)
{
    if (nRadius < 0)
        return FALSE;
    return ::AngleArc(m_hDC, x, y, (DWORD)nRadius, fStartAngle, fSweepAngle);
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    return ::Polyline(m_hDC, lpPoints, nCount);
}

BOOL CDC::PolylineTo(const POINT* lpPoints, int nCount)
{
    return nCount > 0 && ::PolylineTo(m_hDC, lpPoints, (DWORD)nCount);
}

BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount)
{
    return nCount > 0 && ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, (DWORD)nCount);
}

BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount)
{
    return nCount > 0 && ::PolyBezier(m_hDC, lpPoints, (DWORD)nCount);
}

BOOL CDC::PolyBezierTo(const POINT* lpPoints, int nCount)
{
    return nCount > 0 && ::PolyBezierTo(m_hDC, lpPoints, (DWORD)nCount);
}

// ---------------------------------------------------------------- shapes

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, (HBRUSH)mivo::gdi::SafeHandle(pBrush));
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FrameRect(m_hDC, lpRect, (HBRUSH)mivo::gdi::SafeHandle(pBrush));
}

void CDC::InvertRect(LPCRECT lpRect)
{
    ::InvertRect(m_hDC, lpRect);
}

// Icons belong to the window manager, which draws them.
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags);
#pragma weak DrawIconEx

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    if (&::DrawIconEx == nullptr)
        return FALSE;
    return ::DrawIconEx(m_hDC, x, y, hIcon, 0, 0, 0, nullptr, 0x0003 | 0x0008 /* DI_NORMAL | DI_DEFAULTSIZE */);
}

BOOL CDC::DrawIcon(POINT point, HICON hIcon)
{
    return DrawIcon(point.x, point.y, hIcon);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, nullptr, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, (HBITMAP)mivo::gdi::SafeHandle(pBitmap), nFlags, (HBRUSH)mivo::gdi::SafeHandle(pBrush));
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, nullptr, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, (HBRUSH)mivo::gdi::SafeHandle(pBrush));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, nullptr, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y, size.cx, size.cy,
                       nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    CBrush* pBrush)
{
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen, (HBRUSH)mivo::gdi::SafeHandle(pBrush));
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, lpDrawProc, lData, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_COMPLEX);
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, lpDrawProc, lData, nFlags, (HBRUSH)mivo::gdi::SafeHandle(pBrush));
}

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return ::Chord(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x,
                   ptEnd.y);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    ::DrawFocusRect(m_hDC, lpRect);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return ::Ellipse(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return ::Pie(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x,
                 ptEnd.y);
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    return ::Polygon(m_hDC, lpPoints, nCount);
}

BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount)
{
    return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
    return ::RoundRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y);
}

// ---------------------------------------------------------------- bitmaps

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::PatBlt(LPCRECT lpRect, DWORD dwRop)
{
    return ::PatBlt(m_hDC, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                    dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, mivo::gdi::SafeHdc(pSrcDC), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, mivo::gdi::SafeHdc(pSrcDC), xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, CBitmap& maskBitmap,
                  int xMask, int yMask, DWORD dwRop)
{
    return ::MaskBlt(m_hDC, x, y, nWidth, nHeight, mivo::gdi::SafeHdc(pSrcDC), xSrc, ySrc,
                     (HBITMAP)maskBitmap.m_hObject, xMask, yMask, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, mivo::gdi::SafeHdc(pSrcDC), xSrc, ySrc,
                            nSrcWidth, nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, mivo::gdi::SafeHdc(pSrcDC), xSrc, ySrc, nSrcWidth,
                        nSrcHeight, blend);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode)
{
    return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::GetPixel(POINT point) const
{
    return ::GetPixel(m_hDC, point.x, point.y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return ::SetPixel(m_hDC, x, y, crColor);
}

COLORREF CDC::SetPixel(POINT point, COLORREF crColor)
{
    return ::SetPixel(m_hDC, point.x, point.y, crColor);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor)
{
    return ::SetPixelV(m_hDC, x, y, crColor);
}

BOOL CDC::SetPixelV(POINT point, COLORREF crColor)
{
    return ::SetPixelV(m_hDC, point.x, point.y, crColor);
}

BOOL CDC::FloodFill(int x, int y, COLORREF crColor)
{
    return ::FloodFill(m_hDC, x, y, crColor);
}

BOOL CDC::ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType)
{
    return ::ExtFloodFill(m_hDC, x, y, crColor, nFillType);
}

// ---------------------------------------------------------------- text

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, (LPCTSTR)str, str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, (LPCTSTR)str, (UINT)str.GetLength(), lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin)
{
    LONG r = ::TabbedTextOut(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin);
    return CSize(LOWORD(r), HIWORD(r));
}

CSize CDC::TabbedTextOut(int x, int y, const CString& str, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin)
{
    return TabbedTextOut(x, y, (LPCTSTR)str, str.GetLength(), nTabPositions, lpnTabStopPositions, nTabOrigin);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    // Never changes the string object: a modified copy is thrown away.
    CString copy = str;
    return DrawText(copy.GetBuffer(copy.GetLength() + 4), copy.GetLength(), lpRect, nFormat & ~DT_MODIFYSTRING);
}

int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    return ::DrawTextEx(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

int CDC::DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    CString copy = str;
    return DrawTextEx(copy.GetBuffer(copy.GetLength() + 4), copy.GetLength(), lpRect, nFormat & ~DT_MODIFYSTRING,
                      lpDTParams);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent((LPCTSTR)str, str.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return CSize(size);
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetOutputTextExtent((LPCTSTR)str, str.GetLength());
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const
{
    DWORD r = ::GetTabbedTextExtent(m_hAttribDC, lpszString, nCount, nTabPositions, lpnTabStopPositions);
    return CSize(LOWORD(r), HIWORD(r));
}

CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const
{
    return GetTabbedTextExtent((LPCTSTR)str, str.GetLength(), nTabPositions, lpnTabStopPositions);
}

CSize CDC::GetOutputTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions,
                                     LPINT lpnTabStopPositions) const
{
    DWORD r = ::GetTabbedTextExtent(m_hDC, lpszString, nCount, nTabPositions, lpnTabStopPositions);
    return CSize(LOWORD(r), HIWORD(r));
}

BOOL CDC::GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData, int nCount, int x,
                     int y, int nWidth, int nHeight)
{
    return ::GrayString(m_hDC, (HBRUSH)mivo::gdi::SafeHandle(pBrush), lpfnOutput, lpData, nCount, x, y, nWidth, nHeight);
}

UINT CDC::GetTextAlign() const
{
    return ::GetTextAlign(m_hAttribDC);
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const
{
    return ::GetTextFace(m_hAttribDC, nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const
{
    int n = ::GetTextFace(m_hAttribDC, LF_FACESIZE, rString.GetBuffer(LF_FACESIZE));
    rString.ReleaseBuffer();
    return n;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetrics(m_hAttribDC, lpMetrics);
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetrics(m_hDC, lpMetrics);
}

int CDC::SetTextJustification(int nBreakExtra, int nBreakCount)
{
    return ::SetTextJustification(m_hDC, nBreakExtra, nBreakCount);
}

int CDC::GetTextCharacterExtra() const
{
    return ::GetTextCharacterExtra(m_hAttribDC);
}

BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    return ::GetCharWidth(m_hAttribDC, nFirstChar, nLastChar, lpBuffer);
}

BOOL CDC::GetOutputCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    return ::GetCharWidth(m_hDC, nFirstChar, nLastChar, lpBuffer);
}

// ---------------------------------------------------------------- frames and controls

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r = {x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    // Top and left stop short of the far corners; bottom and right cover them.
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

CBrush* PASCAL CDC::GetHalftoneBrush()
{
    static CBrush* brush = [] {
        static const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        HBITMAP pattern = ::CreateBitmap(8, 8, 1, 1, rows);
        auto* b = new CBrush;
        b->Attach(::CreatePatternBrush(pattern));
        ::DeleteObject(pattern);
        return b;
    }();
    return brush;
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast)
{
    if (lpRect == nullptr)
        return;
    HBRUSH brush = pBrush != nullptr ? (HBRUSH)mivo::gdi::SafeHandle(pBrush) : (HBRUSH)GetHalftoneBrush()->GetSafeHandle();
    HBRUSH brushLast = pBrushLast != nullptr ? (HBRUSH)mivo::gdi::SafeHandle(pBrushLast) : brush;

    // The frame of a rectangle: the rectangle less its inside.
    auto frame = [](LPCRECT r, SIZE s) {
        HRGN outer = ::CreateRectRgnIndirect(r);
        RECT in = *r;
        in.left += s.cx;
        in.top += s.cy;
        in.right -= s.cx;
        in.bottom -= s.cy;
        if (in.left < in.right && in.top < in.bottom) {
            HRGN inner = ::CreateRectRgnIndirect(&in);
            ::CombineRgn(outer, outer, inner, RGN_DIFF);
            ::DeleteObject(inner);
        }
        return outer;
    };
    HRGN now = frame(lpRect, size);
    HRGN last = lpRectLast != nullptr ? frame(lpRectLast, sizeLast) : nullptr;
    // Inverting twice restores: with one brush only the difference needs drawing.
    HRGN update = ::CreateRectRgn(0, 0, 0, 0);
    if (last != nullptr && brush == brushLast)
        ::CombineRgn(update, now, last, RGN_XOR);
    else
        ::CombineRgn(update, now, nullptr, RGN_COPY);

    int saved = ::SaveDC(m_hDC);
    if (last != nullptr && brush != brushLast) {
        ::ExtSelectClipRgn(m_hDC, last, RGN_AND);
        RECT box;
        ::GetClipBox(m_hDC, &box);
        ::SelectObject(m_hDC, brushLast);
        ::PatBlt(m_hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
        ::RestoreDC(m_hDC, saved);
        saved = ::SaveDC(m_hDC);
    }
    ::ExtSelectClipRgn(m_hDC, update, RGN_AND);
    RECT box;
    ::GetClipBox(m_hDC, &box);
    ::SelectObject(m_hDC, brush);
    ::PatBlt(m_hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
    ::RestoreDC(m_hDC, saved);

    ::DeleteObject(update);
    ::DeleteObject(now);
    if (last != nullptr)
        ::DeleteObject(last);
}

// ---------------------------------------------------------------- printing

int CDC::StartDoc(LPDOCINFO lpDocInfo)
{
    return ::StartDoc(m_hDC, lpDocInfo);
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    return ::StartDoc(m_hDC, &di);
}

int CDC::StartPage()
{
    return ::StartPage(m_hDC);
}

int CDC::EndPage()
{
    return ::EndPage(m_hDC);
}

int CDC::SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int))
{
    return ::SetAbortProc(m_hDC, lpfn);
}

int CDC::AbortDoc()
{
    return ::AbortDoc(m_hDC);
}

int CDC::EndDoc()
{
    return ::EndDoc(m_hDC);
}

int CDC::Escape(int, int, LPCSTR, LPVOID)
{
    // No printer escapes are supported; QUERYESCSUPPORT answers "no".
    return 0;
}
