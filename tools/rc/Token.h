// Tokens of a resource script and the error every stage reports with.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace rc {

struct Location {
    std::string file;
    int line = 0;
};

// A malformed script: printed as "file:line: message".
class RcError : public std::runtime_error {
public:
    RcError(const Location& where, const std::string& message)
        : std::runtime_error(message), loc(where) {}
    Location loc;
};

enum class TokenKind { End, Identifier, Number, String, Punct };

// Escapes such as "\xB0" in a narrow string stand for a byte, not a character;
// they are kept above the Unicode range so conversions can tell them apart.
constexpr char32_t kRawByteBase = 0x110000;

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;       // identifier name or punctuator
    std::u32string str;     // decoded string literal
    int64_t number = 0;
    bool isLong = false;    // number with an L suffix, or an L"..." string
    Location loc;
    int depth = 0;          // macro expansion depth

    bool IsPunct(const char* p) const { return kind == TokenKind::Punct && text == p; }
};

}  // namespace rc
