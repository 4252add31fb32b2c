// Text conversions of the compiler: script text is UTF-8, templates hold UTF-16,
// narrow data (RCDATA, DLGINIT, resource names) is CP949.
#pragma once

#include <string>

#include "Token.h"

namespace rc {

// Decodes UTF-8; returns false on a malformed sequence.
bool DecodeUtf8(const std::string& in, std::u32string& out);
std::string EncodeUtf8(const std::u32string& in);

// UTF-16 code units; raw bytes from escapes become the unit of the same value.
std::u16string ToUtf16(const std::u32string& in);

// CP949 bytes; raw bytes from escapes pass unchanged. Returns false when a
// character has no CP949 form (it is then written as '?').
bool ToCp949(const std::u32string& in, std::string& out);

// True when every character of the text has a CP949 form.
bool RepresentableInCp949(const std::u32string& in);

}  // namespace rc
