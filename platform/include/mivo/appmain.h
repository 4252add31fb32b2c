// The main of a framework program.
#pragma once

#include "mfc/afxdefs.h"

namespace mivo {

// A program's main: builds the command line from argv (UTF-8 to CP949, quoted as
// Windows would) and runs AfxWinMain with the program's CWinApp object.
AFX_EXT_API int AfxMainEntry(int argc, char** argv);

}  // namespace mivo
