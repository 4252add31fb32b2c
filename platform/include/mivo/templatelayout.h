// The contents of the binary dialog and menu templates (win32/resources.h), as the reader fills them
// and the writer lays them out. Plain fixed-width types, so the resource compiler can share them
// without the Win32 headers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mivo {

// A class, title or menu field: an ordinal (0xFFFF, then a WORD) or UTF-16 text.
struct TemplateText {
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::u16string text;
};

struct DialogItemInfo {
    uint32_t helpId = 0;   // DLGTEMPLATEEX only
    uint32_t exStyle = 0;
    uint32_t style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    uint32_t id = 0;  // WORD in a DLGTEMPLATE
    TemplateText windowClass;
    TemplateText title;
    std::vector<uint8_t> creationData;
};

struct DialogTemplateInfo {
    bool extended = false;
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    bool hasMenu = false;
    TemplateText menu;
    bool hasClass = false;
    TemplateText windowClass;
    std::u16string title;
    bool hasFont = false;  // the font fields follow the title (DS_SETFONT)
    uint16_t pointSize = 0;
    uint16_t weight = 0;
    uint8_t italic = 0;
    uint8_t charset = 0;
    std::u16string typeface;
    std::vector<DialogItemInfo> items;
};

struct MenuTemplateItem {
    bool popup = false;
    bool separator = false;
    uint32_t flags = 0;  // MF_* of a MENU (without MF_POPUP and MF_END), MFT_* type of a MENUEX
    uint32_t state = 0;  // MENUEX only
    uint32_t id = 0;
    uint32_t helpId = 0; // MENUEX popups only
    std::u16string text;
    std::vector<MenuTemplateItem> children;
};

struct MenuTemplateInfo {
    bool extended = false;
    uint32_t helpId = 0;
    std::vector<MenuTemplateItem> items;
};

}  // namespace mivo
