// The thumbnail view: geometry, painting, selection by mouse, keys and band, and the loader.
#include "browser/MivoImgBrowserView.h"

#include "album/DlgConsoleBrowse.h"
#include "album/ThumbnailCache.h"
#include "browser/BrowserShell.h"
#include "browser/DlgImgBrowser.h"
#include "browser/ImgBrowserTracker.h"
#include "browser/ThumbCellPainter.h"
#include "framework/VXUtil.h"
#include "image/ImageMessages.h"
#include "image/ImageObject.h"
#include "mivo/Trace.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"

#include "resource.h"

#include <algorithm>
#include <mutex>

namespace {

const int kHandCursor = 128;
// Fits of 250 per mille and more are small pictures: decoding them again is cheap.
const int kCacheBelowRatio = 250;

}  // namespace

IMPLEMENT_DYNCREATE(CMivoImgBrowserView, CScrollView)

CMivoImgBrowserView::CMivoImgBrowserView()
    : m_bActivateOnClick(TRUE),
      m_pBrowser(nullptr),
      m_nStopThumbs(0),
      m_nAnchor(-1),
      m_nLast(-1),
      m_bDragArmed(FALSE),
      m_nSelCount(0),
      m_nFocus(-1),
      m_bOverThumb(FALSE),
      m_clrBack(0),
      m_clrSelFill(RGB(117, 158, 221)),
      m_clrCellBorder(RGB(160, 160, 160)),
      m_clrNameText(RGB(0, 0, 192)),
      m_clrCaptionText(RGB(96, 96, 96)),
      m_clrDateText(RGB(0, 128, 0)),
      m_clrIndexText(RGB(0, 0, 192)),
      m_nEditNext(0),
      m_ptTrackStart{0, 0},
      m_ptTrackCur{0, 0},
      m_nClickedItem(-1)
{
}

CMivoImgBrowserView::~CMivoImgBrowserView()
{
    StopThumbnailThread();
    m_editLoader.Join();
    FreeEditImages();
}

void CMivoImgBrowserView::FreeEditImages()
{
    for (int i = 0; i < m_arrEditImages.GetSize(); i++)
        delete static_cast<CImageObject*>(m_arrEditImages[i]);
    m_arrEditImages.RemoveAll();
    m_arrEditPaths.RemoveAll();
}

BOOL CMivoImgBrowserView::HasItems() const
{
    return m_pBrowser && m_pBrowser->m_nItemCount > 0;
}

// --- Set-up, size and scrolling -----------------------------------------------------------

void CMivoImgBrowserView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(100, 100));
    BuildIcons();
    UpdateStatusText();
}

void CMivoImgBrowserView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    pDC->SetMapMode(MM_TEXT);
    CScrollView::OnPrepareDC(pDC, pInfo);
}

namespace {

// Replaces colours in a 24- or 32-bit DIB section, pixel by pixel.
template <class Map>
void Recolour(HBITMAP handle, Map map)
{
    DIBSECTION dib = {};
    if (::GetObject(handle, sizeof(dib), &dib) != sizeof(dib) || !dib.dsBm.bmBits)
        return;
    const int step = dib.dsBm.bmBitsPixel / 8;
    if (step != 3 && step != 4)
        return;
    auto* bits = static_cast<BYTE*>(dib.dsBm.bmBits);
    for (int y = 0; y < dib.dsBm.bmHeight; y++) {
        BYTE* px = bits + (size_t)y * dib.dsBm.bmWidthBytes;
        for (int x = 0; x < dib.dsBm.bmWidth; x++, px += step) {
            COLORREF c = map(RGB(px[2], px[1], px[0]));
            px[0] = GetBValue(c);
            px[1] = GetGValue(c);
            px[2] = GetRValue(c);
        }
    }
}

}  // namespace

// The folder bitmap with white turned into the background, and with `selected` the background
// then turned into the selection fill.
CImageObject* CMivoImgBrowserView::RecolouredIcon(UINT bitmapId, BOOL selected)
{
    LPCSTR name = MAKEINTRESOURCE(bitmapId);
    HBITMAP handle = (HBITMAP)::LoadImage(AfxFindResourceHandle(name, RT_BITMAP), name, IMAGE_BITMAP, 0, 0,
                                          LR_CREATEDIBSECTION | LR_DEFAULTSIZE);
    if (!handle)
        return nullptr;
    const COLORREF white = RGB(255, 255, 255), back = m_clrBack, fill = m_clrSelFill;
    Recolour(handle, [&](COLORREF c) {
        if (c == white)
            c = back;
        if (selected && c == back)
            c = fill;
        return c;
    });
    CBitmap bitmap;
    bitmap.Attach(handle);
    CImageObject maker;
    CImageObject* icon = maker.DDBToImgObj(bitmap, BI_RGB, nullptr);
    bitmap.DeleteObject();
    return icon;
}

