#include "MenuCompiler.h"

#include "ByteWriter.h"
#include "ScriptParser.h"

namespace rc {

namespace {

constexpr uint16_t MF_GRAYED = 0x0001;
constexpr uint16_t MF_DISABLED = 0x0002;
constexpr uint16_t MF_CHECKED = 0x0008;
constexpr uint16_t MF_POPUP = 0x0010;
constexpr uint16_t MF_MENUBARBREAK = 0x0020;
constexpr uint16_t MF_MENUBREAK = 0x0040;
constexpr uint16_t MF_END = 0x0080;
constexpr uint16_t MF_SEPARATOR = 0x0800;
constexpr uint16_t MF_HELP = 0x4000;
constexpr uint32_t MFT_SEPARATOR = 0x0800;
// The menu readers of the platform refuse deeper templates.
constexpr int kMaxDepth = 16;


}  // namespace

uint32_t MenuCompiler::Options()
{
    static const struct {
        const char* name;
        uint16_t flag;
    } options[] = {{"CHECKED", MF_CHECKED}, {"GRAYED", MF_GRAYED}, {"HELP", MF_HELP},
                   {"INACTIVE", MF_DISABLED}, {"MENUBARBREAK", MF_MENUBARBREAK},
                   {"MENUBREAK", MF_MENUBREAK}};
    TokenSource& t = p_.Tokens();
    uint32_t flags = 0;
    while (true) {
        bool comma = t.Peek().IsPunct(",");
        const Token& opt = t.Peek(comma ? 1 : 0);
        int found = -1;
        for (int k = 0; k < 6; ++k)
            if (KeywordEquals(opt, options[k].name))
                found = k;
        if (found < 0) {
            if (comma)
                throw RcError(opt.loc, "unknown menu option" +
                                           (opt.kind == TokenKind::Identifier ? " '" + opt.text + "'" : std::string()));
            return flags;
        }
        if (comma)
            t.Next();
        t.Next();
        flags |= options[found].flag;
    }
}

void MenuCompiler::OptionalNumbers(uint32_t* values[], int count)
{
    // MENUEX items take "id, type, state, help id", each optional from the
    // right and each may be left empty between commas.
    TokenSource& t = p_.Tokens();
    for (int i = 0; i < count; ++i) {
        if (!t.AcceptPunct(","))
            return;
        if (t.Peek().IsPunct(",") || !p_.StartsNumber())
            continue;
        *values[i] = p_.Style(0, "a number");
    }
}

void MenuCompiler::Items(std::vector<Item>& out, const Location& begin, int depth)
{
    if (depth > kMaxDepth)
        throw RcError(begin, "menus nested too deeply");
    TokenSource& t = p_.Tokens();
    while (!p_.AcceptEnd(begin)) {
        Token kw = t.Peek();
        Item item;
        if (t.AcceptKeyword("MENUITEM")) {
            if (t.AcceptKeyword("SEPARATOR")) {
                item.flags = extended_ ? MFT_SEPARATOR : MF_SEPARATOR;
            } else {
                item.text = p_.WideText("menu item text");
                if (extended_) {
                    uint32_t* values[] = {&item.id, &item.flags, &item.state};
                    OptionalNumbers(values, 3);
                } else {
                    p_.Comma("after the menu item text");
                    item.id = (uint16_t)p_.Number("a command id");
                    item.flags = Options();
                }
            }
        } else if (t.AcceptKeyword("POPUP")) {
            item.popup = true;
            item.text = p_.WideText("popup menu text");
            if (extended_) {
                uint32_t* values[] = {&item.id, &item.flags, &item.state, &item.helpId};
                OptionalNumbers(values, 4);
            } else {
                item.flags = Options();
            }
            Location inner = p_.ExpectBegin("to start the popup's items");
            Items(item.children, inner, depth + 1);
            if (item.children.empty())
                throw RcError(inner, "popup menu has no items");
        } else if (kw.kind == TokenKind::Identifier) {
            throw RcError(kw.loc, "unknown menu statement '" + kw.text + "' (MENUITEM, POPUP or END)");
        } else {
            throw RcError(kw.loc, "expected MENUITEM, POPUP or END in the menu");
        }
        out.push_back(std::move(item));
    }
}

namespace {

struct Writer {
    ByteWriter w;

    template <class ItemT>
    void Plain(const std::vector<ItemT>& items)
    {
        for (size_t i = 0; i < items.size(); ++i) {
            const ItemT& item = items[i];
            uint16_t flags = (uint16_t)item.flags | (i + 1 == items.size() ? MF_END : 0);
            if (item.popup) {
                w.U16(flags | MF_POPUP);
                w.Utf16z(item.text);
                Plain(item.children);
            } else {
                w.U16(flags);
                w.U16((uint16_t)item.id);
                w.Utf16z(item.text);
            }
        }
    }

    template <class ItemT>
    void Extended(const std::vector<ItemT>& items)
    {
        for (size_t i = 0; i < items.size(); ++i) {
            const ItemT& item = items[i];
            w.U32(item.flags);
            w.U32(item.state);
            w.U32(item.id);
            w.U16((uint16_t)((i + 1 == items.size() ? 0x80 : 0) | (item.popup ? 0x01 : 0)));
            w.Utf16z(item.text);
            w.AlignTo(4);
            if (item.popup) {
                w.U32(item.helpId);
                Extended(item.children);
            }
        }
    }
};

}  // namespace

std::vector<uint8_t> MenuCompiler::Compile()
{
    p_.SkipMemoryOptions();
    p_.SkipCommonStatements();
    Location begin = p_.ExpectBegin("to start the menu");
    std::vector<Item> items;
    Items(items, begin, 0);
    if (items.empty())
        throw RcError(begin, "menu has no items");
    Writer out;
    if (extended_) {
        out.w.U16(1);  // version
        out.w.U16(4);  // offset of the items from the end of these two words
        out.w.U32(0);  // help id
        out.Extended(items);
    } else {
        out.w.U16(0);
        out.w.U16(0);
        out.Plain(items);
    }
    return out.w.Take();
}

}  // namespace rc
