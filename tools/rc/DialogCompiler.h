// Compiles DIALOG and DIALOGEX statements into DLGTEMPLATE and DLGTEMPLATEEX layouts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ResourceSet.h"
#include "mivo/templatelayout.h"

namespace rc {

class ScriptParser;

class DialogCompiler {
public:
    DialogCompiler(ScriptParser& parser, bool extended) : p_(parser), extended_(extended) {}

    // Reads from after the DIALOG or DIALOGEX keyword to the closing END.
    std::vector<uint8_t> Compile();

private:
    using SzOrOrd = mivo::TemplateText;
    using Control = mivo::DialogItemInfo;

    void OptionalStatements();
    Control ParseControl();
    void ControlTail(Control& c, bool sizeOptional);
    SzOrOrd ControlText(bool allowName);
    SzOrOrd ControlClass();
    int16_t Coordinate(const char* what);
    std::vector<uint8_t> Write() const;

    ScriptParser& p_;
    bool extended_;
    int16_t x_ = 0, y_ = 0, cx_ = 0, cy_ = 0;
    uint32_t helpId_ = 0;
    uint32_t style_ = 0;
    bool styleGiven_ = false;
    uint32_t exStyle_ = 0;
    bool hasCaption_ = false;
    std::u16string caption_;
    bool hasMenu_ = false;
    ResourceId menu_;
    SzOrOrd class_;
    bool hasClass_ = false;
    bool hasFont_ = false;
    uint16_t fontSize_ = 0;
    uint16_t fontWeight_ = 0;
    uint8_t fontItalic_ = 0;
    uint8_t fontCharset_ = 1;
    std::u16string fontFace_;
    std::vector<Control> controls_;
};

}  // namespace rc