void CMivoImgBrowserView::BuildIcons()
{
    m_pFolderIcon.reset(RecolouredIcon(IDB_BROWSER_FOLDER, FALSE));
    m_pFolderIconSel.reset(RecolouredIcon(IDB_BROWSER_FOLDER, TRUE));
    m_pParentIcon.reset(RecolouredIcon(IDB_BROWSER_PARENT, FALSE));
    m_pParentIconSel.reset(RecolouredIcon(IDB_BROWSER_PARENT, TRUE));
}

void CMivoImgBrowserView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (browser_shell::IsClosing() || cx == 0 || cy == 0)
        return;
    GetClientRect(&m_rcClient);
    m_grid.m_nCellSize = CThumbGrid::CELL;
    m_grid.m_nCols = CThumbGrid::ColumnsFor(cx);
    RecalcScrollSizes();
    UpdateWindow();
}

void CMivoImgBrowserView::RecalcScrollSizes()
{
    GetClientRect(&m_rcClient);
    int count = m_pBrowser ? m_pBrowser->m_nItemCount : 0;
    CSize total(std::max(0, m_rcClient.Width() - 18), std::max(0, m_grid.ContentHeight(count)));
    CSize page(m_rcClient.Width() / 2, m_rcClient.Height() / 2);
    CSize line(m_rcClient.Width() / 6, m_rcClient.Height() / 6);
    SetScrollSizes(MM_TEXT, total, page, line);
    Invalidate(TRUE);
}

BOOL CMivoImgBrowserView::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

int CMivoImgBrowserView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (!m_bActivateOnClick)
        return MA_ACTIVATE;
    int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    CFrameWnd* frame = GetParentFrame();
    if (frame) {
        if (frame->GetActiveView() == this) {
            CWnd* focus = GetFocus();
            if (focus != this && !IsChild(focus))
                OnActivateView(TRUE, this, this);
        } else {
            frame->SetActiveView(this);
        }
    }
    return result;
}

void CMivoImgBrowserView::OnDestroy()
{
    // The loaders read the browser's list and report here: they end first.
    StopThumbnailThread();
    m_editLoader.Join();
    CScrollView::OnDestroy();
    if (m_bActivateOnClick) {
        CFrameWnd* frame = GetParentFrame();
        if (frame && frame->GetActiveView() == this)
            frame->SetActiveView(nullptr);
    }
}

LRESULT CMivoImgBrowserView::OnImageProgress(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        browser_shell::SetProgress((int)wParam);
    return 0;
}

// --- Geometry ------------------------------------------------------------------------------

int CMivoImgBrowserView::HitTest(CPoint point)
{
    return m_pBrowser ? m_grid.HitTest(point, ScrollPos(), m_pBrowser->m_nItemCount) : -1;
}

CRect CMivoImgBrowserView::GetItemRect(int item)
{
    return m_grid.ItemRect(item, ScrollPos());
}

CRect CMivoImgBrowserView::GetThumbRect(int item)
{
    if (!m_pBrowser || !m_pBrowser->IsItem(item))
        return CRect(0, 0, 0, 0);
    std::lock_guard<std::mutex> hold(m_pBrowser->ItemLock());
    auto* image = static_cast<CImageObject*>(m_pBrowser->m_arrThumb[item]);
    if (!image)
        return CRect(0, 0, 0, 0);
    CPoint at = m_grid.PicturePos(item, image->GetWidth(), image->GetHeight(), ScrollPos());
    return CRect(at, CSize(image->GetWidth(), image->GetHeight()));
}

void CMivoImgBrowserView::InvalidateFrame(int item, BOOL erase)
{
    CRgn frame, picture;
    CRect cell = GetItemRect(item);
    frame.CreateRectRgnIndirect(&cell);
    CRect thumb = GetThumbRect(item);
    if (!thumb.IsRectEmpty()) {
        picture.CreateRectRgnIndirect(&thumb);
        frame.CombineRgn(&frame, &picture, RGN_DIFF);
    }
    InvalidateRgn(&frame, erase);
}

