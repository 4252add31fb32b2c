// DrawText: lines, word wrapping, tabs, '&' prefixes, ellipses and alignment.
// Layout works on UTF-16 text, so a CP949 double-byte character can never be
// split by wrapping or ellipsis.
#include "gdi/DeviceContext.h"
#include "mivo/Trace.h"
#include "gdi/TextCodec.h"
#include "gdi/TextDraw.h"

#include <algorithm>
#include <cstring>

using namespace mivo;
using namespace mivo::gdi;

namespace {

struct Line {
    std::u16string text;
    std::vector<size_t> underline;  // prefixed units
};

bool IsSpace(char16_t c)
{
    return c == u' ' || c == 0x3000;
}

// Wide characters (Hangul, Han, kana ...) may break between each other.
bool IsWide(char16_t c)
{
    return c >= 0x1100 && !(c >= 0xD800 && c < 0xE000);
}

// Removes '&' prefixes, remembering the units they mark.
void StripPrefixes(const std::u16string& in, UINT format, Line& out)
{
    out.text.clear();
    out.underline.clear();
    bool prefixes = (format & DT_NOPREFIX) == 0;
    for (size_t i = 0; i < in.size(); ++i) {
        char16_t c = in[i];
        if (prefixes && c == u'&') {
            if (i + 1 < in.size() && in[i + 1] == u'&') {
                out.text.push_back(u'&');
                ++i;
                continue;
            }
            if (i + 1 < in.size()) {
                if ((format & DT_HIDEPREFIX) == 0)
                    out.underline.push_back(out.text.size());
                continue;
            }
            continue;
        }
        out.text.push_back(c);
    }
}

class Layout {
public:
    Layout(const DeviceContext& dc, const RealizedFont& font, UINT format, int tabWidth)
        : dc_(dc), font_(font), format_(format), tabWidth_(tabWidth)
    {
    }

    TextRun Measure(const std::u16string& text) const { return LayoutRun(dc_, font_, text); }
    void MeasureInto(const std::u16string& text, TextRun& run) const { LayoutRunInto(dc_, font_, text, run); }

    // Expands tabs into spaces that reach the next tab stop.
    void ExpandTabs(Line& line) const
    {
        if ((format_ & DT_EXPANDTABS) == 0 || line.text.find(u'\t') == std::u16string::npos)
            return;
        int space = std::max(1, Measure(u" ").width);
        Line out;
        int x = 0;
        for (size_t i = 0; i < line.text.size(); ++i) {
            for (size_t u : line.underline)
                if (u == i)
                    out.underline.push_back(out.text.size());
            char16_t c = line.text[i];
            if (c == u'\t') {
                int next = tabWidth_ > 0 ? (x / tabWidth_ + 1) * tabWidth_ : x;
                do {
                    out.text.push_back(u' ');
                    x += space;
                } while (x + space / 2 < next);
                continue;
            }
            x += Measure(std::u16string(1, c)).width;
            out.text.push_back(c);
        }
        line = std::move(out);
    }

    // Splits a paragraph at break opportunities to fit `width`.
    std::vector<Line> Wrap(const Line& para, int width) const
    {
        std::vector<Line> lines;
        TextRun run = Measure(para.text);
        size_t n = para.text.size();
        size_t start = 0;
        while (start < n || lines.empty()) {
            if (start >= n) {
                lines.push_back(Sub(para, start, start));
                break;
            }
            int x = 0;
            size_t lastBreak = std::u16string::npos;  // end of the text before a break
            size_t resume = start;
            size_t i = start;
            for (; i < n; ++i) {
                char16_t c = para.text[i];
                if (IsSpace(c)) {
                    lastBreak = i;
                    resume = i + 1;
                } else if (i > start && (IsWide(c) || IsWide(para.text[i - 1]))) {
                    lastBreak = i;
                    resume = i;
                }
                if (x + run.advances[i] > width && i > start && !IsSpace(c)) {
                    break;
                }
                x += run.advances[i];
            }
            if (i >= n) {
                lines.push_back(Sub(para, start, n));
                break;
            }
            size_t end;
            if (lastBreak != std::u16string::npos && lastBreak > start) {
                end = lastBreak;
            } else if (format_ & DT_EDITCONTROL) {
                end = i;
                resume = i;
            } else {
                // One word longer than the line: it stays whole and overflows.
                end = i;
                while (end < n && !IsSpace(para.text[end]) && !(end > start && IsWide(para.text[end])))
                    ++end;
                resume = end;
            }
            while (end > start && IsSpace(para.text[end - 1]))
                --end;
            lines.push_back(Sub(para, start, end));
            while (resume < n && IsSpace(para.text[resume]))
                ++resume;
            if (resume <= start)
                resume = start + 1;
            start = resume;
        }
        return lines;
    }

