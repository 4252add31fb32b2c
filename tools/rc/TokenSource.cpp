#include "TokenSource.h"

#include <strings.h>

namespace rc {

namespace {
constexpr int kMaxExpansionDepth = 64;
constexpr int kMaxExpressionDepth = 256;
}

bool KeywordEquals(const Token& t, const char* kw)
{
    return t.kind == TokenKind::Identifier && strcasecmp(t.text.c_str(), kw) == 0;
}

void TokenSource::Expand(size_t index)
{
    while (true) {
        while (queue_.size() <= index)
            queue_.push_back(FetchRaw());
        const Token& t = queue_[index];
        if (t.kind != TokenKind::Identifier)
            return;
        const Macro* m = macros_.Find(t.text);
        if (!m)
            return;
        if (m->functionLike)
            throw RcError(t.loc, "macro '" + t.text + "' takes arguments and cannot be used here");
        if (!m->brokenBody.empty())
            throw RcError(t.loc, "macro '" + t.text + "' has an unreadable value: " + m->brokenBody);
        if (t.depth >= kMaxExpansionDepth)
            throw RcError(t.loc, "macro '" + t.text + "' expands into itself");
        Token use = t;
        queue_.erase(queue_.begin() + index);
        for (size_t k = m->body.size(); k-- > 0;) {
            Token b = m->body[k];
            b.loc = use.loc;
            b.depth = use.depth + 1;
            queue_.insert(queue_.begin() + index, b);
        }
    }
}

const Token& TokenSource::Peek(size_t ahead)
{
    for (size_t i = 0; i <= ahead; ++i)
        Expand(i);
    return queue_[ahead];
}

Token TokenSource::Next()
{
    Peek();
    Token t = queue_.front();
    if (t.kind != TokenKind::End)
        queue_.pop_front();
    return t;
}

bool TokenSource::AcceptPunct(const char* p)
{
    if (Peek().IsPunct(p)) {
        Next();
        return true;
    }
    return false;
}

void TokenSource::ExpectPunct(const char* p, const char* what)
{
    const Token& t = Peek();
    if (!t.IsPunct(p))
        throw RcError(t.loc, std::string("expected '") + p + "' " + what);
    Next();
}

bool TokenSource::PeekKeyword(const char* kw, size_t ahead)
{
    return KeywordEquals(Peek(ahead), kw);
}

bool TokenSource::AcceptKeyword(const char* kw)
{
    if (PeekKeyword(kw)) {
        Next();
        return true;
    }
    return false;
}

Token VectorTokenSource::FetchRaw()
{
    if (next_ < tokens_.size())
        return tokens_[next_++];
    Token end;
    end.loc = end_;
    return end;
}

namespace {

int Precedence(const Token& t)
{
    if (t.kind != TokenKind::Punct)
        return 0;
    static const struct {
        const char* op;
        int prec;
    } table[] = {
        {"||", 1}, {"&&", 2}, {"|", 3}, {"^", 4}, {"&", 5}, {"==", 6}, {"!=", 6},
        {"<", 7}, {">", 7}, {"<=", 7}, {">=", 7}, {"<<", 8}, {">>", 8},
        {"+", 9}, {"-", 9}, {"*", 10}, {"/", 10}, {"%", 10},
    };
    for (const auto& e : table)
        if (t.text == e.op)
            return e.prec;
    return 0;
}

int64_t Apply(const Token& op, int64_t a, int64_t b)
{
    const std::string& o = op.text;
    if (o == "||") return (a || b) ? 1 : 0;
    if (o == "&&") return (a && b) ? 1 : 0;
    if (o == "|") return a | b;
    if (o == "^") return a ^ b;
    if (o == "&") return a & b;
    if (o == "==") return a == b;
    if (o == "!=") return a != b;
    if (o == "<") return a < b;
    if (o == ">") return a > b;
    if (o == "<=") return a <= b;
    if (o == ">=") return a >= b;
    if (o == "<<") return (b < 0 || b > 63) ? 0 : (int64_t)((uint64_t)a << b);
    if (o == ">>") return (b < 0 || b > 63) ? 0 : a >> b;
    if (o == "+") return a + b;
    if (o == "-") return a - b;
    if (o == "*") return a * b;
    if (b == 0)
        throw RcError(op.loc, "division by zero");
    if (o == "/") return a / b;
    return a % b;
}

// Keeps values in the 32-bit range the resource formats hold.
int64_t Wrap32(int64_t v)
{
    return (int64_t)(int32_t)(uint32_t)v;
}

}  // namespace

bool ExpressionEvaluator::StartsOperand()
{
    const Token& t = src_.Peek();
    if (t.kind == TokenKind::Number || t.kind == TokenKind::Identifier)
        return true;
    return t.IsPunct("(") || t.IsPunct("-") || t.IsPunct("~") || t.IsPunct("!") || t.IsPunct("+");
}

Value ExpressionEvaluator::Expression()
{
    return Binary(1);
}

uint32_t ExpressionEvaluator::Style(uint32_t base)
{
    uint32_t value = base;
    do {
        if (src_.AcceptKeyword("NOT"))
            value &= ~(uint32_t)Binary(4).v;
        else
            value |= (uint32_t)Binary(4).v;
    } while (src_.AcceptPunct("|"));
    return value;
}

Value ExpressionEvaluator::Binary(int minPrecedence)
{
    Value left = Unary();
    while (true) {
        const Token& op = src_.Peek();
        int prec = Precedence(op);
        if (prec == 0 || prec < minPrecedence)
            return left;
        Token opToken = src_.Next();
        Value right = Binary(prec + 1);
        left.v = Wrap32(Apply(opToken, left.v, right.v));
        left.isLong = left.isLong || right.isLong;
    }
}

Value ExpressionEvaluator::Unary()
{
    // Deeply nested operators or parentheses end in an error, not a stack overflow.
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(++d) {}
        ~DepthGuard() { --depth; }
    } guard(depth_);
    const Token& t = src_.Peek();
    if (depth_ > kMaxExpressionDepth)
        throw RcError(t.loc, "expression nested too deeply");
    if (t.IsPunct("-")) {
        src_.Next();
        Value v = Unary();
        v.v = Wrap32(-v.v);
        return v;
    }
    if (t.IsPunct("+")) {
        src_.Next();
        return Unary();
    }
    if (t.IsPunct("~") || KeywordEquals(t, "NOT")) {
        src_.Next();
        Value v = Unary();
        v.v = Wrap32(~v.v);
        return v;
    }
    if (t.IsPunct("!")) {
        src_.Next();
        Value v = Unary();
        v.v = v.v ? 0 : 1;
        return v;
    }
    return Primary();
}

Value ExpressionEvaluator::Primary()
{
    Token t = src_.Next();
    if (t.kind == TokenKind::Number) {
        Value v;
        v.v = Wrap32(t.number);
        v.isLong = t.isLong;
        return v;
    }
    if (t.IsPunct("(")) {
        Value v = Expression();
        src_.ExpectPunct(")", "to close the parenthesis");
        return v;
    }
    if (t.kind == TokenKind::Identifier) {
        if (unknownIsZero_)
            return Value();
        throw RcError(t.loc, "undefined identifier '" + t.text + "'");
    }
    if (t.kind == TokenKind::End)
        throw RcError(t.loc, "expression expected before the end of the file");
    if (t.kind == TokenKind::String)
        throw RcError(t.loc, "number expected, found a string");
    throw RcError(t.loc, "number expected, found '" + t.text + "'");
}

}  // namespace rc
