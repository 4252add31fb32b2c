// The handle of a window object that may be null.
#pragma once

#include "mfc/Wnd.h"

namespace mivo {
// The handle of a window object that may be null; the layer's own code asks this,
// never a member function through a pointer that may be null.
inline HWND HandleOf(const CWnd* wnd)
{
    return wnd != nullptr ? wnd->m_hWnd : nullptr;
}
}  // namespace mivo
