#include "controls/CommonInput.h"

#include "controls/CommonNotify.h"
#include "controls/ControlsInternal.h"

#include <algorithm>

namespace mivo {

namespace {

const int kRowsPerNotch = 3;

}  // namespace

void ViewFocusChanged(HWND view, bool& focused, bool gained)
{
    focused = gained;
    InvalidateRect(view, nullptr, TRUE);
    SendNotify(view, gained ? NM_SETFOCUS : NM_KILLFOCUS);
}

MousePress PressOf(UINT msg, LPARAM lParam)
{
    return {PointFromLParam(lParam), msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK,
            msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK};
}

bool ScrollBarTarget(HWND view, int bar, WPARAM code, int line, int& pos)
{
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(view, bar, &si);
    int page = std::max(1, (int)si.nPage);
    switch (LOWORD(code)) {
    case SB_LINEUP: pos -= line; return true;
    case SB_LINEDOWN: pos += line; return true;
    case SB_PAGEUP: pos -= page; return true;
    case SB_PAGEDOWN: pos += page; return true;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; return true;
    case SB_TOP: pos = 0; return true;
    case SB_BOTTOM: pos = si.nMax; return true;
    default: return false;
    }
}

int WheelRows(WPARAM wParam)
{
    return -kRowsPerNotch * GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
}

}  // namespace mivo