// --- Painting ------------------------------------------------------------------------------

void CMivoImgBrowserView::OnDraw(CDC* pDC)
{
    CRect clip;
    int kind = pDC->GetClipBox(&clip);
    if (kind == ERROR || kind == NULLREGION || clip.IsRectEmpty())
        return;
    GetClientRect(&m_rcClient);
    if (m_rcClient.IsRectEmpty())
        return;
    const int count = m_pBrowser ? m_pBrowser->m_nItemCount : 0;
    const int cell = m_grid.m_nCellSize, cols = m_grid.m_nCols;
    int height = count > 0 ? std::max(m_grid.ContentHeight(count), m_rcClient.Height())
                           : (31 / cols + 1) * cell;
    CRect area(0, 0, cols * cell, height);
    CRect meet;
    if (!meet.IntersectRect(&area, &clip))
        return;

    CPoint scroll = ScrollPos();
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    memory.SetMapMode(MM_TEXT);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pDC, m_rcClient.Width(), m_rcClient.Height());
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, m_rcClient.Width(), m_rcClient.Height(), m_clrBack);
    {
        CThumbCellPainter::Colours colours;
        colours.back = m_clrBack;
        colours.selFill = m_clrSelFill;
        colours.cellBorder = m_clrCellBorder;
        colours.nameText = m_clrNameText;
        colours.captionText = m_clrCaptionText;
        colours.dateText = m_clrDateText;
        colours.indexText = m_clrIndexText;
        CThumbCellPainter painter(&memory, cell, colours);
        m_grid.m_nMargin = CThumbGrid::MARGIN;
        if (count == 0) {
            for (int i = 0; i < CThumbGrid::PLACEHOLDERS; i++) {
                CRect r = m_grid.CellRect(i);
                r.OffsetRect(-scroll.x, -scroll.y);
                painter.DrawPlaceholder(r);
            }
        } else {
            std::lock_guard<std::mutex> hold(m_pBrowser->ItemLock());
            CDlgImgBrowser& b = *m_pBrowser;
            for (int i = 0; i < count; i++) {
                CRect r = m_grid.CellRect(i);
                CRect seen;
                if (!seen.IntersectRect(&r, &clip))
                    continue;
                r.OffsetRect(-scroll.x, -scroll.y);
                CThumbCellPainter::Cell c;
                c.rect = r;
                c.cellSize = cell;
                c.index = i;
                c.selected = b.m_arrSelected[i] == 1;
                c.folder = b.m_arrIsFolder[i] != 0;
                c.parentEntry = c.folder && b.m_arrName[i] == "..";
                c.name = b.m_arrName[i];
                c.caption = b.m_arrLabel[i];
                c.date = b.m_arrDate[i];
                if (c.folder) {
                    CImageObject* icon = c.parentEntry ? (c.selected ? m_pParentIconSel : m_pParentIcon).get()
                                                       : (c.selected ? m_pFolderIconSel : m_pFolderIcon).get();
                    c.picture = icon;
                } else if (b.m_arrThumbDone[i]) {
                    c.picture = static_cast<CImageObject*>(b.m_arrThumb[i]);
                }
                painter.DrawCell(c);
            }
        }
    }
    pDC->BitBlt(scroll.x, scroll.y, m_rcClient.Width(), m_rcClient.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
}

// --- Status --------------------------------------------------------------------------------

CString CMivoImgBrowserView::CountText() const
{
    CString text;
    text.Format("전체 %d , %d 이미지 선택", m_pBrowser ? m_pBrowser->m_nItemCount : 0, m_nSelCount);
    return text;
}

CString CMivoImgBrowserView::SizeText() const
{
    unsigned long long sum = 0;
    for (int i : Selection())
        sum += m_pBrowser->m_arrSizeKB[i];
    char number[64];
    FormatNumberComma(number, (int)std::min<unsigned long long>(sum, 0x7FFFFFFF));
    CString text;
    text.Format("선택된 이미지 크기 %s (KB)", number);
    return text;
}

std::vector<int> CMivoImgBrowserView::Selection() const
{
    std::vector<int> items;
    if (!m_pBrowser)
        return items;
    for (int i = 0; i < m_pBrowser->m_nItemCount; i++)
        if (m_pBrowser->m_arrSelected[i] && !m_pBrowser->m_arrIsFolder[i])
            items.push_back(i);
    return items;
}

