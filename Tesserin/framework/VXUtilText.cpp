// Numbers with thousands separators, lines of text buffers, index sorting and the scrambler.
#include "framework/VXUtil.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The scrambler writes three digits a character.
const int kDigitsPerChar = 3;
const int kScrambleBase = 403;
const int kScrambleStep = 804;
const int kScrambleSpan = 32;

// Groups a run of decimal digits by three from the right.
std::string GroupDigits(const std::string& digits)
{
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

char* CopyOut(char* out, const std::string& text)
{
    memcpy(out, text.c_str(), text.size() + 1);
    return out;
}

int ScrambleOffset(int i)
{
    const long long k = i + kScrambleBase;
    return (int)((k + kScrambleStep) * k % kScrambleSpan);
}

// Splits text into lines ended by LF (a CR before it dropped); a last line without an end counts.
std::vector<std::string> SplitLines(const char* text, size_t length)
{
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < length) {
        const char* lf = (const char*)memchr(text + begin, '\n', length - begin);
        size_t end = lf ? (size_t)(lf - text) : length;
        size_t cut = end > begin && text[end - 1] == '\r' && lf ? end - 1 : end;
        lines.emplace_back(text + begin, cut - begin);
        begin = lf ? end + 1 : length;
    }
    return lines;
}

}  // namespace

char* FormatNumberComma(char* out, int n)
{
    // The magnitude in 64 bits: negating the smallest int would overflow.
    long long value = n;
    const bool negative = value < 0;
    std::string text = (negative ? "-" : "") + GroupDigits(std::to_string(negative ? -value : value));
    return CopyOut(out, text);
}

char* FormatDoubleComma(char* out, double d)
{
    const double magnitude = d < 0 ? -d : d;
    // "%f" of the largest double runs to more than 300 digits.
    int size = snprintf(nullptr, 0, "%f", magnitude);
    std::string printed(size > 0 ? (size_t)size : 0, '\0');
    snprintf(&printed[0], printed.size() + 1, "%f", magnitude);
    size_t point = printed.find('.');
    std::string whole = printed.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : printed.substr(point + 1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    bool digits = !whole.empty() && whole.find_first_not_of("0123456789") == std::string::npos;
    std::string text = (d < 0 ? "-" : "") + (digits ? GroupDigits(whole) : whole);
    if (!fraction.empty())
        text += "." + fraction;
    return CopyOut(out, text);
}

char* RemoveCrLfFromString(char* out, const char* in)
{
    char* to = out;
    for (const char* p = in ? in : ""; *p; ++p)
        if (*p != '\r' && *p != '\n')
            *to++ = *p;
    *to = '\0';
    return out;
}

char* MakeLongDate(const char* compact, char* out)
{
    if (!compact || !*compact)
        return out;
    char* to = out;
    for (int i = 0; compact[i]; ++i) {
        if (i == 4 || i == 6)
            *to++ = '-';
        *to++ = compact[i];
    }
    *to = '\0';
    return out;
}

int GetOneLineFromBuf(const char* buf, char* line, int start)
{
    if (!buf || start < 0)
        return -1;
    const size_t length = strlen(buf);
    if ((size_t)start >= length)
        return -1;
    const char* from = buf + start;
    const char* lf = strchr(from, '\n');
    const char* end = lf ? lf : buf + length;
    if (lf && lf > from && lf[-1] == '\r')
        --end;
    if (line)
        memcpy(line, from, (size_t)(end - from));
    if (!lf)
        return -1;
    const size_t next = (size_t)(lf - buf) + 1;
    return next >= length ? -1 : (int)next;
}

int InsertLinesAfter(char* buf, const char* after, CString text, const char* until, int bufSize)
{
    if (!buf || bufSize <= 0)
        return 0;
    std::vector<std::string> lines = SplitLines(buf, strnlen(buf, (size_t)bufSize));
    std::string result;
    bool inserted = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        result += lines[i] + "\r\n";
        if (inserted || !after || lines[i].find(after) == std::string::npos)
            continue;
        if (until && *until) {
            while (i + 1 < lines.size()) {
                result += lines[++i] + "\r\n";
                if (lines[i].find(until) != std::string::npos)
                    break;
            }
        }
        result.append((const char*)text, (size_t)text.GetLength());
        inserted = true;
    }
    if (result.size() + 1 > (size_t)bufSize)
        return 0;
    memset(buf, 0, (size_t)bufSize);
    memcpy(buf, result.data(), result.size());
    return 1;
}

