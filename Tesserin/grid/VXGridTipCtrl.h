// CVXGridTipCtrl: a borderless pop-up showing the whole text of a grid cell
// that does not fit; it fades in where layered windows are offered and hands
// clicks and keys on to the grid below.
#pragma once

#include "mfc.h"

class AFX_EXT_CLASS CVXGridTipCtrl : public CWnd {
public:
    CVXGridTipCtrl();
    ~CVXGridTipCtrl() override;

    BOOL Create(CWnd* grid);
    // 1 when the tip shows; 0 for a text that fits, an empty rectangle, no focus
    // window, or the same cell part as last time.
    BOOL Show(CRect rect, LPCSTR text, CFont* font = nullptr);
    void Hide();
    void SetGap(int gap) { m_iGap = gap; }
    static BOOL HasLayeredSupport();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    CWnd* m_pGrid = nullptr;
    int m_iAlpha = 0;
    int m_iGap = 2;
    CRect m_rectText{0, 0, 0, 0};
    CRect m_rectLast{0, 0, 0, 0};
    CString m_strText;
    HFONT m_hFont = nullptr;
    LONG m_lastClick = -1;
    UINT m_nDoubleClickTime;

    void Paint();
    void OnFadeTimer();
    void ApplyAlpha();
    void ForwardMouse(UINT message, CPoint screen);
    BOOL HandleInput(UINT message, WPARAM wParam, LPARAM lParam);
};
