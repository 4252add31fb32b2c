// CVXGridMemDC: flicker-free drawing for the grid and its header. Drawing
// goes to a bitmap the size of the target's clip box, in the target's
// coordinates, and is copied to the target in one block at the end; a
// printer is drawn on directly.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXGridMemDC : public CDC {
public:
    explicit CVXGridMemDC(CDC* dc);
    ~CVXGridMemDC() override;

    CVXGridMemDC(const CVXGridMemDC&) = delete;
    CVXGridMemDC& operator=(const CVXGridMemDC&) = delete;

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap;
    CDC* m_pDC;
    RECT m_rect;
    BOOL m_bMemDC;

    void StartInMemory();
    void ShareThePrinter();
};
