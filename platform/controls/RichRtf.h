// Rich text (RTF) in and out of a rich edit document: the subset a small
// editor writes (fonts, colours, bold, italic, underline, sizes, paragraph
// alignment, indents and bullets), with \'hh bytes in CP949 and \uN characters.
// Streams come from outside: malformed input is read as far as it makes sense
// and never breaks the reader.
#pragma once

#include "controls/RichText.h"

#include <string>

namespace mivo {

// Groups nested deeper than this are read as plain text of the enclosing one.
const int kMaxRtfDepth = 100;
// Entries kept of the font and colour tables.
const int kMaxRtfFonts = 256;
const int kMaxRtfColours = 256;
// Numeric parameters are clamped to this magnitude.
const long kMaxRtfParameter = 1000000;

// True when `data` begins like rich text ("{\rtf", blanks before it allowed).
bool LooksLikeRtf(const std::string& data);
// Reads `data` into a new document whose text starts in `base` and `para`.
RichText ReadRtf(const std::string& data, const CHARFORMATA& base, const PARAFORMAT& para);
// Writes [start, end) of a document as rich text.
std::string WriteRtf(const RichText& text, size_t start, size_t end);

}  // namespace mivo
