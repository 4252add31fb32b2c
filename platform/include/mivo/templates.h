// Readers of binary resource layouts: dialog and menu templates, toolbars.
#pragma once

#include "win32/types.h"
#include "mivo/templatelayout.h"

#include <cstddef>
#include <string>
#include <vector>

namespace mivo {

// The fixed part of a toolbar resource; wItemCount WORD ids follow it.
struct ToolBarResourceData {
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};

// Checked readers of the dialog and menu template layouts (win32/resources.h), for the code that
// builds dialogs and menus. They never read past `size` and return false on a damaged template.
// mivo/templatewriter.h writes the same layouts from the same structures.
bool ReadDialogTemplate(const void* data, size_t size, DialogTemplateInfo& out);

bool ReadMenuTemplate(const void* data, size_t size, MenuTemplateInfo& out);

}  // namespace mivo
