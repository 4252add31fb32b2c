#include "Calendar.h"

#include <cstring>

namespace mivo {

void SplitLinearSeconds(int64_t seconds, struct tm& t)
{
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    int64_t y;
    unsigned m, d;
    CivilFromDays(days, y, m, d);
    std::memset(&t, 0, sizeof t);
    t.tm_year = static_cast<int>(y - 1900);
    t.tm_mon = static_cast<int>(m) - 1;
    t.tm_mday = static_cast<int>(d);
    t.tm_hour = static_cast<int>(rest / 3600);
    t.tm_min = static_cast<int>(rest / 60 % 60);
    t.tm_sec = static_cast<int>(rest % 60);
    t.tm_wday = DayOfWeekFromDays(days);
    t.tm_yday = static_cast<int>(days - DaysFromCivil(y, 1, 1));
    t.tm_isdst = -1;
}

namespace {

bool IsNumericCode(char c)
{
    return std::strchr("dHIjmMSUwWyY", c) != nullptr;
}

std::string Strftime(const char* format, const struct tm& t)
{
    char buffer[256];
    size_t n = strftime(buffer, sizeof buffer, format, &t);
    return std::string(buffer, n);
}

std::string DropLeadingZeros(std::string s)
{
    size_t i = 0;
    while (i + 1 < s.size() && s[i] == '0')
        ++i;
    return s.substr(i);
}

}  // namespace

std::string FormatTime(const char* format, const struct tm& t)
{
    std::string out;
    if (!format)
        return out;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        const bool alternate = p[1] == '#';
        const char code = alternate ? p[2] : p[1];
        if (!code)
            break;  // a lone '%' at the end
        p += alternate ? 2 : 1;
        switch (code) {
        case '%':
            out += '%';
            break;
        case 'c':
            out += Strftime(alternate ? "%A, %B %d, %Y %H:%M:%S" : "%m/%d/%y %H:%M:%S", t);
            break;
        case 'x':
            out += Strftime(alternate ? "%A, %B %d, %Y" : "%m/%d/%y", t);
            break;
        case 'X':
            out += Strftime("%H:%M:%S", t);
            break;
        default:
            if (std::strchr("aAbBdHIjmMpSUwWyYzZ", code)) {
                const char single[] = {'%', code, 0};
                std::string text = Strftime(single, t);
                out += alternate && IsNumericCode(code) ? DropLeadingZeros(text) : text;
            } else {
                out += '%';
                if (alternate)
                    out += '#';
                out += code;
            }
        }
    }
    return out;
}

}  // namespace mivo
