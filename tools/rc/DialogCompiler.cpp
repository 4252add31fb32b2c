#include "DialogCompiler.h"

#include <strings.h>

#include "ScriptParser.h"
#include "TextCodec.h"
#include "mivo/templatewriter.h"

namespace rc {

namespace {

constexpr uint32_t WS_POPUP = 0x80000000;
constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_CAPTION = 0x00C00000;
constexpr uint32_t WS_BORDER = 0x00800000;
constexpr uint32_t WS_SYSMENU = 0x00080000;
constexpr uint32_t WS_GROUP = 0x00020000;
constexpr uint32_t WS_TABSTOP = 0x00010000;
constexpr uint32_t DS_SETFONT = 0x40;

constexpr uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kListBox = 0x83, kScrollBar = 0x84,
                   kComboBox = 0x85;

// Control statements: class atom, default style (besides WS_CHILD | WS_VISIBLE),
// whether a text comes first, and whether width and height may be left out.
struct ControlKind {
    const char* keyword;
    uint16_t atom;
    uint32_t style;
    bool hasText;
    bool sizeOptional;
};

const ControlKind kKinds[] = {
    {"LTEXT", kStatic, 0x0000 | WS_GROUP, true, false},
    {"RTEXT", kStatic, 0x0002 | WS_GROUP, true, false},
    {"CTEXT", kStatic, 0x0001 | WS_GROUP, true, false},
    {"ICON", kStatic, 0x0003, true, true},
    {"PUSHBUTTON", kButton, 0x0000 | WS_TABSTOP, true, false},
    {"DEFPUSHBUTTON", kButton, 0x0001 | WS_TABSTOP, true, false},
    {"CHECKBOX", kButton, 0x0002 | WS_TABSTOP, true, false},
    {"AUTOCHECKBOX", kButton, 0x0003 | WS_TABSTOP, true, false},
    {"RADIOBUTTON", kButton, 0x0004 | WS_TABSTOP, true, false},
    {"STATE3", kButton, 0x0005 | WS_TABSTOP, true, false},
    {"AUTO3STATE", kButton, 0x0006 | WS_TABSTOP, true, false},
    {"GROUPBOX", kButton, 0x0007, true, false},
    {"AUTORADIOBUTTON", kButton, 0x0009 | WS_TABSTOP, true, false},
    {"PUSHBOX", kButton, 0x000A | WS_TABSTOP, true, false},
    {"EDITTEXT", kEdit, 0x0000 | WS_BORDER | WS_TABSTOP, false, false},
    {"LISTBOX", kListBox, 0x0001 | WS_BORDER, false, false},
    {"SCROLLBAR", kScrollBar, 0x0000, false, false},
    {"COMBOBOX", kComboBox, 0x0001 | WS_TABSTOP, false, false},
};

const struct {
    const char* name;
    uint16_t atom;
} kPredefinedClasses[] = {{"BUTTON", kButton}, {"EDIT", kEdit}, {"STATIC", kStatic},
                          {"LISTBOX", kListBox}, {"SCROLLBAR", kScrollBar}, {"COMBOBOX", kComboBox}};

bool IsBegin(TokenSource& t) { return t.PeekKeyword("BEGIN") || t.Peek().IsPunct("{"); }

}  // namespace

int16_t DialogCompiler::Coordinate(const char* what)
{
    return (int16_t)p_.Number(what);
}

std::vector<uint8_t> DialogCompiler::Compile()
{
    TokenSource& t = p_.Tokens();
    p_.SkipMemoryOptions();
    x_ = Coordinate("the dialog's x");
    p_.Comma("after x");
    y_ = Coordinate("the dialog's y");
    p_.Comma("after y");
    cx_ = Coordinate("the dialog's width");
    p_.Comma("after the width");
    cy_ = Coordinate("the dialog's height");
    if (extended_ && t.AcceptPunct(","))
        helpId_ = (uint32_t)p_.Number("a help id");
    OptionalStatements();
    Location begin = p_.ExpectBegin("to start the dialog's controls");
    while (!p_.AcceptEnd(begin))
        controls_.push_back(ParseControl());
    if (controls_.size() > 0xFFFF)
        throw RcError(begin, "too many controls in one dialog");

    if (!styleGiven_)
        style_ = WS_POPUP | WS_BORDER | WS_SYSMENU;
    if (hasCaption_)
        style_ |= WS_CAPTION;
    if (hasFont_)
        style_ |= DS_SETFONT;
    else if (style_ & DS_SETFONT)
        throw RcError(begin, "the dialog's style has DS_SETFONT but there is no FONT statement");
    return Write();
}

void DialogCompiler::OptionalStatements()
{
    TokenSource& t = p_.Tokens();
    while (!IsBegin(t)) {
        const Token& kw = t.Peek();
        if (t.AcceptKeyword("CAPTION")) {
            caption_ = p_.WideText("caption");
            hasCaption_ = true;
        } else if (t.AcceptKeyword("STYLE")) {
            style_ = p_.Style(0, "a style");
            styleGiven_ = true;
        } else if (t.AcceptKeyword("EXSTYLE")) {
            t.AcceptPunct("=");
            exStyle_ = p_.Style(0, "an extended style");
        } else if (t.AcceptKeyword("FONT")) {
            fontSize_ = (uint16_t)p_.Number("a font size");
            p_.Comma("after the font size");
            fontFace_ = p_.WideText("font name");
            if (t.AcceptPunct(",")) {
                fontWeight_ = (uint16_t)p_.Number("a font weight");
                if (t.AcceptPunct(",")) {
                    fontItalic_ = (uint8_t)p_.Number("the italic flag");
                    if (t.AcceptPunct(","))
                        fontCharset_ = (uint8_t)p_.Number("a character set");
                }
            }
            hasFont_ = true;
        } else if (t.AcceptKeyword("MENU")) {
            menu_ = p_.Name("menu name");
            hasMenu_ = true;
        } else if (t.AcceptKeyword("CLASS")) {
            if (t.Peek().kind == TokenKind::String) {
                class_.text = p_.WideText("class name");
            } else {
                class_.isOrdinal = true;
                class_.ordinal = (uint16_t)p_.Number("a class name or ordinal");
            }
            hasClass_ = true;
        } else if (t.AcceptKeyword("LANGUAGE")) {
            p_.Number("language");
            p_.Comma("between language and sub-language");
            p_.Number("sub-language");
        } else if (t.AcceptKeyword("CHARACTERISTICS") || t.AcceptKeyword("VERSION")) {
            p_.Number("value");
        } else if (kw.kind == TokenKind::End) {
            throw RcError(kw.loc, "dialog without BEGIN before the end of the file");
        } else if (kw.kind == TokenKind::Identifier) {
            throw RcError(kw.loc, "unknown dialog statement '" + kw.text + "'");
        } else {
            throw RcError(kw.loc, "expected a dialog statement or BEGIN");
        }
    }
}

DialogCompiler::SzOrOrd DialogCompiler::ControlText(bool allowName)
{
    TokenSource& t = p_.Tokens();
    SzOrOrd s;
    const Token& tok = t.Peek();
    if (tok.kind == TokenKind::String) {
        s.text = p_.WideText("control text");
    } else if (allowName && tok.kind == TokenKind::Identifier) {
        s.text = ToUtf16(std::u32string(tok.text.begin(), tok.text.end()));
        for (char16_t& c : s.text)
            if (c >= 'a' && c <= 'z')
                c = (char16_t)(c - 'a' + 'A');
        t.Next();
    } else {
        s.isOrdinal = true;
        s.ordinal = (uint16_t)p_.Number("a control text or resource id");
    }
    return s;
}

DialogCompiler::SzOrOrd DialogCompiler::ControlClass()
{
    TokenSource& t = p_.Tokens();
    SzOrOrd s;
    const Token& tok = t.Peek();
    std::string name;
    if (tok.kind == TokenKind::String) {
        s.text = p_.WideText("class name");
        for (char16_t c : s.text)
            name.push_back(c < 0x80 ? (char)c : '?');
    } else if (tok.kind == TokenKind::Identifier) {
        name = tok.text;
        s.text = ToUtf16(std::u32string(name.begin(), name.end()));
        t.Next();
    } else {
        s.isOrdinal = true;
        s.ordinal = (uint16_t)p_.Number("a control class");
        return s;
    }
    for (const auto& c : kPredefinedClasses) {
        if (strcasecmp(name.c_str(), c.name) == 0) {
            s.isOrdinal = true;
            s.ordinal = c.atom;
            s.text.clear();
            return s;
        }
    }
    return s;
}

DialogCompiler::Control DialogCompiler::ParseControl()
{
    TokenSource& t = p_.Tokens();
    Token kw = t.Peek();
    if (kw.kind != TokenKind::Identifier)
        throw RcError(kw.loc, "expected a control statement or END in the dialog");
    Control c;
    const uint32_t base = WS_CHILD | WS_VISIBLE;
    if (t.AcceptKeyword("CONTROL")) {
        c.title = ControlText(true);
        p_.Comma("after the control text");
        c.id = (uint32_t)p_.Number("a control id");
        p_.Comma("after the control id");
        c.windowClass = ControlClass();
        p_.Comma("after the control class");
        c.style = p_.Style(base, "a control style");
        p_.Comma("after the control style");
        c.x = Coordinate("x");
        p_.Comma("after x");
        c.y = Coordinate("y");
        p_.Comma("after y");
        c.cx = Coordinate("width");
        p_.Comma("after the width");
        c.cy = Coordinate("height");
        if (t.AcceptPunct(",")) {
            c.exStyle = p_.Style(0, "an extended style");
            if (t.AcceptPunct(",")) {
                if (!extended_)
                    throw RcError(kw.loc, "a control help id needs DIALOGEX");
                c.helpId = (uint32_t)p_.Number("a help id");
            }
        }
    } else {
        const ControlKind* kind = nullptr;
        for (const ControlKind& k : kKinds)
            if (strcasecmp(kw.text.c_str(), k.keyword) == 0)
                kind = &k;
        if (!kind)
            throw RcError(kw.loc, "unknown control statement '" + kw.text + "'");
        t.Next();
        c.windowClass.isOrdinal = true;
        c.windowClass.ordinal = kind->atom;
        if (kind->hasText) {
            c.title = ControlText(strcasecmp(kind->keyword, "ICON") == 0);
            p_.Comma("after the control text");
        }
        c.id = (uint32_t)p_.Number("a control id");
        p_.Comma("after the control id");
        c.x = Coordinate("x");
        p_.Comma("after x");
        c.y = Coordinate("y");
        c.style = base | kind->style;
        bool sized = true;
        if (kind->sizeOptional) {
            sized = t.Peek().IsPunct(",");
            if (sized)
                t.Next();
        } else {
            p_.Comma("after y");
        }
        if (sized) {
            c.cx = Coordinate("width");
            p_.Comma("after the width");
            c.cy = Coordinate("height");
            if (t.AcceptPunct(",")) {
                c.style = p_.Style(c.style, "a control style");
                if (t.AcceptPunct(",")) {
                    c.exStyle = p_.Style(0, "an extended style");
                    if (t.AcceptPunct(",")) {
                        if (!extended_)
                            throw RcError(kw.loc, "a control help id needs DIALOGEX");
                        c.helpId = (uint32_t)p_.Number("a help id");
                    }
                }
            }
        }
    }
    if (extended_ && IsBegin(t)) {
        Location begin = p_.ExpectBegin("");
        mivo::TemplateBytes data;
        p_.RawData(data, begin);
        c.creationData = data.Take();
    }
    return c;
}

std::vector<uint8_t> DialogCompiler::Write() const
{
    mivo::DialogTemplateInfo d;
    d.extended = extended_;
    d.helpId = helpId_;
    d.exStyle = exStyle_;
    d.style = style_;
    d.x = x_;
    d.y = y_;
    d.cx = cx_;
    d.cy = cy_;
    d.hasMenu = hasMenu_;
    if (menu_.isName)
        d.menu.text = ToUtf16(std::u32string(menu_.name.begin(), menu_.name.end()));
    else
        d.menu = SzOrOrd{true, menu_.id, u""};
    d.hasClass = hasClass_;
    d.windowClass = class_;
    d.title = caption_;
    d.hasFont = (style_ & DS_SETFONT) != 0;
    d.pointSize = fontSize_;
    d.weight = fontWeight_;
    d.italic = fontItalic_;
    d.charset = fontCharset_;
    d.typeface = fontFace_;
    d.items = controls_;
    return mivo::WriteDialogTemplate(d);
}

}  // namespace rc
