// Readers of binary resource layouts: dialog and menu templates, toolbars.
#pragma once

#include "win32/types.h"

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

// Checked readers of the dialog and menu template layouts (win32/resources.h),
// for the code that builds dialogs and menus. They never read past `size` and return false on a
// damaged template.
struct TemplateText {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::u16string text;
};

struct DialogItemInfo {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;  // WORD in a DLGTEMPLATE
    TemplateText windowClass;
    TemplateText title;
    std::vector<BYTE> creationData;
};

struct DialogTemplateInfo {
    bool extended = false;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    bool hasMenu = false;
    TemplateText menu;
    bool hasClass = false;
    TemplateText windowClass;
    std::u16string title;
    bool hasFont = false;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::u16string typeface;
    std::vector<DialogItemInfo> items;
};

bool ReadDialogTemplate(const void* data, size_t size, DialogTemplateInfo& out);

struct MenuTemplateItem {
    bool popup = false;
    bool separator = false;
    DWORD flags = 0;  // MF_* of a MENU (without MF_POPUP and MF_END), MFT_* type of a MENUEX
    DWORD state = 0;  // MENUEX only
    DWORD id = 0;
    DWORD helpId = 0; // MENUEX popups only
    std::u16string text;
    std::vector<MenuTemplateItem> children;
};

struct MenuTemplateInfo {
    bool extended = false;
    DWORD helpId = 0;
    std::vector<MenuTemplateItem> items;
};

bool ReadMenuTemplate(const void* data, size_t size, MenuTemplateInfo& out);

}  // namespace mivo
