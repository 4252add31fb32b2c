#include "gdi/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace mivo {
namespace gdi {

namespace {

bool IsLead(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

// Converts one CP949 character (1 or 2 bytes); false when it has no mapping.
bool DecodeOne(iconv_t cd, const char* s, size_t n, char16_t& out)
{
    char in[2] = {s[0], n > 1 ? s[1] : (char)0};
    char buf[8];
    char* inp = in;
    size_t inLeft = n;
    char* outp = buf;
    size_t outLeft = sizeof(buf);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == (size_t)-1 || inLeft != 0)
        return false;
    if (sizeof(buf) - outLeft != 2)
        return false;
    out = (char16_t)((unsigned char)buf[0] | ((unsigned char)buf[1] << 8));
    return true;
}

struct Converters {
    std::mutex lock;
    iconv_t toWide = iconv_open("UTF-16LE", "CP949");
    iconv_t toAnsi = iconv_open("CP949", "UTF-16LE");
};

Converters& Conv()
{
    static Converters* c = new Converters;
    return *c;
}

}  // namespace

void AnsiCharBytes(const char* s, size_t len, std::u16string& wide, std::basic_string<unsigned char>& bytes)
{
    wide.clear();
    bytes.clear();
    if (s == nullptr)
        return;
    Converters& c = Conv();
    std::lock_guard<std::mutex> guard(c.lock);
    for (size_t i = 0; i < len;) {
        unsigned char ch = (unsigned char)s[i];
        if (ch < 0x80) {
            wide.push_back((char16_t)ch);
            bytes.push_back(1);
            ++i;
            continue;
        }
        if (IsLead(ch) && i + 1 >= len)
            break;  // a lead byte without its trail byte
        size_t n = IsLead(ch) ? 2 : 1;
        char16_t w = 0xFFFD;
        if (c.toWide == (iconv_t)-1 || !DecodeOne(c.toWide, s + i, n, w))
            w = 0xFFFD;
        wide.push_back(w);
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
    std::string out;
    Converters& c = Conv();
    std::lock_guard<std::mutex> guard(c.lock);
    for (char16_t ch : s) {
        if (ch < 0x80) {
            out.push_back((char)ch);
            continue;
        }
        char in[2] = {(char)(ch & 0xFF), (char)(ch >> 8)};
        char buf[4];
        char* inp = in;
        size_t inLeft = 2;
        char* outp = buf;
        size_t outLeft = sizeof(buf);
        iconv(c.toAnsi, nullptr, nullptr, nullptr, nullptr);
        if (c.toAnsi == (iconv_t)-1 || iconv(c.toAnsi, &inp, &inLeft, &outp, &outLeft) == (size_t)-1)
            out.push_back('?');
        else
            out.append(buf, sizeof(buf) - outLeft);
    }
    return out;
}

}  // namespace gdi
}  // namespace mivo
