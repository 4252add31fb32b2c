// CVXGDI: the small rounded frame shared by the check button, the folder
// bar's caption and the programs' own panels.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXGDI {
public:
    CVXGDI() = default;
    CVXGDI(const CVXGDI&) = default;
    CVXGDI& operator=(const CVXGDI&) = default;
    virtual ~CVXGDI() = default;

    // A fill of 0xFFFFFFFF draws the frame only. The corners stay unpainted
    // so the parent's background shows through them.
    static void VXRoundRect(CDC* dc, CRect* rect, COLORREF border, COLORREF fill);

    static const COLORREF kNoFill = 0xFFFFFFFF;
};
