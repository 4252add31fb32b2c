#include "gdi/SysColorLink.h"

// Provided by the window manager; weak so GDI links on its own.
DWORD GetSysColor(int nIndex);
#pragma weak GetSysColor

namespace mivo {
namespace gdi {

namespace {

COLORREF Classic(int index)
{
    switch (index) {
    case kColorScrollbar:
        return RGB(212, 208, 200);
    case kColorBackground:
        return RGB(58, 110, 165);
    case kColorMenu:
    case kColor3dFace:
    case kColor3dLight:
        return RGB(212, 208, 200);
    case kColorWindow:
    case kColorHighlightText:
    case kColor3dHighlight:
        return RGB(255, 255, 255);
    case kColorHighlight:
        return RGB(10, 36, 106);
    case kColor3dShadow:
    case kColorGrayText:
        return RGB(128, 128, 128);
    case kColor3dDkShadow:
        return RGB(64, 64, 64);
    default:
        return RGB(0, 0, 0);
    }
}

}  // namespace

COLORREF SysColor(int index)
{
    if (&GetSysColor != nullptr)
        return GetSysColor(index);
    return Classic(index);
}

}  // namespace gdi
}  // namespace mivo
