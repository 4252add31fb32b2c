// The width or height a frame asks CreateWindow for.
#pragma once

#include "win32.h"

namespace mivo::afx {

// rectDefault's extent (0 - CW_USEDEFAULT) must come out as CW_USEDEFAULT again, as the window
// manager expects: computed unsigned, it wraps instead of overflowing.
inline int CreateExtent(LONG from, LONG to)
{
    return (int)((UINT)to - (UINT)from);
}

}  // namespace mivo::afx
