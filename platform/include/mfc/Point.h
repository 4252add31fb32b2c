// CPoint: a POINT with the framework's arithmetic.
#pragma once

#include "win32/types.h"
#include "mfc/afxdefs.h"

class CSize;
class CRect;

// TopLeft and BottomRight of CRect view a RECT as two CPoints; may_alias keeps that well defined.
class __attribute__((may_alias)) CPoint : public tagPOINT {
public:
    CPoint() noexcept { x = 0; y = 0; }
    CPoint(int initX, int initY) noexcept { x = initX; y = initY; }
    CPoint(POINT initPt) noexcept { x = initPt.x; y = initPt.y; }
    CPoint(SIZE initSize) noexcept { x = initSize.cx; y = initSize.cy; }
    // Packed coordinates as in a mouse message's lParam: signed low word x, signed high word y.
    CPoint(LPARAM dwPoint) noexcept { x = (short)LOWORD(dwPoint); y = (short)HIWORD(dwPoint); }

    void Offset(int xOffset, int yOffset) noexcept { x += xOffset; y += yOffset; }
    void Offset(POINT point) noexcept { Offset(point.x, point.y); }
    void Offset(SIZE size) noexcept { Offset(size.cx, size.cy); }
    void SetPoint(int X, int Y) noexcept { x = X; y = Y; }

    BOOL operator==(POINT point) const noexcept { return x == point.x && y == point.y; }
    BOOL operator!=(POINT point) const noexcept { return !(*this == point); }
    void operator+=(SIZE size) noexcept { Offset(size); }
    void operator-=(SIZE size) noexcept { Offset(-size.cx, -size.cy); }
    void operator+=(POINT point) noexcept { Offset(point); }
    void operator-=(POINT point) noexcept { Offset(-point.x, -point.y); }

    CPoint operator+(SIZE size) const noexcept { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const noexcept { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const noexcept { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const noexcept { return CPoint(x + point.x, y + point.y); }
    CSize operator-(POINT point) const noexcept;
    CRect operator+(const RECT* lpRect) const noexcept;
    CRect operator-(const RECT* lpRect) const noexcept;
};

// CSize and CRect complete the operators declared above.
#include "mfc/Rect.h"
