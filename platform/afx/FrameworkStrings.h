// The framework's own texts (idle prompt, untitled name, save question...).
#pragma once

#include "mfc.h"

namespace mivo::afx {

// The program's string of that id when it has one (programs may reword the
// framework's texts), else the platform's; empty when neither has it.
CString FrameworkString(UINT id);

}  // namespace mivo::afx
