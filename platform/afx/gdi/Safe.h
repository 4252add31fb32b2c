// Handles of wrapper pointers that may be null (the framework accepts NULL
// for "none" in many places); no member is called through a null pointer.
#pragma once

#include "mfc/DC.h"

namespace mivo {
namespace gdi {

inline HDC SafeHdc(const CDC* dc)
{
    return dc != nullptr ? dc->m_hDC : nullptr;
}

inline HGDIOBJ SafeHandle(const CGdiObject* obj)
{
    return obj != nullptr ? obj->m_hObject : nullptr;
}

}  // namespace gdi
}  // namespace mivo
