#include "Tokenizer.h"

#include <cctype>
#include <cstring>

#include "TextCodec.h"
#include "mivo/hexdigits.h"

namespace rc {

namespace {

bool IsIdentStart(char c) { return std::isalpha((unsigned char)c) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum((unsigned char)c) || c == '_'; }

class LineLexer {
public:
    LineLexer(const std::string& line, const Location& loc) : s_(line), loc_(loc) {}

    std::vector<Token> Run()
    {
        std::vector<Token> out;
        while (true) {
            while (pos_ < s_.size() && std::isspace((unsigned char)s_[pos_]))
                ++pos_;
            if (pos_ >= s_.size())
                break;
            out.push_back(Next());
        }
        return out;
    }

private:
    Token Make(TokenKind kind)
    {
        Token t;
        t.kind = kind;
        t.loc = loc_;
        return t;
    }

    Token Next()
    {
        char c = s_[pos_];
        if ((c == 'L' || c == 'l') && pos_ + 1 < s_.size() && s_[pos_ + 1] == '"') {
            ++pos_;
            return String(true);
        }
        if (IsIdentStart(c))
            return Identifier();
        if (std::isdigit((unsigned char)c))
            return Number();
        if (c == '"')
            return String(false);
        if (c == '\'')
            return CharConstant();
        return Punct();
    }

    Token Identifier()
    {
        Token t = Make(TokenKind::Identifier);
        size_t start = pos_;
        while (pos_ < s_.size() && IsIdentChar(s_[pos_]))
            ++pos_;
        t.text = s_.substr(start, pos_ - start);
        return t;
    }

    Token Number()
    {
        Token t = Make(TokenKind::Number);
        size_t start = pos_;
        uint64_t value = 0;
        bool hex = s_[pos_] == '0' && pos_ + 1 < s_.size() && (s_[pos_ + 1] == 'x' || s_[pos_ + 1] == 'X');
        if (hex) {
            pos_ += 2;
            size_t digits = 0;
            while (pos_ < s_.size() && mivo::HexDigitValue(s_[pos_]) >= 0) {
                value = value * 16 + mivo::HexDigitValue(s_[pos_++]);
                if (value > 0xFFFFFFFFull)
                    throw RcError(loc_, "number too large: " + s_.substr(start, pos_ - start));
                ++digits;
            }
            if (digits == 0)
                throw RcError(loc_, "malformed number: " + s_.substr(start, pos_ - start));
        } else {
            while (pos_ < s_.size() && std::isdigit((unsigned char)s_[pos_])) {
                value = value * 10 + (s_[pos_++] - '0');
                if (value > 0xFFFFFFFFull)
                    throw RcError(loc_, "number too large: " + s_.substr(start, pos_ - start));
            }
        }
        while (pos_ < s_.size() && std::strchr("lLuU", s_[pos_]) && s_[pos_] != '\0') {
            if (s_[pos_] == 'l' || s_[pos_] == 'L')
                t.isLong = true;
            ++pos_;
        }
        if (pos_ < s_.size() && IsIdentChar(s_[pos_]))
            throw RcError(loc_, "malformed number: " + s_.substr(start, pos_ - start + 1));
        t.number = (int64_t)value;
        t.text = s_.substr(start, pos_ - start);
        return t;
    }

    // Reads one escape after the backslash; returns the character or raw byte.
    char32_t Escape(bool wide)
    {
        if (pos_ >= s_.size())
            throw RcError(loc_, "unterminated string");
        char c = s_[pos_++];
        switch (c) {
        case 'n': return '\n';
        case 'r': return '\r';
        case 't': return '\t';
        case 'a': return 0x08;  // right-aligns the rest of a menu item's text
        case 'b': return 0x08;
        case 'f': return 0x0C;
        case 'v': return 0x0B;
        case '\\': return '\\';
        case '"': return '"';
        case '\'': return '\'';
        case '?': return '?';
        default: break;
        }
        uint32_t value = 0;
        if (c >= '0' && c <= '7') {
            value = c - '0';
            for (int k = 0; k < 2 && pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '7'; ++k)
                value = value * 8 + (s_[pos_++] - '0');
        } else if (c == 'x' || c == 'X') {
            int maxDigits = wide ? 4 : 2;
            int digits = 0;
            while (digits < maxDigits && pos_ < s_.size() && mivo::HexDigitValue(s_[pos_]) >= 0) {
                value = value * 16 + mivo::HexDigitValue(s_[pos_++]);
                ++digits;
            }
            if (digits == 0)
                throw RcError(loc_, "malformed \\x escape in string");
        } else {
            // Unknown escapes keep the backslash, as the Windows compiler does.
            --pos_;
            return '\\';
        }
        if (wide || value < 0x80)
            return value;
        return kRawByteBase + (value & 0xFF);
    }

    Token String(bool wide)
    {
        Token t = Make(TokenKind::String);
        t.isLong = wide;
        ++pos_;  // opening quote
        std::string pendingUtf8;
        auto flush = [&]() {
            std::u32string decoded;
            if (!DecodeUtf8(pendingUtf8, decoded))
                throw RcError(loc_, "string is not valid UTF-8");
            t.str += decoded;
            pendingUtf8.clear();
        };
        while (true) {
            if (pos_ >= s_.size())
                throw RcError(loc_, "unterminated string");
            char c = s_[pos_++];
            if (c == '"') {
                if (pos_ < s_.size() && s_[pos_] == '"') {
                    pendingUtf8.push_back('"');
                    ++pos_;
                    continue;
                }
                break;
            }
            if (c == '\\') {
                flush();
                t.str.push_back(Escape(wide));
                continue;
            }
            pendingUtf8.push_back(c);
        }
        flush();
        return t;
    }

    Token CharConstant()
    {
        Token t = Make(TokenKind::Number);
        ++pos_;
        if (pos_ >= s_.size())
            throw RcError(loc_, "unterminated character constant");
        char32_t value = (unsigned char)s_[pos_++];
        if (value == '\\')
            value = Escape(false);
        if (value >= kRawByteBase)
            value -= kRawByteBase;
        if (pos_ >= s_.size() || s_[pos_] != '\'')
            throw RcError(loc_, "unterminated character constant");
        ++pos_;
        t.number = value;
        t.text = "'";
        return t;
    }

    Token Punct()
    {
        static const char* twoChar[] = {"<<", ">>", "<=", ">=", "==", "!=", "&&", "||"};
        Token t = Make(TokenKind::Punct);
        for (const char* op : twoChar) {
            if (s_.compare(pos_, 2, op) == 0) {
                t.text = op;
                pos_ += 2;
                return t;
            }
        }
        char c = s_[pos_];
        if (std::strchr(",|&^+-*/%~!(){}<>=#", c) && c != '\0') {
            t.text = std::string(1, c);
            ++pos_;
            return t;
        }
        if ((unsigned char)c >= 0x80)
            throw RcError(loc_, "unexpected non-ASCII text outside a string");
        throw RcError(loc_, std::string("unexpected character '") + c + "'");
    }

    const std::string& s_;
    Location loc_;
    size_t pos_ = 0;
};

}  // namespace

std::vector<Token> Tokenizer::Split(const std::string& line, const Location& loc)
{
    return LineLexer(line, loc).Run();
}

}  // namespace rc
