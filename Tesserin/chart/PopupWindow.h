// CPopupWindow: the small framed text box the plot shows over a hovered point.
#pragma once

#include "chart/ChartWndBase.h"

class AFX_EXT_CLASS CPopupWindow : public ChartWndBase {
public:
    CPopupWindow();
    ~CPopupWindow() override;

    // Sets the text and sizes the window around it, keeping its place.
    void SetWindowTextA(CString& text);

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
