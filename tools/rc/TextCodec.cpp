#include "TextCodec.h"

#include <iconv.h>

#include <cerrno>

namespace rc {

bool DecodeUtf8(const std::string& in, std::u32string& out)
{
    out.clear();
    size_t i = 0;
    while (i < in.size()) {
        unsigned char c = (unsigned char)in[i];
        char32_t cp;
        int extra;
        if (c < 0x80) {
            cp = c;
            extra = 0;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else {
            return false;
        }
        if (i + (size_t)extra >= in.size() && extra > 0)
            return false;
        for (int k = 1; k <= extra; ++k) {
            unsigned char t = (unsigned char)in[i + k];
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        static const char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out.push_back(cp);
        i += 1 + extra;
    }
    return true;
}

std::string EncodeUtf8(const std::u32string& in)
{
    std::string out;
    for (char32_t cp : in) {
        if (cp >= kRawByteBase) {
            out.push_back((char)(cp - kRawByteBase));
        } else if (cp < 0x80) {
            out.push_back((char)cp);
        } else if (cp < 0x800) {
            out.push_back((char)(0xC0 | (cp >> 6)));
            out.push_back((char)(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back((char)(0xE0 | (cp >> 12)));
            out.push_back((char)(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back((char)(0x80 | (cp & 0x3F)));
        } else {
            out.push_back((char)(0xF0 | (cp >> 18)));
            out.push_back((char)(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back((char)(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back((char)(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::u16string ToUtf16(const std::u32string& in)
{
    std::u16string out;
    for (char32_t cp : in) {
        if (cp >= kRawByteBase) {
            out.push_back((char16_t)(cp - kRawByteBase));
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back((char16_t)(0xD800 + (cp >> 10)));
            out.push_back((char16_t)(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back((char16_t)cp);
        }
    }
    return out;
}

namespace {

class Cp949Converter {
public:
    Cp949Converter() : cd_(iconv_open("CP949", "UTF-8")) {}
    ~Cp949Converter()
    {
        if (cd_ != (iconv_t)-1)
            iconv_close(cd_);
    }
    bool Convert(const std::string& utf8Char, std::string& out)
    {
        if (cd_ == (iconv_t)-1)
            return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* in = const_cast<char*>(utf8Char.data());
        size_t inLeft = utf8Char.size();
        char* dst = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(cd_, &in, &inLeft, &dst, &outLeft) == (size_t)-1)
            return false;
        out.append(buffer, dst - buffer);
        return true;
    }

private:
    iconv_t cd_;
};

}  // namespace

bool ToCp949(const std::u32string& in, std::string& out)
{
    static Cp949Converter converter;
    out.clear();
    bool ok = true;
    for (char32_t cp : in) {
        if (cp >= kRawByteBase) {
            out.push_back((char)(cp - kRawByteBase));
        } else if (cp < 0x80) {
            out.push_back((char)cp);
        } else if (!converter.Convert(EncodeUtf8(std::u32string(1, cp)), out)) {
            out.push_back('?');
            ok = false;
        }
    }
    return ok;
}

bool RepresentableInCp949(const std::u32string& in)
{
    std::string ignored;
    return ToCp949(in, ignored);
}

}  // namespace rc
