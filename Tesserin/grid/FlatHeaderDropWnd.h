// CFlatHeaderDropWnd ("VXFHDropWnd"): two red arrows, one above and one below
// the header, marking where a dragged column would go.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CFlatHeaderDropWnd : public CWnd {
public:
    explicit CFlatHeaderDropWnd(COLORREF colour = RGB(255, 0, 0));
    ~CFlatHeaderDropWnd() override;

    BOOL Create(int headerHeight);
    // Centres the arrows on a divider: x and the header's middle y, in screen coordinates.
    void SetAt(CPoint screen);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    COLORREF m_crColour;
    int m_iHeight = 0;
    CRgn m_rgn;

    void Paint();
    void MakeRegion(CRgn& region);
};
