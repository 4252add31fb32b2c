#include "support/DialogTemplateBuilder.h"

#include "mivo/modules.h"
#include "mivo/templatewriter.h"

#include <cstring>

namespace mivo::test {

DialogTemplateBuilder::DialogTemplateBuilder(DWORD style, short x, short y, short cx, short cy,
                                             const std::u16string& title, bool extended)
{
    m_template.extended = extended;
    m_template.style = style;
    m_template.x = x;
    m_template.y = y;
    m_template.cx = cx;
    m_template.cy = cy;
    m_template.title = title;
}

DialogTemplateBuilder& DialogTemplateBuilder::Font(WORD pointSize, const std::u16string& face, WORD weight,
                                                   BYTE charset)
{
    m_template.hasFont = true;
    m_template.style |= DS_SETFONT;
    m_template.pointSize = pointSize;
    m_template.typeface = face;
    m_template.weight = weight;
    m_template.charset = charset;
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::Item(ItemClass cls, const std::u16string& text, DWORD id, short x,
                                                   short y, short cx, short cy, DWORD style, DWORD exStyle)
{
    mivo::DialogItemInfo item;
    item.windowClass = mivo::TemplateText{true, (WORD)cls, u""};
    item.title.text = text;
    item.id = id;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.style = style | WS_CHILD;
    item.exStyle = exStyle;
    m_template.items.push_back(item);
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::Item(const std::u16string& cls, const std::u16string& text, DWORD id,
                                                   short x, short y, short cx, short cy, DWORD style, DWORD exStyle)
{
    Item(ItemClass::Button, text, id, x, y, cx, cy, style, exStyle);
    m_template.items.back().windowClass = mivo::TemplateText{false, 0, cls};
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::ItemWithOrdinalTitle(ItemClass cls, WORD ordinal, DWORD id, short x,
                                                                   short y, short cx, short cy, DWORD style)
{
    Item(cls, u"", id, x, y, cx, cy, style);
    m_template.items.back().title = mivo::TemplateText{true, ordinal, u""};
    return *this;
}

std::vector<BYTE> DialogTemplateBuilder::Bytes() const
{
    return mivo::WriteDialogTemplate(m_template);
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
    mivo::TemplateBytes out;
    for (auto& s : strings) {
        out.U16(s.first);
        out.U16(message);
        out.U32((DWORD)s.second.size() + 1);
        out.Bytes(s.second);
        out.U8(0);
    }
    out.U16(0);
    return out.Take();
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
