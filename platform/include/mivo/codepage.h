// CP949 text helpers: double-byte-safe cutting and case folding, and the
// conversions at the layer's edges (UTF-8, UTF-16).
#pragma once

#include "win32/types.h"

#include <cstddef>
#include <string>

namespace mivo {

// True when `s[i]` starts a double-byte character (a lead byte followed by a trail byte).
bool IsLeadAt(const char* s, size_t len, size_t i);
// Length of the longest prefix of `s` no longer than `maxBytes` that does not split a character.
size_t CutToCharBoundary(const char* s, size_t len, size_t maxBytes);
// Copies at most maxBytes bytes of text (null: nothing) into out, cut by CutToCharBoundary, and ends
// it with a zero (out holds maxBytes + 1); the length copied.
size_t CopyCutToCharBoundary(char* out, const char* text, size_t maxBytes);
// Double-byte-aware ASCII case folding in place; double-byte characters are never altered.
void AnsiUpper(char* s, size_t len);
void AnsiLower(char* s, size_t len);
// Case-insensitive compare that folds only single-byte ASCII letters.
int AnsiCompareNoCase(const char* a, const char* b);

// Decodes the character at s[i]: its UTF-16 unit and its byte count (1 or 2).
// `valid` is false for bytes with no mapping (the unit is then '?').
int DecodeAnsiChar(const char* s, size_t len, size_t i, char16_t& out, bool& valid);

// Conversions at the layer's edges. Return false on bytes with no mapping;
// the output then holds what could be converted, with '?' in the gaps.
bool AnsiToUtf8(const std::string& ansi, std::string& utf8);
bool Utf8ToAnsi(const std::string& utf8, std::string& ansi);
std::string ToUtf8(const char* ansi);
std::string ToAnsi(const std::string& utf8);
std::u16string AnsiToUtf16(const std::string& ansi);
std::string Utf16ToAnsi(const std::u16string& wide);

}  // namespace mivo
