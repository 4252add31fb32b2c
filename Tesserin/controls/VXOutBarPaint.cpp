// The out-bar's drawing: one off-screen bitmap per paint, folder buttons,
// items, scroll arrows, hover frames, drop markers and the selection blink.
#include "controls/VXOutBarCtrl.h"

#include "controls/VXOutBarRecords.h"

#include <algorithm>

namespace {

// The hovered item's pressed look is one value for every out-bar.
bool g_lastHoverPressed = false;

CFont* GuiFont()
{
    return CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}

void HLine(CDC& dc, int left, int right, int y, COLORREF colour)
{
    dc.FillSolidRect(left, y, right - left, 1, colour);
}

void VLine(CDC& dc, int x, int top, int bottom, COLORREF colour)
{
    dc.FillSolidRect(x, top, 1, bottom - top, colour);
}

}  // namespace

BOOL CVXOutBarCtrl::OnEraseBkgnd(CDC*)
{
    return 0;
}

void CVXOutBarCtrl::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&paint) ||
        !bitmap.CreateCompatibleBitmap(&paint, std::max(1, client.Width()), std::max(1, client.Height())))
        return;
    CBitmap* old = memory.SelectObject(&bitmap);
    PaintInto(memory, client);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    const int folder = m_nHoverFolder, item = m_nHoverItem;
    m_nHoverFolder = m_nHoverItem = -1;
    if (folder >= 0)
        HighlightFolder(folder);
    if (item >= 0)
        HighlightItem(item, g_lastHoverPressed);
}

void CVXOutBarCtrl::PaintInto(CDC& dc, const CRect& client)
{
    CRect inside;
    GetInsideRect(inside);
    const bool hasFolders = GetFolderCount() > 0;
    const bool showsChild = hasFolders && GetFolderChild(m_nSelFolder) != nullptr;
    if (!showsChild)
        dc.FillSolidRect(&inside, m_crBackground);
    for (int i = 0; i < GetFolderCount(); ++i) {
        CRect r;
        GetFolderRect(i, r);
        DrawFolder(&dc, i, r, false);
    }
    if (!hasFolders || showsChild)
        return;
    PaintArrows(dc, m_nSelFolder);
    PaintItems(&dc, m_nSelFolder, inside);
    (void)client;
}

void CVXOutBarCtrl::PaintArrows(CDC& dc, int folder)
{
    const int count = GetFolderItemCount(folder);
    int first = 0, last = count - 1;
    GetVisibleRange(folder, first, last);
    CRect inside;
    GetInsideRect(inside);
    const int w = ::GetSystemMetrics(SM_CXVSCROLL);
    m_rcUpArrow.SetRect(inside.right - w - 5, inside.top + 5, inside.right - 5, inside.top + 5 + w);
    m_rcDownArrow.SetRect(inside.right - w - 5, inside.bottom - w - 5, inside.right - 5, inside.bottom - 5);
    m_bUpArrow = first > 0;
    m_bDownArrow = last < count - 1;
    if (m_bUpArrow) {
        CRect r = m_rcUpArrow;
        dc.DrawFrameControl(&r, DFC_SCROLL, DFCS_SCROLLUP | (m_bUpPressed ? DFCS_PUSHED : 0));
        dc.ExcludeClipRect(&m_rcUpArrow);
    }
    if (m_bDownArrow) {
        CRect r = m_rcDownArrow;
        dc.DrawFrameControl(&r, DFC_SCROLL, DFCS_SCROLLDOWN | (m_bDownPressed ? DFCS_PUSHED : 0));
        dc.ExcludeClipRect(&m_rcDownArrow);
    }
}

void CVXOutBarCtrl::DrawFolder(CDC* dc, int index, CRect rect, bool pressed)
{
    CBarFolder* folder = Folder(index);
    HLine(*dc, pressed ? rect.left + 1 : rect.left, rect.right, rect.top, m_crFace);
    rect.top += 1;
    CFont* oldFont = dc->SelectObject(GuiFont());
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    if (!pressed) {
        dc->Draw3dRect(&rect, m_crHighlight, m_crFolderEdge);
        rect.DeflateRect(1, 1);
        dc->FillSolidRect(&rect, m_crFace);
        dc->SetTextColor(m_crFolderText);
    } else {
        dc->Draw3dRect(&rect, m_crDarkShadow, m_crHighlight);
        rect.DeflateRect(1, 1);
        dc->Draw3dRect(&rect, m_crFolderEdge, m_crFace);
        rect.DeflateRect(1, 1);
        dc->FillSolidRect(&rect, RGB(240, 240, 240));
    }
    dc->DrawText(folder->name, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldFont);
}

