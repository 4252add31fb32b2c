#include "controls/FocusColours.h"

namespace {

const COLORREF kNoColour = 0xFFFFFFFF;
const COLORREF kFocusBlue = RGB(153, 185, 230);

}  // namespace

CFocusColours::CFocusColours()
    : m_crBack(GetSysColor(COLOR_WINDOW)), m_crBackFocus(kFocusBlue), m_crBackNormal(GetSysColor(COLOR_WINDOW)),
      m_crText(GetSysColor(COLOR_WINDOWTEXT))
{
    MakeBrush();
}

COLORREF CFocusColours::SetCurrent(COLORREF colour)
{
    COLORREF previous = m_crBack;
    m_crBack = colour;
    return previous;
}

COLORREF CFocusColours::SetText(COLORREF colour)
{
    COLORREF previous = m_crText;
    m_crText = colour;
    return previous;
}

bool CFocusColours::Apply(COLORREF normal, COLORREF focus)
{
    if (focus != kNoColour)
        m_crBackFocus = focus;
    if (normal == kNoColour)
        return false;
    m_crBackNormal = normal;
    return true;
}

void CFocusColours::MakeBrush()
{
    m_brBack.DeleteObject();
    m_brBack.CreateSolidBrush(m_crBack);
}

HBRUSH CFocusColours::Paint(CDC* dc) const
{
    dc->SetTextColor(m_crText);
    dc->SetBkColor(m_crBack);
    return (HBRUSH)m_brBack.GetSafeHandle();
}
