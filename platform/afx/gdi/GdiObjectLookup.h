// Finding the wrapper of a GDI handle, shared by the FromHandle of every GDI class.
#pragma once

#include "mfc/GdiObject.h"

namespace mivo {

// The wrapper for `h`: the attached object, else a temporary one made by `create`.
AFX_EXT_API CGdiObject* GdiObjectFromHandle(HGDIOBJ h, CGdiObject* (*create)());

}  // namespace mivo
