// The out-bar's mouse: hover, and the local loops of a press on a folder, an
// item (click or drag) or a scroll arrow.
#include "controls/VXOutBarCtrl.h"

#include "controls/VXOutBarRecords.h"

namespace {

CPoint PointOf(const MSG& msg)
{
    return CPoint((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
}

// Escape still reaches its window; other keys do nothing during a press.
void HandleKeyDuringPress(const MSG& msg)
{
    if (msg.wParam == VK_ESCAPE)
        ::DispatchMessage(&msg);
}

}  // namespace

bool CVXOutBarCtrl::OurCaptureHeld()
{
    return ::GetCapture() == m_hWnd;
}

void CVXOutBarCtrl::OnMouseMove(UINT, CPoint point)
{
    int index = -1;
    const int hit = HitTestEx(point, index);
    if (m_nHoverFolder >= 0 && !(hit == kHitFolder && index == m_nHoverFolder))
        HighlightFolder(-1);
    if (m_nHoverItem >= 0 && !(hit == kHitItem && index == m_nHoverItem))
        HighlightItem(-1, false);
    if (hit == kHitFolder)
        HighlightFolder(index);
    if (hit == kHitItem)
        HighlightItem(index, false);
    if (hit == kHitFolder || hit == kHitItem)
        SetTimer(kHoverTimer, 100, nullptr);
}

BOOL CVXOutBarCtrl::OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    int index = -1;
    const int hit = HitTestEx(point, index);
    if ((hit == kHitFolder || hit == kHitItem) && m_hHandCursor) {
        ::SetCursor(m_hHandCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, hitTest, message);
}

void CVXOutBarCtrl::OnTimer(UINT_PTR id)
{
    if (id == kHoverTimer) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        CRect client;
        GetClientRect(&client);
        if (!client.PtInRect(point)) {
            HighlightFolder(-1);
            HighlightItem(-1, false);
            KillTimer(kHoverTimer);
        }
        return;
    }
    if (id == kBlinkTimer) {
        BlinkStep();
        return;
    }
    CWnd::OnTimer(id);
}

void CVXOutBarCtrl::OnLButtonDown(UINT, CPoint point)
{
    if (GetFocus() != this)
        SetFocus();
    int index = -1;
    const int hit = HitTestEx(point, index);
    m_nDropKind = 0;
    // Another window's press is under way: leave it alone.
    if (::GetCapture() && !OurCaptureHeld())
        return;
    if (hit == kHitFolder)
        RunFolderPress(index);
    else if (hit == kHitItem)
        RunItemPress(index);
    else if (hit == kHitUpArrow || hit == kHitDownArrow)
        RunArrowPress(hit);
}

// --- Folder press -----------------------------------------------------------

void CVXOutBarCtrl::RunFolderPress(int index)
{
    CRect button;
    GetFolderRect(index, button);
    {
        CClientDC dc(this);
        DrawFolder(&dc, index, button, true);
    }
    bool shownPressed = true;
    SetCapture();
    MSG msg;
    while (OurCaptureHeld()) {
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            int hitIndex = -1;
            const bool over = HitTestEx(PointOf(msg), hitIndex) == kHitFolder && hitIndex == index;
            if (over != shownPressed) {
                CClientDC dc(this);
                DrawFolder(&dc, index, button, over);
                shownPressed = over;
            }
        } else if (msg.message == WM_LBUTTONUP) {
            {
                CClientDC dc(this);
                DrawFolder(&dc, index, button, false);
            }
            int hitIndex = -1;
            const int hit = HitTestEx(PointOf(msg), hitIndex);
            ReleaseCapture();
            if (hit == kHitFolder && hitIndex != m_nSelFolder)
                SetSelFolder(hitIndex);
            break;
        } else if (msg.message == WM_KEYDOWN) {
            HandleKeyDuringPress(msg);
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    if (OurCaptureHeld())
        ReleaseCapture();
    InvalidateRect(&button, FALSE);
}

// --- Item press and drag ----------------------------------------------------

void CVXOutBarCtrl::RunItemPress(int index)
{
    HighlightItem(index, true);
    bool dragging = false;
    SetCapture();
    MSG msg;
    while (OurCaptureHeld()) {
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            const CPoint point = PointOf(msg);
            int hitIndex = -1;
            const int hit = HitTestEx(point, hitIndex);
            if (dragging) {
                UpdateDropMarker(point);
            } else if (hit == kHitItem) {
                HighlightItem(hitIndex, hitIndex == index);
            } else if (m_dwFlags & OBF_DRAGITEMS) {
                dragging = true;
                HighlightItem(index, true);
                if (m_hDragCursor)
                    ::SetCursor(m_hDragCursor);
                UpdateDropMarker(point);
            }
        } else if (msg.message == WM_LBUTTONUP) {
            int hitIndex = -1;
            const int hit = HitTestEx(PointOf(msg), hitIndex);
            ReleaseCapture();
            if (!dragging && hit == kHitItem && hitIndex == index)
                FinishItemClick(index);
            if (dragging)
                FinishItemDrag(index, m_nDropTarget);
            break;
        } else if (msg.message == WM_SETCURSOR) {
            // The drag keeps the cursor it chose.
        } else if (msg.message == WM_KEYDOWN) {
            HandleKeyDuringPress(msg);
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    if (OurCaptureHeld())
        ReleaseCapture();
    if (dragging) {
        CClientDC dc(this);
        DrawDragArrow(&dc, m_nDropTarget, -1);
        Invalidate();
    }
    HighlightItem(-1, false);
}

void CVXOutBarCtrl::UpdateDropMarker(CPoint point)
{
    int hitIndex = -1;
    const int hit = HitTestEx(point, hitIndex);
    CRect inside;
    GetInsideRect(inside);
    int target = -1;
    if (hit == kHitItem) {
        target = hitIndex;
    } else if (inside.PtInRect(point) && GetItemCount() > 0) {
        CRect last;
        GetItemRect(m_nSelFolder, GetItemCount() - 1, last);
        if (point.y > last.bottom)
            target = GetItemCount();
    }
    CClientDC dc(this);
    DrawDragArrow(&dc, m_nDropTarget, target);
    HCURSOR cursor = target < 0 ? m_hNoDropCursor : m_hDragCursor;
    if (cursor)
        ::SetCursor(cursor);
}

void CVXOutBarCtrl::FinishItemClick(int index)
{
    const int previous = m_nSelItem;
    if (m_nBlinkPeriod > 0 && IsValidItem(previous))
        DrawAnimItem(0, 0, previous);
    if (m_dwFlags & OBF_SELHIGHLIGHT) {
        for (int item : {previous, index}) {
            if (!IsValidItem(item))
                continue;
            CRect icon;
            GetIconRect(m_nSelFolder, item, icon);
            icon.InflateRect(1, 1);
            InvalidateRect(&icon);
        }
    }
    m_nSelItem = index;
    CWnd* target = NotifyTarget();
    if (target)
        target->PostMessage(WM_OUTBAR_NOTIFY, OBN_ITEM_CLICKED, index);
}

void CVXOutBarCtrl::FinishItemDrag(int source, int target)
{

    const int count = GetItemCount();
    if (target < 0 || target == source || target > count)
        return;
    OutBarNotifyInfo info = {};
    info.dragFolder = m_nSelFolder;
    info.dragItem = source;
    if (SendNotify(OBN_ITEM_DRAGGED, (LPARAM)&info))
        MoveItem(source, target);
}

void CVXOutBarCtrl::MoveItem(int source, int target)
{
    CBarFolder* folder = Folder(m_nSelFolder);
    CBarItem* moving = folder->ItemAt(source);
    if (!moving)
        return;
    folder->items.RemoveAt(source);
    if (target > source)
        --target;
    if (target > folder->GetItemCount())
        target = folder->GetItemCount();
    folder->items.InsertAt(target, moving);
}

// --- Scroll arrows ----------------------------------------------------------

bool CVXOutBarCtrl::ArrowCanScroll(int hit)
{
    if (hit == kHitUpArrow)
        return m_nFirstItem > 0;
    const int count = GetItemCount();
    if (count == 0)
        return false;
    CRect last, inside;
    GetItemRect(m_nSelFolder, count - 1, last);
    GetInsideRect(inside);
    return last.bottom > inside.bottom;
}

void CVXOutBarCtrl::ScrollOneItem(int hit)
{
    if (!ArrowCanScroll(hit))
        return;
    m_nFirstItem += hit == kHitUpArrow ? -1 : 1;
    CRect inside;
    GetInsideRect(inside);
    InvalidateRect(&inside);
    UpdateWindow();
}

void CVXOutBarCtrl::RunArrowPress(int hit)
{
    const CRect arrow = hit == kHitUpArrow ? m_rcUpArrow : m_rcDownArrow;
    BYTE& pressed = hit == kHitUpArrow ? m_bUpPressed : m_bDownPressed;
    auto drawArrow = [&](bool down) {
        pressed = down ? 1 : 0;
        CClientDC dc(this);
        CRect r = arrow;
        dc.DrawFrameControl(&r, DFC_SCROLL, (hit == kHitUpArrow ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) |
                                                (down ? DFCS_PUSHED : 0));
    };
    drawArrow(true);
    m_bArrowPress = TRUE;
    SetTimer(kArrowTimer, 300, nullptr);
    SetCapture();
    MSG msg;
    while (OurCaptureHeld()) {
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            const bool over = arrow.PtInRect(PointOf(msg)) != FALSE;
            if (over != (pressed != 0))
                drawArrow(over);
        } else if (msg.message == WM_TIMER) {
            if (msg.hwnd == m_hWnd && msg.wParam == kArrowTimer && pressed)
                ScrollOneItem(hit);
        } else if (msg.message == WM_LBUTTONUP) {
            ReleaseCapture();
            if (arrow.PtInRect(PointOf(msg)))
                ScrollOneItem(hit);
            break;
        } else if (msg.message == WM_KEYDOWN) {
            HandleKeyDuringPress(msg);
        } else {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    if (OurCaptureHeld())
        ReleaseCapture();
    KillTimer(kArrowTimer);
    m_bUpPressed = m_bDownPressed = 0;
    m_bArrowPress = FALSE;
    CRect inside;
    GetInsideRect(inside);
    InvalidateRect(&inside);
}
