// CImgBrowserTracker: the thumbnail view's rubber band. Every time the band is drawn during the
// drag its rectangle goes to the view first, so the selection follows the mouse live.
#pragma once

#include "mfc.h"

class CMivoImgBrowserView;

class CImgBrowserTracker : public CRectTracker {
public:
    CImgBrowserTracker() = default;
    ~CImgBrowserTracker() override = default;

    void DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd) override;

    CMivoImgBrowserView* m_pOwner = nullptr;
};