void CMivoImgBrowserView::UpdateStatusText()
{
    m_nSelCount = (int)Selection().size();
    browser_shell::SetStatusText(2, CountText());
    browser_shell::SetStatusText(3, "");
    browser_shell::SetStatusText(4, SizeText());
}

// --- Selection -----------------------------------------------------------------------------

void CMivoImgBrowserView::EnsureItemVisible(int item, BOOL toggle)
{
    if (!m_pBrowser || !m_pBrowser->IsItem(item))
        return;
    CDlgImgBrowser& b = *m_pBrowser;
    if (toggle) {
        b.m_arrSelected[item] = (!b.m_arrSelected[item] && !b.m_arrIsFolder[item]) ? 1 : 0;
        InvalidateFrame(item, FALSE);
    }
    CRect box = GetItemRect(item);
    GetClientRect(&m_rcClient);
    CPoint scroll = ScrollPos();
    int cols = m_grid.m_nCols, cell = m_grid.m_nCellSize;
    if (box.top < 0) {
        ScrollToPosition(CPoint(scroll.x, (item / cols) * cell));
        Invalidate(FALSE);
    } else if (box.bottom - 2 > m_rcClient.Height()) {
        ScrollToPosition(CPoint(scroll.x, (item / cols + 1) * cell - m_rcClient.Height()));
        Invalidate(FALSE);
    }
}

void CMivoImgBrowserView::SelectItem(int item, BOOL clearOthers, BOOL showInPanes)
{
    if (!m_pBrowser)
        return;
    CDlgImgBrowser& b = *m_pBrowser;
    if (clearOthers) {
        for (int i = 0; i < b.m_nItemCount; i++) {
            if (!b.m_arrSelected[i])
                continue;
            b.m_arrSelected[i] = 0;
            InvalidateFrame(i, TRUE);
        }
    }
    if (b.IsItem(item)) {
        EnsureItemVisible(item, TRUE);
        BOOL hasImage;
        {
            std::lock_guard<std::mutex> hold(b.ItemLock());
            hasImage = b.m_arrThumb[item] != nullptr;
        }
        if (showInPanes && hasImage)
            CMainFrame::OpenImageInPane(b.m_arrPath[item], b.m_nMode, (int)b.m_arrAlbumID[item],
                                        (int)b.m_arrSeq[item]);
    }
    UpdateStatusText();
}

void CMivoImgBrowserView::SelectRange(int a, int b)
{
    if (!m_pBrowser || m_pBrowser->m_nItemCount == 0)
        return;
    int last = m_pBrowser->m_nItemCount - 1;
    int low = std::max(0, std::min(a, b)), high = std::min(last, std::max(a, b));
    if (high < low) {
        SelectItem(-1, TRUE, FALSE);
        return;
    }
    // The first step clears the old selection, so every toggle after it selects (folders never).
    for (int k = low; k <= high; k++)
        SelectItem(k, k == low, FALSE);
}

// --- Mouse ---------------------------------------------------------------------------------

void CMivoImgBrowserView::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_pBrowser)
        return;
    browser_shell::ShowFolderGroup(m_pBrowser->m_nMode == CDlgImgBrowser::MODE_FOLDER ? kFolderBrowse
                                                                                      : kFolderAlbum);
    SetFocus();
    int hit = HitTest(point);
    BOOL shift = (nFlags & MK_SHIFT) != 0, ctrl = (nFlags & MK_CONTROL) != 0;
    if (hit >= 0 && m_pBrowser->m_arrSelected[hit]) {
        if (shift)
            SelectRange(m_nAnchor, hit);
        else if (ctrl)
            SelectItem(hit, FALSE, FALSE);
        m_bDragArmed = TRUE;
        m_nFocus = hit;
        CScrollView::OnLButtonDown(nFlags, point);
        return;
    }
    if (hit >= 0) {
        if (shift) {
            SelectRange(m_nAnchor, hit);
        } else {
            if (!ctrl)
                m_nAnchor = m_nLast = hit;
            SelectItem(hit, !ctrl, !ctrl);
        }
        m_nFocus = hit;
    } else {
        if (!shift && !ctrl)
            SelectItem(-1, TRUE, FALSE);
        m_nFocus = -1;
    }
    TrackSelection(point);
}

