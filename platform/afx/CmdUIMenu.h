// How CCmdUI changes menu items: the menu classes install these operations.
#pragma once

#include "mfc/CmdUI.h"

namespace mivo {

// Menu items are changed through these when the menu classes install them.
struct CmdUIMenuOps {
    void (*enable)(CCmdUI* ui, BOOL on);
    void (*check)(CCmdUI* ui, int check);
    void (*radio)(CCmdUI* ui, BOOL on);
    void (*text)(CCmdUI* ui, LPCSTR text);
};
AFX_EXT_API void SetCmdUIMenuOps(const CmdUIMenuOps& ops);

}  // namespace mivo
