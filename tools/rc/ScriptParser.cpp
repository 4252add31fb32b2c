#include "ScriptParser.h"

#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>

#include "DialogCompiler.h"
#include "ImageResources.h"
#include "MenuCompiler.h"
#include "TextCodec.h"

namespace rc {

namespace {

constexpr uint16_t kRtString = 6;
constexpr uint16_t kRtAccelerator = 9;
constexpr uint16_t kRtRcData = 10;
constexpr uint16_t kRtMessageTable = 11;
constexpr uint16_t kRtDialog = 5;
constexpr uint16_t kRtMenu = 4;
constexpr uint16_t kRtFont = 8;
constexpr uint16_t kRtHtml = 23;
constexpr uint16_t kRtDlgInit = 240;
constexpr uint16_t kRtToolbar = 241;
constexpr size_t kMaxDataFile = 64u * 1024 * 1024;

const char* const kMemoryOptions[] = {"PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE",
                                      "PURE", "IMPURE", "SHARED", "NONSHARED"};

bool IsBegin(const Token& t) { return KeywordEquals(t, "BEGIN") || t.IsPunct("{"); }
bool IsEnd(const Token& t) { return KeywordEquals(t, "END") || t.IsPunct("}"); }

std::string Describe(const Token& t)
{
    switch (t.kind) {
    case TokenKind::End: return "the end of the file";
    case TokenKind::String: return "a string";
    case TokenKind::Number: return "the number " + std::to_string(t.number);
    default: return "'" + t.text + "'";
    }
}

}  // namespace

std::string UpperAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
    return s;
}

ScriptParser::ScriptParser(Preprocessor& pp, MacroTable& macros, ResourceSet& out)
    : pp_(pp), macros_(macros), tokens_(macros, pp), eval_(tokens_, false), out_(out)
{
}

void ScriptParser::Warn(const Location& loc, const std::string& message)
{
    std::cerr << loc.file << ":" << loc.line << ": warning: " << message << "\n";
}

int64_t ScriptParser::Number(const char* what)
{
    if (!StartsNumber()) {
        const Token& t = tokens_.Peek();
        throw RcError(t.loc, std::string("expected ") + what + ", found " + Describe(t));
    }
    return eval_.Expression().v;
}

uint32_t ScriptParser::Style(uint32_t base, const char* what)
{
    if (!StartsNumber()) {
        const Token& t = tokens_.Peek();
        throw RcError(t.loc, std::string("expected ") + what + ", found " + Describe(t));
    }
    return eval_.Style(base);
}

bool ScriptParser::StartsNumber()
{
    return eval_.StartsOperand();
}

Token ScriptParser::Text(const char* what)
{
    Token t = tokens_.Peek();
    if (t.kind != TokenKind::String)
        throw RcError(t.loc, std::string("expected ") + what + " (a string), found " + Describe(t));
    tokens_.Next();
    return t;
}

std::u16string ScriptParser::WideText(const char* what)
{
    Token t = Text(what);
    if (!RepresentableInCp949(t.str))
        throw RcError(t.loc, std::string(what) + " has characters with no CP949 form");
    return ToUtf16(t.str);
}

ResourceId ScriptParser::Name(const char* what)
{
    const Token& t = tokens_.Peek();
    if (t.kind == TokenKind::Identifier) {
        ResourceId id = ResourceId::Named(UpperAscii(t.text));
        tokens_.Next();
        return id;
    }
    if (t.kind == TokenKind::String) {
        Token s = tokens_.Next();
        std::string name;
        for (char32_t c : s.str) {
            if (c == 0 || c >= 0x80)
                throw RcError(s.loc, std::string(what) + " must be written in ASCII");
            name.push_back((char)c);
        }
        if (name.empty())
            throw RcError(s.loc, std::string(what) + " is empty");
        return ResourceId::Named(UpperAscii(name));
    }
    Location loc = t.loc;
    int64_t n = Number(what);
    if (n < 0 || n > 0xFFFF)
        throw RcError(loc, std::string(what) + " " + std::to_string(n) + " is outside 0..65535");
    return ResourceId::Number((uint16_t)n);
}

void ScriptParser::SkipMemoryOptions()
{
    bool again = true;
    while (again) {
        again = false;
        for (const char* opt : kMemoryOptions) {
            if (tokens_.AcceptKeyword(opt)) {
                again = true;
                break;
            }
        }
    }
}

void ScriptParser::SkipCommonStatements()
{
    while (true) {
        if (tokens_.AcceptKeyword("LANGUAGE")) {
            Number("language");
            Comma("between language and sub-language");
            Number("sub-language");
        } else if (tokens_.AcceptKeyword("CHARACTERISTICS") || tokens_.AcceptKeyword("VERSION")) {
            Number("value");
        } else {
            return;
        }
    }
}

