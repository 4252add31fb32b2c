// CTitleWnd: the chart's header or footer, with a left, a middle and a right text.
#pragma once

#include "chart/ChartWndBase.h"

class AFX_EXT_CLASS CTitleWnd : public ChartWndBase {
public:
    CTitleWnd();
    ~CTitleWnd() override;

    void SetLText(CString& text) { m_leftText = text; }
    void SetMText(CString& text) { m_middleText = text; }
    void SetRText(CString& text) { m_rightText = text; }
    void Draw(CMemDC* dc) override;
    // The height of "X" in the window's font plus 10; returns 0.
    int CalculateWndHeight(CDC* dc, DWORD* height);

protected:
    CString m_leftText, m_middleText, m_rightText;

    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
