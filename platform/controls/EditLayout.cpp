// The edit control's lines, positions, scrolling and painting.
#include "controls/EditControl.h"

#include <algorithm>


namespace mivo {

MeasuringDC::MeasuringDC(HWND control) : m_dc(CreateCompatibleDC(nullptr))
{
    if (m_dc)
        m_old = SelectObject(m_dc, ControlFont(control));
}

MeasuringDC::~MeasuringDC()
{
    if (!m_dc)
        return;
    SelectObject(m_dc, m_old);
    DeleteDC(m_dc);
}

namespace {

// The character starts of one paragraph, found once so that stepping back
// from any position costs a byte or two, not a scan from the paragraph's start.
class CharStarts {
public:
    CharStarts(const std::string& text, size_t start, size_t end) : m_text(text), m_start(start), m_end(end)
    {
        m_starts.assign(end - start + 1, false);
        for (size_t i = start; i < end; i += std::max<size_t>(1, CharLengthAt(text, i)))
            m_starts[i - start] = true;
        m_starts[end - start] = true;
        CountLayoutSteps(end - start);
    }

    size_t Previous(size_t pos) const
    {
        size_t p = pos;
        while (p > m_start && !m_starts[--p - m_start]) {
        }
        CountLayoutSteps(pos - p);
        return p;
    }

