// Builds menu templates (MENU and MENUEX layouts) and accelerator tables in memory for tests.
#pragma once

#include <win32.h>

#include <string>
#include <vector>

namespace mivo::test {

struct MenuSpec {
    std::u16string text;
    UINT id = 0;
    UINT type = 0;   // MFT_* (MENUEX) or the MF_ type flags (MENU)
    UINT state = 0;  // MFS_* (MENUEX) or the MF_ state flags (MENU)
    std::vector<MenuSpec> children;  // a popup when not empty
    bool popup = false;
};

MenuSpec Item(const std::u16string& text, UINT id, UINT state = 0, UINT type = 0);
MenuSpec Separator();
MenuSpec Popup(const std::u16string& text, std::vector<MenuSpec> children, UINT id = 0);

std::vector<BYTE> BuildMenuTemplate(const std::vector<MenuSpec>& items);
std::vector<BYTE> BuildMenuExTemplate(const std::vector<MenuSpec>& items, DWORD helpId = 0);
// RT_ACCELERATOR data: ACCELTABLEENTRY records, the last one marked.
std::vector<BYTE> BuildAcceleratorTable(const std::vector<ACCEL>& entries);

}  // namespace mivo::test