void CVXOutBarCtrl::DrawItem(CDC* dc, int folder, CRect rect, int item, bool imageOnly)
{
    CBarItem* record = Folder(folder)->ItemAt(item);
    CImageList* list = ViewImageList(folder);
    if (!record || !list || !list->GetSafeHandle())
        return;
    CFont* oldFont = dc->SelectObject(GuiFont());
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(record->selState ? m_crSelectedText : m_crText);
    const CSize icon = GetItemSize(folder, item, 1);
    if (IsSmallIconView()) {
        if (record->image >= 0)
            list->Draw(dc, record->image, CPoint(rect.left + 2, rect.top + (rect.Height() - icon.cy) / 2),
                       ILD_NORMAL);
        if (!imageOnly) {
            CString line = record->text;
            line.Replace("\r\n", " ");
            dc->TextOut(rect.left + m_nSmallLabelOffset + icon.cx, rect.top, line);
        }
    } else {
        if (record->image >= 0)
            list->Draw(dc, record->image, CPoint(rect.left + (rect.Width() - icon.cx) / 2, rect.top), ILD_NORMAL);
        if (!imageOnly) {
            CRect label(rect.left, rect.top + m_nLargeLabelOffset + icon.cy, rect.right, rect.bottom);
            dc->DrawText(record->text, &label, DT_CENTER | DT_WORDBREAK);
        }
    }
    if ((m_dwFlags & OBF_SELHIGHLIGHT) && folder == m_nSelFolder && item == m_nSelItem) {
        CRect frame;
        GetIconRect(folder, item, frame);
        frame.InflateRect(1, 1);
        dc->Draw3dRect(&frame, m_crDarkShadow, m_crFace);
    }
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldFont);
}

void CVXOutBarCtrl::PaintItems(CDC* dc, int folder, CRect rect)
{
    CRect inside;
    GetInsideRect(inside);
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(&inside);
    for (int i = m_nFirstItem; i < GetFolderItemCount(folder); ++i) {
        CRect r;
        GetItemRect(folder, i, r);
        if (r.top > rect.bottom)
            break;
        DrawItem(dc, folder, r, i, false);
    }
    dc->RestoreDC(saved);
}

// --- Hover ------------------------------------------------------------------

void CVXOutBarCtrl::DrawFolderEdges(CDC& dc, int index, COLORREF outer, COLORREF inner)
{
    CRect r;
    if (!GetFolderRect(index, r))
        return;
    r.top += 1;
    HLine(dc, r.left, r.right, r.bottom - 1, outer);
    VLine(dc, r.right - 1, r.top, r.bottom, outer);
    HLine(dc, r.left + 1, r.right - 1, r.bottom - 2, inner);
    VLine(dc, r.right - 2, r.top + 1, r.bottom - 1, inner);
}

static bool FocusInChildOf(HWND bar)
{
    const HWND focus = ::GetFocus();
    return focus && ::IsChild(bar, focus);
}

void CVXOutBarCtrl::HighlightFolder(int index)
{
    if (!m_hWnd || FocusInChildOf(m_hWnd) || index == m_nHoverFolder)
        return;
    CClientDC dc(this);
    if (m_nHoverFolder >= 0)
        DrawFolderEdges(dc, m_nHoverFolder, m_crFolderEdge, m_crFace);
    m_nHoverFolder = index;
    if (index >= 0)
        DrawFolderEdges(dc, index, m_crDarkShadow, m_crFolderEdge);
}

void CVXOutBarCtrl::EraseHoverFrame(CDC& dc, int item)
{
    if (!IsValidItem(item))
        return;
    CRect frame;
    GetIconRect(m_nSelFolder, item, frame);
    frame.InflateRect(1, 1);
    dc.Draw3dRect(&frame, m_crBackground, m_crBackground);
}