Location ScriptParser::ExpectBegin(const char* what)
{
    const Token& t = tokens_.Peek();
    if (!IsBegin(t))
        throw RcError(t.loc, std::string("expected BEGIN ") + what + ", found " + Describe(t));
    Location loc = t.loc;
    tokens_.Next();
    return loc;
}

bool ScriptParser::AcceptEnd(const Location& begin)
{
    const Token& t = tokens_.Peek();
    if (t.kind == TokenKind::End)
        throw RcError(begin, "missing END: this BEGIN is not closed before the end of the file");
    if (IsEnd(t)) {
        tokens_.Next();
        return true;
    }
    return false;
}

void ScriptParser::RawData(mivo::TemplateBytes& w, const Location& begin)
{
    while (!AcceptEnd(begin)) {
        const Token& t = tokens_.Peek();
        if (t.kind == TokenKind::String) {
            Token s = tokens_.Next();
            if (s.isLong) {
                w.Units(ToUtf16(s.str));
            } else {
                std::string bytes;
                if (!ToCp949(s.str, bytes))
                    throw RcError(s.loc, "string has characters with no CP949 form");
                w.Bytes(bytes);
            }
        } else if (StartsNumber()) {
            Value v = eval_.Expression();
            if (v.isLong)
                w.U32((uint32_t)v.v);
            else
                w.U16((uint16_t)v.v);
        } else {
            throw RcError(t.loc, "expected a number, a string or END in the data, found " + Describe(t));
        }
        tokens_.AcceptPunct(",");
    }
}

std::vector<uint8_t> ScriptParser::ReadDataFile(const Token& fileToken)
{
    std::string name = EncodeUtf8(fileToken.str);
    std::string path = pp_.FindDataFile(name, fileToken.loc);
    if (path.empty())
        throw RcError(fileToken.loc, "cannot find file '" + name + "'");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RcError(fileToken.loc, "cannot read file '" + name + "'");
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0 || (uint64_t)size > kMaxDataFile)
        throw RcError(fileToken.loc, "file '" + name + "' is too large for a resource");
    in.seekg(0);
    std::vector<uint8_t> data((size_t)size);
    if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size))
        throw RcError(fileToken.loc, "cannot read file '" + name + "'");
    return data;
}

void ScriptParser::Parse()
{
    while (tokens_.Peek().kind != TokenKind::End)
        Statement();
    AddStringTables();
}

void ScriptParser::Statement()
{
    if (tokens_.AcceptKeyword("LANGUAGE")) {
        Number("language");
        Comma("between language and sub-language");
        Number("sub-language");
        return;
    }
    if (tokens_.AcceptKeyword("STRINGTABLE")) {
        StringTable();
        return;
    }
    Location loc = tokens_.Peek().loc;
    ResourceId name = Name("resource name");
    Token typeToken = tokens_.Peek();
    Resource r;
    r.name = name;
    r.loc = loc;
    if (typeToken.kind == TokenKind::Number) {
        r.type = Name("resource type");
        SkipMemoryOptions();
        r.data = RawOrFile(name, nullptr);
        out_.Add(std::move(r));
        return;
    }
    if (typeToken.kind != TokenKind::Identifier)
        throw RcError(typeToken.loc, "expected a resource type after resource " + name.Describe() +
                                         ", found " + Describe(typeToken));
    tokens_.Next();
    std::string kw = UpperAscii(typeToken.text);
    if (kw == "DIALOG" || kw == "DIALOGEX") {
        r.type = ResourceId::Number(kRtDialog);
        r.data = DialogCompiler(*this, kw == "DIALOGEX").Compile();
    } else if (kw == "MENU" || kw == "MENUEX") {
        r.type = ResourceId::Number(kRtMenu);
        r.data = MenuCompiler(*this, kw == "MENUEX").Compile();
    } else if (kw == "ACCELERATORS") {
        r.type = ResourceId::Number(kRtAccelerator);
        r.data = Accelerators();
    } else if (kw == "TOOLBAR") {
        r.type = ResourceId::Number(kRtToolbar);
        r.data = Toolbar();
    } else if (kw == "BITMAP" || kw == "ICON" || kw == "CURSOR") {
        SkipMemoryOptions();
        Token file = Text("file name");
        ImageResources images(*this);
        if (kw == "BITMAP")
            images.Bitmap(name, file);
        else if (kw == "ICON")
            images.Icon(name, file);
        else
            images.Cursor(name, file);
        return;
    } else if (kw == "VERSIONINFO") {
        SkipVersionInfo(loc);
        return;
    } else if (kw == "DLGINIT") {
        r.type = ResourceId::Number(kRtDlgInit);
        SkipMemoryOptions();
        r.data = RawOrFile(name, "DLGINIT");
        ValidateDlgInit(r.data, loc);
    } else if (kw == "RCDATA" || kw == "HTML" || kw == "MESSAGETABLE" || kw == "FONT") {
        uint16_t type = kw == "RCDATA" ? kRtRcData : kw == "HTML" ? kRtHtml : kw == "FONT" ? kRtFont : kRtMessageTable;
        r.type = ResourceId::Number(type);
        SkipMemoryOptions();
        r.data = RawOrFile(name, kw.c_str());
    } else {
        // Any other word names a user-defined type.
        r.type = ResourceId::Named(kw);
        SkipMemoryOptions();
        r.data = RawOrFile(name, kw.c_str());
    }
    out_.Add(std::move(r));
}

