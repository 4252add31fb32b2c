// CMemDC: an off-screen (or attached printer) device context with an origin
// that the drawing calls below add to their coordinates, so that one piece of
// drawing code can paint a part wherever its rectangle lies on the page.
#pragma once

#include "mfc.h"

#include <vector>

class AFX_EXT_CLASS CMemDC : public CDC {
public:
    // A device compatible with `dc`; with a rectangle and a bitmap object, a
    // compatible bitmap of the rectangle's size is made into it and selected.
    CMemDC(CDC* dc, CRect* rect = nullptr, CBitmap* bitmap = nullptr);
    // No device of its own and nothing to restore: a printer DC is attached later.
    CMemDC();
    ~CMemDC() override;

    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // The origin added to every coordinate below.
    int x;
    int y;
    // Set by an owner that shares the device: nothing is restored at the end
    // and fonts are not taken.
    BOOL m_bKeep;

    using CDC::SelectObject;
    CFont* SelectObject(CFont* font) override;

    CPoint MoveTo(int px, int py);
    BOOL LineTo(int px, int py);
    void FillSolidRect(const RECT* rect, COLORREF colour);
    // Moves the region itself by the origin (it stays moved), then fills it.
    BOOL FillRgn(CRgn* region, CBrush* brush);
    // A format of exactly DT_CALCRECT measures into `rect` without the origin.
    int DrawText(const char* text, int length, RECT* rect, UINT format) override;
    BOOL TextOut(int px, int py, const char* text, int length) override;
    BOOL Polygon(const POINT* points, int count);
    BOOL Polyline(const POINT* points, int count);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL DrawIcon(int px, int py, HICON icon);
    BOOL BitBlt(int px, int py, int width, int height, CDC* source, int xSource, int ySource, DWORD rop);

private:
    bool m_noRestore;
    COLORREF m_savedBkColor;
    COLORREF m_savedTextColor;
    HGDIOBJ m_savedPen;
    HGDIOBJ m_savedBrush;
    HGDIOBJ m_savedFont;
    HGDIOBJ m_savedBitmap;

    RECT Shifted(const RECT& rect) const;
    bool ShiftPoints(const POINT* points, int count, std::vector<POINT>& out) const;
};
