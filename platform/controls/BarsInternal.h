// What the small common controls and the bars share: WM_NOTIFY and the
// colours of CommonNotify.h and CommonPaint.h, client geometry.
#pragma once

#include "controls/CommonNotify.h"
#include "controls/CommonPaint.h"
#include "controls/ControlsInternal.h"
#include "win32/commctrl.h"
#include "win32/commctrlbars.h"

namespace mivo {

inline RECT ClientRect(HWND hwnd)
{
    RECT rc = {0, 0, 0, 0};
    GetClientRect(hwnd, &rc);
    return rc;
}

inline int RectWidth(const RECT& r)
{
    return r.right - r.left;
}

inline int RectHeight(const RECT& r)
{
    return r.bottom - r.top;
}

}  // namespace mivo
