// The editor view's mouse, keyboard and clipboard: the rectangle
// selection with what floats in it, the drawing tools, fill, outline,
// trim, copy, cut and paste.
#include "editor/ImgEditView.h"

#include "controls/VXMenu.h"
#include "editor/EditorShell.h"
#include "editor/OwnedSlot.h"
#include "image/ImageObject.h"
#include "resource.h"

#include <cstdlib>
#include <memory>
#include <new>

namespace {

CRect Normalized(CRect r)
{
    r.NormalizeRect();
    return r;
}

// Width follows height (or height follows width) to the ratio rw : rh.
void WidthFollowsHeight(CRect& r, int rw, int rh)
{
    r.right = r.left + LONG((long long)rw * r.Height() / rh);
}

void HeightFollowsWidth(CRect& r, int rw, int rh)
{
    r.bottom = r.top + LONG((long long)rh * r.Width() / rw);
}

bool WidthIsShorter(const CRect& r, int rw, int rh)
{
    return (long long)r.Width() * 100 / rw <= (long long)r.Height() * 100 / rh;
}

}  // namespace

// --- Selection state --------------------------------------------------------------

std::unique_ptr<CRectTracker> CImgEditView::NewTracker() const
{
    auto tracker = std::make_unique<CRectTracker>(CRect(0, 0, 0, 0), CRectTracker::dottedLine);
    tracker->m_nHandleSize = 4;
    return tracker;
}

void CImgEditView::DeleteFloat()
{
    m_nFloatMode = 0;
    DeletePicture(m_pFloatImage);
    DeletePicture(m_pFloatShown);
}

void CImgEditView::ClearSelection()
{
    if (!m_pTracker)
        return;
    DeleteFloat();
    DeletePicture(m_pFloatMask);
    CRect area = m_pTracker->m_rect;
    area.NormalizeRect();
    area.InflateRect(2, 2);
    owned_slot::Free(m_pTracker);
    m_rcSelection.SetRect(-1, -1, -1, -1);
    if (::IsWindow(m_hWnd))
        InvalidateRect(&area, TRUE);
}

// The selection in picture pixels follows the tracker (client coordinates,
// right and bottom exclusive).
void CImgEditView::SelectionFromTracker()
{
    if (!m_pTracker)
        return;
    CRect r = Normalized(m_pTracker->m_rect);
    m_rcSelection = ClientToImage(CRect(r.left, r.top, r.right - 1, r.bottom - 1));
}

void CImgEditView::InvalidateTracker(BOOL erase)
{
    if (!m_pTracker || !::IsWindow(m_hWnd))
        return;
    CRect area = Normalized(m_pTracker->m_rect);
    area.InflateRect(2, 2, 1, 1);
    InvalidateRect(&area, erase);
}

BOOL CImgEditView::PaneRatio(int* rw, int* rh) const
{
    editor_shell::PaneRatio(m_pEditToolsPane, rw, rh);
    return *rw != 0 && *rh != 0;
}

COLORREF CImgEditView::PaneColor() const
{
    return editor_shell::PaneColor(m_pEditToolsPane);
}

int CImgEditView::PaneBrushSize() const
{
    return editor_shell::PaneBrushSize(m_pEditToolsPane);
}

int CImgEditView::PaneOpacity() const
{
    return editor_shell::PaneOpacity(m_pEditToolsPane);
}