void CMivoImgBrowserView::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bDragArmed = FALSE;
    if (!m_pBrowser)
        return;
    int hit = HitTest(point);
    if (hit >= 0) {
        if (m_pBrowser->m_arrSelected[hit] && !(nFlags & (MK_SHIFT | MK_CONTROL))) {
            m_nAnchor = m_nLast = hit;
            SelectItem(hit, TRUE, FALSE);
        }
        m_bDragArmed = TRUE;
    } else {
        SelectItem(-1, TRUE, FALSE);
    }
    CScrollView::OnLButtonUp(nFlags, point);
}

void CMivoImgBrowserView::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_pBrowser)
        return;
    browser_shell::ShowFolderGroup(m_pBrowser->m_nMode == CDlgImgBrowser::MODE_FOLDER ? kFolderBrowse
                                                                                      : kFolderAlbum);
    SetFocus();
    int hit = HitTest(point);
    if (hit >= 0 && !m_pBrowser->m_arrSelected[hit]) {
        if (nFlags & MK_SHIFT) {
            SelectRange(m_nAnchor, hit);
        } else if (!(nFlags & MK_CONTROL)) {
            m_nAnchor = m_nLast = hit;
            SelectItem(hit, TRUE, FALSE);
        }
    } else if (hit < 0) {
        SelectItem(-1, TRUE, FALSE);
    }
    m_nFocus = hit;
    ShowContextMenu(hit);
    CScrollView::OnRButtonDown(nFlags, point);
}

void CMivoImgBrowserView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CScrollView::OnLButtonDblClk(nFlags, point);
    // The anchor may be stale or none at all: only an item of the list is opened.
    if (!m_pBrowser || !m_pBrowser->IsItem(m_nAnchor))
        return;
    CDlgImgBrowser& b = *m_pBrowser;
    if (!b.m_arrIsFolder[m_nAnchor]) {
        OpenSlideShow(m_nAnchor, FALSE);
        return;
    }
    CString path = b.m_arrPath[m_nAnchor];
    if (b.IsParentEntry(m_nAnchor)) {
        path = path.Left(path.GetLength() - 3);
        int cut = path.ReverseFind('\\');
        path = path.Left(cut + 1);
    }
    if (b.BrowsePane())
        b.BrowsePane()->m_wndTree.SetPathByStr(path);
}

void CMivoImgBrowserView::TrackSelection(CPoint point)
{
    CPoint scroll = ScrollPos();
    m_ptTrackStart = CPoint(point.x, scroll.y + point.y);
    m_ptTrackCur = m_ptTrackStart;
    m_rcTrackUnion = CRect(m_ptTrackStart, m_ptTrackStart);
    CImgBrowserTracker tracker;
    tracker.m_pOwner = this;
    tracker.TrackRubberBand(this, point, TRUE);
    Invalidate(TRUE);
}

void CMivoImgBrowserView::SelectInTrackRect(const CRect* rect)
{
    if (!m_pBrowser || !rect)
        return;
    CDlgImgBrowser& b = *m_pBrowser;
    const int cell = m_grid.m_nCellSize, cols = m_grid.m_nCols;
    GetClientRect(&m_rcClient);
    CPoint scroll = ScrollPos();
    if (rect->bottom < 0 && scroll.y >= 1) {
        ScrollToPosition(CPoint(scroll.x, scroll.y - std::min((int)scroll.y, cell)));
        Invalidate(FALSE);
    } else if (rect->bottom > m_rcClient.bottom) {
        int content = m_grid.ContentHeight(b.m_nItemCount);
        int rest = content - (scroll.y + m_rcClient.Height());
        if (rest > 0) {
            ScrollToPosition(CPoint(scroll.x, scroll.y + std::min(rest, cell)));
            Invalidate(FALSE);
        }
    }
    scroll = ScrollPos();
    m_ptTrackCur = CPoint(rect->right, scroll.y + rect->bottom);
    CRect band(m_ptTrackStart, m_ptTrackCur);
    band.NormalizeRect();
    m_rcTrackUnion.UnionRect(&m_rcTrackUnion, &band);

    // Columns and rows of a band outside the cells are those of the nearest cells.
    auto column = [&](int x) { return std::clamp(m_grid.ColumnAt(x), 0, cols - 1); };
    auto row = [&](int y) { return std::max(0, m_grid.RowAt(y)); };
    int c0 = column(band.left), c1 = column(band.right), r0 = row(band.top), r1 = row(band.bottom);
    if (c0 == c1 && r0 == r1)
        return;
    int u0 = column(m_rcTrackUnion.left), u1 = column(m_rcTrackUnion.right);
    int v0 = row(m_rcTrackUnion.top), v1 = row(m_rcTrackUnion.bottom);
    for (int i = 0; i < b.m_nItemCount; i++) {
        int r = i / cols, c = i % cols;
        bool inside = r >= r0 && r <= r1 && c >= c0 && c <= c1;
        bool inUnion = r >= v0 && r <= v1 && c >= u0 && c <= u1;
        if (inside && !b.m_arrSelected[i] && !b.m_arrIsFolder[i]) {
            b.m_arrSelected[i] = 1;
        } else if (!inside && inUnion && b.m_arrSelected[i]) {
            b.m_arrSelected[i] = 0;
        } else {
            continue;
        }
        CRect box = GetItemRect(i);
        InvalidateRect(&box, FALSE);
    }
    UpdateStatusText();
    CRect shown(rect->left + 1, rect->top + 1, rect->right, rect->bottom);
    shown.NormalizeRect();
    InvalidateRect(&shown, TRUE);
    UpdateWindow();
}

