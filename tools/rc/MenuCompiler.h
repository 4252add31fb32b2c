// Compiles MENU and MENUEX statements into the Windows menu template layouts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Token.h"
#include "mivo/templatelayout.h"

namespace rc {

class ScriptParser;

class MenuCompiler {
public:
    MenuCompiler(ScriptParser& parser, bool extended) : p_(parser), extended_(extended) {}

    // Reads from after the MENU or MENUEX keyword to the closing END.
    std::vector<uint8_t> Compile();

private:
    using Item = mivo::MenuTemplateItem;

    void Items(std::vector<Item>& out, const Location& begin, int depth);
    uint32_t Options();
    void OptionalNumbers(uint32_t* values[], int count);

    ScriptParser& p_;
    bool extended_;
};

}  // namespace rc
