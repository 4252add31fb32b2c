// CVXToolBar: a tool bar with 24-bit button images. Three image lists (normal,
// disabled, hot) are built from bitmap resources whose mask colour turns
// transparent, and handed to the tool bar control.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXToolBar : public CToolBar {
    DECLARE_DYNAMIC(CVXToolBar)
public:
    CVXToolBar();
    ~CVXToolBar() override;

    // Image size, initial capacity and mask colour of the lists built from here on.
    void SetVXToolBarBasic(int width, int height, int initialCount, COLORREF mask);
    // Rebuilds `list` from the bitmap resource `bitmapId`, images side by side.
    // FALSE, the list untouched, when the bitmap does not load; FALSE with an
    // empty list when the bitmap is smaller than one image.
    BOOL MakeToolbarImageList(UINT bitmapId, CImageList& list);
    // Builds the three lists and gives them to the tool bar control; a second
    // call empties and rebuilds them.
    void AttachToolbarImages(UINT normalId, UINT disabledId, UINT hotId);

protected:
    int m_nImageWidth;
    int m_nImageHeight;
    int m_nInitialCount;
    UINT m_nImageListFlags;
    COLORREF m_crMask;
    CImageList m_ilDisabled;
    CImageList m_ilHot;
    CImageList m_ilNormal;
};
