// Laying out and drawing a rich edit document on a device.
#include "controls/RichEditControl.h"

#include "mivo/codepage.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

const LONG kTabTwips = 720;  // a tab stop every half inch

bool Lead(const std::string& s, size_t i)
{
    return IsLeadAt(s.data(), s.size(), i);
}

size_t CharEnd(const std::string& s, size_t i)
{
    return i + (Lead(s, i) ? 2 : 1);
}

COLORREF TextColour(const CHARFORMATA& f)
{
    return (f.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : (f.crTextColor & 0xFFFFFF);
}

}  // namespace

RichLayout::RichLayout(HDC hdc, int dpiX, int dpiY) : m_dc(hdc), m_dpiX(std::max(1, dpiX)), m_dpiY(std::max(1, dpiY))
{
    if (!m_dc) {
        m_dc = CreateCompatibleDC(nullptr);
        m_ownDC = true;
    }
}

RichLayout::~RichLayout()
{
    if (m_ownDC)
        DeleteDC(m_dc);
    for (auto& f : m_fonts)
        DeleteObject(f.second);
}

int RichLayout::Twips(LONG twips, int dpi) const
{
    return (int)((long long)twips * dpi / 1440);
}

HFONT RichLayout::FontFor(const CHARFORMATA& f)
{
    std::string key(f.szFaceName, strnlen(f.szFaceName, sizeof(f.szFaceName)));
    key += '|' + std::to_string(f.yHeight) + '|' + std::to_string(f.dwEffects & 0xF) + '|' + std::to_string(f.bCharSet);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return it->second;
    LONG twips = std::max<LONG>(20, std::min(f.yHeight, kMaxRichHeight));
    std::string face = key.substr(0, key.find('|'));
    HFONT font = CreateFont(-std::max(1, Twips(twips, m_dpiY)), 0, 0, 0, (f.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL,
                            (f.dwEffects & CFE_ITALIC) != 0, (f.dwEffects & CFE_UNDERLINE) != 0,
                            (f.dwEffects & CFE_STRIKEOUT) != 0, f.bCharSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, f.bPitchAndFamily, face.c_str());
    m_fonts[key] = font;
    return font;
}

size_t RichLayout::Build(const RichText& text, size_t from, size_t to, int width, int maxHeight)
{
    m_lines.clear();
    to = std::min(to, text.Size());
    from = std::min(from, to);
    m_whole = from == 0 && to == text.Size() && maxHeight < 0;
    m_width = width;
    m_paragraphs = text.ParagraphCount();
    return Lay(text, from, to, width, maxHeight);
}

void RichLayout::Update(const RichText& text, size_t start, size_t oldEnd, size_t newEnd, int width)
{
    if (!m_whole || width != m_width || m_lines.empty() || oldEnd < start || newEnd < start) {
        Build(text, 0, text.Size(), width);
        return;
    }
    // Lines of the paragraphs before the change stay; so do those of every
    // paragraph that starts after it, moved by what the change added or took.
    size_t para = text.ParagraphOf(start);
    size_t head = 0;
    while (head < m_lines.size() && m_lines[head].paragraph < para)
        ++head;
    size_t tail = head;
    while (tail < m_lines.size() && !(m_lines[tail].firstOfParagraph && m_lines[tail].start > oldEnd))
        ++tail;
    std::vector<RichLine> after(std::make_move_iterator(m_lines.begin() + (std::ptrdiff_t)tail),
                                std::make_move_iterator(m_lines.end()));
    m_lines.resize(head);
    size_t to = after.empty() ? text.Size() : after.front().start - oldEnd + newEnd;
    Lay(text, text.ParagraphStart(para), std::min(to, text.Size()), width, -1);
    if (!after.empty()) {
        int top = m_lines.empty() ? 0 : m_lines.back().top + m_lines.back().height;
        int moveDown = top - after.front().top;
        size_t paragraphs = text.ParagraphCount();
        for (RichLine& line : after) {
            line.start = line.start - oldEnd + newEnd;
            line.end = line.end - oldEnd + newEnd;
            line.paragraph = line.paragraph + paragraphs - m_paragraphs;
            line.top += moveDown;
            m_lines.push_back(std::move(line));
        }
    }
    m_paragraphs = text.ParagraphCount();
}

size_t RichLayout::Lay(const RichText& text, size_t from, size_t to, int width, int maxHeight)
{
    to = std::min(to, text.Size());
    from = std::min(from, to);
    // Paragraphs are walked mark to mark: looking each one up from the start would take a long text quadratic time.
    size_t para = text.ParagraphOf(from);
    size_t paraStart = text.ParagraphStart(para);
    size_t pos = from;
    do {
        size_t start = std::max(from, paraStart);
        size_t end = std::min(text.Text().find('\r', paraStart), text.Size());
        bool marked = end < text.Size();
        size_t stop = 0;
        bool full = false;
        LayParagraph(text, para, start, std::min(end + (marked ? 1 : 0), to), start == paraStart, width, maxHeight,
                     &stop, &full);
        pos = stop;
        if (full || !marked)
            break;
        ++para;
        paraStart = end + 1;
        // A document ending in a mark has an empty last paragraph to show.
    } while (pos < to || (pos == text.Size() && to == text.Size() && para < text.ParagraphCount()));
    return pos;
}

void RichLayout::LayParagraph(const RichText& text, size_t para, size_t start, size_t end, bool whole, int width,
                              int maxHeight, size_t* stop, bool* full)
{
    const std::string& s = text.Text();
    const PARAFORMAT& pf = text.Paragraph(para);
    size_t textEnd = end;  // without the mark
    if (textEnd > start && s[textEnd - 1] == '\r')
        --textEnd;

    // Offsets of every byte boundary across the paragraph, run by run.
    std::vector<int> xs(end - start + 1, 0);
    std::vector<int> dx;
    int x = 0;
    for (size_t i = start; i < textEnd;) {
        if (s[i] == '\t') {
            int tab = std::max(1, Twips(kTabTwips, m_dpiX));
            x = (x / tab + 1) * tab;
            xs[++i - start] = x;
            continue;
        }
        const CHARFORMATA& f = text.CharFormatAt(i);
        size_t j = i;
        while (j < textEnd && s[j] != '\t' && SameCharFormat(text.CharFormatAt(j), f))
            j = CharEnd(s, j);
        j = std::min(j, textEnd);
        HGDIOBJ old = SelectObject(m_dc, FontFor(f));
        dx.assign(j - i, 0);
        SIZE size = {0, 0};
        GetTextExtentExPoint(m_dc, s.data() + i, (int)(j - i), 0, nullptr, dx.data(), &size);
        SelectObject(m_dc, old);
        for (size_t k = i; k < j; ++k)
            xs[k + 1 - start] = x + dx[k - i];
        // Both bytes of a character end where it ends.
        for (size_t k = i; k < j; k = CharEnd(s, k))
            if (Lead(s, k) && k + 2 <= j)
                xs[k + 1 - start] = xs[k + 2 - start];
        x = xs[j - start];
        i = j;
    }
    for (size_t i = textEnd; i < end; ++i)
        xs[i + 1 - start] = xs[textEnd - start];

    int bullet = 0;
    if (pf.wNumbering == PFN_BULLET) {
        HGDIOBJ old = SelectObject(m_dc, FontFor(text.CharFormatAt(start)));
        TEXTMETRICA tm = {};
        GetTextMetrics(m_dc, &tm);
        SelectObject(m_dc, old);
        bullet = std::max(Twips(pf.dxOffset, m_dpiX), (int)tm.tmHeight);
    }
    int firstIndent = Twips(pf.dxStartIndent, m_dpiX) + bullet;
    int restIndent = bullet ? firstIndent : Twips(pf.dxStartIndent + pf.dxOffset, m_dpiX);
    int right = Twips(pf.dxRightIndent, m_dpiX);

    size_t pos = start;
    *stop = start;
    *full = false;
    do {
        RichLine line;
        line.paragraph = para;
        line.firstOfParagraph = whole && pos == start;
        int indent = std::max(0, line.firstOfParagraph ? firstIndent : restIndent);
        int room = std::max(0, width - indent - right);
        // The furthest character end that fits, at least one character.
        size_t fit = pos;
        for (size_t next = pos; next < textEnd; next = CharEnd(s, next)) {
            size_t after = std::min(CharEnd(s, next), textEnd);
            if (xs[after - start] - xs[pos - start] > room) {
                if (fit == pos && width > 0)
                    fit = after;
                break;
            }
            fit = after;
        }
        CountLayoutSteps(fit - pos);
        size_t lineEnd = fit;
        if (fit < textEnd) {
            // Break after the last blank on the line, looking back no further than its start;
            // blanks at its end stay on it.
            size_t blank = fit > pos ? fit - 1 : pos;
            while (blank > pos && s[blank] != ' ')
                --blank;
            CountLayoutSteps(fit - blank);
            if (s[fit] != ' ' && s[blank] == ' ' && blank + 1 < fit)
                lineEnd = blank + 1;
            while (lineEnd < textEnd && s[lineEnd] == ' ')
                ++lineEnd;
        } else {
            lineEnd = end;  // the mark stays with the last line
        }
        bool emptyParagraph = whole && start == end;
        if (lineEnd == pos && !emptyParagraph)
            break;  // nothing fits across (a zero width)
        line.start = pos;
        line.end = lineEnd;
        line.xs.assign(xs.begin() + (std::ptrdiff_t)(pos - start), xs.begin() + (std::ptrdiff_t)(lineEnd - start) + 1);
        for (int& v : line.xs)
            v -= xs[pos - start];
        MeasureLine(text, line);
        line.top = m_lines.empty() ? 0 : m_lines.back().top + m_lines.back().height;
        if (maxHeight >= 0 && line.top + line.height > maxHeight) {
            *full = true;
            return;
        }
        size_t visibleEnd = lineEnd;
        while (visibleEnd > pos && (s[visibleEnd - 1] == ' ' || s[visibleEnd - 1] == '\r'))
            --visibleEnd;
        int used = line.xs[visibleEnd - pos];
        int slack = std::max(0, room - used);
        line.x = indent + (pf.wAlignment == PFA_RIGHT ? slack : pf.wAlignment == PFA_CENTER ? slack / 2 : 0);
        m_lines.push_back(std::move(line));
        pos = lineEnd;
        *stop = pos;
    } while (pos < end);
    if (pos < end)
        *full = true;
}

void RichLayout::MeasureLine(const RichText& text, RichLine& line)
{
    int ascent = 0, descent = 0;
    size_t last = line.end > line.start ? line.end : line.start + 1;
    for (size_t i = line.start; i < last;) {
        const CHARFORMATA& f = text.CharFormatAt(i < text.Size() ? i : (i > 0 ? i - 1 : 0));
        HGDIOBJ old = SelectObject(m_dc, FontFor(f));
        TEXTMETRICA tm = {};
        GetTextMetrics(m_dc, &tm);
        SelectObject(m_dc, old);
        ascent = std::max(ascent, (int)tm.tmAscent);
        descent = std::max(descent, (int)tm.tmDescent);
        size_t j = i + 1;
        while (j < line.end && SameCharFormat(text.CharFormatAt(j), f))
            ++j;
        i = j;
    }
    line.ascent = ascent;
    line.height = std::max(1, ascent + descent);
}

size_t RichLayout::LineOf(size_t pos) const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (pos < m_lines[i].end)
            return i;
    return m_lines.empty() ? 0 : m_lines.size() - 1;
}

