// Composite pictures around one image object: a coloured veil laid through a
// grey mask, and picture frames built from a corner tile and an edge tile.
#pragma once

#include "mfc.h"

class CImageObject;
class CWnd;

class AFX_EXT_CLASS CImageComposer {
public:
    explicit CImageComposer(CImageObject* image);
    virtual ~CImageComposer();
    CImageComposer(const CImageComposer&) = default;
    CImageComposer& operator=(const CImageComposer&) = default;

    // Veils rc (top-down, inclusive) in the colour where the mask is dark:
    // a mask byte of 255 keeps the picture, 0 paints the colour.
    int Mask(CRect rc, CImageObject* mask, COLORREF colour, int offset, BOOL invert);
    // A new white picture framing an inner area of `size`; border 0 takes the
    // corner's own width and the corner unscaled. The caller deletes it.
    CImageObject* MakeFrame(CImageObject* corner, CImageObject* edge, CSize size, int border);
    // A new picture: the composer's picture inside its frame.
    CImageObject* MakeFrame(CImageObject* corner, CImageObject* edge, int border);

protected:
    CImageObject* m_pImage;  // borrowed; its fields are read at each operation

private:
    void Progress(int percent) const;
    void Done() const;
};
