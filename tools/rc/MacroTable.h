// #define'd names of a script, its headers and the compiler's built-in Win32 constants.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Token.h"

namespace rc {

struct Macro {
    bool functionLike = false;
    std::vector<Token> body;
    std::string brokenBody;  // set when the body could not be read as tokens
};

class MacroTable {
public:
    MacroTable();

    void Define(const std::string& name, const std::string& bodyText, bool functionLike, const Location& loc);
    void DefineNumber(const std::string& name, int64_t value);
    void DefineString(const std::string& name, const std::string& value);
    void Undefine(const std::string& name) { macros_.erase(name); }
    bool IsDefined(const std::string& name) const { return macros_.count(name) != 0; }
    const Macro* Find(const std::string& name) const;

private:
    std::map<std::string, Macro> macros_;
};

}  // namespace rc
