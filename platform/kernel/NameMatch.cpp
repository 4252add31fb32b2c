#include "kernel/NameMatch.h"

namespace mivo {

namespace {

char32_t Fold(char32_t c)
{
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

bool IsForbidden(char32_t c)
{
    return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '/' || c == '\\';
}

}  // namespace

bool DecodeUtf8(const std::string& utf8, std::u32string& out)
{
    out.clear();
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        int extra;
        char32_t cp;
        if (b < 0x80) {
            extra = 0;
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(extra) >= utf8.size() && extra > 0)
            return false;
        for (int k = 1; k <= extra; ++k) {
            unsigned char t = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        out.push_back(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return true;
}

bool NameMatcher::Compile(const std::string& utf8Pattern)
{
    tokens_.clear();
    wildcards_ = false;
    std::u32string p;
    if (utf8Pattern.empty() || !DecodeUtf8(utf8Pattern, p))
        return false;
    if (p == U"*.*")
        p.assign(1, U'*');  // not `= U"*"`: g++ 12 warns falsely (-Wrestrict) on that form
    for (char32_t c : p) {
        if (IsForbidden(c))
            return false;
    }
    for (size_t i = 0; i < p.size(); ++i) {
        char32_t next = i + 1 < p.size() ? p[i + 1] : 0;
        if (p[i] == '*') {
            tokens_.push_back({next == '.' ? StarToLastDot : Star, 0});
            wildcards_ = true;
        } else if (p[i] == '?') {
            tokens_.push_back({AnyOne, 0});
            wildcards_ = true;
        } else if (p[i] == '.' && (next == 0 || next == '*' || next == '?')) {
            tokens_.push_back({DotOrEnd, 0});
        } else {
            tokens_.push_back({Literal, Fold(p[i])});
        }
    }
    if (!wildcards_) {
        // A plain name loses trailing dots and spaces, as in any path.
        while (!tokens_.empty() && (tokens_.back().kind == DotOrEnd ||
                                    (tokens_.back().kind == Literal && tokens_.back().ch == ' ')))
            tokens_.pop_back();
        if (tokens_.empty())
            return false;
    }
    return true;
}

bool NameMatcher::Matches(const std::string& utf8Name) const
{
    std::u32string name;
    if (!DecodeUtf8(utf8Name, name))
        return false;
    const size_t n = name.size();
    const size_t t = tokens_.size();
    long lastDot = -1;
    for (size_t i = 0; i < n; ++i) {
        if (name[i] == '.')
            lastDot = static_cast<long>(i);
    }
    // reach[k][i]: tokens before k have matched the first i characters.
    std::vector<std::vector<char>> reach(t + 1, std::vector<char>(n + 1, 0));
    reach[0][0] = 1;
    for (size_t k = 0; k < t; ++k) {
        const Token& token = tokens_[k];
        for (size_t i = 0; i <= n; ++i) {
            if (!reach[k][i])
                continue;
            const bool more = i < n;
            switch (token.kind) {
            case Literal:
                if (more && Fold(name[i]) == token.ch)
                    reach[k + 1][i + 1] = 1;
                break;
            case Star:
                reach[k + 1][i] = 1;
                if (more)
                    reach[k][i + 1] = 1;
                break;
            case AnyOne:
                if (more && name[i] != '.')
                    reach[k + 1][i + 1] = 1;
                else
                    reach[k + 1][i] = 1;
                break;
            case StarToLastDot:
                reach[k + 1][i] = 1;
                if (more && static_cast<long>(i) != lastDot)
                    reach[k][i + 1] = 1;
                break;
            case DotOrEnd:
                if (more && name[i] == '.')
                    reach[k + 1][i + 1] = 1;
                else if (!more)
                    reach[k + 1][i] = 1;
                break;
            }
        }
    }
    return reach[t][n] != 0;
}

}  // namespace mivo