    // Shortens a line to `width` with "..." at its end, in the middle of a path, or after a word.
    // `measured` is the line as it stands; false when the line fits and stays.
    bool Ellipsize(Line& line, int width, const TextRun& measured) const
    {
        UINT kind = format_ & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
        if (kind == 0 || measured.width <= width)
            return false;
        const std::u16string dots = u"...";
        int dotsWidth = Measure(dots).width;
        if (kind & DT_PATH_ELLIPSIS) {
            size_t slash = line.text.find_last_of(u"\\/");
            if (slash != std::u16string::npos && slash > 0) {
                std::u16string tail = line.text.substr(slash);
                std::u16string head = line.text.substr(0, slash);
                while (!head.empty() && Measure(head + dots + tail).width > width)
                    head.pop_back();
                if (Measure(head + dots + tail).width <= width || head.empty()) {
                    line.text = head + dots + tail;
                    line.underline.clear();
                    if (Measure(line.text).width <= width)
                        return true;
                }
            }
        }
        TextRun run = Measure(line.text);
        size_t keep = 0;
        int x = 0;
        while (keep < line.text.size() && x + run.advances[keep] + dotsWidth <= width) {
            x += run.advances[keep];
            ++keep;
        }
        // Never leave half of a surrogate pair.
        if (keep > 0 && line.text[keep - 1] >= 0xD800 && line.text[keep - 1] < 0xDC00)
            --keep;
        if (kind & DT_WORD_ELLIPSIS) {
            size_t word = keep;
            while (word > 0 && !IsSpace(line.text[word - 1]) && !IsWide(line.text[word - 1]))
                --word;
            if (word > 0)
                keep = word;
        }
        line.text = line.text.substr(0, keep) + dots;
        std::vector<size_t> kept;
        for (size_t u : line.underline)
            if (u < keep)
                kept.push_back(u);
        line.underline = kept;
        return true;
    }

private:
    static Line Sub(const Line& para, size_t a, size_t b)
    {
        Line l;
        l.text = para.text.substr(a, b - a);
        for (size_t u : para.underline)
            if (u >= a && u < b)
                l.underline.push_back(u - a);
        return l;
    }

    const DeviceContext& dc_;
    const RealizedFont& font_;
    UINT format_;
    int tabWidth_;
};

// Storage that a thread's DrawText calls reuse: a line of text then costs no allocation.
struct Scratch {
    std::u16string wide;  // the caller's CP949 text, widened
    std::basic_string<unsigned char> bytes;
    std::u16string paragraph;
    std::vector<Line> lines;
    size_t used = 0;
    std::vector<TextRun> runs;

    Line& Next()
    {
        if (used == lines.size())
            lines.emplace_back();
        return lines[used++];
    }
};

Scratch& ThreadScratch()
{
    thread_local Scratch scratch;
    return scratch;
}

// Calls `visit` with each paragraph of the text (all of it, breaks left out, on a single line).
template <class F>
void ForEachParagraph(const std::u16string& text, bool singleLine, std::u16string& paragraph, F&& visit)
{
    paragraph.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c != u'\r' && c != u'\n') {
            paragraph.push_back(c);
            continue;
        }
        if (singleLine)
            continue;
        visit(paragraph);
        paragraph.clear();
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
    visit(paragraph);
}

