#include "support/MenuTemplateBuilder.h"

namespace mivo::test {

namespace {

void Word(std::vector<BYTE>& out, WORD w)
{
    out.push_back((BYTE)(w & 0xFF));
    out.push_back((BYTE)(w >> 8));
}

void Dword(std::vector<BYTE>& out, DWORD d)
{
    Word(out, (WORD)(d & 0xFFFF));
    Word(out, (WORD)(d >> 16));
}

void Text(std::vector<BYTE>& out, const std::u16string& text)
{
    for (char16_t c : text)
        Word(out, (WORD)c);
    Word(out, 0);
}

void Align4(std::vector<BYTE>& out)
{
    while (out.size() % 4)
        out.push_back(0);
}

void PlainItems(std::vector<BYTE>& out, const std::vector<MenuSpec>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuSpec& m = items[i];
        WORD flags = (WORD)(m.type | m.state);
        if (m.popup)
            flags |= MF_POPUP;
        if (i + 1 == items.size())
            flags |= MF_END;
        Word(out, flags);
        if (!m.popup)
            Word(out, (WORD)m.id);
        Text(out, m.text);
        if (m.popup)
            PlainItems(out, m.children);
    }
}

void ExtendedItems(std::vector<BYTE>& out, const std::vector<MenuSpec>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuSpec& m = items[i];
        Align4(out);
        Dword(out, m.type);
        Dword(out, m.state);
        Dword(out, m.id);
        WORD flags = (WORD)((m.popup ? 0x01 : 0) | (i + 1 == items.size() ? 0x80 : 0));
        Word(out, flags);
        Text(out, m.text);
        if (m.popup) {
            Align4(out);
            Dword(out, 0);  // help id
            ExtendedItems(out, m.children);
        }
    }
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
    std::vector<BYTE> out;
    Word(out, 0);
    Word(out, 0);
    PlainItems(out, items);
    return out;
}

std::vector<BYTE> BuildMenuExTemplate(const std::vector<MenuSpec>& items, DWORD helpId)
{
    std::vector<BYTE> out;
    Word(out, 1);
    Word(out, 4);
    Dword(out, helpId);
    ExtendedItems(out, items);
    return out;
}

std::vector<BYTE> BuildAcceleratorTable(const std::vector<ACCEL>& entries)
{
    std::vector<BYTE> out;
    for (size_t i = 0; i < entries.size(); ++i) {
        Word(out, (WORD)(entries[i].fVirt | (i + 1 == entries.size() ? 0x80 : 0)));
        Word(out, entries[i].key);
        Word(out, entries[i].cmd);
        Word(out, 0);
    }
    return out;
}

}  // namespace mivo::test
