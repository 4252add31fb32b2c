// Presses, divider drags held within the item's limits, and column drags with
// their drop result.
#include "grid/FlatHeaderCtrl.h"

#include <algorithm>
#include <cstdlib>

int CFlatHeaderCtrl::FixedDividerAt(CPoint point, HDHITTESTINFO& hit)
{
    hit = {};
    hit.pt = point;
    int index = HitTest(&hit);
    if (index < 0 || !(hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)))
        return -1;
    return (GetItemExStyle(index) & HDF_EX_FIXEDWIDTH) ? index : -1;
}

LRESULT CFlatHeaderCtrl::OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam)
{
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    HDHITTESTINFO hit;
    if (FixedDividerAt(pt, hit) >= 0)
        return 0; // a fixed width cannot be dragged or fitted
    int index = hit.iItem;
    m_iDropResult = -1;
    m_bColumnDrag = FALSE;
    m_iPressed = -1;
    if (index >= 0 && message == WM_LBUTTONDOWN && (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))) {
        CRect rc;
        GetItemRect(index, &rc);
        _HDITEMEX ex = m_arrayEx[(size_t)index];
        m_iTrackLeft = rc.left;
        m_iTrackOffset = pt.x - rc.right;
        m_iTrackMin = ex.iMinWidth;
        m_iTrackMax = LimitOf(ex.iMaxWidth);
        if (m_bAutoSize) {
            CRect client;
            GetClientRect(&client);
            int order = 0, count = GetItemCount();
            std::vector<int> orderArray(count);
            GetOrderArray(orderArray.data(), count);
            while (order < count && orderArray[order] != index)
                order++;
            int minRight = 0, maxRight = 0;
            for (int o = order + 1; o < count; o++) {
                minRight += m_arrayEx[(size_t)orderArray[o]].iMinWidth;
                maxRight += LimitOf(m_arrayEx[(size_t)orderArray[o]].iMaxWidth);
            }
            if (order + 1 < count) {
                m_iTrackMax = std::min(m_iTrackMax, client.Width() - rc.left - minRight);
                m_iTrackMin = std::max(m_iTrackMin, client.Width() - rc.left - maxRight);
            }
        }
        m_bDividerDrag = TRUE;
        if (m_iTrackMin > 0 || m_iTrackMax > 0) {
            CRect clip(m_iTrackLeft + m_iTrackMin + m_iTrackOffset, 0, m_iTrackLeft + m_iTrackMax + m_iTrackOffset + 1,
                       0);
            ClientToScreen(&clip);
            CRect window;
            GetWindowRect(&window);
            clip.top = window.top;
            clip.bottom = window.bottom;
            ::ClipCursor(&clip);
        }
    } else if (index >= 0 && message == WM_LBUTTONDOWN) {
        m_iPressed = index;
        m_ptPress = pt;
    }
    return CHeaderCtrl::WindowProc(message, wParam, lParam);
}

int CFlatHeaderCtrl::DropResultAt(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point))
        return 0;
    if (m_iPressed >= 0 && (GetItemExStyle(m_iPressed) & HDF_EX_NOREMOVE))
        return 2;
    if (m_hDropTarget && ::IsWindowVisible(m_hDropTarget)) {
        CRect target;
        ::GetWindowRect(m_hDropTarget, &target);
        CPoint screen = point;
        ClientToScreen(&screen);
        if (target.PtInRect(screen))
            return 1;
    }
    return -1;
}

LRESULT CFlatHeaderCtrl::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    if (m_bDividerDrag && (wParam & MK_LBUTTON)) {
        int low = m_iTrackLeft + m_iTrackMin + m_iTrackOffset;
        int high = m_iTrackLeft + m_iTrackMax + m_iTrackOffset;
        if (high >= low)
            pt.x = std::max(low, std::min(high, (int)pt.x));
        lParam = MAKELPARAM(pt.x, pt.y);
    }
    if (m_iPressed >= 0 && (wParam & MK_LBUTTON) && !m_bColumnDrag && (GetStyle() & HDS_DRAGDROP) &&
        (abs(pt.x - m_ptPress.x) > ::GetSystemMetrics(SM_CXDRAG) ||
         abs(pt.y - m_ptPress.y) > ::GetSystemMetrics(SM_CYDRAG)))
        m_bColumnDrag = TRUE;
    if (m_bColumnDrag) {
        m_iDropResult = DropResultAt(pt);
        LPCTSTR cursor = m_iDropResult == 0 || m_iDropResult == 1 ? IDC_ARROW : IDC_NO;
        HCURSOR shape = m_iDropResult == -1 && m_nDontDropCursor
                            ? ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(m_nDontDropCursor))
                            : nullptr;
        ::SetCursor(shape ? shape : ::LoadCursor(nullptr, cursor));
    }
    LRESULT result = CHeaderCtrl::WindowProc(WM_MOUSEMOVE, wParam, lParam);
    if (m_bColumnDrag)
        ShowDragPictures(pt);
    return result;
}

