#include "gdi/TextCodec.h"

#include "win32/codepage.h"
#include "mivo/codepage.h"

namespace mivo {
namespace gdi {

void AnsiCharBytes(const char* s, size_t len, std::u16string& wide, std::basic_string<unsigned char>& bytes)
{
    wide.clear();
    bytes.clear();
    if (s == nullptr)
        return;
    for (size_t i = 0; i < len;) {
        unsigned char ch = (unsigned char)s[i];
        if (ch >= 0x81 && ch <= 0xFE && i + 1 >= len)
            break;  // a lead byte without its trail byte
        char16_t w;
        bool valid;
        int n = mivo::DecodeAnsiChar(s, len, i, w, valid);
        wide.push_back(valid ? w : (char16_t)0xFFFD);
        bytes.push_back((unsigned char)n);
        i += n;
    }
}

std::u16string AnsiToWide(const char* s, size_t len)
{
    std::u16string wide;
    std::basic_string<unsigned char> bytes;
    AnsiCharBytes(s, len, wide, bytes);
    return wide;
}

std::string WideToAnsi(const std::u16string& s)
{
    return mivo::Utf16ToAnsi(s);
}

}  // namespace gdi
}  // namespace mivo
