// The "RichEdit20A" control's state, layout and painting; the window
// procedure is in RichEdit.cpp, the document in RichText.h.
#pragma once

#include "controls/ControlsInternal.h"
#include "controls/RichText.h"

#include <map>
#include <memory>
#include <vector>

namespace mivo {

// One laid-out line: bytes [start, end) of the text (a paragraph mark ends
// its line and belongs to it), its place and the x of every byte boundary.
struct RichLine {
    size_t start = 0;
    size_t end = 0;
    size_t paragraph = 0;
    bool firstOfParagraph = false;
    int x = 0;        // left of the text, alignment and indents applied
    int top = 0;      // from the top of the laid-out area
    int height = 0;
    int ascent = 0;
    std::vector<int> xs;  // end - start + 1 offsets from x
};

// Lines of a document on a device: everything in device pixels at the
// device's resolution, widths measured with fonts made for that device.
class RichLayout {
public:
    // A null `hdc` measures on a memory DC of the screen's.
    RichLayout(HDC hdc, int dpiX, int dpiY);
    ~RichLayout();
    RichLayout(const RichLayout&) = delete;
    RichLayout& operator=(const RichLayout&) = delete;

    // Lays out [from, to) within `width` pixels, stopping below `maxHeight`
    // (negative: no limit). Returns the position after the last whole line.
    size_t Build(const RichText& text, size_t from, size_t to, int width, int maxHeight = -1);
    // After [start, oldEnd) of the text laid out last was replaced by [start, newEnd):
    // lays out again only the paragraphs the change touched and moves the lines after them.
    void Update(const RichText& text, size_t start, size_t oldEnd, size_t newEnd, int width);
    const std::vector<RichLine>& Lines() const { return m_lines; }
    int Height() const { return m_lines.empty() ? 0 : m_lines.back().top + m_lines.back().height; }

    // Draws the lines into `hdc` with their top-left at `origin`, the
    // selection [selStart, selEnd) in the system's highlight colours; lines
    // wholly outside [clipTop, clipBottom) are left out.
    void Draw(HDC hdc, const RichText& text, POINT origin, size_t selStart, size_t selEnd, int clipTop,
              int clipBottom);

    size_t LineOf(size_t pos) const;
    POINT PositionOf(size_t pos) const;  // top-left of the caret
    size_t PositionAt(const RichText& text, POINT pt) const;
    HFONT FontFor(const CHARFORMATA& format);

private:
    int Twips(LONG twips, int dpi) const;
    // Lays [start, end) of paragraph `para`; `whole` when it starts at the paragraph's start.
    // Appends the lines of [from, to) below those laid out already.
    size_t Lay(const RichText& text, size_t from, size_t to, int width, int maxHeight);
    void LayParagraph(const RichText& text, size_t para, size_t start, size_t end, bool whole, int width,
                      int maxHeight, size_t* stop, bool* full);
    void MeasureLine(const RichText& text, RichLine& line);

    HDC m_dc;
    bool m_ownDC = false;
    int m_dpiX, m_dpiY;
    std::vector<RichLine> m_lines;
    // What the lines were laid out for: the whole text at this width, in this many paragraphs.
    bool m_whole = false;
    int m_width = 0;
    size_t m_paragraphs = 0;
    std::map<std::string, HFONT> m_fonts;
};

class RichEditControl {
public:
    explicit RichEditControl(HWND hwnd) : m_hwnd(hwnd) {}

    HWND Handle() const { return m_hwnd; }
    DWORD Style() const { return StyleOf(m_hwnd); }
    bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }

    RichText text;
    size_t anchor = 0;
    size_t caret = 0;
    size_t SelStart() const { return anchor < caret ? anchor : caret; }
    size_t SelEnd() const { return anchor < caret ? caret : anchor; }
    CHARFORMATA typingFormat = DefaultCharFormat();  // what typing at an empty selection writes
    size_t limit = 32767;
    bool modified = false;
    bool focused = false;
    bool tracking = false;
    bool hideSelection = true;
    int pendingLead = -1;
    DWORD eventMask = 0;
    COLORREF background = CLR_INVALID;  // CLR_INVALID: the window colour
    int scrollY = 0;

    // Printing: what the last EM_FORMATRANGE laid out, for EM_DISPLAYBAND.
    struct Band {
        HDC hdc = nullptr;
        size_t from = 0, to = 0;
        RECT area = {0, 0, 0, 0};  // device pixels
        bool drawn = true;
    } band;

    void Select(size_t a, size_t c);
    // Lays the text out again for the client area.
    void Layout();
    // Lays out again after [start, oldEnd) was replaced by [start, newEnd).
    void Relayout(size_t start, size_t oldEnd, size_t newEnd);
    RichLayout& Screen();
    RECT FormatRect() const;
    void ScrollToCaret();
    void PlaceCaret();
    void Paint(HDC hdc);
    // Lays out and draws a range on a device for printing; returns where the next page starts.
    size_t FormatRange(const FORMATRANGE& range, bool render);
    bool DisplayBand(const RECT* area);

private:
    void UpdateScrollRange();

    HWND m_hwnd;
    std::unique_ptr<RichLayout> m_screen;
};

}  // namespace mivo
