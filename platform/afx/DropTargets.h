// The drop targets of this process, by window.
#pragma once

#include "win32.h"

class COleDropTarget;

namespace mivo::afx {

bool RegisterDropTarget(HWND hwnd, COleDropTarget* target);
void RevokeDropTarget(HWND hwnd, COleDropTarget* target);
// The target of the window or of its nearest registered parent; *pTargetWnd
// names the registered window. NULL when none.
COleDropTarget* FindDropTarget(HWND hwnd, HWND* pTargetWnd);

}  // namespace mivo::afx
