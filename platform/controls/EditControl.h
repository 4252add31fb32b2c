// The "Edit" control's state, layout and painting; the window procedure is in Edit.cpp.
#pragma once

#include "controls/ControlsInternal.h"
#include "controls/EditBuffer.h"

#include <vector>

namespace mivo {

struct EditLine {
    size_t start = 0;
    size_t length = 0;       // without the line break
    size_t breakLength = 0;  // 2 for "\r\n", 1 for "\n", 0 for a wrap or the last line
};

class EditControl {
public:
    explicit EditControl(HWND hwnd) : m_hwnd(hwnd) {}

    HWND Handle() const { return m_hwnd; }
    DWORD Style() const { return StyleOf(m_hwnd); }
    bool Multiline() const { return (Style() & ES_MULTILINE) != 0; }
    bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }

    EditBuffer buffer;
    size_t limit = 32767;
    bool modified = false;
    char passwordChar = 0;
    int marginLeft = 1;
    int marginRight = 1;
    bool focused = false;
    bool tracking = false;
    int pendingLead = -1;  // the first byte of a double-byte character typed as two WM_CHARs
    // The syllable the input method is composing, shown underlined at the
    // caret (the text after it moves aside) until it is committed.
    std::string composition;
    std::vector<int> tabStops;  // pixels; empty: every eight average characters

    // Metrics of the font, the formatting rectangle and the lines, after any change.
    void Measure();
    void Layout();
    void SetFormatRect(const RECT* rc);
    RECT FormatRect() const { return m_format; }

    size_t LineCount() const { return m_lines.empty() ? 1 : m_lines.size(); }
    const EditLine& Line(size_t index) const;
    size_t LineOf(size_t pos) const;
    int FirstVisibleLine() const { return m_firstLine; }
    int VisibleLineCount() const;
    int LineHeight() const { return m_lineHeight; }
    int AverageCharWidth() const { return m_aveCharWidth; }
    int ScrollX() const { return m_scrollX; }

    POINT PositionOf(size_t pos);
    size_t PositionAt(POINT client);
    // The character boundary nearest a client x on a given line.
    size_t PositionOnLine(size_t index, int clientX);
    // Keeps the caret in view; true when the view moved.
    bool ScrollToCaret();
    bool ScrollLines(int lines);
    bool ScrollPixels(int dx);
    // Scrolls sideways to `x` pixels, kept within the widest line.
    bool ScrollToX(int x);
    int WidestLine();
    void PlaceCaret();
    void UpdateScrollBars();
    // Whether the text fits where the control cannot scroll (no ES_AUTOHSCROLL
    // on a single line, no ES_AUTOVSCROLL on several).
    bool Fits();
    int FirstVisibleChar();

    void Paint(HDC hdc);

private:
    int CompositionWidth(HDC hdc) const;
    // Draws the caret's line with the composition inserted at the caret.
    void DrawComposingLine(HDC hdc, const EditLine& line, const std::vector<int>& xs, int base, int y);
    std::vector<int> LineXs(HDC hdc, size_t start, size_t length) const;
    int LineOffset(HDC hdc, const EditLine& line, const std::vector<int>& xs) const;
    int NextTab(int x) const;
    void WrapLine(HDC hdc, size_t start, size_t end, size_t breakLength);
    void DrawRun(HDC hdc, const EditLine& line, const std::vector<int>& xs, size_t from, size_t to, int base, int y);

    HWND m_hwnd;
    std::vector<EditLine> m_lines;
    RECT m_format = {0, 0, 0, 0};
    bool m_customFormat = false;
    int m_lineHeight = 16;
    int m_aveCharWidth = 7;
    int m_scrollX = 0;
    int m_firstLine = 0;
};

// A memory DC with the control's font, for measuring.
class MeasuringDC {
public:
    explicit MeasuringDC(HWND control);
    ~MeasuringDC();
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

}  // namespace mivo