std::vector<uint8_t> ScriptParser::RawOrFile(const ResourceId& name, const char* typeName)
{
    SkipCommonStatements();
    const Token& t = tokens_.Peek();
    if (t.kind == TokenKind::String)
        return ReadDataFile(Text("file name"));
    if (!IsBegin(t)) {
        std::string type = typeName ? std::string(typeName) : std::string("of this type");
        throw RcError(t.loc, "expected a file name or BEGIN for resource " + name.Describe() + " " + type +
                                 ", found " + Describe(t));
    }
    Location begin = ExpectBegin("");
    mivo::TemplateBytes w;
    RawData(w, begin);
    return w.Take();
}

void ScriptParser::ValidateDlgInit(const std::vector<uint8_t>& d, const Location& loc)
{
    // Records of: WORD control id, WORD message, DWORD length, data; a zero id ends them.
    size_t pos = 0;
    auto word = [&](size_t at) { return (uint32_t)d[at] | ((uint32_t)d[at + 1] << 8); };
    while (true) {
        if (pos + 2 > d.size())
            throw RcError(loc, "DLGINIT data must end with a 0 word");
        if (word(pos) == 0)
            return;
        if (pos + 8 > d.size())
            throw RcError(loc, "DLGINIT record is cut short");
        uint32_t length = word(pos + 4) | (word(pos + 6) << 16);
        if ((uint64_t)pos + 8 + length > d.size())
            throw RcError(loc, "DLGINIT record for control " + std::to_string(word(pos)) +
                                   " is longer than the data");
        pos += 8 + length;
    }
}

void ScriptParser::SkipVersionInfo(const Location& loc)
{
    Warn(loc, "VERSIONINFO is not compiled; skipped");
    while (!IsBegin(tokens_.Peek())) {
        if (tokens_.Peek().kind == TokenKind::End)
            throw RcError(loc, "VERSIONINFO without BEGIN");
        tokens_.Next();
    }
    std::vector<Location> open;
    open.push_back(ExpectBegin(""));
    while (!open.empty()) {
        const Token& t = tokens_.Peek();
        if (t.kind == TokenKind::End)
            throw RcError(open.back(), "missing END: this BEGIN is not closed before the end of the file");
        if (IsBegin(t))
            open.push_back(t.loc);
        else if (IsEnd(t))
            open.pop_back();
        tokens_.Next();
    }
}

void ScriptParser::StringTable()
{
    SkipMemoryOptions();
    SkipCommonStatements();
    Location begin = ExpectBegin("after STRINGTABLE");
    while (!AcceptEnd(begin)) {
        Location loc = tokens_.Peek().loc;
        int64_t id = Number("a string id");
        tokens_.AcceptPunct(",");
        if (id < 0 || id > 0xFFFF)
            throw RcError(loc, "string id " + std::to_string(id) + " is outside 0..65535");
        std::u16string text = WideText("string");
        if (text.size() > 0xFFFF)
            throw RcError(loc, "string is too long");
        auto it = strings_.find((uint16_t)id);
        if (it != strings_.end())
            throw RcError(loc, "string id " + std::to_string(id) + " is already defined at line " +
                                   std::to_string(it->second.loc.line));
        strings_[(uint16_t)id] = StringEntry{text, loc};
    }
}

