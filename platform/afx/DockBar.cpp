#include "mfc/DockBar.h"

#include "mfc/DC.h"
#include "mfc/DockContext.h"
#include "mfc/FrameWnd.h"
#include "mfc/GdiWrappers.h"
#include "mfc/MessageMap.h"

#include <algorithm>
#include <vector>

namespace {

typedef std::vector<std::vector<CControlBar*>> Rows;

Rows RowsOf(const CPtrArray& bars)
{
    Rows rows(1);
    for (INT_PTR i = 0; i < bars.GetSize(); ++i) {
        CControlBar* bar = (CControlBar*)bars[i];
        if (bar)
            rows.back().push_back(bar);
        else if (!rows.back().empty())
            rows.emplace_back();
    }
    if (rows.back().empty())
        rows.pop_back();
    return rows;
}

void StoreRows(const Rows& rows, CPtrArray& bars)
{
    bars.RemoveAll();
    for (const auto& row : rows) {
        if (row.empty())
            continue;
        for (CControlBar* bar : row)
            bars.Add(bar);
        bars.Add(nullptr);
    }
}

// The size a docked bar asks for, lying along the dock bar's length.
CSize DockedSize(CControlBar* bar, BOOL horz, BOOL floating)
{
    if (bar->GetBarStyle() & CBRS_SIZE_DYNAMIC) {
        DWORD mode = horz ? LM_HORZ : 0;
        mode |= floating ? LM_MRUWIDTH : (horz ? LM_HORZDOCK : LM_VERTDOCK);
        return bar->CalcDynamicLayout(-1, mode);
    }
    return bar->CalcFixedLayout(FALSE, horz);
}

}  // namespace

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar() = default;

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    if (m_bFloating)
        m_dwStyle |= CBRS_FLOATING;
    m_pDockSite = dynamic_cast<CFrameWnd*>(pParentWnd);
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD;
    return CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1)),
                        nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CDockBar::IsHorizontal() const
{
    return m_bFloating || (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
}

int CDockBar::GetDockedCount() const
{
    int count = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        count += m_arrBars[i] != nullptr;
    return count;
}

int CDockBar::GetDockedVisibleCount() const
{
    int count = 0;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* bar = (CControlBar*)m_arrBars[i];
        count += bar && bar->IsVisible();
    }
    return count;
}

BOOL CDockBar::FindBar(CControlBar* pBar, int* pRow, int* pColumn) const
{
    Rows rows = RowsOf(m_arrBars);
    for (size_t r = 0; r < rows.size(); ++r) {
        auto at = std::find(rows[r].begin(), rows[r].end(), pBar);
        if (at != rows[r].end()) {
            if (pRow)
                *pRow = (int)r;
            if (pColumn)
                *pColumn = (int)(at - rows[r].begin());
            return TRUE;
        }
    }
    return FALSE;
}

// The row is the one the rectangle's middle falls in across the dock bar;
// inside it the bars keep the order of their leading edges.
void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    RemoveControlBar(pBar);
    Rows rows = RowsOf(m_arrBars);
    BOOL horz = IsHorizontal();
    size_t row = rows.size();
    size_t column = 0;
    bool newRow = true;
    if (lpRect && !rows.empty()) {
        CRect wanted(lpRect);
        ScreenToClient(&wanted);
        int across = horz ? wanted.CenterPoint().y : wanted.CenterPoint().x;
        int along = horz ? wanted.left : wanted.top;
        for (size_t r = 0; r < rows.size(); ++r) {
            int lo = 32767, hi = -32767;
            for (CControlBar* bar : rows[r]) {
                CRect placed;
                bar->GetWindowRect(&placed);
                ScreenToClient(&placed);
                lo = std::min<int>(lo, horz ? placed.top : placed.left);
                hi = std::max<int>(hi, horz ? placed.bottom : placed.right);
            }
            if (across < lo && r == 0) {
                row = 0;
                break;
            }
            if (across >= lo && across < hi) {
                row = r;
                newRow = false;
                for (CControlBar* bar : rows[r]) {
                    CRect placed;
                    bar->GetWindowRect(&placed);
                    ScreenToClient(&placed);
                    if ((horz ? placed.left : placed.top) < along)
                        ++column;
                }
                break;
            }
        }
    }
    if (newRow)
        rows.insert(rows.begin() + row, std::vector<CControlBar*>());
    rows[row].insert(rows[row].begin() + std::min(column, rows[row].size()), pBar);
    StoreRows(rows, m_arrBars);
    pBar->m_pDockBar = this;
}

