// Splits one line of script text (comments already removed) into tokens.
#pragma once

#include <vector>

#include "Token.h"

namespace rc {

class Tokenizer {
public:
    static std::vector<Token> Split(const std::string& line, const Location& loc);
};

}  // namespace rc
