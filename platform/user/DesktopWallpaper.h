// The desktop wallpaper: SystemParametersInfo(SPI_SETDESKWALLPAPER) records it in the registry
// and hands it to the desktop's own tool when there is one.
#pragma once

#include "win32/types.h"

#include <string>

namespace mivo {

// False with the last error set when the file is missing. An empty path clears the wallpaper.
bool SetDesktopWallpaper(LPCSTR path, UINT fWinIni);
std::string DesktopWallpaper();

}  // namespace mivo
