// CSize: a SIZE with the framework's arithmetic.
#pragma once

#include "win32/types.h"
#include "mfc/afxdefs.h"

class CPoint;
class CRect;

class CSize : public tagSIZE {
public:
    CSize() noexcept { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) noexcept { cx = initCX; cy = initCY; }
    CSize(SIZE initSize) noexcept { cx = initSize.cx; cy = initSize.cy; }
    CSize(POINT initPt) noexcept { cx = initPt.x; cy = initPt.y; }
    // Packed extents: signed low word cx, signed high word cy.
    CSize(DWORD dwSize) noexcept { cx = (short)LOWORD(dwSize); cy = (short)HIWORD(dwSize); }

    void SetSize(int CX, int CY) noexcept { cx = CX; cy = CY; }

    BOOL operator==(SIZE size) const noexcept { return cx == size.cx && cy == size.cy; }
    BOOL operator!=(SIZE size) const noexcept { return !(*this == size); }
    void operator+=(SIZE size) noexcept { cx += size.cx; cy += size.cy; }
    void operator-=(SIZE size) noexcept { cx -= size.cx; cy -= size.cy; }

    CSize operator+(SIZE size) const noexcept { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const noexcept { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const noexcept { return CSize(-cx, -cy); }
    CPoint operator+(POINT point) const noexcept;
    CPoint operator-(POINT point) const noexcept;
    CRect operator+(const RECT* lpRect) const noexcept;
    CRect operator-(const RECT* lpRect) const noexcept;
};

// CPoint and CRect complete the operators declared above.
#include "mfc/Rect.h"
