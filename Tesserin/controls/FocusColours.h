// CFocusColours: the colours of a field whose background follows the focus
// (current, normal and focus background, text) and the brush it paints with.
// The field remakes the brush through its own overridable CreateBrushType.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CFocusColours {
public:
    CFocusColours();

    COLORREF Current() const { return m_crBack; }
    COLORREF Text() const { return m_crText; }
    // The background for the focus state, made current by the field.
    COLORREF For(bool focused) const { return focused ? m_crBackFocus : m_crBackNormal; }
    void SetNormal(COLORREF colour) { m_crBackNormal = colour; }
    void SetFocus(COLORREF colour) { m_crBackFocus = colour; }
    // The new current colour; the previous one is returned. The brush waits for MakeBrush.
    COLORREF SetCurrent(COLORREF colour);
    COLORREF SetText(COLORREF colour);
    // Stores each colour that is not 0xFFFFFFFF; true when a normal colour was
    // given, which the field then makes current.
    bool Apply(COLORREF normal, COLORREF focus);
    // A solid brush of the current colour.
    void MakeBrush();
    // The answer to WM_CTLCOLOR: the colours set into `dc`, the brush returned.
    HBRUSH Paint(CDC* dc) const;

private:
    CBrush m_brBack;
    COLORREF m_crBack;
    COLORREF m_crBackFocus;
    COLORREF m_crBackNormal;
    COLORREF m_crText;
};