BOOL CImgEditView::AdjustTracker(CRect& rect, int handle)
{
    rect.NormalizeRect();
    int rw = 0, rh = 0;
    const BOOL ratio = PaneRatio(&rw, &rh);
    if (!rect.IsRectEmpty() && ratio && !m_nFloatMode) {
        if (handle == CRectTracker::hitTop || handle == CRectTracker::hitBottom)
            WidthFollowsHeight(rect, rw, rh);
        else if (handle == CRectTracker::hitRight || handle == CRectTracker::hitLeft)
            HeightFollowsWidth(rect, rw, rh);
        else if (WidthIsShorter(rect, rw, rh))
            WidthFollowsHeight(rect, rw, rh);
        else
            HeightFollowsWidth(rect, rw, rh);
    }
    const CPoint scroll = GetScrollPosition();
    const int s = GetPixelBlock();
    if (s > 1) {
        // Block boundaries lie on the picture's grid, in scrolled coordinates.
        CRect logical = rect + scroll;
        int shift = logical.left % s ? s - logical.left % s : 0;
        logical.left += shift;
        logical.right += shift;
        shift = logical.top % s ? s - logical.top % s : 0;
        logical.top += shift;
        logical.bottom += shift;
        logical.right -= logical.right % s;
        logical.bottom -= logical.bottom % s;
        rect = logical - scroll;
    }
    const CSize zoomed = ZoomedSize();
    const CRect picture(-scroll.x, -scroll.y, zoomed.cx - scroll.x, zoomed.cy - scroll.y);
    BOOL clippedX = FALSE, clippedY = FALSE;
    if (rect.left < picture.left) {
        if (handle == CRectTracker::hitMiddle)
            rect.right += picture.left - rect.left;
        rect.left = picture.left;
        clippedX = TRUE;
    }
    if (rect.right > picture.right) {
        if (handle == CRectTracker::hitMiddle)
            rect.left = max(picture.left, rect.left - (rect.right - picture.right));
        rect.right = picture.right;
        clippedX = TRUE;
    }
    if (rect.top < picture.top) {
        if (handle == CRectTracker::hitMiddle)
            rect.bottom += picture.top - rect.top;
        rect.top = picture.top;
        clippedY = TRUE;
    }
    if (rect.bottom > picture.bottom) {
        if (handle == CRectTracker::hitMiddle)
            rect.top = max(picture.top, rect.top - (rect.bottom - picture.bottom));
        rect.bottom = picture.bottom;
        clippedY = TRUE;
    }
    if (ratio && !m_nFloatMode && !rect.IsRectEmpty()) {
        if (clippedY && !clippedX)
            WidthFollowsHeight(rect, rw, rh);
        else if (clippedX && !clippedY)
            HeightFollowsWidth(rect, rw, rh);
        else if ((long long)rect.Width() * 100 / rw >= (long long)rect.Height() * 100 / rh)
            WidthFollowsHeight(rect, rw, rh);
        else
            HeightFollowsWidth(rect, rw, rh);
    }
    if (rect.Width() < 5 || rect.Height() < 5)
        return FALSE;
    CRect overlap;
    return overlap.IntersectRect(rect, picture);
}

void CImgEditView::SelectionClick(CPoint point)
{
    if (!m_pTracker)
        m_pTracker = NewTracker().release();
    int hit = m_pTracker->HitTest(point);
    if (hit < 0) {
        if (m_nFloatMode) {
            MergeFloat();
            return;
        }
        CRectTracker band;
        if (band.TrackRubberBand(this, point, TRUE))
            m_pTracker->m_nStyle |= CRectTracker::resizeInside;
        CRect r = Normalized(band.m_rect);
        const CSize zoomed = ZoomedSize();
        const CRect picture = CRect(0, 0, zoomed.cx, zoomed.cy) - GetScrollPosition();
        CRect overlap;
        if (AdjustTracker(r, -1) && r.Width() > 8 && r.Height() > 8 && overlap.IntersectRect(r, picture)) {
            m_pTracker->m_rect = r;
            SelectionFromTracker();
        } else {
            owned_slot::Free(m_pTracker);
            m_rcSelection.SetRect(-1, -1, -1, -1);
        }
        Invalidate(TRUE);
        UpdateSelectionStatus();
        return;
    }
    if (!m_pTracker->Track(this, point, FALSE)) {
        GrowSelection();
        return;
    }
    CRect r = Normalized(m_pTracker->m_rect);
    if (AdjustTracker(r, hit)) {
        m_pTracker->m_rect = r;
        SelectionFromTracker();
        RenderFloat();
    } else {
        ClearSelection();
    }
    Invalidate(TRUE);
    UpdateSelectionStatus();
}

void CImgEditView::NudgeSelection(UINT key, BOOL shift)
{
    if (!m_pTracker)
        return;
    const int step = GetPixelBlock();
    CRect old = Normalized(m_pTracker->m_rect);
    CRect r = old;
    int dx = key == VK_LEFT ? -step : key == VK_RIGHT ? step : 0;
    int dy = key == VK_UP ? -step : key == VK_DOWN ? step : 0;
    if (shift && !m_nFloatMode) {
        r.right += dx;
        r.bottom += dy;
    } else {
        r.OffsetRect(dx, dy);
    }
    r.NormalizeRect();
    if (AdjustTracker(r, CRectTracker::hitBottomRight)) {
        m_pTracker->m_rect = r;
        SelectionFromTracker();
        RenderFloat();
    } else {
        ClearSelection();
    }
    CRect area;
    area.UnionRect(old, r);
    area.InflateRect(4, 4);
    InvalidateRect(&area, TRUE);
    UpdateSelectionStatus();
}

