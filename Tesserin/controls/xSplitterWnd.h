// CxSplitterWnd: a vertical bar dragged left and right between a left and a right pane.
#pragma once

#include "controls/SplitterWndBase.h"

class AFX_EXT_CLASS CxSplitterWnd : public SplitterWndBase {
public:
    CxSplitterWnd() : SplitterWndBase(true) {}

    // Also sets both minimum widths to 10.
    int BindWithControl(CWnd* parent, DWORD id);
    int AttachAsLeftPane(DWORD id) { return AttachFirst(id); }
    int AttachAsRightPane(DWORD id) { return AttachSecond(id); }
    void SetMinWidth(int left, int right) { SetMinimums(left, right); }
};
