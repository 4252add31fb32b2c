#include "controls/NumericText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int Clamp(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

void Collapse(CNumericText::Edit& edit, int caret)
{
    caret = Clamp(caret, 0, (int)edit.text.size());
    edit.start = edit.end = caret;
}

}  // namespace

int CNumericText::Decimals() const
{
    // More digits than a double holds only pad with noise.
    return Clamp(decimals, 0, 30);
}

std::string CNumericText::Group(const std::string& digits) const
{
    if (!commas)
        return digits;
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += comma;
        grouped += digits[i];
    }
    return grouped;
}

std::string CNumericText::Format(double value) const
{
    if (!std::isfinite(value))
        value = 0;
    int places = Decimals();
    int length = std::snprintf(nullptr, 0, "%.*f", places, std::fabs(value));
    std::vector<char> buffer(length + 1);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", places, std::fabs(value));
    std::string plain(buffer.data());
    size_t dot = plain.find('.');
    std::string whole = plain.substr(0, dot);
    std::string fraction = dot == std::string::npos ? "" : plain.substr(dot + 1);
    bool nonZero = plain.find_first_of("123456789") != std::string::npos;
    if (whole == "0")
        whole.clear();
    std::string shown = (value < 0 && nonZero) ? "-" : "";
    shown += Group(whole);
    if (places > 0)
        shown += point + fraction;
    return shown;
}

double CNumericText::Parse(const std::string& text) const
{
    std::string plain;
    for (char c : text) {
        if (IsDigit(c) || (c == '-' && plain.empty()))
            plain += c;
        else if (c == point && plain.find('.') == std::string::npos)
            plain += '.';
    }
    double value = std::strtod(plain.c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
}

size_t CNumericText::PointPos(const std::string& text) const
{
    return Decimals() > 0 ? text.find(point) : std::string::npos;
}

bool CNumericText::InIntegerPart(const std::string& text, int caret) const
{
    size_t at = PointPos(text);
    return at == std::string::npos || caret <= (int)at;
}

std::string CNumericText::Regroup(const std::string& text) const
{
    bool negative = !text.empty() && text[0] == '-';
    size_t at = PointPos(text);
    std::string head = text.substr(negative ? 1 : 0, at == std::string::npos ? std::string::npos : at - (negative ? 1 : 0));
    std::string digits;
    for (char c : head)
        if (IsDigit(c))
            digits += c;
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    std::string result = negative ? "-" : "";
    result += Group(digits);
    if (at != std::string::npos)
        result += text.substr(at);
    return result;
}

// The caret keeps its distance from the end of the text.
void CNumericText::SetKeepingDistance(Edit& edit, const std::string& text, int distance) const
{
    edit.text = Regroup(text);
    Collapse(edit, (int)edit.text.size() - distance);
}

void CNumericText::DeleteSelection(Edit& edit) const
{
    if (edit.start == edit.end)
        return;
    int from = Clamp(std::min(edit.start, edit.end), 0, (int)edit.text.size());
    int to = Clamp(std::max(edit.start, edit.end), 0, (int)edit.text.size());
    std::string left = edit.text.substr(0, from) + edit.text.substr(to);
    double value = Parse(left);
    std::string shown = Format(value);
    // A sign typed before any digit survives the reformat of a zero.
    size_t at = PointPos(left);
    bool signOnly = left == "-" || (at != std::string::npos && at > 0 && left[at - 1] == '-');
    if (value == 0 && signOnly && (shown.empty() || shown[0] != '-'))
        shown = "-" + shown;
    edit.text = shown;
    Collapse(edit, from);
}

void CNumericText::Sign(Edit& edit, bool toggle) const
{
    DeleteSelection(edit);
    int caret = edit.end;
    if (!edit.text.empty() && edit.text[0] == '-') {
        edit.text.erase(0, 1);
        Collapse(edit, caret - 1);
    } else if (toggle) {
        edit.text.insert(0, 1, '-');
        Collapse(edit, caret + 1);
    }
}

void CNumericText::Digit(Edit& edit, char digit) const
{
    DeleteSelection(edit);
    int caret = edit.end;
    if (InIntegerPart(edit.text, caret)) {
        if (edit.text.size() < kMaxTypedLength) {
            if (!edit.text.empty() && edit.text[0] == '-' && caret == 0)
                caret = 1;
            int distance = (int)edit.text.size() - caret;
            std::string text = edit.text;
            text.insert(caret, 1, digit);
            SetKeepingDistance(edit, text, distance);
        }
    } else if (caret < (int)edit.text.size()) {
        edit.text[caret] = digit;
        Collapse(edit, caret + 1);
    }
    if (edit.end < (int)edit.text.size() && edit.text[edit.end] == comma && commas)
        Collapse(edit, edit.end + 1);
}

void CNumericText::Point(Edit& edit) const
{
    DeleteSelection(edit);
    int caret = edit.end;
    std::string text = edit.text;
    if (InIntegerPart(text, caret)) {
        int from = (!text.empty() && text[0] == '-') ? std::max(caret, 1) : caret;
        size_t at = PointPos(text);
        text.erase(std::min((size_t)from, text.size()), at == std::string::npos ? std::string::npos : at - from);
    }
    edit.text = Regroup(text);
    size_t at = PointPos(edit.text);
    Collapse(edit, at == std::string::npos ? (int)edit.text.size() : (int)at + 1);
}

void CNumericText::Backspace(Edit& edit) const
{
    if (edit.start != edit.end) {
        DeleteSelection(edit);
        return;
    }
    std::string text = edit.text;
    int caret = edit.end;
    if (caret > 0 && PointPos(text) == (size_t)(caret - 1))
        --caret;
    if (InIntegerPart(text, caret)) {
        if (caret >= 2 && commas && text[caret - 1] == comma)
            caret -= 2, text.erase(caret, 2);
        else if (caret >= 1 && IsDigit(text[caret - 1]))
            caret -= 1, text.erase(caret, 1);
        SetKeepingDistance(edit, text, (int)text.size() - caret);
        return;
    }
    text.erase(caret - 1, 1);
    text += '0';
    edit.text = text;
    Collapse(edit, caret - 1);
}

void CNumericText::Delete(Edit& edit) const
{
    if (edit.start != edit.end) {
        DeleteSelection(edit);
        return;
    }
    std::string text = edit.text;
    int caret = Clamp(edit.end, 0, (int)text.size());
    if (caret < (int)text.size() && PointPos(text) == (size_t)caret)
        ++caret;
    if (InIntegerPart(text, caret)) {
        if (caret + 1 < (int)text.size() && commas && text[caret] == comma)
            text.erase(caret, 2);
        else if (caret < (int)text.size() && IsDigit(text[caret]))
            text.erase(caret, 1);
        SetKeepingDistance(edit, text, (int)text.size() - caret);
        return;
    }
    if (caret < (int)text.size()) {
        text.erase(caret, 1);
        text += '0';
    }
    edit.text = text;
    Collapse(edit, caret);
}

bool CNumericText::Type(Edit& edit, unsigned char ch) const
{
    if (ch == '-' || ch == '+')
        Sign(edit, ch == '-');
    else if (IsDigit((char)ch))
        Digit(edit, (char)ch);
    else if (ch == (unsigned char)point)
        Point(edit);
    else if (ch == 0x08)
        Backspace(edit);
    else
        return false;
    return true;
}
