#include "support/DialogTemplateBuilder.h"

#include "mivo/modules.h"

#include <cstring>

namespace mivo::test {

namespace {

void Put16(std::vector<BYTE>& out, WORD v)
{
    out.push_back((BYTE)v);
    out.push_back((BYTE)(v >> 8));
}

void Put32(std::vector<BYTE>& out, DWORD v)
{
    Put16(out, (WORD)v);
    Put16(out, (WORD)(v >> 16));
}

void PutText(std::vector<BYTE>& out, const std::u16string& s)
{
    for (char16_t c : s)
        Put16(out, (WORD)c);
    Put16(out, 0);
}

void Align4(std::vector<BYTE>& out)
{
    while (out.size() % 4)
        out.push_back(0);
}

}  // namespace

DialogTemplateBuilder::DialogTemplateBuilder(DWORD style, short x, short y, short cx, short cy,
                                             const std::u16string& title, bool extended)
    : m_style(style), m_x(x), m_y(y), m_cx(cx), m_cy(cy), m_title(title), m_extended(extended)
{
}

DialogTemplateBuilder& DialogTemplateBuilder::Font(WORD pointSize, const std::u16string& face, WORD weight,
                                                   BYTE charset)
{
    m_font = true;
    m_style |= DS_SETFONT;
    m_pointSize = pointSize;
    m_face = face;
    m_weight = weight;
    m_charset = charset;
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::Item(ItemClass cls, const std::u16string& text, DWORD id, short x,
                                                   short y, short cx, short cy, DWORD style, DWORD exStyle)
{
    ItemData item;
    item.classAtom = (WORD)cls;
    item.text = text;
    item.id = id;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.style = style | WS_CHILD;
    item.exStyle = exStyle;
    m_items.push_back(item);
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::Item(const std::u16string& cls, const std::u16string& text, DWORD id,
                                                   short x, short y, short cx, short cy, DWORD style, DWORD exStyle)
{
    Item(ItemClass::Button, text, id, x, y, cx, cy, style, exStyle);
    m_items.back().ordinalClass = false;
    m_items.back().className = cls;
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::ItemWithOrdinalTitle(ItemClass cls, WORD ordinal, DWORD id, short x,
                                                                   short y, short cx, short cy, DWORD style)
{
    Item(cls, u"", id, x, y, cx, cy, style);
    m_items.back().ordinalTitle = true;
    m_items.back().titleOrdinal = ordinal;
    return *this;
}

std::vector<BYTE> DialogTemplateBuilder::Bytes() const
{
    std::vector<BYTE> out;
    if (m_extended) {
        Put16(out, 1);
        Put16(out, 0xFFFF);
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, m_style);
    } else {
        Put32(out, m_style);
        Put32(out, 0);
    }
    Put16(out, (WORD)m_items.size());
    Put16(out, (WORD)m_x);
    Put16(out, (WORD)m_y);
    Put16(out, (WORD)m_cx);
    Put16(out, (WORD)m_cy);
    Put16(out, 0);  // no menu
    Put16(out, 0);  // the dialog class
    PutText(out, m_title);
    if (m_font) {
        Put16(out, m_pointSize);
        if (m_extended) {
            Put16(out, m_weight);
            out.push_back(0);
            out.push_back(m_charset);
        }
        PutText(out, m_face);
    }
    for (const ItemData& item : m_items) {
        Align4(out);
        if (m_extended) {
            Put32(out, 0);
            Put32(out, item.exStyle);
            Put32(out, item.style);
        } else {
            Put32(out, item.style);
            Put32(out, item.exStyle);
        }
        Put16(out, (WORD)item.x);
        Put16(out, (WORD)item.y);
        Put16(out, (WORD)item.cx);
        Put16(out, (WORD)item.cy);
        if (m_extended)
            Put32(out, item.id);
        else
            Put16(out, (WORD)item.id);
        if (item.ordinalClass) {
            Put16(out, 0xFFFF);
            Put16(out, item.classAtom);
        } else {
            PutText(out, item.className);
        }
        if (item.ordinalTitle) {
            Put16(out, 0xFFFF);
            Put16(out, item.titleOrdinal);
        } else {
            PutText(out, item.text);
        }
        Put16(out, 0);  // no creation data
    }
    return out;
}

LPCDLGTEMPLATE DialogTemplateBuilder::Get()
{
    std::vector<BYTE> bytes = Bytes();
    m_storage.assign((bytes.size() + 3) / 4, 0);
    std::memcpy(m_storage.data(), bytes.data(), bytes.size());
    return (LPCDLGTEMPLATE)m_storage.data();
}

std::vector<BYTE> DialogInitData(const std::vector<std::pair<WORD, std::string>>& strings, WORD message)
{
    std::vector<BYTE> out;
    for (auto& s : strings) {
        Put16(out, s.first);
        Put16(out, message);
        Put32(out, (DWORD)s.second.size() + 1);
        out.insert(out.end(), s.second.begin(), s.second.end());
        out.push_back(0);
    }
    Put16(out, 0);
    return out;
}

ProgramDialogTemplate::ProgramDialogTemplate(WORD id, std::vector<BYTE> bytes)
    : m_bytes(std::move(bytes)),
      m_entry{5, nullptr, id, nullptr, m_bytes.data(), (DWORD)m_bytes.size()},
      m_table{&m_entry, 1}
{
    mivo::RegisterModuleResources(mivo::ProgramModule(), &m_table, true);
}

ProgramDialogTemplate::~ProgramDialogTemplate() { mivo::UnregisterModuleResources(&m_table); }

}  // namespace mivo::test