void SortStringArray(CStringArray* src, CUIntArray* order)
{
    if (!src || !order || src->GetSize() == 0)
        return;
    std::vector<UINT> index((size_t)src->GetSize());
    for (size_t i = 0; i < index.size(); ++i)
        index[i] = (UINT)i;
    std::stable_sort(index.begin(), index.end(), [src](UINT a, UINT b) {
        return strcmp((const char*)src->GetAt((INT_PTR)a), (const char*)src->GetAt((INT_PTR)b)) < 0;
    });
    order->SetSize((INT_PTR)index.size());
    for (size_t i = 0; i < index.size(); ++i)
        order->SetAt((INT_PTR)i, index[i]);
}

void SortUIntArray(CUIntArray* src, CUIntArray* order)
{
    if (!src || !order || src->GetSize() == 0)
        return;
    std::vector<UINT> index((size_t)src->GetSize());
    for (size_t i = 0; i < index.size(); ++i)
        index[i] = (UINT)i;
    std::stable_sort(index.begin(), index.end(),
                     [src](UINT a, UINT b) { return src->GetAt((INT_PTR)a) < src->GetAt((INT_PTR)b); });
    order->SetSize((INT_PTR)index.size());
    for (size_t i = 0; i < index.size(); ++i)
        order->SetAt((INT_PTR)i, index[i]);
}

char* EncodeVantrelString(const char* in, char* out, int outLen)
{
    if (!out || outLen <= 0)
        return out;
    // Three digits a character, and room left for the terminator.
    const int n = (outLen - 1) / kDigitsPerChar;
    std::string plain = in ? in : "";
    plain = std::to_string(plain.size()) + "+" + plain;
    plain.resize((size_t)n, ' ');
    char* to = out;
    for (int i = 0; i < n; ++i) {
        const int value = (signed char)plain[(size_t)i] + 128 + ScrambleOffset(i);
        to += snprintf(to, kDigitsPerChar + 1, "%03d", value);
    }
    *to = '\0';
    return out;
}

char* DecodeVantrelString(const char* in, char* out)
{
    if (!out)
        return out;
    *out = '\0';
    std::string plain;
    const size_t length = in ? strlen(in) : 0;
    for (size_t at = 0; at + kDigitsPerChar <= length; at += kDigitsPerChar) {
        int value = 0;
        bool digits = true;
        for (int j = 0; j < kDigitsPerChar; ++j) {
            const char c = in[at + (size_t)j];
            digits = digits && c >= '0' && c <= '9';
            value = value * 10 + (c - '0');
        }
        if (!digits)
            break;  // the scrambled text ends here
        plain += (char)(unsigned char)((value - 128 - ScrambleOffset((int)(at / kDigitsPerChar))) & 0xFF);
    }
    const size_t plus = plain.find('+');
    if (plus == std::string::npos)
        return out;
    long count = strtol(plain.substr(0, plus).c_str(), nullptr, 10);
    if (count <= 0)
        return out;
    const std::string body = plain.substr(plus + 1, (size_t)count);
    memcpy(out, body.data(), body.size());
    out[body.size()] = '\0';
    return out;
}

char* EVS(const char* in, char* out, int outLen)
{
    return EncodeVantrelString(in, out, outLen);
}

char* DVS(const char* in, char* out)
{
    return DecodeVantrelString(in, out);
}
