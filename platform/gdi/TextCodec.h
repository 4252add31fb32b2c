// CP949 <-> UTF-16 for text that GDI draws and measures.
#pragma once

#include <cstddef>
#include <string>

namespace mivo {
namespace gdi {

// Bytes with no mapping become U+FFFD; a lead byte cut off at the end is dropped.
std::u16string AnsiToWide(const char* s, size_t len);
// Characters with no CP949 form become '?'.
std::string WideToAnsi(const std::u16string& s);
// Number of CP949 bytes that each UTF-16 unit of AnsiToWide(s) came from.
void AnsiCharBytes(const char* s, size_t len, std::u16string& wide, std::basic_string<unsigned char>& bytes);

}  // namespace gdi
}  // namespace mivo