    // A line may end after a blank or before or after a double-byte character.
    bool Breakable(size_t pos) const
    {
        if (pos <= m_start || pos >= m_end || pos >= m_text.size())
            return true;
        unsigned char before = (unsigned char)m_text[pos - 1];
        if (before == ' ' || before == '\t' || (unsigned char)m_text[pos] >= 0x81)
            return true;
        return pos - Previous(pos) == 2;
    }

private:
    const std::string& m_text;
    size_t m_start, m_end;
    std::vector<bool> m_starts;
};

}  // namespace

void EditControl::Measure()
{
    MeasuringDC dc(m_hwnd);
    TEXTMETRICA tm = {};
    if (dc.Get() && GetTextMetrics(dc.Get(), &tm)) {
        m_lineHeight = std::max(1, (int)tm.tmHeight);
        m_aveCharWidth = std::max(1, (int)tm.tmAveCharWidth);
    }
}

void EditControl::SetFormatRect(const RECT* rc)
{
    m_customFormat = rc != nullptr;
    if (rc)
        m_format = *rc;
    Layout();
}

int EditControl::NextTab(int x) const
{
    int interval = 8 * m_aveCharWidth;
    for (int stop : tabStops)
        if (stop > x)
            return stop;
    if (tabStops.size() == 1 && tabStops[0] > 0)
        interval = tabStops[0];
    else if (tabStops.size() > 1)
        interval = std::max(1, tabStops.back() - tabStops[tabStops.size() - 2]);
    if (interval <= 0)
        interval = 1;
    return (x / interval + 1) * interval;
}

std::vector<int> EditControl::LineXs(HDC hdc, size_t start, size_t length) const
{
    const std::string& text = buffer.Text();
    std::vector<int> xs(length + 1, 0);
    if (passwordChar) {
        int w = TextWidth(hdc, &passwordChar, 1);
        int x = 0;
        for (size_t i = 0; i < length;) {
            size_t n = std::max<size_t>(1, CharLengthAt(text, start + i));
            x += w;
            for (size_t k = 1; k <= n && i + k <= length; ++k)
                xs[i + k] = x;
            i += n;
        }
        return xs;
    }
    bool tabs = Multiline();
    size_t i = 0;
    int x = 0;
    std::vector<int> dx;
    while (i < length) {
        if (tabs && text[start + i] == '\t') {
            x = NextTab(x);
            xs[++i] = x;
            continue;
        }
        size_t j = i;
        while (j < length && !(tabs && text[start + j] == '\t'))
            ++j;
        dx.assign(j - i, 0);
        SIZE size = {0, 0};
        GetTextExtentExPoint(hdc, text.data() + start + i, (int)(j - i), 0, nullptr, dx.data(), &size);
        for (size_t k = i; k < j; ++k)
            xs[k + 1] = x + dx[k - i];
        x = xs[j];
        i = j;
    }
    return xs;
}

int EditControl::LineOffset(HDC, const EditLine&, const std::vector<int>& xs) const
{
    DWORD align = Style() & (ES_CENTER | ES_RIGHT);
    if (!align)
        return 0;
    int room = (m_format.right - m_format.left) - xs.back();
    if (room <= 0)
        return 0;
    return (align & ES_CENTER) ? room / 2 : room;
}

void EditControl::WrapLine(HDC hdc, size_t start, size_t end, size_t breakLength)
{
    const std::string& text = buffer.Text();
    int width = std::max(1, (int)(m_format.right - m_format.left));
    std::vector<int> xs = LineXs(hdc, start, end - start);
    CharStarts starts(text, start, end);
    size_t pos = start;
    while (true) {
        size_t stop = pos;
        // The furthest character end that still fits, at least one character.
        size_t next = pos + std::max<size_t>(1, CharLengthAt(text, pos));
        while (next <= end && xs[next - start] - xs[pos - start] <= width) {
            stop = next;
            if (next >= end)
                break;
            next += std::max<size_t>(1, CharLengthAt(text, next));
        }
        CountLayoutSteps(stop - pos);
        if (stop == pos)
            stop = std::min(end, pos + std::max<size_t>(1, CharLengthAt(text, pos)));
        if (stop < end) {
            // Blanks at the end of a line stay on it.
            size_t blanks = stop;
            while (blanks < end && text[blanks] == ' ')
                ++blanks;
            CountLayoutSteps(blanks - stop);
            if (blanks > stop && (blanks == end || starts.Breakable(blanks))) {
                stop = blanks;
            } else {
                size_t b = stop;
                while (b > pos && !starts.Breakable(b))
                    b = starts.Previous(b);
                if (b > pos)
                    stop = b;
            }
        }
        EditLine line;
        line.start = pos;
        line.length = stop - pos;
        line.breakLength = stop >= end ? breakLength : 0;
        m_lines.push_back(line);
        if (stop >= end)
            break;
        pos = stop;
    }
}

void EditControl::Layout()
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (!m_customFormat) {
        m_format = client;
        m_format.left += marginLeft;
        m_format.right -= marginRight;
        if (!Multiline()) {
            // A single line sits in the middle of a control taller than it.
            int room = (client.bottom - client.top) - m_lineHeight;
            if (room > 0 && !(GetWindowLong(m_hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && !(Style() & WS_BORDER))
                m_format.top += room / 2;
            else if (room > 0)
                m_format.top += std::min(room / 2, 1);
        }
        if (m_format.right < m_format.left)
            m_format.right = m_format.left;
        m_format.bottom = std::max(m_format.bottom, m_format.top + m_lineHeight);
    }
    m_lines.clear();
    const std::string& text = buffer.Text();
    if (!Multiline()) {
        EditLine line;
        line.length = text.size();
        m_lines.push_back(line);
        return;
    }
    bool wrap = !(Style() & (ES_AUTOHSCROLL | WS_HSCROLL));
    MeasuringDC dc(m_hwnd);
    size_t pos = 0;
    while (true) {
        size_t nl = text.find('\n', pos);
        size_t end = nl == std::string::npos ? text.size() : nl;
        size_t breakLength = nl == std::string::npos ? 0 : 1;
        if (nl != std::string::npos && end > pos && text[end - 1] == '\r') {
            --end;
            breakLength = 2;
        }
        if (wrap && end > pos && dc.Get()) {
            WrapLine(dc.Get(), pos, end, breakLength);
        } else {
            EditLine line;
            line.start = pos;
            line.length = end - pos;
            line.breakLength = breakLength;
            m_lines.push_back(line);
        }
        if (nl == std::string::npos)
            break;
        pos = nl + 1;
    }
    int maxFirst = std::max(0, (int)m_lines.size() - 1);
    m_firstLine = std::min(m_firstLine, maxFirst);
}

const EditLine& EditControl::Line(size_t index) const
{
    static const EditLine empty;
    if (m_lines.empty())
        return empty;
    return m_lines[std::min(index, m_lines.size() - 1)];
}

size_t EditControl::LineOf(size_t pos) const
{
    if (m_lines.empty())
        return 0;
    size_t lo = 0, hi = m_lines.size() - 1;
    while (lo < hi) {
        size_t mid = (lo + hi + 1) / 2;
        if (m_lines[mid].start <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int EditControl::VisibleLineCount() const
{
    int h = m_format.bottom - m_format.top;
    return std::max(1, h / std::max(1, m_lineHeight));
}

POINT EditControl::PositionOf(size_t pos)
{
    MeasuringDC dc(m_hwnd);
    size_t index = LineOf(pos);
    const EditLine& line = Line(index);
    std::vector<int> xs = LineXs(dc.Get(), line.start, line.length);
    size_t offset = std::min(pos - std::min(pos, line.start), line.length);
    POINT pt;
    pt.x = m_format.left + LineOffset(dc.Get(), line, xs) - m_scrollX + xs[offset];
    pt.y = m_format.top + ((int)index - m_firstLine) * m_lineHeight;
    return pt;
}

size_t EditControl::PositionAt(POINT client)
{
    int row = (client.y - m_format.top) / std::max(1, m_lineHeight);
    if (client.y < m_format.top)
        row = -1;
    long index = (long)m_firstLine + row;
    index = std::max(0L, std::min(index, (long)LineCount() - 1));
    return PositionOnLine((size_t)index, client.x);
}

size_t EditControl::PositionOnLine(size_t index, int clientX)
{
    const EditLine& line = Line(index);
    MeasuringDC dc(m_hwnd);
    std::vector<int> xs = LineXs(dc.Get(), line.start, line.length);
    int x = clientX - m_format.left - LineOffset(dc.Get(), line, xs) + m_scrollX;
    const std::string& text = buffer.Text();
    size_t i = 0;
    while (i < line.length) {
        size_t n = std::max<size_t>(1, CharLengthAt(text, line.start + i));
        size_t next = std::min(line.length, i + n);
        if (x < (xs[i] + xs[next]) / 2)
            return line.start + i;
        i = next;
    }
    return line.start + line.length;
}

bool EditControl::ScrollToCaret()
{
    bool moved = false;
    size_t caret = buffer.Caret();
    size_t index = LineOf(caret);
    if (Multiline()) {
        int visible = VisibleLineCount();
        if ((int)index < m_firstLine) {
            m_firstLine = (int)index;
            moved = true;
        } else if ((int)index >= m_firstLine + visible) {
            m_firstLine = (int)index - visible + 1;
            moved = true;
        }
    }
    bool horizontal = Multiline() ? (Style() & (ES_AUTOHSCROLL | WS_HSCROLL)) != 0 : (Style() & ES_AUTOHSCROLL) != 0;
    int scroll = m_scrollX;
    if (!horizontal) {
        scroll = 0;
    } else {
        MeasuringDC dc(m_hwnd);
        const EditLine& line = Line(index);
        std::vector<int> xs = LineXs(dc.Get(), line.start, line.length);
        int x = xs[std::min(caret - std::min(caret, line.start), line.length)];
        int width = std::max(1, (int)(m_format.right - m_format.left));
        if (x - scroll >= width)
            scroll = x - width + 1;
        else if (x < scroll)
            scroll = x;
        // No empty room on the right while text lies hidden on the left.
        int total = xs.back();
        if (scroll > 0 && total - scroll < width - 1)
            scroll = std::max(0, total - width + 1);
    }
    if (scroll != m_scrollX) {
        m_scrollX = scroll;
        moved = true;
    }
    if (moved) {
        InvalidateRect(m_hwnd, nullptr, FALSE);
        UpdateScrollBars();
    }
    return moved;
}

bool EditControl::ScrollLines(int lines)
{
    if (!Multiline())
        return false;
    int maxFirst = std::max(0, (int)LineCount() - 1);
    int next = std::max(0, std::min(m_firstLine + lines, maxFirst));
    if (next == m_firstLine)
        return false;
    m_firstLine = next;
    InvalidateRect(m_hwnd, nullptr, FALSE);
    UpdateScrollBars();
    PlaceCaret();
    return true;
}

bool EditControl::ScrollPixels(int dx)
{
    return ScrollToX(m_scrollX + dx);
}

bool EditControl::ScrollToX(int x)
{
    int width = std::max(1, (int)(m_format.right - m_format.left));
    int next = std::max(0, std::min(x, std::max(m_scrollX, WidestLine() - width + 1)));
    if (next == m_scrollX)
        return false;
    m_scrollX = next;
    InvalidateRect(m_hwnd, nullptr, FALSE);
    UpdateScrollBars();
    PlaceCaret();
    return true;
}

int EditControl::WidestLine()
{
    MeasuringDC dc(m_hwnd);
    int widest = 0;
    for (size_t i = 0; i < LineCount(); ++i) {
        const EditLine& line = Line(i);
        widest = std::max(widest, LineXs(dc.Get(), line.start, line.length).back());
    }
    return widest;
}

void EditControl::PlaceCaret()
{
    if (!focused)
        return;
    POINT pt = PositionOf(buffer.Caret());
    if (!composition.empty()) {
        MeasuringDC dc(m_hwnd);
        pt.x += CompositionWidth(dc.Get());
    }
    SetCaretPos(pt.x, pt.y);
}

int EditControl::CompositionWidth(HDC hdc) const
{
    SIZE size = {0, 0};
    if (!composition.empty())
        GetTextExtentPoint32(hdc, composition.c_str(), (int)composition.size(), &size);
    return size.cx;
}

void EditControl::DrawComposingLine(HDC hdc, const EditLine& line, const std::vector<int>& xs, int base, int y)
{
    const size_t at = std::min(buffer.Caret() - line.start, line.length);
    const int width = CompositionWidth(hdc);
    const int x = base + xs[at];
    DrawRun(hdc, line, xs, 0, at, base, y);
    TextOut(hdc, x, y, composition.c_str(), (int)composition.size());
    TEXTMETRICA tm = {};
    GetTextMetrics(hdc, &tm);
    const int underline = y + std::min(tm.tmAscent + 2, m_lineHeight - 1);
    HPEN pen = CreatePen(PS_SOLID, 1, GetTextColor(hdc));
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, x, underline, nullptr);
    LineTo(hdc, x + width, underline);
    SelectObject(hdc, old);
    DeleteObject(pen);
    DrawRun(hdc, line, xs, at, line.length, base + width, y);
}

void EditControl::UpdateScrollBars()
{
    if (!Multiline())
        return;
    if (Style() & WS_VSCROLL) {
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = (int)LineCount() - 1;
        si.nPage = (UINT)VisibleLineCount();
        si.nPos = m_firstLine;
        SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    }
    if (Style() & WS_HSCROLL) {
        // Pixels: the widest line is the range, the formatting width a page.
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = std::max(0, WidestLine() - 1);
        si.nPage = (UINT)std::max(0, (int)(m_format.right - m_format.left));
        si.nPos = m_scrollX;
        SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
    }
}

bool EditControl::Fits()
{
    DWORD style = Style();
    if (!Multiline()) {
        if (style & ES_AUTOHSCROLL)
            return true;
        MeasuringDC dc(m_hwnd);
        std::vector<int> xs = LineXs(dc.Get(), 0, buffer.Size());
        return xs.back() <= (m_format.right - m_format.left);
    }
    if (style & (ES_AUTOVSCROLL | WS_VSCROLL))
        return true;
    return (int)LineCount() <= VisibleLineCount();
}

int EditControl::FirstVisibleChar()
{
    if (m_scrollX <= 0)
        return 0;
    MeasuringDC dc(m_hwnd);
    std::vector<int> xs = LineXs(dc.Get(), 0, buffer.Size());
    for (size_t i = 0; i < xs.size(); ++i)
        if (xs[i] >= m_scrollX)
            return (int)i;
    return (int)buffer.Size();
}

void EditControl::DrawRun(HDC hdc, const EditLine& line, const std::vector<int>& xs, size_t from, size_t to,
                          int base, int y)
{
    const std::string& text = buffer.Text();
    size_t i = from;
    while (i < to) {
        if (Multiline() && text[line.start + i] == '\t') {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < to && !(Multiline() && text[line.start + j] == '\t'))
            ++j;
        if (passwordChar) {
            std::string shown;
            for (size_t k = i; k < j; k += std::max<size_t>(1, CharLengthAt(text, line.start + k)))
                shown += passwordChar;
            TextOut(hdc, base + xs[i], y, shown.c_str(), (int)shown.size());
        } else {
            TextOut(hdc, base + xs[i], y, text.data() + line.start + i, (int)(j - i));
        }
        i = j;
    }
}

void EditControl::Paint(HDC hdc)
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    DWORD style = Style();
    bool disabled = (style & WS_DISABLED) != 0;
    HBRUSH brush = ControlColor(m_hwnd, hdc, (disabled || ReadOnly()) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    if (brush)
        FillRect(hdc, &client, brush);
    COLORREF normal = disabled ? SysColor(COLOR_GRAYTEXT) : GetTextColor(hdc);
    HGDIOBJ oldFont = SelectObject(hdc, ControlFont(m_hwnd));
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, m_format.left, client.top, m_format.right, client.bottom);
    SetBkMode(hdc, TRANSPARENT);
    bool showSelection = buffer.HasSelection() && (focused || (style & ES_NOHIDESEL));
    size_t selStart = buffer.SelStart(), selEnd = buffer.SelEnd();
    int last = std::min((int)LineCount(), m_firstLine + VisibleLineCount() + 1);
    HBRUSH highlight = GetSysColorBrush(COLOR_HIGHLIGHT);
    const int composingLine = composition.empty() ? -1 : (int)LineOf(buffer.Caret());
    for (int index = m_firstLine; index < last; ++index) {
        const EditLine& line = Line((size_t)index);
        std::vector<int> xs = LineXs(hdc, line.start, line.length);
        int base = m_format.left + LineOffset(hdc, line, xs) - m_scrollX;
        int y = m_format.top + (index - m_firstLine) * m_lineHeight;
        if (index == composingLine) {
            SetTextColor(hdc, normal);
            DrawComposingLine(hdc, line, xs, base, y);
            continue;
        }
        size_t s = line.length, e = line.length;
        if (showSelection && selEnd > line.start && selStart < line.start + line.length) {
            s = selStart > line.start ? selStart - line.start : 0;
            e = std::min(selEnd - line.start, line.length);
        }
        SetTextColor(hdc, normal);
        DrawRun(hdc, line, xs, 0, s, base, y);
        if (e > s) {
            RECT band = {base + xs[s], y, base + xs[e], y + m_lineHeight};
            FillRect(hdc, &band, highlight);
            SetTextColor(hdc, SysColor(COLOR_HIGHLIGHTTEXT));
            DrawRun(hdc, line, xs, s, e, base, y);
            SetTextColor(hdc, normal);
        }
        DrawRun(hdc, line, xs, e, line.length, base, y);
    }
    RestoreDC(hdc, saved);
    SelectObject(hdc, oldFont);
}

}  // namespace mivo
