// CRect: a RECT with the framework's members and operators.
// Like RECT it includes left/top and excludes right/bottom.
#pragma once

#include "win32/types.h"
#include "win32/rect.h"
#include "mfc/afxdefs.h"
#include "mfc/Point.h"
#include "mfc/Size.h"

class CRect : public tagRECT {
public:
    CRect() noexcept { SetRectEmpty(); }
    CRect(int l, int t, int r, int b) noexcept { SetRect(l, t, r, b); }
    CRect(const RECT& srcRect) noexcept { CopyRect(&srcRect); }
    CRect(LPCRECT lpSrcRect) noexcept { CopyRect(lpSrcRect); }
    CRect(POINT point, SIZE size) noexcept { SetRect(point.x, point.y, point.x + size.cx, point.y + size.cy); }
    CRect(POINT topLeft, POINT bottomRight) noexcept { SetRect(topLeft, bottomRight); }

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    // The corners are views into this rectangle: writing them moves its edges.
    CPoint& TopLeft() noexcept { return reinterpret_cast<CPoint*>(this)[0]; }
    CPoint& BottomRight() noexcept { return reinterpret_cast<CPoint*>(this)[1]; }
    const CPoint& TopLeft() const noexcept { return reinterpret_cast<const CPoint*>(this)[0]; }
    const CPoint& BottomRight() const noexcept { return reinterpret_cast<const CPoint*>(this)[1]; }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }
    void SwapLeftRight() noexcept { SwapLeftRight(this); }
    static void SwapLeftRight(LPRECT lpRect) noexcept
    {
        LONG temp = lpRect->left;
        lpRect->left = lpRect->right;
        lpRect->right = temp;
    }

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }

    BOOL IsRectEmpty() const noexcept { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const noexcept { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const noexcept { return ::PtInRect(this, point); }

    void SetRect(int x1, int y1, int x2, int y2) noexcept
    {
        left = x1;
        top = y1;
        right = x2;
        bottom = y2;
    }
    void SetRect(POINT topLeft, POINT bottomRight) noexcept { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() noexcept { SetRect(0, 0, 0, 0); }
    // A null source leaves an empty rectangle rather than reading through it.
    void CopyRect(LPCRECT lpSrcRect) noexcept
    {
        if (lpSrcRect != nullptr)
            SetRect(lpSrcRect->left, lpSrcRect->top, lpSrcRect->right, lpSrcRect->bottom);
        else
            SetRectEmpty();
    }
    BOOL EqualRect(LPCRECT lpRect) const noexcept { return ::EqualRect(this, lpRect); }

    void InflateRect(int x, int y) noexcept { InflateRect(x, y, x, y); }
    void InflateRect(SIZE size) noexcept { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT lpRect) noexcept { InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    void InflateRect(int l, int t, int r, int b) noexcept
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) noexcept { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) noexcept { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(LPCRECT lpRect) noexcept { DeflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    void DeflateRect(int l, int t, int r, int b) noexcept { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int x, int y) noexcept
    {
        left += x;
        right += x;
        top += y;
        bottom += y;
    }
    void OffsetRect(POINT point) noexcept { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) noexcept { OffsetRect(size.cx, size.cy); }
    void MoveToY(int y) noexcept
    {
        bottom = Height() + y;
        top = y;
    }
    void MoveToX(int x) noexcept
    {
        right = Width() + x;
        left = x;
    }
    void MoveToXY(int x, int y) noexcept
    {
        MoveToX(x);
        MoveToY(y);
    }
    void MoveToXY(POINT point) noexcept { MoveToXY(point.x, point.y); }
    void NormalizeRect() noexcept
    {
        if (left > right)
            SwapLeftRight();
        if (top > bottom) {
            LONG temp = top;
            top = bottom;
            bottom = temp;
        }
    }

    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept { return ::IntersectRect(this, lpRect1, lpRect2); }
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) noexcept { return ::UnionRect(this, lpRect1, lpRect2); }
    BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) noexcept
    {
        return ::SubtractRect(this, lpRectSrc1, lpRectSrc2);
    }

    CRect& operator=(const RECT& srcRect) noexcept
    {
        CopyRect(&srcRect);
        return *this;
    }
    BOOL operator==(const RECT& rect) const noexcept { return EqualRect(&rect); }
    BOOL operator!=(const RECT& rect) const noexcept { return !EqualRect(&rect); }
    void operator+=(POINT point) noexcept { OffsetRect(point); }
    void operator+=(SIZE size) noexcept { OffsetRect(size); }
    void operator+=(LPCRECT lpRect) noexcept { InflateRect(lpRect); }
    void operator-=(POINT point) noexcept { OffsetRect(-point.x, -point.y); }
    void operator-=(SIZE size) noexcept { OffsetRect(-size.cx, -size.cy); }
    void operator-=(LPCRECT lpRect) noexcept { DeflateRect(lpRect); }
    void operator&=(const RECT& rect) noexcept { IntersectRect(this, &rect); }
    void operator|=(const RECT& rect) noexcept { UnionRect(this, &rect); }

    CRect operator+(POINT point) const noexcept { return Moved(point.x, point.y); }
    CRect operator-(POINT point) const noexcept { return Moved(-point.x, -point.y); }
    CRect operator+(SIZE size) const noexcept { return Moved(size.cx, size.cy); }
    CRect operator-(SIZE size) const noexcept { return Moved(-size.cx, -size.cy); }
    CRect operator+(LPCRECT lpRect) const noexcept
    {
        CRect rect(*this);
        rect.InflateRect(lpRect);
        return rect;
    }
    CRect operator-(LPCRECT lpRect) const noexcept
    {
        CRect rect(*this);
        rect.DeflateRect(lpRect);
        return rect;
    }
    // By reference too, so two CRects combine without an ambiguous pointer subtraction.
    CRect operator+(const RECT& rect) const noexcept { return *this + &rect; }
    CRect operator-(const RECT& rect) const noexcept { return *this - &rect; }
    CRect operator&(const RECT& rect2) const noexcept
    {
        CRect rect;
        rect.IntersectRect(this, &rect2);
        return rect;
    }
    CRect operator|(const RECT& rect2) const noexcept
    {
        CRect rect;
        rect.UnionRect(this, &rect2);
        return rect;
    }

private:
    CRect Moved(int x, int y) const noexcept
    {
        CRect rect(*this);
        rect.OffsetRect(x, y);
        return rect;
    }
};

static_assert(sizeof(CRect) == sizeof(RECT), "CRect must keep the RECT layout");
static_assert(sizeof(CPoint) * 2 == sizeof(RECT), "a RECT must hold two CPoints");

// Operators of CPoint and CSize that produce one of the other classes.
inline CSize CPoint::operator-(POINT point) const noexcept { return CSize(x - point.x, y - point.y); }
inline CRect CPoint::operator+(const RECT* lpRect) const noexcept { return CRect(lpRect) + *this; }
inline CRect CPoint::operator-(const RECT* lpRect) const noexcept { return CRect(lpRect) - *this; }
inline CPoint CSize::operator+(POINT point) const noexcept { return CPoint(cx + point.x, cy + point.y); }
inline CPoint CSize::operator-(POINT point) const noexcept { return CPoint(cx - point.x, cy - point.y); }
inline CRect CSize::operator+(const RECT* lpRect) const noexcept { return CRect(lpRect) + *this; }
inline CRect CSize::operator-(const RECT* lpRect) const noexcept { return CRect(lpRect) - *this; }
