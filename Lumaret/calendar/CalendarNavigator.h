// CCalendarNavigator: the small overview of a zoomable preview that the calendar windows show
// in a static frame: the preview reduced into the frame's box, a blue outline of the part the
// view shows, and the outline dragged to scroll the view. The owning dialog forwards its paint
// and mouse messages and the view's reports of its visible rectangle.
#pragma once

#include "mfc.h"

#include <memory>

class CImageObject;
class CImgDetailView;

class CCalendarNavigator {
public:
    enum { OUTLINE_COLOR = 0xFF0000, PANEL_COLOR = 0x808080 };

    CCalendarNavigator(CWnd& owner, UINT frameId);
    ~CCalendarNavigator();

    // The frame in the owner's client coordinates, and the box inside it (3, 5, 3, 3 px in).
    CRect Frame() const;
    CRect Box() const;
    // Where the reduced picture stands: centred in the box.
    CPoint PicturePos() const;
    bool HasPicture() const { return m_pNavImage != nullptr; }

    // Reduces the view's picture (none: no overview) and invalidates the frame.
    void Make(CImgDetailView* view);
    void Paint(CDC& dc);
    // The view shows `visible` (picture pixels): moves the outline.
    void ViewRectChanged(const CRect& visible);
    // Mouse messages in the owner's client coordinates; the view scrolls with a drag.
    void ButtonDown(CPoint point);
    void ButtonUp();
    void MouseMove(UINT flags, CPoint point, CImgDetailView* view);
    // Whether the hand cursor stands for a possible drag.
    BOOL Grabbing() const { return m_bNavGrab; }

    std::unique_ptr<CImageObject> m_pNavImage;
    CRect m_rcSource;
    CRect m_rcNav;
    BOOL m_bNavGrab;
    CPoint m_ptLast;
    int m_nNavRatio;

private:
    bool HasOutline() const { return m_rcNav.left != -1; }
    void InvalidateOutline(BOOL erase);

    CWnd& m_owner;
    UINT m_nFrameId;
};