void ScriptParser::AddStringTables()
{
    // Windows keeps strings in blocks of 16: block id/16 + 1, each string a
    // WORD length and its UTF-16 text without a terminator.
    auto it = strings_.begin();
    while (it != strings_.end()) {
        uint16_t block = it->first / 16;
        std::u16string slots[16];
        for (int k = 0; k < 16; ++k) {
            auto e = strings_.find((uint16_t)(block * 16 + k));
            if (e != strings_.end())
                slots[k] = e->second.text;
        }
        Resource r;
        r.type = ResourceId::Number(kRtString);
        r.name = ResourceId::Number((uint16_t)(block + 1));
        r.data = mivo::WriteStringBlock(slots);
        r.loc = it->second.loc;
        out_.Add(std::move(r));
        while (it != strings_.end() && it->first / 16 == block)
            ++it;
    }
}

std::vector<uint8_t> ScriptParser::Accelerators()
{
    enum : uint16_t { kVirtKey = 0x01, kNoInvert = 0x02, kShift = 0x04, kControl = 0x08, kAlt = 0x10 };
    SkipMemoryOptions();
    SkipCommonStatements();
    Location begin = ExpectBegin("after ACCELERATORS");
    using Entry = mivo::AcceleratorEntry;
    std::vector<Entry> entries;
    while (!AcceptEnd(begin)) {
        Location loc = tokens_.Peek().loc;
        bool isString = tokens_.Peek().kind == TokenKind::String;
        std::u32string event;
        int64_t keyNumber = 0;
        if (isString)
            event = Text("accelerator key").str;
        else
            keyNumber = Number("an accelerator key");
        Comma("after the accelerator key");
        int64_t id = Number("a command id");
        uint16_t flags = 0;
        bool ascii = false;
        while (true) {
            bool comma = tokens_.Peek().IsPunct(",");
            const Token& opt = tokens_.Peek(comma ? 1 : 0);
            static const struct {
                const char* name;
                uint16_t flag;
            } options[] = {{"VIRTKEY", kVirtKey}, {"ASCII", 0}, {"NOINVERT", kNoInvert},
                           {"ALT", kAlt}, {"SHIFT", kShift}, {"CONTROL", kControl}};
            int found = -1;
            for (int k = 0; k < 6; ++k)
                if (KeywordEquals(opt, options[k].name))
                    found = k;
            if (found < 0) {
                if (comma)
                    throw RcError(opt.loc, "unknown accelerator option " + Describe(opt));
                break;
            }
            if (comma)
                tokens_.Next();
            tokens_.Next();
            flags |= options[found].flag;
            ascii = ascii || found == 1;
        }
        if (ascii && (flags & kVirtKey))
            throw RcError(loc, "an accelerator cannot be both ASCII and VIRTKEY");
        uint32_t key;
        if (isString) {
            if (event.size() == 2 && event[0] == '^') {
                if (flags & kVirtKey)
                    throw RcError(loc, "a \"^\" control-key accelerator cannot be VIRTKEY");
                char32_t c = event[1];
                if (c >= 'a' && c <= 'z')
                    c = c - 'a' + 'A';
                if (c < 'A' || c > 'Z')
                    throw RcError(loc, "\"^\" must be followed by a letter");
                key = c - 'A' + 1;
            } else if (event.size() == 1 && event[0] < 0x80) {
                key = event[0];
                if ((flags & kVirtKey) && key >= 'a' && key <= 'z')
                    key = key - 'a' + 'A';
            } else {
                throw RcError(loc, "accelerator key must be one ASCII character or \"^\" and a letter");
            }
        } else {
            key = (uint32_t)keyNumber;
        }
        if (!(flags & kVirtKey) && (flags & (kShift | kControl)))
            Warn(loc, "SHIFT and CONTROL apply only to VIRTKEY accelerators");
        entries.push_back(Entry{flags, (uint16_t)key, (uint16_t)id});
    }
    return mivo::WriteAcceleratorTable(entries);
}

std::vector<uint8_t> ScriptParser::Toolbar()
{
    SkipMemoryOptions();
    int64_t width = Number("the button width");
    Comma("between button width and height");
    int64_t height = Number("the button height");
    SkipCommonStatements();
    Location begin = ExpectBegin("after TOOLBAR");
    std::vector<uint16_t> ids;
    while (!AcceptEnd(begin)) {
        if (tokens_.AcceptKeyword("BUTTON")) {
            ids.push_back((uint16_t)Number("a command id"));
        } else if (tokens_.AcceptKeyword("SEPARATOR")) {
            ids.push_back(0);
        } else {
            const Token& t = tokens_.Peek();
            throw RcError(t.loc, "unknown toolbar statement " + Describe(t) + " (BUTTON, SEPARATOR or END)");
        }
    }
    return mivo::WriteToolBarResource((uint16_t)width, (uint16_t)height, ids);
}

}  // namespace rc
