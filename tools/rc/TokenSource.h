// A stream of tokens with object-like macros expanded, and the expression
// grammar of resource scripts and #if lines.
#pragma once

#include <deque>
#include <vector>

#include "MacroTable.h"

namespace rc {

class TokenSource {
public:
    explicit TokenSource(const MacroTable& macros) : macros_(macros) {}
    virtual ~TokenSource() = default;

    const Token& Peek(size_t ahead = 0);
    Token Next();
    bool AcceptPunct(const char* p);
    void ExpectPunct(const char* p, const char* what);
    // Keywords of the script language are not case-sensitive.
    bool PeekKeyword(const char* kw, size_t ahead = 0);
    bool AcceptKeyword(const char* kw);

protected:
    // The next token before macro expansion; an End token at the end.
    virtual Token FetchRaw() = 0;

private:
    void Expand(size_t index);

    const MacroTable& macros_;
    std::deque<Token> queue_;
};

// Tokens of one line, for #if.
class VectorTokenSource : public TokenSource {
public:
    VectorTokenSource(const MacroTable& macros, std::vector<Token> tokens, const Location& end)
        : TokenSource(macros), tokens_(std::move(tokens)), end_(end) {}

protected:
    Token FetchRaw() override;

private:
    std::vector<Token> tokens_;
    size_t next_ = 0;
    Location end_;
};

bool KeywordEquals(const Token& t, const char* kw);

struct Value {
    int64_t v = 0;
    bool isLong = false;
};

class ExpressionEvaluator {
public:
    // unknownIsZero: names that are not defined count as 0 (#if); otherwise they are errors.
    ExpressionEvaluator(TokenSource& src, bool unknownIsZero) : src_(src), unknownIsZero_(unknownIsZero) {}

    Value Expression();
    // A style list: terms joined by '|'; "NOT x" clears x from what is built so far.
    uint32_t Style(uint32_t base);
    bool StartsOperand();

private:
    Value Binary(int minPrecedence);
    Value Unary();
    Value Primary();

    TokenSource& src_;
    bool unknownIsZero_;
    int depth_ = 0;
};

}  // namespace rc
