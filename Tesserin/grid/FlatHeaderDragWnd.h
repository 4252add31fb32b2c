// CFlatHeaderDragWnd ("VXFHDragWnd"): the floating picture of a header item
// being dragged, drawn like the item on a raised 3-D face.
#pragma once

#include "mfc.h"

class CFlatHeaderCtrl;

class AFX_EXT_CLASS CFlatHeaderDragWnd : public CWnd {
public:
    CFlatHeaderDragWnd();
    ~CFlatHeaderDragWnd() override;

    BOOL Create(CRect rect, CFlatHeaderCtrl* header, int item);
    // A picture of an item that is not in the header (a column being shown), drawn like one.
    BOOL Create(CRect rect, CFlatHeaderCtrl* header, const HDITEM& item);
    // Centres the picture on a screen point.
    void MoveTo(CPoint screen);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();

    CFlatHeaderCtrl* m_pHeader = nullptr;
    int m_iItem = -1;
    BOOL m_bOwnItem = FALSE;
    HDITEM m_hdiOwn = {};
    char m_szOwnText[81] = "";
};
