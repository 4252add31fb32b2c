#include "MacroTable.h"

#include "Tokenizer.h"
#include "Win32Constants.h"

namespace rc {

MacroTable::MacroTable()
{
    for (const NamedConstant* c = Win32Constants(); c->name; ++c)
        DefineNumber(c->name, c->value);
    for (const NamedString* s = Win32ClassNames(); s->name; ++s)
        DefineString(s->name, s->value);
    DefineNumber("RC_INVOKED", 1);
    DefineNumber("MIVO_RC", 1);
}

void MacroTable::Define(const std::string& name, const std::string& bodyText, bool functionLike, const Location& loc)
{
    Macro m;
    m.functionLike = functionLike;
    if (!functionLike) {
        try {
            m.body = Tokenizer::Split(bodyText, loc);
        } catch (const RcError& e) {
            // Headers may define things the compiler never needs; complain only on use.
            m.brokenBody = e.what();
        }
    }
    macros_[name] = std::move(m);
}

void MacroTable::DefineNumber(const std::string& name, int64_t value)
{
    Macro m;
    Token t;
    t.kind = TokenKind::Number;
    t.number = value;
    t.text = std::to_string(value);
    m.body.push_back(t);
    macros_[name] = std::move(m);
}

void MacroTable::DefineString(const std::string& name, const std::string& value)
{
    Macro m;
    Token t;
    t.kind = TokenKind::String;
    t.str.assign(value.begin(), value.end());
    m.body.push_back(t);
    macros_[name] = std::move(m);
}

const Macro* MacroTable::Find(const std::string& name) const
{
    auto it = macros_.find(name);
    return it == macros_.end() ? nullptr : &it->second;
}

}  // namespace rc
