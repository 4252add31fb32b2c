#include "mfc/OleDateTime.h"

#include "Calendar.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <vector>

namespace {

using namespace mivo;

constexpr double kMinDate = -657434.0;  // 1 January 100
constexpr double kMaxDate = 2958465.0;  // 31 December 9999
constexpr int64_t kDay0FromUnix = -25569;  // 30 December 1899 in days since 1970
constexpr double kSecondsPerDay = 86400.0;

// DATE values before day 0 keep a positive time fraction; as a plain number line
// ("linear") they are easy to add and compare.
double LinearFromDate(DATE d)
{
    if (d >= 0)
        return d;
    const double whole = std::ceil(d);
    return whole + (whole - d);
}

DATE DateFromLinear(double linear)
{
    if (linear >= 0)
        return linear;
    const double whole = std::floor(linear);
    const double fraction = linear - whole;
    return fraction == 0 ? whole : whole - fraction;
}

bool IsInRange(DATE d)
{
    return d >= kMinDate - 1 && d <= kMaxDate + 1 && !std::isnan(d);
}

// Seconds since day 0 midnight, rounded to the nearest second.
int64_t LinearSeconds(DATE d)
{
    return std::llround(LinearFromDate(d) * kSecondsPerDay);
}

bool MakeDate(int y, int mo, int d, int h, int mi, int s, DATE& out)
{
    if (y < 100 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h < 0 || h > 23 || mi < 0 ||
        mi > 59 || s < 0 || s > 59)
        return false;
    const int64_t day = DaysFromCivil(y, mo, d) - kDay0FromUnix;
    const double seconds = h * 3600.0 + mi * 60.0 + s;
    out = DateFromLinear(static_cast<double>(day) + seconds / kSecondsPerDay);
    return true;
}

// ---- Parsing ----

struct Token {
    enum Kind { Number, Word, Sep } kind;
    std::string text;
    int digits = 0;
    long value = 0;
};

// CP949 words (오전, 오후, 년, 월, 일) stay whole; separators are single bytes.
std::vector<Token> Tokenize(const char* s)
{
    std::vector<Token> tokens;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
    while (*p) {
        if (std::isspace(*p) || *p == ',') {
            ++p;
            continue;
        }
        Token t;
        if (std::isdigit(*p)) {
            t.kind = Token::Number;
            while (std::isdigit(*p) && t.digits < 9) {
                t.value = t.value * 10 + (*p - '0');
                t.text += static_cast<char>(*p++);
                ++t.digits;
            }
            if (std::isdigit(*p))
                return {};  // absurdly long number
        } else if (std::isalpha(*p) || *p >= 0x81) {
            t.kind = Token::Word;
            while (*p && (std::isalpha(*p) || *p >= 0x81)) {
                if (*p >= 0x81 && p[1])
                    t.text += static_cast<char>(*p++);
                t.text += static_cast<char>(*p++);
            }
        } else {
            t.kind = Token::Sep;
            t.text = static_cast<char>(*p++);
        }
        tokens.push_back(t);
    }
    return tokens;
}

struct Parsed {
    bool hasDate = false, hasTime = false;
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};

// ASCII words compare without case; Korean words exactly (their trail bytes may be letters).
bool IsWord(const Token& t, const char* word)
{
    if (t.kind != Token::Word)
        return false;
    const bool ascii = static_cast<unsigned char>(word[0]) < 0x80;
    return (ascii ? strcasecmp(t.text.c_str(), word) : std::strcmp(t.text.c_str(), word)) == 0;
}

// Reads a date at tokens[i]: Y-M-D, Y/M/D, Y.M.D, "Y년 M월 D일" or M/D/YYYY.
bool ReadDate(const std::vector<Token>& t, size_t& i, Parsed& out)
{
    if (i + 4 < t.size() && t[i].kind == Token::Number && t[i + 1].kind == Token::Sep &&
        t[i + 2].kind == Token::Number && t[i + 3].kind == Token::Sep && t[i + 4].kind == Token::Number &&
        t[i + 1].text == t[i + 3].text && std::strchr("-/.", t[i + 1].text[0])) {
        if (t[i].digits >= 3 || t[i + 4].digits < 3) {
            out.year = static_cast<int>(t[i].value);
            out.month = static_cast<int>(t[i + 2].value);
            out.day = static_cast<int>(t[i + 4].value);
        } else {
            out.month = static_cast<int>(t[i].value);
            out.day = static_cast<int>(t[i + 2].value);
            out.year = static_cast<int>(t[i + 4].value);
        }
        i += 5;
        if (i < t.size() && t[i].kind == Token::Sep && t[i].text == ".")
            ++i;  // "2024.01.05."
        out.hasDate = true;
        return true;
    }
    if (i + 5 < t.size() && t[i].kind == Token::Number && IsWord(t[i + 1], "년") &&
        t[i + 2].kind == Token::Number && IsWord(t[i + 3], "월") && t[i + 4].kind == Token::Number &&
        IsWord(t[i + 5], "일")) {
        out.year = static_cast<int>(t[i].value);
        out.month = static_cast<int>(t[i + 2].value);
        out.day = static_cast<int>(t[i + 4].value);
        i += 6;
        out.hasDate = true;
        return true;
    }
    return false;
}

// Reads a time at tokens[i]: H:M or H:M:S with AM/PM or 오전/오후 before or after.
bool ReadTime(const std::vector<Token>& t, size_t& i, Parsed& out)
{
    int meridiem = 0;  // 1 morning, 2 afternoon
    auto readMeridiem = [&](size_t at) {
        if (at >= t.size())
            return false;
        if (IsWord(t[at], "AM") || IsWord(t[at], "오전"))
            meridiem = 1;
        else if (IsWord(t[at], "PM") || IsWord(t[at], "오후"))
            meridiem = 2;
        else
            return false;
        return true;
    };
    if (readMeridiem(i))
        ++i;
    if (!(i + 2 < t.size() && t[i].kind == Token::Number && t[i + 1].kind == Token::Sep &&
          t[i + 1].text == ":" && t[i + 2].kind == Token::Number))
        return false;
    out.hour = static_cast<int>(t[i].value);
    out.minute = static_cast<int>(t[i + 2].value);
    i += 3;
    if (i + 1 < t.size() && t[i].kind == Token::Sep && t[i].text == ":" && t[i + 1].kind == Token::Number) {
        out.second = static_cast<int>(t[i + 1].value);
        i += 2;
    }
    if (!meridiem && readMeridiem(i))
        ++i;
    if (meridiem) {
        if (out.hour < 1 || out.hour > 12)
            return false;
        out.hour = out.hour % 12 + (meridiem == 2 ? 12 : 0);
    }
    out.hasTime = true;
    return true;
}

bool ParseText(const char* text, Parsed& out)
{
    std::vector<Token> tokens = Tokenize(text);
    if (tokens.empty())
        return false;
    size_t i = 0;
    ReadDate(tokens, i, out);
    if (i < tokens.size())
        ReadTime(tokens, i, out);
    return i == tokens.size() && (out.hasDate || out.hasTime);
}

}  // namespace

