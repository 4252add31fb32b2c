// WM_NOTIFY as the common controls send it: the header filled in from the
// sending control, sent to its parent (or another window that listens).
#pragma once

#include "win32/commctrl.h"
#include "win32/paint.h"

namespace mivo {

LRESULT SendNotify(HWND from, UINT code, NMHDR* hdr, HWND to = nullptr);
// A bare notification (NM_CLICK, NM_RCLICK...).
LRESULT SendNotify(HWND from, UINT code);
// Custom draw at one stage; returns the CDRF_ answer.
LRESULT SendCustomDraw(HWND from, NMCUSTOMDRAW* cd, DWORD stage);
// The DC a WM_PAINT carries in wParam, or BeginPaint's; EndPaint only for the latter.
class PaintScope {
public:
    PaintScope(HWND hwnd, WPARAM wParam);
    ~PaintScope();
    HDC Dc() const { return dc_; }
    RECT Dirty() const;

private:
    HWND hwnd_;
    bool own_;
    PAINTSTRUCT ps_;
    HDC dc_;
};

}  // namespace mivo
