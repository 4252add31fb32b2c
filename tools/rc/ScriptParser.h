// Parses a resource script statement by statement and compiles each resource
// into its Windows binary layout. Dialogs, menus and picture files have their
// own compilers; the small formats are compiled here.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "mivo/templatewriter.h"
#include "Preprocessor.h"
#include "ResourceSet.h"
#include "TokenSource.h"

namespace rc {

class ScriptTokens : public TokenSource {
public:
    ScriptTokens(const MacroTable& macros, Preprocessor& pp) : TokenSource(macros), pp_(pp) {}

protected:
    Token FetchRaw() override { return pp_.NextRaw(); }

private:
    Preprocessor& pp_;
};

class ScriptParser {
public:
    ScriptParser(Preprocessor& pp, MacroTable& macros, ResourceSet& out);

    // Reads the whole script; string tables are added at the end.
    void Parse();

    // Shared by the resource compilers.
    TokenSource& Tokens() { return tokens_; }
    Preprocessor& Files() { return pp_; }
    ResourceSet& Resources() { return out_; }
    int64_t Number(const char* what);
    uint32_t Style(uint32_t base, const char* what);
    bool StartsNumber();
    // A string literal. WideText: texts shown to the user must have a CP949
    // form, as every 8-bit text of the program is CP949.
    Token Text(const char* what);
    std::u16string WideText(const char* what);
    // A resource name: a number, or a name (an undefined identifier or a string).
    ResourceId Name(const char* what);
    void SkipMemoryOptions();
    void SkipCommonStatements();
    Location ExpectBegin(const char* what);
    // True (and consumed) at END or '}'; the end of the file is an error
    // reported at the BEGIN that was never closed.
    bool AcceptEnd(const Location& begin);
    // Numbers and strings up to END, as RCDATA holds them.
    void RawData(mivo::TemplateBytes& w, const Location& begin);
    std::vector<uint8_t> ReadDataFile(const Token& fileToken);
    void Comma(const char* what) { tokens_.ExpectPunct(",", what); }
    void Warn(const Location& loc, const std::string& message);

private:
    void Statement();
    void StringTable();
    std::vector<uint8_t> Accelerators();
    std::vector<uint8_t> Toolbar();
    std::vector<uint8_t> RawOrFile(const ResourceId& name, const char* typeName);
    void SkipVersionInfo(const Location& loc);
    void ValidateDlgInit(const std::vector<uint8_t>& data, const Location& loc);
    void AddStringTables();

    Preprocessor& pp_;
    MacroTable& macros_;
    ScriptTokens tokens_;
    ExpressionEvaluator eval_;
    ResourceSet& out_;
    struct StringEntry {
        std::u16string text;
        Location loc;
    };
    std::map<uint16_t, StringEntry> strings_;
};

std::string UpperAscii(std::string s);

}  // namespace rc
