// Compiles MENU and MENUEX statements into the Windows menu template layouts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Token.h"

namespace rc {

class ScriptParser;

class MenuCompiler {
public:
    MenuCompiler(ScriptParser& parser, bool extended) : p_(parser), extended_(extended) {}

    // Reads from after the MENU or MENUEX keyword to the closing END.
    std::vector<uint8_t> Compile();

private:
    struct Item {
        bool popup = false;
        std::u16string text;
        uint32_t id = 0;
        uint32_t flags = 0;  // MF_* for MENU, MFT_* type for MENUEX
        uint32_t state = 0;  // MENUEX only
        uint32_t helpId = 0; // MENUEX popups only
        std::vector<Item> children;
    };

    void Items(std::vector<Item>& out, const Location& begin, int depth);
    uint32_t Options();
    void OptionalNumbers(uint32_t* values[], int count);

    ScriptParser& p_;
    bool extended_;
};

}  // namespace rc
