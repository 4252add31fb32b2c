// Area interface: the display DC's pixels (CreateDC "DISPLAY").
#pragma once

#include "gdi/Surface.h"

#include <memory>

namespace mivo {

// Installs the surface that display DCs draw into and read from. Until the
// window manager installs one, a 1920 x 1080 surface of GDI's own is used.
void SetDisplaySurface(std::shared_ptr<Surface> surface);

}  // namespace mivo