void CImgEditView::GrowSelection()
{
    ResizeSelectionBy(10);
}

void CImgEditView::ShrinkSelection()
{
    ResizeSelectionBy(-10);
}

// Every edge moves outward by `step` client pixels (inward when negative);
// only with an aspect ratio and no floating picture.
void CImgEditView::ResizeSelectionBy(int step)
{
    int rw, rh;
    if (!m_pTracker || m_nFloatMode == 1 || !PaneRatio(&rw, &rh))
        return;
    CRect old = Normalized(m_pTracker->m_rect);
    CRect r = old;
    r.InflateRect(step, step);
    r.NormalizeRect();
    if (AdjustTracker(r, CRectTracker::hitBottomRight)) {
        m_pTracker->m_rect = r;
        SelectionFromTracker();
    } else {
        ClearSelection();
    }
    CRect area;
    area.UnionRect(old, r);
    area.InflateRect(4, 4);
    InvalidateRect(&area, TRUE);
    UpdateSelectionStatus();
}

// --- Mouse ----------------------------------------------------------------------

void CImgEditView::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!HasImage()) {
        CScrollView::OnLButtonDown(nFlags, point);
        return;
    }
    m_ptScrollAtDown = GetScrollPosition();
    m_ptDown = point;
    if (IsBusy() && m_nEditTool != ETM_PAN) {
        ShowBusyMessage();
        return;
    }
    switch (m_nEditTool) {
    case ETM_SELECT:
        SelectionClick(point);
        break;
    case ETM_TEXT:
        PlaceText(ClientToImage(point));
        break;
    case ETM_PICKER:
    case ETM_PEN:
    case ETM_BRUSH:
    case ETM_SPRAY:
        ApplyToolAt(point);
        break;
    case ETM_ZOOM:
        if (m_nZoomIndex < m_arrZoomRatios.GetSize() - 1)
            AnchoredZoom(m_nZoomIndex + 1, ClientToImage(point));
        break;
    default:
        CScrollView::OnLButtonDown(nFlags, point);
    }
}

void CImgEditView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (!HasImage() || m_ptLast.x < 0)
        return;
    CPoint p = ClientToImage(point);
    if (p.x < m_pImage->GetWidth() && p.y < m_pImage->GetHeight())
        SendMessage(WM_COMMAND, IDM_ED_FULL_SCREEN);
}

void CImgEditView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!HasImage() || m_ptLast.x < 0) {
        m_ptLast = point;
        return;
    }
    CPoint p = ClientToImage(point);
    CString text;
    if (p.x >= 0 && p.y >= 0 && p.x < m_pImage->GetWidth() && p.y < m_pImage->GetHeight())
        text.Format("X=%d,Y=%d", int(p.x), int(p.y));
    editor_shell::SetStatusText(3, text);
    CPoint previous = m_ptLast;
    m_ptLast = point;
    if (nFlags != MK_LBUTTON)
        return;
    switch (m_nEditTool) {
    case ETM_PEN:
    case ETM_BRUSH:
    case ETM_SPRAY:
        if (!IsBusy())
            StrokeTo(previous, point);
        break;
    case ETM_PAN: {
        CRect client;
        GetClientRect(&client);
        CSize zoomed = ZoomedSize();
        CPoint pos(0, 0);
        if (zoomed.cx > client.Width())
            pos.x = m_ptScrollAtDown.x + m_ptDown.x - point.x;
        if (zoomed.cy > client.Height())
            pos.y = m_ptScrollAtDown.y + m_ptDown.y - point.y;
        ScrollToPosition(pos);
        Invalidate(FALSE);
        UpdateWindow();
        editor_shell::PaneNavigator(m_pEditToolsPane, VisibleImageRect(), TRUE);
        break;
    }
    default:
        break;
    }
}

// Every client pixel of the segment along its longer axis, the other
// coordinate by integer interpolation; a segment of one point is one dab.
void CImgEditView::StrokeTo(CPoint from, CPoint to)
{
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int steps = max(std::abs(dx), std::abs(dy));
    for (int i = 0; i <= steps; ++i) {
        CPoint p = steps ? CPoint(from.x + dx * i / steps, from.y + dy * i / steps) : from;
        ApplyToolAt(p);
    }
}

