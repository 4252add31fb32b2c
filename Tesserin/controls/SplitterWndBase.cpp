#include "controls/SplitterWndBase.h"
#include "res/resource.h"

#include <algorithm>

namespace {

const int kLayoutHighLimit = 2048;

}  // namespace

BEGIN_MESSAGE_MAP(SplitterWndBase, CWnd)
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
END_MESSAGE_MAP()

int SplitterWndBase::BindWithControl(CWnd* parent, DWORD id)
{
    m_parent = parent;
    SubclassDlgItem(id, parent);
    ModifyStyle(0, SS_NOTIFY);
    return 1;
}

void SplitterWndBase::Unbind()
{
    DetachAllPanes();
    UnsubclassWindow();
}

int SplitterWndBase::AttachFirst(DWORD id)
{
    m_firstPane.Add(id);
    return 1;
}

int SplitterWndBase::AttachSecond(DWORD id)
{
    m_secondPane.Add(id);
    return 1;
}

int SplitterWndBase::DetachAllPanes()
{
    m_firstPane.RemoveAll();
    m_secondPane.RemoveAll();
    return 1;
}

void SplitterWndBase::SetMinimums(int first, int second)
{
    m_minFirst = first;
    m_minSecond = second;
}

CRect SplitterWndBase::ChildRect(CWnd* control) const
{
    CRect r;
    control->GetWindowRect(&r);
    m_parent->ScreenToClient(&r);
    return r;
}

// Panes end one pixel before the bar and start one pixel after it; ids naming no control are
// passed over.
void SplitterWndBase::RecalcLayout()
{
    if (!m_parent || !m_hWnd)
        return;
    CRect bar = ChildRect(this);
    int low = 0, high = kLayoutHighLimit;
    for (INT_PTR i = 0; i < m_firstPane.GetSize(); ++i) {
        CWnd* control = m_parent->GetDlgItem((int)m_firstPane[i]);
        if (!control)
            continue;
        CRect r = ChildRect(control);
        High(r) = Low(bar) - 1;
        control->MoveWindow(&r, FALSE);
        m_parent->InvalidateRect(&r, TRUE);
        low = std::max(low, (int)Low(r) + m_minFirst);
    }
    for (INT_PTR i = 0; i < m_secondPane.GetSize(); ++i) {
        CWnd* control = m_parent->GetDlgItem((int)m_secondPane[i]);
        if (!control)
            continue;
        CRect r = ChildRect(control);
        Low(r) = High(bar) + 1;
        control->MoveWindow(&r, FALSE);
        m_parent->InvalidateRect(&r, TRUE);
        high = std::min(high, (int)High(r) - m_minSecond);
    }
    CRect band = bar;
    Low(band) = low - 2;
    High(band) = high + 2;
    m_parent->InvalidateRect(&band, TRUE);
}

int SplitterWndBase::GetMouseClipRect(RECT* out, CPoint point)
{
    if (!m_parent || !out)
        return 0;
    CRect client;
    m_parent->GetClientRect(&client);
    m_parent->ClientToScreen(&client);
    int low = Low(client) + m_minFirst, high = High(client) - m_minSecond;
    for (INT_PTR i = 0; i < m_firstPane.GetSize(); ++i)
        if (CWnd* control = m_parent->GetDlgItem((int)m_firstPane[i])) {
            CRect r;
            control->GetWindowRect(&r);
            low = std::max(low, (int)Low(r) + m_minFirst);
        }
    for (INT_PTR i = 0; i < m_secondPane.GetSize(); ++i)
        if (CWnd* control = m_parent->GetDlgItem((int)m_secondPane[i])) {
            CRect r;
            control->GetWindowRect(&r);
            high = std::min(high, (int)High(r) - m_minSecond);
        }
    if (low >= high)
        return 0;
    CRect bar;
    GetWindowRect(&bar);
    int size = m_alongX ? bar.Width() : bar.Height();
    CRect clip = bar;
    Low(clip) = Along(point) + low;
    High(clip) = Along(point) + high - size + 1;
    *out = clip;
    return 1;
}

BOOL SplitterWndBase::OnSetCursor(CWnd*, UINT, UINT)
{
    LPCSTR id = MAKEINTRESOURCE(m_alongX ? IDC_SPLITTER_X : IDC_SPLITTER_Y);
    ::SetCursor(::LoadCursor(AfxFindResourceHandle(id, RT_GROUP_CURSOR), id));
    return TRUE;
}

// The bar follows the mouse as a drag rectangle on the dialog's window DC until the button
// comes up, the right button or Escape is pressed, or the capture goes; there is no cancel.
void SplitterWndBase::OnLButtonDown(UINT, CPoint point)
{
    CRect clip;
    if (::GetCapture() || !m_parent || !GetMouseClipRect(&clip, point))
        return;
    ::ClipCursor(&clip);
    SetCapture();
    CRect bar, parentWindow;
    GetWindowRect(&bar);
    m_parent->GetWindowRect(&parentWindow);
    bar.OffsetRect(-parentWindow.left, -parentWindow.top);
    CWindowDC dc(m_parent);
    int distance = TrackDrag(point, bar, dc);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::ClipCursor(nullptr);
    if (distance == 0)
        return;
    CRect moved = ChildRect(this);
    moved.OffsetRect(m_alongX ? distance : 0, m_alongX ? 0 : distance);
    MoveWindow(&moved, FALSE);
    RecalcLayout();
    m_parent->SendMessage(WM_SPLITTER_MOVED, (WPARAM)(INT_PTR)distance, (LPARAM)GetDlgCtrlID());
}

int SplitterWndBase::TrackDrag(CPoint grab, const CRect& barInWindow, CDC& dc)
{
    CSize size(barInWindow.Width(), barInWindow.Height());
    CRect shown = barInWindow;
    dc.DrawDragRect(&shown, size, nullptr, size);
    int distance = 0;
    MSG msg;
    while (::GetCapture() == m_hWnd && ::GetMessage(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_MOUSEMOVE) {
            CPoint at((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            distance = Along(at) - Along(grab);
            CRect next = barInWindow;
            next.OffsetRect(m_alongX ? distance : 0, m_alongX ? 0 : distance);
            dc.DrawDragRect(&next, size, &shown, size);
            shown = next;
            continue;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONDOWN ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_KEYDOWN)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    if (msg.message == WM_QUIT)
        ::PostQuitMessage((int)msg.wParam);
    dc.DrawDragRect(CRect(0, 0, 0, 0), CSize(0, 0), &shown, size);
    return distance;
}

void SplitterWndBase::OnPaint()
{
    CPaintDC dc(this);
    if (!m_grip)
        return;
    CRect r;
    GetClientRect(&r);
    r.DeflateRect(m_alongX ? 1 : 5, m_alongX ? 5 : 1);
    dc.FillSolidRect(&r, RGB(160, 160, 160));
    r.DeflateRect(1, 1);
    dc.FillSolidRect(&r, RGB(255, 255, 255));
}