int DrawTextInternal(HDC hdc, const std::u16string& text, LPRECT lprc, UINT format, LPDRAWTEXTPARAMS params,
                     std::u16string* shown)
{
    MIVO_TRACE(kTraceGdi, "DrawText(%p, %zu characters, %#x)", (void*)hdc, text.size(), format);
    auto dc = LookupDC(hdc);
    if (!dc || lprc == nullptr)
        return 0;
    std::lock_guard<std::recursive_mutex> guard(dc->mutex);
    std::shared_ptr<RealizedFont> font = DcFont(*dc);
    const FontMetricsInfo& m = MetricsOf(*font);

    int leftMargin = 0, rightMargin = 0;
    int tabChars = 8;
    if (format & DT_TABSTOP)
        tabChars = (int)((format >> 8) & 0xFF);
    if (params != nullptr) {
        leftMargin = std::max(0, dc->ScaleX(params->iLeftMargin));
        rightMargin = std::max(0, dc->ScaleX(params->iRightMargin));
        if (params->iTabLength > 0)
            tabChars = params->iTabLength;
        params->uiLengthDrawn = 0;
    }
    int tabWidth = tabChars * m.aveCharWidth;

    RECT dev = dc->ToDeviceRect(*lprc);
    dev.left += leftMargin;
    dev.right -= rightMargin;
    int avail = std::max<int>(0, dev.right - dev.left);
    int lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
    bool single = (format & DT_SINGLELINE) != 0;

    Layout layout(*dc, *font, format, tabWidth);
    Scratch& scratch = ThreadScratch();
    scratch.used = 0;
    ForEachParagraph(text, single, scratch.paragraph, [&](const std::u16string& p) {
        Line& para = scratch.Next();
        StripPrefixes(p, format, para);
        layout.ExpandTabs(para);
        if ((format & DT_WORDBREAK) && !single && layout.Measure(para.text).width > avail) {
            std::vector<Line> wrapped = layout.Wrap(para, avail);
            --scratch.used;
            for (Line& l : wrapped)
                scratch.Next() = std::move(l);
        }
    });
    std::vector<TextRun>& runs = scratch.runs;
    if (runs.size() < scratch.used)
        runs.resize(scratch.used);
    int maxWidth = 0;
    for (size_t i = 0; i < scratch.used; ++i) {
        layout.MeasureInto(scratch.lines[i].text, runs[i]);
        if (layout.Ellipsize(scratch.lines[i], avail, runs[i]))
            layout.MeasureInto(scratch.lines[i].text, runs[i]);
        maxWidth = std::max(maxWidth, runs[i].width);
    }
    const size_t lineCount = scratch.used;
    const std::vector<Line>& lines = scratch.lines;
    if (shown != nullptr && lineCount > 0)
        *shown = lines.front().text;

    int total = lineHeight * (int)lineCount;
    int yOffset = 0;
    if (single) {
        int h = dev.bottom - dev.top;
        if (format & DT_VCENTER)
            yOffset = (h - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            yOffset = h - lineHeight;
    }
    if (params != nullptr)
        params->uiLengthDrawn = (UINT)text.size();

    if (format & DT_CALCRECT) {
        // Right and bottom move to bound the text; left and top stay.
        POINT a = dc->ToLogical(dev.left - leftMargin, dev.top);
        POINT b = dc->ToLogical(dev.left + maxWidth + rightMargin, dev.top + total);
        lprc->right = lprc->left + (b.x - a.x);
        lprc->bottom = lprc->top + (b.y - a.y);
        return dc->ToLogicalLengthY(total);
    }

    DrawTarget t;
    if (dc->Acquire(t)) {
        RECT clip = {dev.left - leftMargin + t.origin.x, dev.top + t.origin.y, dev.right + rightMargin + t.origin.x,
                     dev.bottom + t.origin.y};
        bool prefixOnly = (format & DT_PREFIXONLY) != 0;
        int y = dev.top + yOffset;
        for (size_t i = 0; i < lineCount; ++i, y += lineHeight) {
            const TextRun& run = runs[i];
            int x = dev.left;
            if (format & DT_CENTER)
                x = dev.left + (avail - run.width) / 2;
            else if (format & DT_RIGHT)
                x = dev.right - run.width;
            TextPaint how;
            how.baseline = POINT{x + t.origin.x, y + m.ascent + t.origin.y};
            how.opaque = dc->st.bkMode == OPAQUE && !prefixOnly;
            how.clip = (format & DT_NOCLIP) ? nullptr : &clip;
            how.underline = lines[i].underline.empty() ? nullptr : &lines[i].underline;
            if (prefixOnly) {
                TextRun blank = run;
                for (char16_t& c : blank.text)
                    c = u' ';
                PaintRun(*dc, t, *font, blank, how);
            } else {
                PaintRun(*dc, t, *font, run, how);
            }
        }
    }
    int result = dc->ToLogicalLengthY(total);
    if (yOffset != 0)
        result = dc->ToLogicalLengthY(yOffset + total);
    return result;
}

int DrawTextAnsi(HDC hdc, LPSTR text, int cchText, LPRECT lprc, UINT format, LPDRAWTEXTPARAMS params)
{
    if (text == nullptr)
        return 0;
    size_t len = cchText < 0 ? std::strlen(text) : (size_t)cchText;
    Scratch& scratch = ThreadScratch();
    AnsiCharBytes(text, len, scratch.wide, scratch.bytes);
    const std::u16string& wide = scratch.wide;
    std::u16string shown;
    bool modify = (format & DT_MODIFYSTRING) != 0 &&
                  (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) != 0;
    int result = DrawTextInternal(hdc, wide, lprc, format, params, modify ? &shown : nullptr);
    if (modify && !shown.empty()) {
        // The shortened text goes back into the caller's buffer, never past
        // its original length, and never cut inside a double-byte character.
        std::string ansi = WideToAnsi(shown);
        if (ansi.size() > len) {
            size_t cut = 0;
            while (cut < len) {
                size_t step = ((unsigned char)ansi[cut] >= 0x81 && (unsigned char)ansi[cut] <= 0xFE) ? 2 : 1;
                if (cut + step > len)
                    break;
                cut += step;
            }
            ansi.resize(cut);
        }
        std::memcpy(text, ansi.data(), ansi.size());
        if (ansi.size() < len || cchText < 0)
            text[ansi.size()] = 0;
    }
    return result;
}

}  // namespace