void CImgEditView::ApplyToolAt(CPoint client)
{
    if (!HasImage() || IsBusy())
        return;
    CPoint p = ClientToImage(client);
    const bool inside = p.x >= 0 && p.y >= 0 && p.x < m_pImage->GetWidth() && p.y < m_pImage->GetHeight();
    switch (m_nEditTool) {
    case ETM_PICKER:
        // Only the picture has colours to pick; the hatch beside it has none.
        if (inside)
            editor_shell::PaneSetCurrentColor(m_pEditToolsPane, m_pImage->GetPixelColor(p.x, p.y));
        return;
    case ETM_PEN: {
        MarkModified();
        m_pImage->SetPixelColor(p.x, p.y, PaneColor());
        CRect block = ImageToClient(CRect(p.x, p.y, p.x, p.y));
        block.right += 1;
        block.bottom += 1;
        InvalidateRect(&block, TRUE);
        return;
    }
    case ETM_BRUSH:
    case ETM_SPRAY: {
        MarkModified();
        if (m_nEditTool == ETM_BRUSH)
            m_pImage->BrushEffect(p.x, p.y, PaneColor(), PaneBrushSize(), 1);
        else
            m_pImage->SprayEffect(p.x, p.y, PaneColor(), PaneBrushSize(), 1);
        int half = int((long long)GetZoomRatio() * PaneBrushSize() / 1000) + 1;
        CRect area(client.x - half, client.y - half, client.x + half + 1, client.y + half + 1);
        InvalidateRect(&area, FALSE);
        return;
    }
    default:
        return;
    }
}

BOOL CImgEditView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest != HTCLIENT)
        return CScrollView::OnSetCursor(pWnd, nHitTest, message);
    UINT cursor = 0;
    switch (m_nEditTool) {
    case ETM_BRUSH: cursor = IDC_EDITOR_BRUSH; break;
    case ETM_PICKER: cursor = IDC_EDITOR_PICKER; break;
    case ETM_PEN: cursor = IDC_EDITOR_PEN; break;
    case ETM_SPRAY: cursor = IDC_EDITOR_SPRAY; break;
    case ETM_ZOOM: cursor = IDC_EDITOR_ZOOM; break;
    case ETM_PAN: cursor = IDC_EDITOR_HAND; break;
    case ETM_TEXT: cursor = IDC_EDITOR_TEXT; break;
    default: break;
    }
    HCURSOR handle = nullptr;
    if (m_nEditTool == ETM_SELECT) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        int hit = m_pTracker ? m_pTracker->HitTest(point) : -1;
        LPCSTR shape = nullptr;
        switch (hit) {
        case CRectTracker::hitTopLeft:
        case CRectTracker::hitBottomRight: shape = IDC_SIZENWSE; break;
        case CRectTracker::hitTopRight:
        case CRectTracker::hitBottomLeft: shape = IDC_SIZENESW; break;
        case CRectTracker::hitTop:
        case CRectTracker::hitBottom: shape = IDC_SIZENS; break;
        case CRectTracker::hitLeft:
        case CRectTracker::hitRight: shape = IDC_SIZEWE; break;
        case CRectTracker::hitMiddle: shape = IDC_SIZEALL; break;
        default: cursor = IDC_EDITOR_SELECT; break;
        }
        if (shape)
            handle = ::LoadCursor(nullptr, shape);
    }
    if (!handle && cursor && AfxGetApp())
        handle = AfxGetApp()->LoadCursor(cursor);
    if (!handle)
        return CScrollView::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(handle);
    return TRUE;
}

// --- Keyboard -------------------------------------------------------------------

BOOL CImgEditView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CScrollView::PreTranslateMessage(pMsg);
    const UINT key = UINT(pMsg->wParam);
    const BOOL ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const BOOL shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    const bool shortcut = (arrow && m_pTracker) || (key == VK_DELETE && m_pTracker) ||
                          (ctrl && (key == 'C' || key == 'X' || key == 'V' || key == 'Z' || key == 'Y' || key == 'S'));
    if (!shortcut)
        return CScrollView::PreTranslateMessage(pMsg);
    if (IsBusy())
        return TRUE;
    if (arrow) {
        NudgeSelection(key, shift);
    } else if (key == VK_DELETE) {
        if (!m_nFloatMode)
            FillSelection();
        ClearSelection();
    } else if (key == 'C') {
        Copy();
    } else if (key == 'X') {
        Cut();
    } else if (key == 'V') {
        Paste();
    } else if (key == 'Z') {
        Undo();
    } else if (key == 'Y') {
        Redo();
    } else if (key == 'S') {
        if (m_bModified || m_strPathName.IsEmpty())
            Save();
    }
    return TRUE;
}

