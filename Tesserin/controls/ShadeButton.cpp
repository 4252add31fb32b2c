#include "controls/ShadeButton.h"

#include "controls/ShadeTexture.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CShadeButton, CImageButton)

CShadeButton::CShadeButton() = default;

CShadeButton::~CShadeButton() = default;

void CShadeButton::SetShade(UINT shadeID, BYTE granularity, BYTE highlight, BYTE coloring, COLORREF color)
{
    CRect window(0, 0, 1, 1);
    if (m_hWnd)
        GetWindowRect(&window);
    // The styles divide by the sides: an empty button gets a texture of one pixel.
    DWORD width = (DWORD)std::max(window.Width(), 1), height = (DWORD)std::max(window.Height(), 1);
    if (!m_dNormal.Create(width, height, 8))
        return;
    BuildShadePalette(m_dNormal, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNFACE),
                      ::GetSysColor(COLOR_BTNHIGHLIGHT));
    m_dNormal.BlendPalette(color, coloring);
    RenderShadeStyle(m_dNormal, shadeID, granularity);
    m_dHighlight.Clone(&m_dNormal);
    m_dHighlight.BlendPalette(::GetSysColor(COLOR_BTNHIGHLIGHT), highlight);
    if (m_hWnd)
        Invalidate();
}

DWORD CShadeButton::OnDrawBackground(CDC* pDC, const RECT*)
{
    if (!m_bMouseOnButton)
        m_dNormal.Draw(pDC->GetSafeHdc(), 0, 0);
    else if (m_bIsPressed)
        m_dHighlight.Draw(pDC->GetSafeHdc(), 1, 1);
    else
        m_dHighlight.Draw(pDC->GetSafeHdc(), 0, 0);
    return BTN_OK;
}

DWORD CShadeButton::OnDrawBorder(CDC* pDC, const RECT* pRect)
{
    return CImageButton::OnDrawBorder(pDC, pRect);
}
