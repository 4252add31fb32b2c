#include "afx/FrameworkStrings.h"

namespace mivo::afx {

// The resource chain looks in the program first, then in the libraries: the
// platform's own script holds the Korean texts.
CString FrameworkString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace mivo::afx