// --- Selection commands -------------------------------------------------------

void CImgEditView::FillSelection()
{
    if (!HasImage() || !m_pTracker || IsBusy())
        return;
    MarkModified();
    SaveUndo(m_rcSelection);
    m_pImage->DrawRect(m_rcSelection, PaneColor(), 1, 100 - PaneOpacity(), PaneBrushSize(), 0, 0);
    InvalidateTracker(FALSE);
    editor_shell::PaneViewChanged(m_pEditToolsPane, this);
}

void CImgEditView::OutlineSelection()
{
    if (!HasImage() || !m_pTracker || IsBusy())
        return;
    MarkModified();
    SaveUndo(m_rcSelection);
    m_pImage->DrawRect(m_rcSelection, PaneColor(), 0, 0, PaneBrushSize(), 0, 0);
    InvalidateTracker(FALSE);
    editor_shell::PaneViewChanged(m_pEditToolsPane, this);
}

void CImgEditView::Trim()
{
    if (!HasImage() || !m_pTracker || IsBusy())
        return;
    std::unique_ptr<CImageObject> cropped(m_pImage->CropToNewImgObj(m_rcSelection));
    if (!cropped)
        return;
    MarkModified();
    SaveUndo(CRect(-1, -1, -1, -1));
    cropped->SetParent(this);
    owned_slot::Replace(m_pImage, std::move(cropped));
    ClearSelection();
    UpdateScrollSizes();
    Invalidate(TRUE);
    UpdateSizeStatus();
    editor_shell::PaneViewChanged(m_pEditToolsPane, this);
    editor_shell::PaneNavigator(m_pEditToolsPane, VisibleImageRect(), FALSE);
}

void CImgEditView::Copy()
{
    if (!HasImage() || IsBusy() || m_nEditTool != ETM_SELECT || m_nFloatMode || !m_pTracker ||
        Normalized(m_pTracker->m_rect).IsRectEmpty())
        return;
    std::unique_ptr<CImageObject> piece(m_pImage->CropToNewImgObj(m_rcSelection));
    if (!piece)
        return;
    HGLOBAL dib = piece->DibFromImgObj();
    piece.reset();
    if (!dib)
        return;
    if (!::OpenClipboard(m_hWnd)) {
        ::GlobalFree(dib);
        return;
    }
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_DIB, dib))
        ::GlobalFree(dib);
    ::CloseClipboard();
}

void CImgEditView::Cut()
{
    if (!HasImage() || IsBusy() || m_nEditTool != ETM_SELECT || m_nFloatMode || !m_pTracker)
        return;
    Copy();
    FillSelection();
}

