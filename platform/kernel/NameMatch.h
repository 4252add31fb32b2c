// Area interface (the file dialog's type filter): file-name wildcards as Windows matches them, ignoring ASCII case.
#pragma once

#include <string>
#include <vector>

namespace mivo {

// "*" matches any run of characters, "?" one character (or none before a dot
// or at the end), "*." and ".*" follow the old DOS rules: "*.*" matches every
// name, "*." names without a dot, "a*b.*" also "ab". Names are UTF-8 and
// compared by character.
class NameMatcher {
public:
    // False for an empty pattern or one with characters no name can hold.
    bool Compile(const std::string& utf8Pattern);
    bool Matches(const std::string& utf8Name) const;
    bool HasWildcards() const { return wildcards_; }

private:
    enum Kind { Literal, Star, AnyOne, StarToLastDot, DotOrEnd };
    struct Token {
        Kind kind;
        char32_t ch;
    };
    std::vector<Token> tokens_;
    bool wildcards_ = false;
};

// The code points of a UTF-8 string; false on malformed bytes.
bool DecodeUtf8(const std::string& utf8, std::u32string& out);

}  // namespace mivo