void CMivoImgBrowserView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!HasItems()) {
        CScrollView::OnMouseMove(nFlags, point);
        return;
    }
    if (m_bDragArmed && m_pBrowser->IsItem(m_nFocus)) {
        if (nFlags & MK_LBUTTON)
            StartDrag();
        return;
    }
    int hit = HitTest(point);
    if (hit < 0) {
        CScrollView::OnMouseMove(nFlags, point);
        return;
    }
    std::lock_guard<std::mutex> hold(m_pBrowser->ItemLock());
    auto* image = static_cast<CImageObject*>(m_pBrowser->m_arrThumb[hit]);
    if (image)
        m_bOverThumb = m_grid.PictureHitRect(hit, image->GetWidth(), image->GetHeight(), ScrollPos()).PtInRect(point);
}

BOOL CMivoImgBrowserView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bOverThumb) {
        LPCSTR name = MAKEINTRESOURCE(kHandCursor);
        if (HCURSOR cursor = ::LoadCursor(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name)) {
            ::SetCursor(cursor);
            return TRUE;
        }
    }
    return CScrollView::OnSetCursor(pWnd, nHitTest, message);
}

// --- Keys ----------------------------------------------------------------------------------

void CMivoImgBrowserView::MoveByKey(UINT key, BOOL shift)
{
    const int count = m_pBrowser->m_nItemCount;
    if (count == 0)
        return;
    GetClientRect(&m_rcClient);
    const int cols = m_grid.m_nCols;
    const int page = (m_rcClient.Height() / m_grid.m_nCellSize) * cols;
    int pos = shift ? m_nLast : m_nAnchor;
    switch (key) {
    case VK_LEFT: pos -= 1; break;
    case VK_RIGHT: pos += 1; break;
    case VK_UP: pos -= cols; break;
    case VK_DOWN: pos += cols; break;
    case VK_HOME: pos = 0; break;
    case VK_END: pos = count - 1; break;
    case VK_PRIOR: pos -= page; break;
    case VK_NEXT: pos += page; break;
    }
    pos = std::clamp(pos, 0, count - 1);
    if (shift) {
        m_nLast = pos;
        if (m_nAnchor < 0)
            m_nAnchor = 0;
        SelectRange(m_nAnchor, m_nLast);
    } else {
        m_nAnchor = m_nLast = pos;
        SelectItem(m_nAnchor, TRUE, TRUE);
    }
    m_nFocus = pos;
}

BOOL CMivoImgBrowserView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && m_pBrowser) {
        UINT key = (UINT)pMsg->wParam;
        BOOL shift = ::GetKeyState(VK_SHIFT) < 0, ctrl = ::GetKeyState(VK_CONTROL) < 0;
        switch (key) {
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
            MoveByKey(key, shift);
            return TRUE;
        case VK_RETURN:
            m_pBrowser->ShowDetail();
            return TRUE;
        }
        if (ctrl) {
            switch (key) {
            case 'C': Copy(); return TRUE;
            case 'X': Cut(); return TRUE;
            case 'V': Paste(); return TRUE;
            case 'A': OnSelectAll(); return TRUE;
            }
        }
    }
    return CScrollView::PreTranslateMessage(pMsg);
}

