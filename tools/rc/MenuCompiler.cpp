#include "MenuCompiler.h"

#include "ScriptParser.h"
#include "mivo/templatewriter.h"

namespace rc {

namespace {

constexpr uint16_t MF_GRAYED = 0x0001;
constexpr uint16_t MF_DISABLED = 0x0002;
constexpr uint16_t MF_CHECKED = 0x0008;
constexpr uint16_t MF_MENUBARBREAK = 0x0020;
constexpr uint16_t MF_MENUBREAK = 0x0040;
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

std::vector<uint8_t> MenuCompiler::Compile()
{
    p_.SkipMemoryOptions();
    p_.SkipCommonStatements();
    Location begin = p_.ExpectBegin("to start the menu");
    std::vector<Item> items;
    Items(items, begin, 0);
    if (items.empty())
        throw RcError(begin, "menu has no items");
    mivo::MenuTemplateInfo menu;
    menu.extended = extended_;
    menu.items = std::move(items);
    return mivo::WriteMenuTemplate(menu);
}

}  // namespace rc
