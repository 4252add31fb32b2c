// CThumbCellPainter: draws the cells of a thumbnail grid into a device context: the rounded
// frame, the picture or folder icon and the text lines under it, in "돋움" 10 pt. The thumbnail
// view and the slide show's strip share it.
#pragma once

#include "mfc.h"

class CImageObject;

class CThumbCellPainter {
public:
    struct Colours {
        COLORREF back = 0;
        COLORREF selFill = RGB(117, 158, 221);
        COLORREF selBorder = RGB(48, 104, 192);
        COLORREF cellBorder = RGB(160, 160, 160);
        COLORREF nameText = RGB(0, 0, 192);
        COLORREF captionText = RGB(96, 96, 96);
        COLORREF dateText = RGB(0, 128, 0);
        COLORREF indexText = RGB(0, 0, 192);
    };
    // What one cell shows.
    struct Cell {
        CRect rect;               // the frame, client coordinates
        int cellSize = 160;
        int index = 0;
        BOOL selected = FALSE;
        BOOL folder = FALSE;
        BOOL parentEntry = FALSE;  // the ".." entry
        CImageObject* picture = nullptr;  // drawn unscaled when set (a thumbnail or folder icon)
        CString name, caption, date;
    };

    // Selects the font into dc and measures the line height; restores the font on destruction.
    CThumbCellPainter(CDC* dc, int cellSize, const Colours& colours);
    ~CThumbCellPainter();
    CThumbCellPainter(const CThumbCellPainter&) = delete;
    CThumbCellPainter& operator=(const CThumbCellPainter&) = delete;

    int LineHeight() const { return m_nLine; }
    void DrawPlaceholder(CRect rect);
    void DrawCell(const Cell& cell);

private:
    void DrawText(const CString& text, COLORREF colour, CRect rect, UINT format);

    CDC* m_pDC;
    Colours m_colours;
    CFont m_font;
    CFont* m_pOldFont;
    int m_nLine;
};
