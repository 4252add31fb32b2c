// What the two splitter bars share: a dialog control turned into a bar that the user drags
// along one axis, laying out the controls on either side of it. CxSplitterWnd drags along x,
// CySplitterWnd along y.
#pragma once

#include "mfc.h"

// Sent to the dialog after a drag moved the bar: wParam = signed distance in pixels (right or
// down positive), lParam = the bar's control id.
#define WM_SPLITTER_MOVED 0x7E8

class AFX_EXT_CLASS SplitterWndBase : public CWnd {
public:
    // Non-zero: the bar paints a grip.
    int m_grip = 0;

    int BindWithControl(CWnd* parent, DWORD id);
    void Unbind();
    int DetachAllPanes();
    void RecalcLayout();

protected:
    explicit SplitterWndBase(bool alongX) : m_alongX(alongX) {}

    int AttachFirst(DWORD id);
    int AttachSecond(DWORD id);
    void SetMinimums(int first, int second);
    int GetMouseClipRect(RECT* out, CPoint point);

    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // Coordinates along the drag axis of a rectangle or point.
    LONG& Low(RECT& r) const { return m_alongX ? r.left : r.top; }
    LONG& High(RECT& r) const { return m_alongX ? r.right : r.bottom; }
    int Along(CPoint p) const { return m_alongX ? p.x : p.y; }
    CRect ChildRect(CWnd* control) const;
    int TrackDrag(CPoint grab, const CRect& barInWindow, CDC& dc);

    bool m_alongX;
    CWnd* m_parent = nullptr;
    CDWordArray m_firstPane;
    CDWordArray m_secondPane;
    int m_minFirst = 0;
    int m_minSecond = 0;
};
