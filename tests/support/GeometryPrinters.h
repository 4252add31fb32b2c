// Rectangles, points and sizes printed as numbers when an expectation fails
// (gtest would otherwise print CRect as the pointer it converts to).
#pragma once

#include <mfc.h>

#include <ostream>

inline void PrintTo(const RECT& r, std::ostream* os)
{
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
inline void PrintTo(const CRect& r, std::ostream* os) { PrintTo(static_cast<const RECT&>(r), os); }
inline void PrintTo(const POINT& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const CPoint& p, std::ostream* os) { PrintTo(static_cast<const POINT&>(p), os); }
inline void PrintTo(const SIZE& s, std::ostream* os) { *os << s.cx << " x " << s.cy; }
inline void PrintTo(const CSize& s, std::ostream* os) { PrintTo(static_cast<const SIZE&>(s), os); }
