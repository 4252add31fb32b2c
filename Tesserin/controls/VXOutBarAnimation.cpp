// The folder change animation: the next folder's button and content slide
// over the current ones, drawn from two off-screen bitmaps.
#include "controls/VXOutBarCtrl.h"

#include "controls/VXOutBarRecords.h"

#include <algorithm>

namespace {

// A bitmap as wide as the inside rectangle and two buttons taller, filled.
struct Sheet {
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    Sheet(CDC& screen, int width, int height, COLORREF fill)
    {
        dc.CreateCompatibleDC(&screen);
        if (bitmap.CreateCompatibleBitmap(&screen, std::max(1, width), std::max(1, height)))
            old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, fill);
    }
    ~Sheet()
    {
        if (old)
            dc.SelectObject(old);
    }
};

void Pause(long tick)
{
    if (tick >= 0)
        ::Sleep((DWORD)tick);
}

}  // namespace

// Draws a folder's content with its top-left corner at (0, yOffset): items as
// they would stand unscrolled, or the child window painting into the DC.
void CVXOutBarCtrl::RenderFolderContent(CDC& dc, int folder, const CRect& inside, int yOffset)
{
    CWnd* child = Folder(folder)->child;
    if (child && child->GetSafeHwnd()) {
        const BOOL visible = child->IsWindowVisible();
        if (!visible)
            child->ShowWindow(SW_SHOWNA);
        const CPoint oldOrigin = dc.SetViewportOrg(0, yOffset);
        child->SendMessage(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc());
        child->SendMessage(WM_PAINT, (WPARAM)dc.GetSafeHdc());
        dc.SetViewportOrg(oldOrigin);
        if (!visible)
            child->ShowWindow(SW_HIDE);
        return;
    }
    const int savedSel = m_nSelFolder, savedFirst = m_nFirstItem;
    m_nSelFolder = folder;
    m_nFirstItem = folder == savedSel ? savedFirst : 0;
    CRect area;
    GetInsideRect(area);
    const CPoint oldOrigin = dc.SetViewportOrg(-area.left, yOffset - area.top);
    PaintItems(&dc, folder, area);
    dc.SetViewportOrg(oldOrigin);
    m_nSelFolder = savedSel;
    m_nFirstItem = savedFirst;
    (void)inside;
}

void CVXOutBarCtrl::AnimateFolderScroll(int from, int to)
{
    Folder(from);
    Folder(to);
    if (!m_hWnd || from == to)
        return;
    CRect inside, client, fromButton, toButton;
    GetInsideRect(inside);
    GetClientRect(&client);
    GetFolderRect(from, fromButton);
    GetFolderRect(to, toButton);
    const int h = m_nFolderHeight, width = inside.Width(), height = inside.Height() + 2 * h;
    CClientDC screen(this);
    Sheet first(screen, width, height, m_crBackground), second(screen, width, height, m_crBackground);
    if (to > from) {
        RenderFolderContent(first.dc, from, inside, h);
        DrawFolder(&second.dc, to, CRect(0, 0, width, h), false);
        // The content of the next folder starts under its button.
        const int savedSel = m_nSelFolder;
        m_nSelFolder = to;
        CRect next;
        GetInsideRect(next);
        m_nSelFolder = savedSel;
        RenderFolderContent(second.dc, to, next, h);
        const int stop = fromButton.bottom;
        for (int band = toButton.top - h; band > stop; band -= h) {
            const int top = std::max(band, stop + 1);
            screen.BitBlt(inside.left, stop + 1, width, top - stop - 1, &first.dc, 0, h, SRCCOPY);
            screen.BitBlt(inside.left, top, width, inside.bottom + h - top, &second.dc, 0, 0, SRCCOPY);
            Pause(m_nAnimationTick);
        }
        return;
    }
    DrawFolder(&first.dc, from, CRect(0, 0, width, h), false);
    RenderFolderContent(first.dc, from, inside, h);
    const int savedSel = m_nSelFolder;
    m_nSelFolder = to;
    CRect next;
    GetInsideRect(next);
    m_nSelFolder = savedSel;
    RenderFolderContent(second.dc, to, next, 0);
    const int stackTop = client.bottom - (GetFolderCount() - from) * h;
    for (int band = fromButton.top + 1; band < stackTop; band += h) {
        if (band > next.top)
            screen.BitBlt(next.left, next.top, width, band - next.top, &second.dc, 0, 0, SRCCOPY);
        screen.BitBlt(inside.left, band, width, client.bottom - band, &first.dc, 0, 0, SRCCOPY);
        Pause(m_nAnimationTick);
    }
}