int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    return DrawTextAnsi(hdc, const_cast<LPSTR>(lpchText), cchText, lprc, format, nullptr);
}

int DrawText(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    return DrawTextA(hdc, lpchText, cchText, lprc, format);
}

int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    if (lpchText == nullptr)
        return 0;
    size_t len = 0;
    if (cchText < 0)
        while (lpchText[len] != 0)
            ++len;
    else
        len = (size_t)cchText;
    std::u16string text(reinterpret_cast<const char16_t*>(lpchText), len);
    std::u16string shown;
    bool modify = (format & DT_MODIFYSTRING) != 0;
    int result = DrawTextInternal(hdc, text, lprc, format, nullptr, modify ? &shown : nullptr);
    if (modify && !shown.empty()) {
        size_t n = std::min(shown.size(), len);
        std::memcpy(const_cast<LPWSTR>(lpchText), shown.data(), n * sizeof(WCHAR));
        if (n < len || cchText < 0)
            const_cast<LPWSTR>(lpchText)[n] = 0;
    }
    return result;
}

int DrawTextExA(HDC hdc, LPSTR lpchText, int cchText, LPRECT lprc, UINT format, LPDRAWTEXTPARAMS lpdtp)
{
    if (lpdtp != nullptr && lpdtp->cbSize != sizeof(DRAWTEXTPARAMS))
        return 0;
    return DrawTextAnsi(hdc, lpchText, cchText, lprc, format, lpdtp);
}

int DrawTextEx(HDC hdc, LPSTR lpchText, int cchText, LPRECT lprc, UINT format, LPDRAWTEXTPARAMS lpdtp)
{
    return DrawTextExA(hdc, lpchText, cchText, lprc, format, lpdtp);
}