// ---- COleDateTime ----

COleDateTime COleDateTime::GetCurrentTime()
{
    return COleDateTime(time(nullptr));
}

COleDateTime::COleDateTime() : m_dt(0), m_status(valid) {}

COleDateTime::COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(IsInRange(dtSrc) ? valid : invalid) {}

COleDateTime::COleDateTime(time_t timeSrc) : m_dt(0), m_status(valid)
{
    *this = timeSrc;
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) : m_dt(0), m_status(valid)
{
    SetFromSystemTime(systimeSrc);
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc) : m_dt(0), m_status(valid)
{
    *this = filetimeSrc;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) : m_dt(0), m_status(valid)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime::COleDateTime(WORD wDosDate, WORD wDosTime) : m_dt(0), m_status(valid)
{
    SetDateTime(1980 + (wDosDate >> 9), (wDosDate >> 5) & 0x0F, wDosDate & 0x1F, wDosTime >> 11,
                (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2);
}

COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
    m_dt = dtSrc;
    m_status = IsInRange(dtSrc) ? valid : invalid;
    return *this;
}

COleDateTime& COleDateTime::operator=(time_t timeSrc)
{
    struct tm local;
    if (!localtime_r(&timeSrc, &local)) {
        m_dt = 0;
        m_status = invalid;
        return *this;
    }
    SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
    SetFromSystemTime(systimeSrc);
    return *this;
}

COleDateTime& COleDateTime::operator=(const FILETIME& filetimeSrc)
{
    FILETIME local;
    SYSTEMTIME st;
    if (FileTimeToLocalFileTime(&filetimeSrc, &local) && FileTimeToSystemTime(&local, &st)) {
        SetFromSystemTime(st);
    } else {
        m_dt = 0;
        m_status = invalid;
    }
    return *this;
}