void CImgEditView::Paste()
{
    if (!HasImage() || IsBusy())
        return;
    if (!::OpenClipboard(m_hWnd))
        return;
    if (!::IsClipboardFormatAvailable(CF_BITMAP) && !::IsClipboardFormatAvailable(CF_DIB)) {
        ::CloseClipboard();
        return;
    }
    ClearSelection();
    DeletePicture(m_pFloatMask);
    CImageObject converter(this, nullptr);
    CImageObject* pasted = nullptr;
    if (HBITMAP handle = (HBITMAP)::GetClipboardData(CF_BITMAP)) {
        CBitmap bitmap;
        bitmap.Attach(handle);
        pasted = converter.DDBToImgObj(bitmap, 0, nullptr);
        bitmap.Detach();
    }
    if (!pasted) {
        // The clipboard keeps its data: the conversion only reads it.
        if (HGLOBAL dib = (HGLOBAL)::GetClipboardData(CF_DIB))
            pasted = converter.HandleToImgObj(dib);
    }
    ::CloseClipboard();
    if (!pasted)
        return;
    pasted->SetParent(this);
    m_pFloatImage = pasted;
    m_pFloatShown = pasted->DuplicateImgObj();
    if (!m_pFloatShown) {
        DeleteFloat();
        return;
    }
    const int width = m_pImage->GetWidth(), height = m_pImage->GetHeight();
    if ((pasted->GetWidth() > width || pasted->GetHeight() > height) &&
        AfxMessageBox("붙여넣을 이미지가 현재 캔버스영역을 초과합니다.\r\n 캔버스 크기를 조정하시겠습니까?",
                      MB_YESNO | MB_ICONQUESTION) == IDYES) {
        std::unique_ptr<CImageObject> canvas(
            m_pImage->MakeBlankImageObject(RGB(255, 255, 255), max(width, pasted->GetWidth()), max(height, pasted->GetHeight())));
        if (canvas) {
            MarkModified();
            SaveUndo(CRect(-1, -1, -1, -1));
            canvas->ImageProjection(CRect(0, 0, width - 1, height - 1), m_pImage, 100, -1);
            canvas->SetParent(this);
            owned_slot::Replace(m_pImage, std::move(canvas));
            FitToWindow();
        }
    }
    m_nFloatMode = 1;
    owned_slot::Replace(m_pTracker, NewTracker());
    const int s = GetPixelBlock();
    const CPoint scroll = GetScrollPosition();
    auto offset = [s](int room) {
        int off = room > 0 ? min(room, 32) : 0;
        return s > 1 ? (off + s - 1) / s * s : off;
    };
    CPoint logical(scroll.x + offset(m_pImage->GetWidth() - pasted->GetWidth()),
                   scroll.y + offset(m_pImage->GetHeight() - pasted->GetHeight()));
    if (s > 1)
        logical = CPoint((logical.x + s - 1) / s * s, (logical.y + s - 1) / s * s);
    const long long z = GetZoomRatio();
    CPoint topLeft = logical - scroll;
    m_pTracker->m_rect.SetRect(topLeft.x, topLeft.y, topLeft.x + int(z * pasted->GetWidth() / 1000),
                               topLeft.y + int(z * pasted->GetHeight() / 1000));
    SelectionFromTracker();
    m_nEditTool = ETM_SELECT;
    editor_shell::PaneSyncTools(m_pEditToolsPane);
    InvalidateTracker(FALSE);
}

void CImgEditView::MergeFloat()
{
    if (!HasImage() || !m_pTracker || !m_nFloatMode || IsBusy())
        return;
    if (m_nFloatMode == 1 && m_pFloatShown) {
        MarkModified();
        SaveUndo(m_rcSelection);
        m_pImage->ImageProjection(m_rcSelection, m_pFloatShown, PaneOpacity(), -1);
    } else if (m_nFloatMode == 2) {
        SaveUndo(m_rcSelection);
        MarkModified();
        CPoint at = m_rcSelection.TopLeft();
        m_pImage->DrawTextA(m_strImprintText, &at, &m_lfImprint, m_clrImprintText, m_clrImprintBack,
                            m_bImprintTransparent, PaneOpacity(), this);
    }
    ClearSelection();
    editor_shell::PaneViewChanged(m_pEditToolsPane, this);
    Invalidate(FALSE);
}

// --- Text -------------------------------------------------------------------------

// The text in a bitmap of its measured size: over the picture's pixels at
// the selection (a transparent text re-rendered), or on its background.
CImageObject* CImgEditView::RenderTextBitmap(BOOL overPicture, CSize* extent)
{
    CClientDC windowDC(this);
    CDC dc;
    if (!dc.CreateCompatibleDC(&windowDC))
        return nullptr;
    CFont font;
    if (!font.CreateFontIndirect(&m_lfImprint))
        return nullptr;
    CFont* oldFont = dc.SelectObject(&font);
    CRect measured(0, 0, 0, 0);
    dc.DrawText(m_strImprintText, &measured, DT_CALCRECT);
    int width = (measured.Width() + 3) / 4 * 4;
    if (m_lfImprint.lfItalic)
        width += std::abs(int(m_lfImprint.lfHeight)) / 2;
    const int height = max(int(measured.Height()), 1);
    width = max(width, 4);
    CBitmap bitmap;
    CImageObject* result = nullptr;
    if (bitmap.CreateCompatibleBitmap(&windowDC, width, height)) {
        CBitmap* oldBitmap = dc.SelectObject(&bitmap);
        const COLORREF key = RGB(0x00, 0xF8, 0xF8);
        if (overPicture) {
            std::unique_ptr<CImageObject> under(m_pImage->CropToNewImgObj(CRect(
                m_rcSelection.left, m_rcSelection.top, min(int(m_rcSelection.left) + width, m_pImage->GetWidth() - 1),
                min(int(m_rcSelection.top) + height, m_pImage->GetHeight() - 1))));
            if (under)
                under->DrawStretchDirect(&dc, 0, 0, -1, -1, 0, 0, -1, -1);
            dc.SetBkMode(TRANSPARENT);
        } else {
            const COLORREF back = m_bImprintTransparent ? key : m_clrImprintBack;
            dc.FillSolidRect(CRect(0, 0, width, height), back);
            dc.SetBkColor(back);
            dc.SetBkMode(OPAQUE);
        }
        dc.SetTextColor(m_clrImprintText);
        CRect target(0, 0, width, height);
        dc.DrawText(m_strImprintText, &target, 0);
        dc.SelectObject(oldBitmap);
        CImageObject converter(this, nullptr);
        result = converter.DDBToImgObj(bitmap, 0, nullptr);
    }
    dc.SelectObject(oldFont);
    if (extent)
        *extent = CSize(width, height);
    return result;
}

