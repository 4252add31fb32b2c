// WM_NOTIFY as the common controls send it: the header filled in from the
// sending control, sent to its parent (or another window that listens).
#pragma once

#include "win32/commctrl.h"

namespace mivo {

// The one notify helper of the controls: fills `hdr` (the sender, its id and
// the code) and sends it to `to`, the sender's parent when `to` is null.
LRESULT SendNotify(HWND from, UINT code, NMHDR* hdr, HWND to = nullptr);
// A bare notification (NM_CLICK, NM_RCLICK...).
LRESULT SendNotify(HWND from, UINT code);
// Custom draw at one stage; returns the CDRF_ answer.
LRESULT SendCustomDraw(HWND from, NMCUSTOMDRAW* cd, DWORD stage);

}  // namespace mivo
