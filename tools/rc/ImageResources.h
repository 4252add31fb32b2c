// BITMAP, ICON and CURSOR statements: picture files turned into resources the
// way Windows stores them (icon and cursor files split into a group resource
// and one RT_ICON or RT_CURSOR resource per image).
#pragma once

#include "ResourceSet.h"

namespace rc {

class ScriptParser;

class ImageResources {
public:
    explicit ImageResources(ScriptParser& parser) : p_(parser) {}

    void Bitmap(const ResourceId& name, const Token& file);
    void Icon(const ResourceId& name, const Token& file);
    void Cursor(const ResourceId& name, const Token& file);

private:
    void IconOrCursor(const ResourceId& name, const Token& file, bool cursor);

    ScriptParser& p_;
};

}  // namespace rc