void CImgEditView::FloatText(CPoint imagePoint)
{
    if (!HasImage())
        return;
    m_nEditTool = ETM_SELECT;
    editor_shell::PaneSyncTools(m_pEditToolsPane);
    ClearSelection();
    CSize extent;
    CImageObject* rendered = RenderTextBitmap(FALSE, &extent);
    if (!rendered)
        return;
    rendered->SetParent(this);
    m_pFloatImage = rendered;
    m_pFloatShown = rendered->DuplicateImgObj();
    if (!m_pFloatShown) {
        DeleteFloat();
        return;
    }
    owned_slot::Replace(m_pTracker, NewTracker());
    const long long z = GetZoomRatio();
    CPoint topLeft = ImageToLogical(imagePoint) - GetScrollPosition();
    m_pTracker->m_rect.SetRect(topLeft.x, topLeft.y, topLeft.x + int(z * extent.cx / 1000),
                               topLeft.y + int(z * extent.cy / 1000));
    m_nFloatMode = 2;
    SelectionFromTracker();
    RenderFloat();
    InvalidateTracker(TRUE);
    UpdateSelectionStatus();
}

void CImgEditView::RenderFloat()
{
    if (!m_pTracker || !HasImage())
        return;
    if (m_nFloatMode == 1 && m_pFloatMask && m_pFloatImage) {
        std::unique_ptr<CImageObject> shown(m_pImage->CropToNewImgObj(m_rcSelection));
        if (!shown)
            return;
        shown->ImageProjection(CRect(0, 0, m_rcSelection.Width(), m_rcSelection.Height()), m_pFloatImage, m_pFloatMask,
                               m_bFloatMaskInvert, m_nFloatMaskOffset);
        shown->SetParent(this);
        owned_slot::Replace(m_pFloatShown, std::move(shown));
    } else if (m_nFloatMode == 2 && m_bImprintTransparent) {
        std::unique_ptr<CImageObject> shown(RenderTextBitmap(TRUE, nullptr));
        if (!shown)
            return;
        shown->SetParent(this);
        owned_slot::Replace(m_pFloatShown, std::move(shown));
    }
}

void CImgEditView::RunFloatingGeometry(UINT id)
{
    if (!m_nFloatMode || !m_pFloatImage || !m_pFloatShown || !m_pTracker)
        return;
    if (m_nFloatMode == 2)
        return;
    CImageObject* pieces[] = {m_pFloatImage, m_pFloatShown};
    for (CImageObject* piece : pieces) {
        switch (id) {
        case IDM_ED_ROTATE_90: piece->Rotate(90); break;
        case IDM_ED_ROTATE_180: piece->Rotate(180); break;
        case IDM_ED_ROTATE_270: piece->Rotate(270); break;
        case IDM_ED_FLIP_VERT: piece->InvertVert(); break;
        case IDM_ED_MIRROR: piece->ReverseHorz(); break;
        default: break;
        }
    }
    InvalidateTracker(TRUE);
    if (id == IDM_ED_ROTATE_90 || id == IDM_ED_ROTATE_270) {
        CRect r = Normalized(m_pTracker->m_rect);
        r.right = r.left + r.Height();
        r.bottom = r.top + Normalized(m_pTracker->m_rect).Width();
        if (AdjustTracker(r, CRectTracker::hitMiddle))
            m_pTracker->m_rect = r;
    }
    SelectionFromTracker();
    InvalidateTracker(TRUE);
}

