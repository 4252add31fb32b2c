#include "support/MenuTemplateBuilder.h"

#include "mivo/templatewriter.h"

namespace mivo::test {

namespace {

// The writer's items: a plain MENU keeps type and state in one WORD of flags.
std::vector<mivo::MenuTemplateItem> TemplateItems(const std::vector<MenuSpec>& specs, bool extended)
{
    std::vector<mivo::MenuTemplateItem> items;
    for (const MenuSpec& m : specs) {
        mivo::MenuTemplateItem item;
        item.popup = m.popup;
        item.text = m.text;
        item.id = m.id;
        item.flags = extended ? m.type : (m.type | m.state);
        item.state = extended ? m.state : 0;
        item.children = TemplateItems(m.children, extended);
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace

MenuSpec Item(const std::u16string& text, UINT id, UINT state, UINT type)
{
    MenuSpec m;
    m.text = text;
    m.id = id;
    m.state = state;
    m.type = type;
    return m;
}

MenuSpec Separator()
{
    MenuSpec m;
    m.type = MF_SEPARATOR;
    return m;
}

MenuSpec Popup(const std::u16string& text, std::vector<MenuSpec> children, UINT id)
{
    MenuSpec m;
    m.text = text;
    m.id = id;
    m.popup = true;
    m.children = std::move(children);
    return m;
}

std::vector<BYTE> BuildMenuTemplate(const std::vector<MenuSpec>& items)
{
    mivo::MenuTemplateInfo menu;
    menu.items = TemplateItems(items, false);
    return mivo::WriteMenuTemplate(menu);
}

std::vector<BYTE> BuildMenuExTemplate(const std::vector<MenuSpec>& items, DWORD helpId)
{
    mivo::MenuTemplateInfo menu;
    menu.extended = true;
    menu.helpId = helpId;
    menu.items = TemplateItems(items, true);
    return mivo::WriteMenuTemplate(menu);
}

std::vector<BYTE> BuildAcceleratorTable(const std::vector<ACCEL>& entries)
{
    std::vector<mivo::AcceleratorEntry> table;
    for (const ACCEL& a : entries)
        table.push_back(mivo::AcceleratorEntry{a.fVirt, a.key, a.cmd});
    return mivo::WriteAcceleratorTable(table);
}

}  // namespace mivo::test