void CVXOutBarCtrl::DrawHoverFrame(CDC& dc, int item, bool pressed)
{
    CRect frame;
    GetIconRect(m_nSelFolder, item, frame);
    frame.InflateRect(1, 1);
    if (pressed)
        dc.Draw3dRect(&frame, m_crDarkShadow, m_crFace);
    else
        dc.Draw3dRect(&frame, m_crFace, m_crDarkShadow);
}

void CVXOutBarCtrl::HighlightItem(int index, bool pressed)
{
    if (!m_hWnd || FocusInChildOf(m_hWnd) || (index == m_nHoverItem && pressed == g_lastHoverPressed))
        return;
    CClientDC dc(this);
    CRect inside;
    GetInsideRect(inside);
    dc.IntersectClipRect(&inside);
    if (m_nHoverItem >= 0)
        EraseHoverFrame(dc, m_nHoverItem);
    g_lastHoverPressed = pressed;
    m_nHoverItem = index;
    if (index < 0 || !IsValidItem(index))
        return;
    const bool selectedShowsItself = index == m_nSelItem && (m_nBlinkPeriod > 0 || (m_dwFlags & OBF_SELHIGHLIGHT));
    if (selectedShowsItself) {
        m_nHoverItem = -1;
        return;
    }
    DrawHoverFrame(dc, index, pressed);
}

// --- Drop marker ------------------------------------------------------------

void CVXOutBarCtrl::DrawDragArrow(CDC* dc, int, int to)
{
    if (to == m_nDropTarget)
        return;
    if (m_nDropTarget >= 0) {
        CRect old;
        GetDragItemRect(m_nDropTarget, old);
        const int top = old.top;
        const int kinds[3][2] = {{0, 5}, {-4, 5}, {-4, 1}};
        CRect area(old.left, top + kinds[m_nDropKind][0], old.right, top + kinds[m_nDropKind][1]);
        InvalidateRect(&area);
        UpdateWindow();
    }
    m_nDropTarget = to;
    if (to < 0)
        return;
    CRect r;
    m_nDropKind = GetDragItemRect(to, r);
    CPen* oldPen = dc->SelectObject(&m_blackPen);
    dc->MoveTo(r.left, r.top);
    dc->LineTo(r.right, r.top);
    const int widthsLeft[4] = {7, 5, 3, 1}, widthsRight[3] = {6, 4, 2};
    auto heads = [&](int direction) {
        for (int i = 0; i < 4; ++i) {
            const int y = r.top + direction * (i + 1);
            dc->MoveTo(r.left, y);
            dc->LineTo(r.left + widthsLeft[i], y);
        }
        for (int i = 0; i < 3; ++i) {
            const int y = r.top + direction * (i + 1);
            dc->MoveTo(r.right - 1 - widthsRight[i], y);
            dc->LineTo(r.right - 1, y);
        }
    };
    if (m_nDropKind != 2)
        heads(+1);
    if (m_nDropKind != 0)
        heads(-1);
    dc->SelectObject(oldPen);
}

// --- Selection blink --------------------------------------------------------

void CVXOutBarCtrl::BlinkStep()
{
    if (!IsValidItem(m_nSelItem))
        return;
    const POINT offsets[4] = {{-1, 1}, {0, 0}, {1, 1}, {0, 0}};
    if (m_nBlinkPhase >= 0 && m_nBlinkPhase < 4)
        DrawAnimItem(offsets[m_nBlinkPhase].x, offsets[m_nBlinkPhase].y, m_nSelItem);
    m_nBlinkPhase = m_nBlinkPhase >= 10 ? -1 : m_nBlinkPhase + 1;
}

void CVXOutBarCtrl::DrawAnimItem(int dx, int dy, int item)
{
    if (!m_hWnd || !IsValidItem(item) || GetFolderChild(m_nSelFolder))
        return;
    int first = 0, last = -1;
    GetVisibleRange(m_nSelFolder, first, last);
    CImageList* list = ViewImageList(m_nSelFolder);
    if (item < first || item > last || !list || !list->GetSafeHandle())
        return;
    CRect icon;
    GetIconRect(m_nSelFolder, item, icon);
    CClientDC dc(this);
    CRect area = icon;
    area.InflateRect(1, 1, 2, 2);
    dc.FillSolidRect(&area, m_crBackground);
    const int image = GetItemImage(item);
    if (image >= 0)
        list->Draw(&dc, image, CPoint(icon.left + dx, icon.top + dy), ILD_NORMAL);
}
