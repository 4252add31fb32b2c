// CVXGridHeaderCtrl: the grid's own header. A right click asks the grid first
// (RVN_HEADERRCLICK), then shows the grid's header menu.
#pragma once

#include "grid/FlatHeaderCtrl.h"

class AFX_EXT_CLASS CVXGridHeaderCtrl : public CFlatHeaderCtrl {
public:
    // Limits of a shown item, set even past the extended records' checks.
    BOOL SetMinMax(int index, int minimum, int maximum);

protected:
    void ShowParentMenu(CPoint screenPoint) override;
};