POINT RichLayout::PositionOf(size_t pos) const
{
    if (m_lines.empty())
        return POINT{0, 0};
    const RichLine& l = m_lines[LineOf(pos)];
    size_t at = std::min(std::max(pos, l.start), l.end) - l.start;
    return POINT{l.x + l.xs[at], l.top};
}

size_t RichLayout::PositionAt(const RichText& text, POINT pt) const
{
    if (m_lines.empty())
        return 0;
    size_t index = m_lines.size() - 1;
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (pt.y < m_lines[i].top + m_lines[i].height) {
            index = i;
            break;
        }
    const RichLine& l = m_lines[index];
    const std::string& s = text.Text();
    size_t end = l.end;
    if (end > l.start && s[end - 1] == '\r')
        --end;
    size_t best = l.start;
    int x = pt.x - l.x;
    for (size_t i = l.start; i < end; i = CharEnd(s, i)) {
        size_t next = std::min(CharEnd(s, i), end);
        int mid = (l.xs[i - l.start] + l.xs[next - l.start]) / 2;
        if (x < mid)
            return i;
        best = next;
    }
    return best;
}

void RichLayout::Draw(HDC hdc, const RichText& text, POINT origin, size_t selStart, size_t selEnd, int clipTop,
                      int clipBottom)
{
    const std::string& s = text.Text();
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    UINT oldAlign = SetTextAlign(hdc, TA_LEFT | TA_BASELINE);
    COLORREF oldColour = GetTextColor(hdc);
    COLORREF oldBk = GetBkColor(hdc);
    for (const RichLine& l : m_lines) {
        int top = origin.y + l.top;
        if (top + l.height <= clipTop || top >= clipBottom)
            continue;
        int base = top + l.ascent;
        if (l.firstOfParagraph && text.Paragraph(l.paragraph).wNumbering == PFN_BULLET) {
            const PARAFORMAT& pf = text.Paragraph(l.paragraph);
            COLORREF c = TextColour(text.CharFormatAt(l.start));
            int d = std::max(2, l.ascent / 3);
            int cx = origin.x + Twips(pf.dxStartIndent, m_dpiX) + d;
            int cy = base - l.ascent / 3;
            HBRUSH brush = CreateSolidBrush(c);
            HPEN pen = CreatePen(PS_SOLID, 1, c);
            HGDIOBJ ob = SelectObject(hdc, brush), op = SelectObject(hdc, pen);
            Ellipse(hdc, cx - d / 2, cy - d / 2, cx - d / 2 + d, cy - d / 2 + d);
            SelectObject(hdc, ob);
            SelectObject(hdc, op);
            DeleteObject(brush);
            DeleteObject(pen);
        }
        for (size_t i = l.start; i < l.end;) {
            const CHARFORMATA& f = text.CharFormatAt(i);
            bool selected = i >= selStart && i < selEnd;
            size_t j = i;
            while (j < l.end && SameCharFormat(text.CharFormatAt(j), f) && (j >= selStart && j < selEnd) == selected)
                j = CharEnd(s, j);
            j = std::min(j, l.end);
            int x0 = origin.x + l.x + l.xs[i - l.start], x1 = origin.x + l.x + l.xs[j - l.start];
            if (selected) {
                RECT r = {x0, top, std::max(x1, x0 + (s[j - 1] == '\r' ? 4 : 0)), top + l.height};
                HBRUSH hb = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
                FillRect(hdc, &r, hb);
                DeleteObject(hb);
            }
            SetTextColor(hdc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : TextColour(f));
            HGDIOBJ old = SelectObject(hdc, FontFor(f));
            // Tabs and the mark are not drawn; each stretch between them is.
            for (size_t k = i; k < j;) {
                size_t e = k;
                while (e < j && s[e] != '\t' && s[e] != '\r')
                    ++e;
                if (e > k)
                    TextOut(hdc, origin.x + l.x + l.xs[k - l.start], base, s.data() + k, (int)(e - k));
                k = e < j ? e + 1 : e;
            }
            SelectObject(hdc, old);
            i = j;
        }
    }
    SetBkColor(hdc, oldBk);
    SetTextColor(hdc, oldColour);
    SetTextAlign(hdc, oldAlign);
    SetBkMode(hdc, oldMode);
}

}  // namespace mivo
