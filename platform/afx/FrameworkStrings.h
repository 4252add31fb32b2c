// The framework's own texts (idle prompt, untitled name, save question...).
#pragma once

#include "mfc.h"

namespace mivo::afx {

// The program's string of that id when it has one (programs may reword the
// framework's texts), else the framework's Korean text; empty when unknown.
CString FrameworkString(UINT id);

}  // namespace mivo::afx
