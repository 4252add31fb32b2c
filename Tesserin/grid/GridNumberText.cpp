#include "grid/GridNumberText.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string PrintFixed(double value)
{
    int size = snprintf(nullptr, 0, "%f", value);
    std::string text(size > 0 ? size : 0, '\0');
    snprintf(&text[0], text.size() + 1, "%f", value);
    return text;
}

std::string GroupThousands(const std::string& whole)
{
    std::string out;
    int digits = 0;
    for (size_t i = whole.size(); i-- > 0;) {
        char c = whole[i];
        bool digit = c >= '0' && c <= '9';
        if (digit && digits > 0 && digits % 3 == 0)
            out.insert(out.begin(), ',');
        digits = digit ? digits + 1 : 0;
        out.insert(out.begin(), c);
    }
    return out;
}

} // namespace

CString GridNumberText::Format(double value, int decimals)
{
    std::string printed = PrintFixed(value);
    size_t dot = printed.rfind('.');
    std::string whole = dot == std::string::npos ? printed : printed.substr(0, dot);
    std::string fraction = dot == std::string::npos ? std::string() : printed.substr(dot + 1);
    std::string text = GroupThousands(whole);
    if (decimals > 0) {
        if ((int)fraction.size() < decimals)
            fraction.append(decimals - fraction.size(), '0');
        text += '.';
        text += fraction.substr(0, decimals);
    }
    return CString(text.c_str());
}

double GridNumberText::Parse(const char* text)
{
    std::string plain;
    for (const char* p = text; p && *p; p++)
        if (*p != ',')
            plain += *p;
    return plain.empty() ? 0.0 : atof(plain.c_str());
}
