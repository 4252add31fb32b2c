// COverviewPanel: the small picture of a zoomable preview drawn on a static control of
// its owner dialog, with a blue frame round the part the view shows. Dragging the frame
// scrolls the view. The printing dialog, the print-form editor, the calendar template
// editor and the make-calendar window each keep one over their control 6110.
//
// The owner forwards its WM_PAINT, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP and
// WM_SETCURSOR to the panel (then does its default handling), calls Rebuild whenever
// the view gets another picture and OnViewRectChanged with the view's visible source
// rectangle (from its SetNavigationRect). Before the view's picture is deleted the
// owner calls Drop, so the panel never reads a picture that is gone.
#pragma once

#include "mfc.h"

#include <functional>
#include <memory>

class CImageObject;
class CImgDetailView;

class COverviewPanel {
public:
    // Texts the owners write the zoom (a percentage) with.
    static const char kStatusZoomFormat[];  // "화면 축소/확대 비율 = %.1f %%"
    static const char kEditZoomFormat[];    // "화면 비율 = %.1f %%"

    COverviewPanel();
    ~COverviewPanel();
    COverviewPanel(const COverviewPanel&) = delete;
    COverviewPanel& operator=(const COverviewPanel&) = delete;

    // The owner dialog and its static control on whose outline the panel is drawn.
    void Attach(CWnd* owner, UINT controlId);
    void SetView(CImgDetailView* view) { m_pView = view; }
    // Receives the zoom text, formatted with `format` from the view's zoom / 10.
    void SetZoomSink(const char* format, std::function<void(const CString&)> sink);

    // Makes the small picture from the view's picture again (none without one).
    void Rebuild();
    // Drops the small picture and the frame.
    void Drop();
    // The view shows this part of its picture (picture pixels).
    void OnViewRectChanged(const CRect& source);
    // After the owner moved the control: the frame again from the stored part, repainted.
    void Relayout();

    void Paint(CDC* dc);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    // TRUE when the panel set the cursor (the hand over the frame).
    BOOL OnSetCursor();

    // The control's client rectangle in owner coordinates, less 3, 5, 3, 3 pixels.
    CRect PanelRect() const;
    // Where the small picture is drawn: centred in the panel rectangle.
    CPoint PicturePos() const;

    CImageObject* OverviewImage() const { return m_pOverviewImg.get(); }
    const CRect& Frame() const { return m_rcOverviewFrame; }
    const CRect& ViewSource() const { return m_rcViewSrc; }
    int Ratio() const { return m_nOverviewRatio; }
    BOOL Dragging() const { return m_bDragging; }

private:
    CRect ControlRect() const;
    void InvalidateRing(const CRect& frame);
    void PushInside(CRect& frame) const;
    void ScrollViewToFrame();

    CWnd* m_pOwner = nullptr;
    UINT m_nControlId = 0;
    CImgDetailView* m_pView = nullptr;
    CString m_strZoomFormat;
    std::function<void(const CString&)> m_zoomSink;

    std::unique_ptr<CImageObject> m_pOverviewImg;
    CRect m_rcViewSrc;
    CRect m_rcOverviewFrame;
    BOOL m_bDragging = FALSE;
    CPoint m_ptLast;
    int m_nOverviewRatio = 0;
};