// --- The loader ----------------------------------------------------------------------------

void CMivoImgBrowserView::StartThumbnailThread()
{
    if (!m_pBrowser)
        return;
    StopThumbnailThread();
    RecalcScrollSizes();
    UpdateStatusText();
    m_nAnchor = -1;
    theApp.m_bThumbStop = 0;
    theApp.m_bThumbThreadDone = 0;
    Invalidate(FALSE);
    ::InterlockedExchange(&m_nStopThumbs, 0);
    // Ticked folders list new items at the end: show where they arrive.
    CStringArray* checked = m_pBrowser->CheckedFolders();
    EnsureItemVisible(checked && checked->GetSize() > 0 ? m_pBrowser->m_nItemCount - 1 : 0, FALSE);
    if (!m_loader.Start(ThumbnailLoadThread, this))
        theApp.m_bThumbThreadDone = 1;
}

void CMivoImgBrowserView::StopThumbnailThread()
{
    if (!m_loader.IsStarted())
        return;
    ::InterlockedExchange(&m_nStopThumbs, 1);
    theApp.m_bThumbStop = 1;
    m_loader.Join();
    theApp.m_bThumbThreadDone = 1;
}

UINT CMivoImgBrowserView::ThumbnailLoadThread(LPVOID param)
{
    auto* view = static_cast<CMivoImgBrowserView*>(param);
    CDlgImgBrowser* browser = view->m_pBrowser;
    {
        CThumbnailCache cache;
        CString scratch;
        scratch.Format("%sTemp\\MivoThumb.jpg", (LPCSTR)browser_shell::DataFolder());
        for (int i = 0; i < browser->m_nItemCount && !theApp.m_bThumbStop && !theApp.m_bClosing; i++)
            view->LoadThumbnailOf(i, cache, scratch);
    }
    theApp.m_bThumbThreadDone = 1;
    return 0;
}

void CMivoImgBrowserView::LoadThumbnailOf(int i, CThumbnailCache& cache, const CString& scratch)
{
    CDlgImgBrowser& b = *m_pBrowser;
    if (b.m_arrIsFolder[i] || b.m_arrThumbDone[i])
        return;
    CString path = b.m_arrPath[i];
    auto* image = new (std::nothrow) CImageObject(nullptr, (int*)&m_nStopThumbs);
    if (!image)
        return;
    {
        std::lock_guard<std::mutex> hold(b.ItemLock());
        delete static_cast<CImageObject*>(b.m_arrThumb[i]);
        b.m_arrThumb[i] = image;
    }
    CSize size(0, 0);
    int ratio = image->GetThumbRatioFromFile(path, CSize(CThumbGrid::THUMB_WIDTH, CThumbGrid::THUMB_HEIGHT), &size,
                                             TRUE);
    if (ratio == 0) {
        std::lock_guard<std::mutex> hold(b.ItemLock());
        delete image;
        b.m_arrThumb[i] = nullptr;
        return;
    }
    char kb[64];
    FormatNumberComma(kb, (int)b.m_arrSizeKB[i]);
    CString caption;
    caption.Format("%d X %d (%sKB)", (int)size.cx, (int)size.cy, kb);
    {
        std::lock_guard<std::mutex> hold(b.ItemLock());
        b.m_arrWidth[i] = (UINT)size.cx;
        b.m_arrHeight[i] = (UINT)size.cy;
        b.m_arrLabel[i] = caption;
    }
    CThumbnailCacheHold cached = cache.LoadCachedThumbnail(path, b.m_arrDate[i]);
    if (cached) {
        image->LoadImageFromFile(cached.GetPath(), TRUE);
        cached.Release();
    } else {
        CSize full(0, 0);
        int result = image->LoadThumbnail(path, scratch, CSize(CThumbGrid::THUMB_WIDTH, CThumbGrid::THUMB_HEIGHT),
                                          &full, TRUE);
        if (result == 0)
            return;
        if (result == 1 && ratio < kCacheBelowRatio)
            cache.StoreThumbnail(path, image);
    }
    {
        std::lock_guard<std::mutex> hold(b.ItemLock());
        b.m_arrThumbDone[i] = 1;
    }
    CRect box = GetItemRect(i);
    ::InvalidateRect(m_hWnd, &box, FALSE);
}
