#include "grid/GridRowString.h"

#include <cstdio>
#include <cstring>
#include <string>

bool GridCellFields::IsEmpty() const
{
    return iImage == -1 && iOverlay == -1 && iCheck == -1 && iTextColor == -1 && iTextLength == -1 &&
           iNumberFormat == -1;
}

CString GridRowString::EmptyField(char separator)
{
    return Format(GridCellFields(), nullptr, separator);
}

void GridRowString::Fill(CString& row, int count, char separator)
{
    CString field = EmptyField(separator);
    std::string packed;
    packed.reserve((size_t)field.GetLength() * (count > 0 ? count : 0));
    for (int i = 0; i < count; i++)
        packed.append((LPCSTR)field, field.GetLength());
    row = packed.c_str();
}

int GridRowString::FieldStart(const CString& row, int n, char separator)
{
    const char* s = row;
    int length = row.GetLength();
    int pos = 0;
    for (int i = 0; i < n; i++) {
        const void* hit = memchr(s + pos, separator, length - pos);
        if (!hit)
            return length;
        pos = (int)((const char*)hit - s) + 1;
    }
    return pos;
}

int GridRowString::FieldEnd(const CString& row, int start, char separator)
{
    const char* s = row;
    int length = row.GetLength();
    if (start >= length)
        return length;
    const void* hit = memchr(s + start, separator, length - start);
    return hit ? (int)((const char*)hit - s) : length;
}

namespace {

// scanf's "%d": optional blanks and sign, then digits; false when no digit follows.
bool ScanInt(const char*& p, const char* end, int& value)
{
    const char* q = p;
    while (q < end && (*q == ' ' || *q == '\t'))
        q++;
    bool negative = false;
    if (q < end && (*q == '-' || *q == '+'))
        negative = *q++ == '-';
    if (q >= end || *q < '0' || *q > '9')
        return false;
    long long v = 0;
    while (q < end && *q >= '0' && *q <= '9') {
        if (v < 0x7FFFFFFF)
            v = v * 10 + (*q - '0');
        q++;
    }
    value = (int)(negative ? -v : v);
    p = q;
    return true;
}

bool Expect(const char*& p, const char* end, char c)
{
    if (p >= end || *p != c)
        return false;
    p++;
    return true;
}

} // namespace

int GridRowString::Read(const CString& row, int n, char separator, GridCellFields& cell, char* text, int size)
{
    int start = FieldStart(row, n, separator);
    int end = FieldEnd(row, start, separator);
    const char* base = row;
    const char* p = base + start;
    const char* stop = base + end;
    int* numbers[6] = {&cell.iImage, &cell.iOverlay, &cell.iCheck, &cell.iTextColor, &cell.iTextLength,
                       &cell.iNumberFormat};
    if (Expect(p, stop, '('))
        for (int i = 0; i < 6; i++)
            if (!ScanInt(p, stop, *numbers[i]) || (i < 5 && !Expect(p, stop, ',')))
                break;
    if (text && size > 0) {
        const void* close = memchr(base + start, ')', end - start);
        const char* from = close ? (const char*)close + 1 : stop;
        int count = (int)(stop - from);
        if (count > size - 1)
            count = size - 1;
        memcpy(text, from, count);
        text[count] = 0;
    }
    return cell.IsEmpty() ? 0 : 1;
}

CString GridRowString::Format(const GridCellFields& cell, const char* text, char separator)
{
    char head[96];
    snprintf(head, sizeof(head), "(%d,%d,%d,%d,%d,%d)", cell.iImage, cell.iOverlay, cell.iCheck, cell.iTextColor,
             cell.iTextLength, cell.iNumberFormat);
    CString field(head);
    if (text)
        field += text;
    field += separator;
    return field;
}

void GridRowString::Write(CString& row, int n, char separator, const GridCellFields& cell, const char* text)
{
    int start = FieldStart(row, n, separator);
    row.Insert(start, Format(cell, text, separator));
}

void GridRowString::Delete(CString& row, int n, char separator)
{
    int start = FieldStart(row, n, separator);
    int end = FieldEnd(row, start, separator);
    if (end < row.GetLength())
        end++;
    row.Delete(start, end - start);
}

void GridRowString::Replace(CString& row, int n, char separator, const GridCellFields& cell, const char* text)
{
    int start = FieldStart(row, n, separator);
    int end = FieldEnd(row, start, separator);
    if (end < row.GetLength())
        end++;
    CString field = Format(cell, text, separator);
    CString result = row.Left(start);
    result += field;
    result += row.Mid(end);
    row = result;
}

void GridRowString::ChangeSeparator(CString& row, char from, char to)
{
    if (from == to)
        return;
    std::string out((LPCSTR)row, row.GetLength());
    bool inText = false;
    for (size_t i = 0; i < out.size(); i++) {
        char& c = out[i];
        if (c == from) {
            c = to;
            inText = false;
        } else if (c == ')' && !inText) {
            inText = true;
        } else if (inText && (unsigned char)c >= 0x81 && i + 1 < out.size()) {
            i++; // a trail byte is never a separator
        } else if (inText && c == to) {
            c = ' ';
        }
    }
    row = out.c_str();
}

void GridRowString::BlankSeparators(char* text, char separator)
{
    for (char* p = text; *p; p++) {
        if ((unsigned char)*p >= 0x81 && p[1])
            p++;
        else if (*p == separator)
            *p = ' ';
    }
}

int GridRowString::CutLength(const char* text, int limit)
{
    int i = 0;
    while (text[i] && i < limit) {
        bool lead = (unsigned char)text[i] >= 0x81 && text[i + 1];
        int step = lead ? 2 : 1;
        if (i + step > limit)
            break;
        i += step;
    }
    return i;
}
