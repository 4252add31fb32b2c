// CPalette: a logical palette (stored and answered; no device here uses palettes).
#pragma once

#include "mfc/GdiObject.h"

class CDC;

class AFX_EXT_CLASS CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette();

    static CPalette* PASCAL FromHandle(HPALETTE hPalette);
    operator HPALETTE() const { return (HPALETTE)m_hObject; }

    BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount();
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
    void AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
    UINT GetNearestPaletteIndex(COLORREF crColor) const;
    BOOL ResizePalette(UINT nNumEntries);
};