// --- Context menus -------------------------------------------------------------------

void CImgEditView::ShowContextMenu(CPoint screen)
{
    UINT id = IDR_EDITOR_GENERAL_MENU;
    if (m_nEditTool == ETM_SELECT && m_pTracker)
        id = m_nFloatMode ? IDR_EDITOR_FLOAT_MENU : IDR_EDITOR_SELECTION_MENU;
    CVXMenu menu;
    if (!menu.LoadMenu(int(id)))
        return;
    menu.LoadToolbar(IDR_EDITOR_MENU_IMAGES);
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    // The items follow the view's own enable rules.
    CCmdUI state;
    state.m_pMenu = popup;
    state.m_nIndexMax = popup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = popup->GetMenuItemID(int(state.m_nIndex));
        if (state.m_nID == 0 || state.m_nID == UINT(-1))
            continue;
        state.DoUpdate(this, TRUE);
    }
    m_pShownMenu = &menu;
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
    m_pShownMenu = nullptr;
}

// The owner-drawn popup asks its owner for sizes and initialisation.
void CImgEditView::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS->CtlType == ODT_MENU && m_pShownMenu) {
        m_pShownMenu->MeasureItem(lpMIS);
        return;
    }
    CScrollView::OnMeasureItem(nIDCtl, lpMIS);
}

void CImgEditView::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CScrollView::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu && CVXMenu::IsMenu(pPopupMenu))
        CVXMenu::UpdateMenu(pPopupMenu);
}

LRESULT CImgEditView::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (CVXMenu::IsMenu(pMenu))
        return CVXMenu::FindKeyboardShortcut(nChar, nFlags, pMenu);
    return CScrollView::OnMenuChar(nChar, nFlags, pMenu);
}

void CImgEditView::OnContextMenu(CWnd* pWnd, CPoint point)
{
    (void)pWnd;
    if (IsBusy()) {
        ShowBusyMessage();
        return;
    }
    if (point.x == -1 && point.y == -1) {
        point = CPoint(0, 0);
        ClientToScreen(&point);
    }
    ShowContextMenu(point);
}

// --- Command handlers -----------------------------------------------------------------

void CImgEditView::OnCopy()
{
    Copy();
}

void CImgEditView::OnCut()
{
    Cut();
}

void CImgEditView::OnPaste()
{
    Paste();
}

void CImgEditView::OnUpdateCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && !IsBusy() && m_nEditTool == ETM_SELECT && m_pTracker && !m_nFloatMode &&
                   !Normalized(m_pTracker->m_rect).IsRectEmpty());
}

void CImgEditView::OnUpdatePaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && !IsBusy() &&
                   (::IsClipboardFormatAvailable(CF_DIB) || ::IsClipboardFormatAvailable(CF_BITMAP)));
}

void CImgEditView::OnFillSelection()
{
    FillSelection();
}

void CImgEditView::OnOutlineSelection()
{
    OutlineSelection();
}

void CImgEditView::OnTrim()
{
    Trim();
}

void CImgEditView::OnGrowSelection()
{
    GrowSelection();
}

void CImgEditView::OnShrinkSelection()
{
    ShrinkSelection();
}

void CImgEditView::OnUpdateGrowShrink(CCmdUI* pCmdUI)
{
    int rw, rh;
    pCmdUI->Enable(HasImage() && !IsBusy() && m_pTracker && m_nFloatMode != 1 && PaneRatio(&rw, &rh));
}

void CImgEditView::OnMergeFloat()
{
    MergeFloat();
}

void CImgEditView::OnCancelFloat()
{
    ClearSelection();
}

void CImgEditView::OnMaskFloat()
{
    MaskFloat();
}

void CImgEditView::OnUpdateFloatCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && !IsBusy() && m_pTracker && m_nFloatMode);
}

void CImgEditView::OnUpdateMaskFloat(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasImage() && !IsBusy() && m_pTracker && m_nFloatMode == 1);
}

void CImgEditView::OnUpdateFloatGeometry(CCmdUI* pCmdUI)
{
    if (m_nFloatMode)
        pCmdUI->Enable(m_nFloatMode == 1);
    else
        pCmdUI->Enable(HasImage() && !IsBusy());
}
