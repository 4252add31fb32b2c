// CShadeButton: an image button whose background is a generated texture in
// an 8-bit palette bitmap the size of the button, tinted toward a colour,
// with a lighter copy for the hover state.
#pragma once

#include "controls/ImageButton.h"
#include "image/xDib.h"

class AFX_EXT_CLASS CShadeButton : public CImageButton {
    DECLARE_DYNCREATE(CShadeButton)
public:
    enum { SHS_NOISE = 0, SHS_DIAGSHADE, SHS_HSHADE, SHS_VSHADE, SHS_HBUMP, SHS_VBUMP, SHS_SOFTBUMP, SHS_HARDBUMP,
           SHS_METAL };

    CShadeButton();
    ~CShadeButton() override;

    // Renders both textures at the button's current size; call it once the size is final.
    void SetShade(UINT shadeID = SHS_NOISE, BYTE granularity = 8, BYTE highlight = 10, BYTE coloring = 0,
                  COLORREF color = 0);

protected:
    DWORD OnDrawBackground(CDC* pDC, const RECT* pRect) override;
    DWORD OnDrawBorder(CDC* pDC, const RECT* pRect) override;

    CxDib m_dNormal;
    CxDib m_dHighlight;
};
