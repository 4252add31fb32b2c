// The GDI functions the window manager draws and clips with.
#pragma once

#include "win32/types.h"
#include "gdi/Surface.h"

#include <memory>

#include "user/RectSet.h"

namespace mivo {

// Whether GDI is linked in (drawing needs it; the message machinery does not).
bool GdiAvailable();
// A region holding `set`, or nullptr without GDI. The caller deletes it.
HRGN RegionFromRectSet(const RectSet& set);
// The rectangles of a region; empty without GDI.
RectSet RectSetFromRegion(HRGN rgn);
void DeleteRegion(HRGN rgn);
// Makes an existing region hold `set`.
void CopyRectSetIntoRegion(HRGN dst, const RectSet& set);
HDC MakeSurfaceDC(const std::shared_ptr<Surface>& surface, POINT origin, const RectSet& clip, HWND owner);
void FreeSurfaceDC(HDC hdc);
void FillWithBrush(HDC hdc, const RECT& rc, HBRUSH brush);
HBRUSH SolidBrush(COLORREF color);
// A brush of the 50% checker of two colours, as classic scroll bar troughs show.
HBRUSH CheckerBrush(COLORREF even, COLORREF odd);

}  // namespace mivo
