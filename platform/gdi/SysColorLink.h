// System colours for the drawing helpers. They come from the window manager's
// GetSysColor; until it is linked in, the classic Windows scheme is used.
#pragma once

#include "win32/types.h"

namespace mivo {
namespace gdi {

enum SysColorIndex {
    kColorScrollbar = 0,
    kColorBackground = 1,
    kColorMenu = 4,
    kColorWindow = 5,
    kColorWindowFrame = 6,
    kColorMenuText = 7,
    kColorWindowText = 8,
    kColorHighlight = 13,
    kColorHighlightText = 14,
    kColor3dFace = 15,
    kColor3dShadow = 16,
    kColorGrayText = 17,
    kColorBtnText = 18,
    kColor3dHighlight = 20,
    kColor3dDkShadow = 21,
    kColor3dLight = 22,
};

COLORREF SysColor(int index);

}  // namespace gdi
}  // namespace mivo