void COleDateTime::SetFromSystemTime(const SYSTEMTIME& st)
{
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

bool COleDateTime::GetParts(struct tm& parts) const
{
    if (m_status != valid || !IsInRange(m_dt))
        return false;
    SplitLinearSeconds(LinearSeconds(m_dt) + kDay0FromUnix * 86400, parts);
    return true;
}

int COleDateTime::GetYear() const
{
    struct tm t;
    return GetParts(t) ? t.tm_year + 1900 : -1;
}

int COleDateTime::GetMonth() const
{
    struct tm t;
    return GetParts(t) ? t.tm_mon + 1 : -1;
}

int COleDateTime::GetDay() const
{
    struct tm t;
    return GetParts(t) ? t.tm_mday : -1;
}

int COleDateTime::GetHour() const
{
    struct tm t;
    return GetParts(t) ? t.tm_hour : -1;
}

int COleDateTime::GetMinute() const
{
    struct tm t;
    return GetParts(t) ? t.tm_min : -1;
}

int COleDateTime::GetSecond() const
{
    struct tm t;
    return GetParts(t) ? t.tm_sec : -1;
}

int COleDateTime::GetDayOfWeek() const
{
    struct tm t;
    return GetParts(t) ? t.tm_wday + 1 : -1;
}

int COleDateTime::GetDayOfYear() const
{
    struct tm t;
    return GetParts(t) ? t.tm_yday + 1 : -1;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    struct tm t;
    if (!GetParts(t))
        return false;
    sysTime.wYear = static_cast<WORD>(t.tm_year + 1900);
    sysTime.wMonth = static_cast<WORD>(t.tm_mon + 1);
    sysTime.wDayOfWeek = static_cast<WORD>(t.tm_wday);
    sysTime.wDay = static_cast<WORD>(t.tm_mday);
    sysTime.wHour = static_cast<WORD>(t.tm_hour);
    sysTime.wMinute = static_cast<WORD>(t.tm_min);
    sysTime.wSecond = static_cast<WORD>(t.tm_sec);
    sysTime.wMilliseconds = 0;
    return true;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    DATE d;
    if (MakeDate(nYear, nMonth, nDay, nHour, nMin, nSec, d)) {
        m_dt = d;
        m_status = valid;
    } else {
        m_dt = 0;
        m_status = invalid;
    }
    return m_status == valid ? 0 : 1;
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay)
{
    return SetDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

int COleDateTime::SetTime(int nHour, int nMin, int nSec)
{
    return SetDateTime(1899, 12, 30, nHour, nMin, nSec);
}

bool COleDateTime::ParseDateTime(LPCSTR lpszDate, DWORD dwFlags, LCID)
{
    Parsed p;
    DATE d = 0;
    if (!lpszDate || !ParseText(lpszDate, p)) {
        m_dt = 0;
        m_status = invalid;
        return false;
    }
    if (dwFlags & VAR_TIMEVALUEONLY) {
        p.year = 1899;
        p.month = 12;
        p.day = 30;
    }
    if (dwFlags & VAR_DATEVALUEONLY)
        p.hour = p.minute = p.second = 0;
    if (!MakeDate(p.year, p.month, p.day, p.hour, p.minute, p.second, d)) {
        m_dt = 0;
        m_status = invalid;
        return false;
    }
    m_dt = d;
    m_status = valid;
    return true;
}

CString COleDateTime::Format(DWORD dwFlags, LCID) const
{
    if (m_status == null)
        return CString();
    struct tm t;
    if (!GetParts(t))
        return CString("Invalid DateTime");
    const bool midnight = t.tm_hour == 0 && t.tm_min == 0 && t.tm_sec == 0;
    const bool dayZero = t.tm_year == -1 && t.tm_mon == 11 && t.tm_mday == 30;
    const bool showDate = !(dwFlags & VAR_TIMEVALUEONLY) && ((dwFlags & VAR_DATEVALUEONLY) || !dayZero);
    const bool showTime = !(dwFlags & VAR_DATEVALUEONLY) && ((dwFlags & VAR_TIMEVALUEONLY) || !midnight || dayZero);
    CString text;
    if (showDate)
        text.Format("%04d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    if (showTime) {
        const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
        if (!text.IsEmpty())
            text += ' ';
        text.AppendFormat("%s %d:%02d:%02d", t.tm_hour < 12 ? "오전" : "오후", hour12, t.tm_min, t.tm_sec);
    }
    return text;
}

CString COleDateTime::Format(LPCSTR lpszFormat) const
{
    if (m_status == null)
        return CString();
    struct tm t;
    if (!GetParts(t))
        return CString("Invalid DateTime");
    return CString(FormatTime(lpszFormat, t).c_str());
}

bool COleDateTime::operator==(const COleDateTime& date) const
{
    return m_status == date.m_status && LinearFromDate(m_dt) == LinearFromDate(date.m_dt);
}

bool COleDateTime::operator!=(const COleDateTime& date) const
{
    return !(*this == date);
}

bool COleDateTime::operator<(const COleDateTime& date) const
{
    return LinearFromDate(m_dt) < LinearFromDate(date.m_dt);
}

bool COleDateTime::operator>(const COleDateTime& date) const
{
    return date < *this;
}

bool COleDateTime::operator<=(const COleDateTime& date) const
{
    return !(date < *this);
}

bool COleDateTime::operator>=(const COleDateTime& date) const
{
    return !(*this < date);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime result;
    if (m_status != valid || dateSpan.m_status != COleDateTimeSpan::valid) {
        result.m_status = m_status == null || dateSpan.m_status == COleDateTimeSpan::null ? null : invalid;
        return result;
    }
    result = DateFromLinear(LinearFromDate(m_dt) + dateSpan.m_span);
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    return *this + (-dateSpan);
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& dateSpan)
{
    return *this = *this + dateSpan;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& dateSpan)
{
    return *this = *this - dateSpan;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan span;
    if (m_status != valid || date.m_status != valid) {
        span.m_status = m_status == null || date.m_status == null ? COleDateTimeSpan::null : COleDateTimeSpan::invalid;
        return span;
    }
    span.m_span = LinearFromDate(m_dt) - LinearFromDate(date.m_dt);
    return span;
}

// ---- COleDateTimeSpan ----

COleDateTimeSpan::COleDateTimeSpan() : m_span(0), m_status(valid) {}

COleDateTimeSpan::COleDateTimeSpan(double dblSpanSrc)
    : m_span(dblSpanSrc), m_status(std::isfinite(dblSpanSrc) ? valid : invalid)
{
}

COleDateTimeSpan::COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) : m_span(0), m_status(valid)
{
    SetDateTimeSpan(lDays, nHours, nMins, nSecs);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    m_span = lDays + (nHours * 3600.0 + nMins * 60.0 + nSecs) / kSecondsPerDay;
    m_status = valid;
}

long long COleDateTimeSpan::RoundedSeconds() const
{
    return std::llround(m_span * kSecondsPerDay);
}

double COleDateTimeSpan::GetTotalDays() const
{
    return m_span;
}

double COleDateTimeSpan::GetTotalHours() const
{
    return m_span * 24;
}

double COleDateTimeSpan::GetTotalMinutes() const
{
    return m_span * 24 * 60;
}

double COleDateTimeSpan::GetTotalSeconds() const
{
    return m_span * kSecondsPerDay;
}

LONG COleDateTimeSpan::GetDays() const
{
    return static_cast<LONG>(RoundedSeconds() / 86400);
}

LONG COleDateTimeSpan::GetHours() const
{
    return static_cast<LONG>(RoundedSeconds() / 3600 % 24);
}

LONG COleDateTimeSpan::GetMinutes() const
{
    return static_cast<LONG>(RoundedSeconds() / 60 % 60);
}

LONG COleDateTimeSpan::GetSeconds() const
{
    return static_cast<LONG>(RoundedSeconds() % 60);
}

CString COleDateTimeSpan::Format(LPCSTR pFormat) const
{
    CString text;
    if (m_status != valid || !pFormat)
        return m_status == invalid ? CString("Invalid DateTimeSpan") : text;
    for (const char* p = pFormat; *p; ++p) {
        if (*p != '%' || !p[1]) {
            text += *p;
            continue;
        }
        switch (*++p) {
        case 'D': text.AppendFormat("%ld", static_cast<long>(GetDays())); break;
        case 'H': text.AppendFormat("%02ld", static_cast<long>(GetHours())); break;
        case 'M': text.AppendFormat("%02ld", static_cast<long>(GetMinutes())); break;
        case 'S': text.AppendFormat("%02ld", static_cast<long>(GetSeconds())); break;
        case '%': text += '%'; break;
        default:
            text += '%';
            text += *p;
        }
    }
    return text;
}

CString COleDateTimeSpan::Format(UINT nID) const
{
    CString format;
    if (!format.LoadString(nID))
        return CString();
    return Format(static_cast<LPCSTR>(format));
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTimeSpan result(m_span + dateSpan.m_span);
    if (m_status != valid || dateSpan.m_status != valid)
        result.m_status = m_status == null || dateSpan.m_status == null ? null : invalid;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& dateSpan) const
{
    return *this + (-dateSpan);
}

COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& dateSpan)
{
    return *this = *this + dateSpan;
}

COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& dateSpan)
{
    return *this = *this - dateSpan;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& dateSpan) const
{
    return m_status == dateSpan.m_status && m_span == dateSpan.m_span;
}

bool COleDateTimeSpan::operator!=(const COleDateTimeSpan& dateSpan) const
{
    return !(*this == dateSpan);
}

bool COleDateTimeSpan::operator<(const COleDateTimeSpan& dateSpan) const
{
    return m_span < dateSpan.m_span;
}

bool COleDateTimeSpan::operator>(const COleDateTimeSpan& dateSpan) const
{
    return dateSpan < *this;
}

bool COleDateTimeSpan::operator<=(const COleDateTimeSpan& dateSpan) const
{
    return !(dateSpan < *this);
}

bool COleDateTimeSpan::operator>=(const COleDateTimeSpan& dateSpan) const
{
    return !(*this < dateSpan);
}
