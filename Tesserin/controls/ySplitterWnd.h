// CySplitterWnd: a horizontal bar dragged up and down between an upper and a lower pane. The
// minimum heights start at 0; owners set them with SetMinHeight.
#pragma once

#include "controls/SplitterWndBase.h"

class AFX_EXT_CLASS CySplitterWnd : public SplitterWndBase {
public:
    CySplitterWnd() : SplitterWndBase(false) {}

    int AttachAsAbovePane(DWORD id) { return AttachFirst(id); }
    int AttachAsBelowPane(DWORD id) { return AttachSecond(id); }
    void SetMinHeight(int above, int below) { SetMinimums(above, below); }
};
