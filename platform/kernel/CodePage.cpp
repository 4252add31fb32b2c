// Code page 949 (Unified Hangul Code) through tables built once from iconv,
// so conversions are lookups with no shared conversion state.
#include "win32/codepage.h"
#include "win32/errors.h"
#include "mivo/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

const DWORD kErrInsufficientBuffer = ERROR_INSUFFICIENT_BUFFER;
const DWORD kErrInvalidParameter = ERROR_INVALID_PARAMETER;
const DWORD kErrNoUnicodeTranslation = ERROR_NO_UNICODE_TRANSLATION;
const char16_t kDefaultWide = u'?';

bool isLeadByte(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

bool isTrailByte(unsigned char b)
{
    return (b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A) || (b >= 0x81 && b <= 0xFE);
}

// Double-byte code (lead << 8 | trail) <-> UTF-16 unit. Hangul and hanja in
// CP949 are all in the basic multilingual plane.
struct Tables {
    std::vector<char16_t> toWide;   // index (lead - 0x81) * 256 + trail, 0 = undefined
    std::vector<uint16_t> fromWide; // index UTF-16 unit, 0 = no mapping
};

const Tables& tables()
{
    static Tables t;
    static std::once_flag once;
    std::call_once(once, [] {
        t.toWide.assign(0x7E * 256, 0);
        t.fromWide.assign(0x10000, 0);
        iconv_t cd = iconv_open("UTF-16LE", "CP949");
        if (cd == (iconv_t)-1)
            return;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x41; trail <= 0xFE; ++trail) {
                if (!isTrailByte((unsigned char)trail))
                    continue;
                char in[2] = {(char)lead, (char)trail};
                unsigned char out[8];
                char* pin = in;
                char* pout = (char*)out;
                size_t inLeft = 2, outLeft = sizeof out;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(cd, &pin, &inLeft, &pout, &outLeft) == (size_t)-1 || outLeft != sizeof out - 2)
                    continue;
                char16_t w = (char16_t)(out[0] | (out[1] << 8));
                t.toWide[(lead - 0x81) * 256 + trail] = w;
                if (t.fromWide[w] == 0)
                    t.fromWide[w] = (uint16_t)((lead << 8) | trail);
            }
        }
        iconv_close(cd);
    });
    return t;
}

// Decodes one character at s[i]; returns its byte length (1 or 2) and
// whether it has a mapping.
int decodeAnsi(const unsigned char* s, size_t len, size_t i, char16_t& out, bool& valid)
{
    unsigned char b = s[i];
    valid = true;
    if (b < 0x80) {
        out = b;
        return 1;
    }
    if (isLeadByte(b) && i + 1 < len && isTrailByte(s[i + 1])) {
        char16_t w = tables().toWide[(b - 0x81) * 256 + s[i + 1]];
        out = w ? w : kDefaultWide;
        valid = w != 0;
        return 2;
    }
    out = kDefaultWide;
    valid = false;
    return 1;
}

// Encodes one UTF-16 unit as CP949 bytes; returns the byte count (0 = none).
int encodeAnsi(char16_t w, unsigned char out[2])
{
    if (w < 0x80) {
        out[0] = (unsigned char)w;
        return 1;
    }
    uint16_t code = tables().fromWide[w];
    if (code == 0)
        return 0;
    out[0] = (unsigned char)(code >> 8);
    out[1] = (unsigned char)code;
    return 2;
}

void appendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += (char)cp;
    } else if (cp < 0x800) {
        out += (char)(0xC0 | (cp >> 6));
        out += (char)(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += (char)(0xE0 | (cp >> 12));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    } else {
        out += (char)(0xF0 | (cp >> 18));
        out += (char)(0x80 | ((cp >> 12) & 0x3F));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 code point; returns bytes used, and 0xFFFD for bad input.
int decodeUtf8(const unsigned char* s, size_t len, size_t i, uint32_t& cp)
{
    unsigned char b = s[i];
    int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > len) {
        cp = 0xFFFD;
        return 1;
    }
    if (n == 1) {
        cp = b;
        return 1;
    }
    cp = b & (0x7F >> n);
    for (int k = 1; k < n; ++k) {
        if ((s[i + k] & 0xC0) != 0x80) {
            cp = 0xFFFD;
            return 1;
        }
        cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    static const uint32_t minimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    return n;
}

bool isAnsiCodePage(UINT cp)
{
    return cp == CP_ACP || cp == CP_OEMCP || cp == CP_THREAD_ACP || cp == CP_MACCP || cp == 949;
}

std::u16string utf8ToUtf16(const char* s, size_t len, bool& valid)
{
    std::u16string out;
    valid = true;
    const unsigned char* u = (const unsigned char*)s;
    for (size_t i = 0; i < len;) {
        uint32_t cp;
        int n = decodeUtf8(u, len, i, cp);
        if (cp == 0xFFFD && !(n == 3 && u[i] == 0xEF && u[i + 1] == 0xBF && u[i + 2] == 0xBD))
            valid = false;
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += (char16_t)(0xD800 + (cp >> 10));
            out += (char16_t)(0xDC00 + (cp & 0x3FF));
        } else {
            out += (char16_t)cp;
        }
    }
    return out;
}

std::string utf16ToUtf8(const char16_t* w, size_t len)
{
    std::string out;
    for (size_t i = 0; i < len; ++i) {
        uint32_t cp = w[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < len && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (w[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::u16string ansiToUtf16(const char* s, size_t len, bool& valid)
{
    std::u16string out;
    out.reserve(len);
    valid = true;
    const unsigned char* u = (const unsigned char*)s;
    for (size_t i = 0; i < len;) {
        char16_t w;
        bool ok;
        i += decodeAnsi(u, len, i, w, ok);
        valid = valid && ok;
        out += w;
    }
    return out;
}

std::string utf16ToAnsi(const char16_t* w, size_t len, bool& valid)
{
    std::string out;
    out.reserve(len * 2);
    valid = true;
    for (size_t i = 0; i < len; ++i) {
        unsigned char b[2];
        int n = encodeAnsi(w[i], b);
        if (n == 0) {
            valid = false;
            out += '?';
            if (w[i] >= 0xD800 && w[i] <= 0xDBFF && i + 1 < len)
                ++i;
            continue;
        }
        out.append((const char*)b, n);
    }
    return out;
}

size_t wideLength(LPCWSTR s)
{
    size_t n = 0;
    while (s[n])
        ++n;
    return n;
}

// Copies a converted text to a caller's buffer with Windows' size rules.
template <class Ch>
int deliver(const std::basic_string<Ch>& text, Ch* dst, int cap)
{
    if (cap == 0)
        return (int)text.size();
    if ((size_t)cap < text.size()) {
        SetLastError(kErrInsufficientBuffer);
        return 0;
    }
    std::memcpy(dst, text.data(), text.size() * sizeof(Ch));
    return (int)text.size();
}

}  // namespace

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR src, int cb, LPWSTR dst, int cch)
{
    if (src == nullptr || cb == 0 || cch < 0 || (cch > 0 && dst == nullptr)) {
        SetLastError(kErrInvalidParameter);
        return 0;
    }
    size_t len = cb < 0 ? std::strlen(src) + 1 : (size_t)cb;
    bool valid = true;
    std::u16string wide;
    if (CodePage == CP_UTF8)
        wide = utf8ToUtf16(src, len, valid);
    else if (isAnsiCodePage(CodePage))
        wide = ansiToUtf16(src, len, valid);
    else {
        SetLastError(kErrInvalidParameter);
        return 0;
    }
    if (!valid && (dwFlags & MB_ERR_INVALID_CHARS)) {
        SetLastError(kErrNoUnicodeTranslation);
        return 0;
    }
    return deliver(wide, dst, cch);
}

int WideCharToMultiByte(UINT CodePage, DWORD, LPCWSTR src, int cch, LPSTR dst, int cb, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar)
{
    if (src == nullptr || cch == 0 || cb < 0 || (cb > 0 && dst == nullptr)) {
        SetLastError(kErrInvalidParameter);
        return 0;
    }
    size_t len = cch < 0 ? wideLength(src) + 1 : (size_t)cch;
    bool valid = true;
    std::string bytes;
    if (CodePage == CP_UTF8) {
        bytes = utf16ToUtf8(src, len);
    } else if (isAnsiCodePage(CodePage)) {
        bytes = utf16ToAnsi(src, len, valid);
        if (!valid && lpDefaultChar && *lpDefaultChar && *lpDefaultChar != '?') {
            for (char& c : bytes)
                if (c == '?')
                    c = *lpDefaultChar;
        }
    } else {
        SetLastError(kErrInvalidParameter);
        return 0;
    }
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = valid ? FALSE : TRUE;
    return deliver(bytes, dst, cb);
}

BOOL IsDBCSLeadByte(BYTE TestChar)
{
    return isLeadByte(TestChar) ? TRUE : FALSE;
}

BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar)
{
    if (CodePage == CP_UTF8)
        return FALSE;
    return IsDBCSLeadByte(TestChar);
}

UINT GetACP()
{
    return 949;
}

UINT GetOEMCP()
{
    return 949;
}

LPSTR CharNextA(LPCSTR p)
{
    if (p == nullptr || *p == 0)
        return (LPSTR)p;
    if (isLeadByte((unsigned char)p[0]) && p[1] != 0)
        return (LPSTR)(p + 2);
    return (LPSTR)(p + 1);
}

LPSTR CharNext(LPCSTR p)
{
    return CharNextA(p);
}

LPSTR CharPrevA(LPCSTR start, LPCSTR current)
{
    if (start == nullptr || current == nullptr || current <= start)
        return (LPSTR)start;
    // Walk forward from the start: trail bytes cannot be told apart going backwards.
    LPCSTR p = start;
    for (;;) {
        LPCSTR next = CharNextA(p);
        if (next >= current || next == p)
            return (LPSTR)p;
        p = next;
    }
}

LPSTR CharPrev(LPCSTR start, LPCSTR current)
{
    return CharPrevA(start, current);
}

DWORD CharUpperBuff(LPSTR s, DWORD n)
{
    if (s)
        mivo::AnsiUpper(s, n);
    return s ? n : 0;
}

DWORD CharLowerBuff(LPSTR s, DWORD n)
{
    if (s)
        mivo::AnsiLower(s, n);
    return s ? n : 0;
}

LPSTR CharUpperA(LPSTR s)
{
    if (IS_INTRESOURCE(s)) {
        unsigned c = (unsigned)(ULONG_PTR)s;
        return (LPSTR)(ULONG_PTR)((c >= 'a' && c <= 'z') ? c - 32 : c);
    }
    mivo::AnsiUpper(s, std::strlen(s));
    return s;
}

LPSTR CharUpper(LPSTR s)
{
    return CharUpperA(s);
}

LPSTR CharLowerA(LPSTR s)
{
    if (IS_INTRESOURCE(s)) {
        unsigned c = (unsigned)(ULONG_PTR)s;
        return (LPSTR)(ULONG_PTR)((c >= 'A' && c <= 'Z') ? c + 32 : c);
    }
    mivo::AnsiLower(s, std::strlen(s));
    return s;
}

LPSTR CharLower(LPSTR s)
{
    return CharLowerA(s);
}

int lstrlenA(LPCSTR s)
{
    return s ? (int)std::strlen(s) : 0;
}

int lstrlen(LPCSTR s)
{
    return lstrlenA(s);
}

int lstrlenW(LPCWSTR s)
{
    return s ? (int)wideLength(s) : 0;
}

int lstrcmpA(LPCSTR a, LPCSTR b)
{
    int r = std::strcmp(a ? a : "", b ? b : "");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int lstrcmp(LPCSTR a, LPCSTR b)
{
    return lstrcmpA(a, b);
}

int lstrcmpiA(LPCSTR a, LPCSTR b)
{
    int r = mivo::AnsiCompareNoCase(a ? a : "", b ? b : "");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int lstrcmpi(LPCSTR a, LPCSTR b)
{
    return lstrcmpiA(a, b);
}

LPSTR lstrcpyA(LPSTR dst, LPCSTR src)
{
    if (dst == nullptr || src == nullptr)
        return nullptr;
    return std::strcpy(dst, src);
}

LPSTR lstrcpy(LPSTR dst, LPCSTR src)
{
    return lstrcpyA(dst, src);
}

LPSTR lstrcpynA(LPSTR dst, LPCSTR src, int max)
{
    if (dst == nullptr || src == nullptr || max <= 0)
        return nullptr;
    size_t n = mivo::CutToCharBoundary(src, std::strlen(src), (size_t)max - 1);
    std::memcpy(dst, src, n);
    dst[n] = 0;
    return dst;
}

LPSTR lstrcpyn(LPSTR dst, LPCSTR src, int max)
{
    return lstrcpynA(dst, src, max);
}

LPSTR lstrcatA(LPSTR dst, LPCSTR src)
{
    if (dst == nullptr || src == nullptr)
        return nullptr;
    return std::strcat(dst, src);
}

LPSTR lstrcat(LPSTR dst, LPCSTR src)
{
    return lstrcatA(dst, src);
}

int _stricmp(const char* a, const char* b)
{
    return mivo::AnsiCompareNoCase(a, b);
}

int stricmp(const char* a, const char* b)
{
    return _stricmp(a, b);
}

int strcmpi(const char* a, const char* b)
{
    return _stricmp(a, b);
}

int _strnicmp(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        int ca = (unsigned char)a[i], cb = (unsigned char)b[i];
        if (ca >= 'A' && ca <= 'Z')
            ca += 32;
        if (cb >= 'A' && cb <= 'Z')
            cb += 32;
        if (ca != cb || ca == 0)
            return ca - cb;
    }
    return 0;
}

char* _strupr(char* s)
{
    if (s)
        mivo::AnsiUpper(s, std::strlen(s));
    return s;
}

char* _strlwr(char* s)
{
    if (s)
        mivo::AnsiLower(s, std::strlen(s));
    return s;
}

char* strupr(char* s)
{
    return _strupr(s);
}

char* strlwr(char* s)
{
    return _strlwr(s);
}

namespace {

char* formatUnsigned(unsigned long long v, bool negative, char* buffer, int radix)
{
    if (radix < 2 || radix > 36) {
        buffer[0] = 0;
        return buffer;
    }
    char tmp[72];
    int n = 0;
    do {
        int d = (int)(v % radix);
        tmp[n++] = (char)(d < 10 ? '0' + d : 'a' + d - 10);
        v /= radix;
    } while (v);
    char* p = buffer;
    if (negative)
        *p++ = '-';
    while (n)
        *p++ = tmp[--n];
    *p = 0;
    return buffer;
}

}  // namespace

char* _i64toa(long long value, char* buffer, int radix)
{
    bool negative = radix == 10 && value < 0;
    unsigned long long v = negative ? 0ULL - (unsigned long long)value : (unsigned long long)value;
    return formatUnsigned(v, negative, buffer, radix);
}

char* _itoa(int value, char* buffer, int radix)
{
    // Non-decimal radixes show the 32-bit pattern, as the runtime does.
    if (radix != 10)
        return formatUnsigned((unsigned int)value, false, buffer, radix);
    return _i64toa(value, buffer, radix);
}

char* itoa(int value, char* buffer, int radix)
{
    return _itoa(value, buffer, radix);
}

char* _ltoa(long value, char* buffer, int radix)
{
    return _itoa((int)value, buffer, radix);
}

char* _ultoa(unsigned long value, char* buffer, int radix)
{
    return formatUnsigned((unsigned int)value, false, buffer, radix);
}

long long _atoi64(const char* s)
{
    return s ? std::strtoll(s, nullptr, 10) : 0;
}

int _snprintf(char* buffer, size_t count, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, count, format, args);
    va_end(args);
    // The runtime's form reports truncation with -1 and leaves no terminator.
    return (n < 0 || (size_t)n >= count) ? -1 : n;
}

namespace mivo {

int DecodeAnsiChar(const char* s, size_t len, size_t i, char16_t& out, bool& valid)
{
    return decodeAnsi((const unsigned char*)s, len, i, out, valid);
}

bool IsLeadAt(const char* s, size_t len, size_t i)
{
    return i + 1 < len && isLeadByte((unsigned char)s[i]) && isTrailByte((unsigned char)s[i + 1]);
}

size_t CutToCharBoundary(const char* s, size_t len, size_t maxBytes)
{
    if (len <= maxBytes)
        return len;
    size_t i = 0;
    while (i < maxBytes) {
        size_t step = IsLeadAt(s, len, i) ? 2 : 1;
        if (i + step > maxBytes)
            break;
        i += step;
    }
    return i;
}

size_t CopyCutToCharBoundary(char* out, const char* text, size_t maxBytes)
{
    size_t n = text ? CutToCharBoundary(text, std::strlen(text), maxBytes) : 0;
    if (n)
        std::memcpy(out, text, n);
    out[n] = 0;
    return n;
}

void AnsiUpper(char* s, size_t len)
{
    for (size_t i = 0; i < len && s[i]; ++i) {
        if (IsLeadAt(s, len, i)) {
            ++i;
            continue;
        }
        if (s[i] >= 'a' && s[i] <= 'z')
            s[i] = (char)(s[i] - 32);
    }
}

void AnsiLower(char* s, size_t len)
{
    for (size_t i = 0; i < len && s[i]; ++i) {
        if (IsLeadAt(s, len, i)) {
            ++i;
            continue;
        }
        if (s[i] >= 'A' && s[i] <= 'Z')
            s[i] = (char)(s[i] + 32);
    }
}

int AnsiCompareNoCase(const char* a, const char* b)
{
    const unsigned char* x = (const unsigned char*)(a ? a : "");
    const unsigned char* y = (const unsigned char*)(b ? b : "");
    bool inDoubleX = false, inDoubleY = false;
    for (;; ++x, ++y) {
        int cx = *x, cy = *y;
        // Trail bytes of double-byte characters are compared as they are.
        if (!inDoubleX && cx >= 'A' && cx <= 'Z')
            cx += 32;
        if (!inDoubleY && cy >= 'A' && cy <= 'Z')
            cy += 32;
        if (cx != cy || cx == 0)
            return cx - cy;
        inDoubleX = !inDoubleX && isLeadByte(*x) && isTrailByte(x[1]);
        inDoubleY = !inDoubleY && isLeadByte(*y) && isTrailByte(y[1]);
    }
}

bool AnsiToUtf8(const std::string& ansi, std::string& utf8)
{
    bool valid;
    std::u16string wide = ansiToUtf16(ansi.data(), ansi.size(), valid);
    utf8 = utf16ToUtf8(wide.data(), wide.size());
    return valid;
}

bool Utf8ToAnsi(const std::string& utf8, std::string& ansi)
{
    bool validUtf8, validAnsi;
    std::u16string wide = utf8ToUtf16(utf8.data(), utf8.size(), validUtf8);
    ansi = utf16ToAnsi(wide.data(), wide.size(), validAnsi);
    return validUtf8 && validAnsi;
}

std::string ToUtf8(const char* ansi)
{
    std::string out;
    AnsiToUtf8(ansi ? ansi : "", out);
    return out;
}

std::string ToAnsi(const std::string& utf8)
{
    std::string out;
    Utf8ToAnsi(utf8, out);
    return out;
}

std::u16string AnsiToUtf16(const std::string& ansi)
{
    bool valid;
    return ansiToUtf16(ansi.data(), ansi.size(), valid);
}

std::string Utf16ToAnsi(const std::u16string& wide)
{
    bool valid;
    return utf16ToAnsi(wide.data(), wide.size(), valid);
}

}  // namespace mivo