void CDockBar::DockControlBarAt(CControlBar* pBar, int nRow, int nColumn)
{
    RemoveControlBar(pBar);
    Rows rows = RowsOf(m_arrBars);
    size_t row = (size_t)std::max(0, nRow);
    if (row >= rows.size()) {
        rows.emplace_back();
        row = rows.size() - 1;
    }
    size_t column = std::min((size_t)std::max(0, nColumn), rows[row].size());
    rows[row].insert(rows[row].begin() + column, pBar);
    StoreRows(rows, m_arrBars);
    pBar->m_pDockBar = this;
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar)
{
    Rows rows = RowsOf(m_arrBars);
    bool found = false;
    for (auto& row : rows) {
        auto at = std::find(row.begin(), row.end(), pBar);
        if (at != row.end()) {
            row.erase(at);
            found = true;
        }
    }
    StoreRows(rows, m_arrBars);
    if (found && pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;
    return found;
}

CSize CDockBar::LayoutBars(const CRect& rect, BOOL bMove)
{
    BOOL horz = IsHorizontal();
    int length = horz ? rect.Width() : rect.Height();
    int across = 0;
    int longest = 0;
    for (const auto& row : RowsOf(m_arrBars)) {
        int along = 0, thickness = 0;
        for (CControlBar* bar : row) {
            if (!bar->IsVisible())
                continue;
            CSize size = DockedSize(bar, horz, m_bFloating);
            int barLength = horz ? size.cx : size.cy;
            int barThickness = horz ? size.cy : size.cx;
            if (length > 0)
                barLength = std::max(0, std::min(barLength, length - along));
            if (bMove) {
                CRect placed = horz ? CRect(along, across, along + barLength, across + barThickness)
                                    : CRect(across, along, across + barThickness, along + barLength);
                placed.OffsetRect(rect.left, rect.top);
                CRect now;
                bar->GetWindowRect(&now);
                ScreenToClient(&now);
                if (now != placed)
                    bar->SetWindowPos(nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                                      SWP_NOZORDER | SWP_NOACTIVATE);
            }
            along += barLength;
            thickness = std::max(thickness, barThickness);
        }
        longest = std::max(longest, along);
        across += thickness;
    }
    return horz ? CSize(longest, across) : CSize(across, longest);
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = LayoutBars(CRect(0, 0, 0, 0), FALSE);
    if (bStretch) {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

// Across the frame the dock bar is as thick as its rows; along it, it takes the whole side.
CSize CDockBar::SizeInParent(const CRect& available, BOOL, BOOL bMove)
{
    BOOL horz = IsHorizontal();
    CRect room = horz ? CRect(0, 0, available.Width(), 0) : CRect(0, 0, 0, available.Height());
    CSize used = LayoutBars(room, bMove);
    if (horz)
        return CSize(available.Width(), std::min<int>(used.cy, available.Height()));
    return CSize(std::min<int>(used.cx, available.Width()), available.Height());
}

void CDockBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if (!m_bFloating)
        return;
    // A floating bar alone fills its frame, however the user sized it.
    if (GetDockedVisibleCount() == 1) {
        for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
            CControlBar* bar = (CControlBar*)m_arrBars[i];
            if (bar && bar->IsVisible())
                bar->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return;
    }
    LayoutBars(CRect(0, 0, cx, cy), TRUE);
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CDockBar::DoPaint(CDC*) {}