int CFlatHeaderCtrl::HotDividerAt(CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point) || m_iPressed < 0)
        return -1;
    int count = GetItemCount();
    std::vector<int> order((size_t)count);
    GetOrderArray(order.data(), count);
    int dragged = -1, divider = count;
    for (int pos = 0; pos < count; pos++) {
        CRect rc;
        GetItemRect(order[(size_t)pos], &rc);
        if (order[(size_t)pos] == m_iPressed)
            dragged = pos;
        if (point.x >= rc.left && point.x < rc.right)
            divider = point.x > rc.CenterPoint().x ? pos + 1 : pos;
    }
    return divider == dragged || divider == dragged + 1 ? -1 : divider;
}

void CFlatHeaderCtrl::ShowDragPictures(CPoint point)
{
    if (GetCapture() != this) {
        EndDragPictures(); // the parent refused the drag
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    if (!m_wndDrag.m_hWnd) {
        CRect item;
        GetItemRect(m_iPressed, &item);
        if (!m_wndDrag.Create(CRect(0, 0, item.Width(), item.Height()), this, m_iPressed))
            return;
    }
    m_wndDrag.MoveTo(screen);
    ShowDropAt(HotDividerAt(point));
}

void CFlatHeaderCtrl::ShowDropAt(int divider)
{
    if (divider < 0) {
        if (m_wndDrop.m_hWnd)
            m_wndDrop.ShowWindow(SW_HIDE);
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (!m_wndDrop.m_hWnd && !m_wndDrop.Create(client.Height()))
        return;
    int count = GetItemCount();
    std::vector<int> order((size_t)std::max(count, 0));
    if (count > 0)
        GetOrderArray(order.data(), count);
    CRect rc;
    int x = 0;
    if (divider < count) {
        GetItemRect(order[(size_t)divider], &rc);
        x = rc.left - 1;
    } else if (count > 0) {
        GetItemRect(order[(size_t)count - 1], &rc);
        x = rc.right;
    }
    CPoint at(x, client.Height() / 2);
    ClientToScreen(&at);
    m_wndDrop.SetAt(at);
}

LRESULT CFlatHeaderCtrl::OnSetHotDivider(WPARAM byPoint, LPARAM value)
{
    LRESULT divider = CHeaderCtrl::WindowProc(HDM_SETHOTDIVIDER, byPoint, value);
    // A column brought from outside (the column chooser) is shown where it would go.
    CRect client;
    GetClientRect(&client);
    BOOL inside = !byPoint || client.PtInRect(CPoint((short)LOWORD(value), (short)HIWORD(value)));
    if (inside && divider >= 0)
        ShowDropAt((int)divider);
    else if (m_wndDrop.m_hWnd)
        m_wndDrop.DestroyWindow();
    return divider;
}

void CFlatHeaderCtrl::EndDragPictures()
{
    if (m_wndDrag.m_hWnd)
        m_wndDrag.DestroyWindow();
    if (m_wndDrop.m_hWnd)
        m_wndDrop.DestroyWindow();
}

LRESULT CFlatHeaderCtrl::OnButtonUp(WPARAM wParam, LPARAM lParam)
{
    CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
    BOOL dividerDrag = m_bDividerDrag;
    if (m_bColumnDrag)
        m_iDropResult = DropResultAt(pt);
    if (dividerDrag) {
        int low = m_iTrackLeft + m_iTrackMin + m_iTrackOffset;
        int high = m_iTrackLeft + m_iTrackMax + m_iTrackOffset;
        if (high >= low)
            pt.x = std::max(low, std::min(high, (int)pt.x));
        lParam = MAKELPARAM(pt.x, pt.y);
        ::ClipCursor(nullptr);
    }
    EndDragPictures();
    LRESULT result = CHeaderCtrl::WindowProc(WM_LBUTTONUP, wParam, lParam);
    m_bDividerDrag = FALSE;
    m_bColumnDrag = FALSE;
    int pressed = m_iPressed;
    m_iPressed = -1;
    if (dividerDrag && m_bAutoSize) {
        HDHITTESTINFO hit = {};
        hit.pt = CPoint(m_iTrackLeft + 1, 1);
        int dragged = HitTest(&hit);
        AutoSize(dragged >= 0 ? dragged : pressed);
    }
    return result;
}

BOOL CFlatHeaderCtrl::OnSetCursorAt(CPoint point)
{
    HDHITTESTINFO hit;
    if (FixedDividerAt(point, hit) < 0)
        return FALSE;
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}
