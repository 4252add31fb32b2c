// The frame's control bars: dock bars on its edges, floating frames, and
// their layout kept in the registry store.
#include "mfc/FrameWnd.h"

#include "afx/DockingMessages.h"
#include "afxres.h"
#include "mfc/DockBar.h"
#include "mfc/DockContext.h"
#include "mfc/MiniDockFrameWnd.h"
#include "mfc/WinApp.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

struct DockSide {
    DWORD align;
    UINT id;
};
// Top and bottom first, so that they span the frame's whole width.
const DockSide kDockSides[] = {
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT},
};

// The side a dock bar of the frame stands for; 0 for any other id.
DWORD SideOfDockBar(UINT id)
{
    for (const DockSide& side : kDockSides)
        if (side.id == id)
            return side.align;
    return 0;
}

// Only a bar whose docking was enabled may float.
bool MayFloat(const CControlBar* bar)
{
    return bar->m_pDockContext && (bar->m_dwDockStyle & CBRS_ALIGN_ANY);
}

CFrameWnd* FloatingFrameOf(CControlBar* bar)
{
    if (!bar->IsFloating())
        return nullptr;
    return dynamic_cast<CFrameWnd*>(bar->m_pDockBar->GetParent());
}

}  // namespace

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar && !m_listControlBars.Find(pBar))
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    if (POSITION pos = m_listControlBars.Find(pBar))
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        CControlBar* bar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (bar->m_hWnd && (UINT)bar->GetDlgCtrlID() == nID)
            return bar;
    }
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (const DockSide& side : kDockSides) {
        if (!(dwDockStyle & side.align) || GetControlBar(side.id))
            continue;
        CDockBar* dock = new CDockBar;
        dock->m_bAutoDelete = TRUE;
        if (!dock->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | side.align, side.id)) {
            delete dock;
            continue;
        }
        AddControlBar(dock);
    }
    if (!m_pFloatingFrameClass)
        m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
}

void CFrameWnd::DelayRecalcLayout(BOOL)
{
    m_bLayoutPending = TRUE;
}

// The bar leaves its dock bar; a floating frame left empty goes.
void CFrameWnd::DetachBar(CControlBar* pBar)
{
    CDockBar* old = pBar->m_pDockBar;
    if (!old)
        return;
    old->RemoveControlBar(pBar);
    if (!old->m_bFloating)
        return;
    CWnd* frame = old->GetParent();
    if (old->GetDockedCount() == 0)
        frame->PostMessage(mivo::afx::kFloatingFrameEmptied);
    else if (CFrameWnd* floating = dynamic_cast<CFrameWnd*>(frame))
        floating->RecalcLayout();
}

void CFrameWnd::MoveBarInto(CControlBar* pBar, CDockBar* pDockBar)
{
    if (pBar->m_pDockBar != pDockBar)
        DetachBar(pBar);
    DWORD align = pDockBar->m_bFloating ? (pBar->m_dwStyle & CBRS_ALIGN_ANY) : (pDockBar->m_dwStyle & CBRS_ALIGN_ANY);
    if (!align)
        align = CBRS_ALIGN_TOP;
    DWORD style = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | align;
    if (pDockBar->m_bFloating)
        style |= CBRS_FLOATING;
    pBar->SetBarStyle(style);
    pBar->m_pDockSite = this;
    AddControlBar(pBar);
    if (pBar->GetParent() != pDockBar)
        pBar->SetParent(pDockBar);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* dock = nDockBarID ? dynamic_cast<CDockBar*>(GetControlBar(nDockBarID)) : nullptr;
    for (size_t i = 0; !dock && !nDockBarID && i < std::size(kDockSides); ++i) {
        if (pBar->m_dwDockStyle & kDockSides[i].align)
            dock = dynamic_cast<CDockBar*>(GetControlBar(kDockSides[i].id));
    }
    if (dock)
        DockControlBar(pBar, dock, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd || !pDockBar)
        return;
    MoveBarInto(pBar, pDockBar);
    pDockBar->DockControlBar(pBar, lpRect);
    if (pBar->m_pDockContext && !pDockBar->m_bFloating)
        pBar->m_pDockContext->m_uMRUDockID = (UINT)pDockBar->GetDlgCtrlID();
    if (pDockBar->m_bFloating) {
        if (CFrameWnd* floating = dynamic_cast<CFrameWnd*>(pDockBar->GetParent()))
            floating->RecalcLayout();
    }
    RecalcLayout();
    if (pBar->m_pDockContext && !pDockBar->m_bFloating)
        pBar->GetWindowRect(&pBar->m_pDockContext->m_rectMRUDockPos);
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CFrameWnd* floating = FloatingFrameOf(pBar);
    if (floating && pBar->m_pDockBar->GetDockedCount() == 1) {
        // Alone in its floating frame already: the frame moves.
        floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        if (pBar->m_pDockContext && pBar->m_pDockBar && !pBar->IsFloating()) {
            pBar->m_pDockContext->m_uMRUDockID = (UINT)pBar->m_pDockBar->GetDlgCtrlID();
            pBar->GetWindowRect(&pBar->m_pDockContext->m_rectMRUDockPos);
        }
        CRuntimeClass* cls = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
        CMiniDockFrameWnd* frame = dynamic_cast<CMiniDockFrameWnd*>(cls->CreateObject());
        if (!frame)
            return;
        if (!frame->Create(this, dwStyle)) {
            delete frame;
            return;
        }
        pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | (dwStyle & CBRS_ALIGN_ANY);
        MoveBarInto(pBar, &frame->m_wndDockBar);
        frame->m_wndDockBar.DockControlBar(pBar, nullptr);
        frame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame->RecalcLayout();
        if (pBar->IsVisible())
            frame->ShowWindow(SW_SHOWNA);
        floating = frame;
    }
    if (pBar->m_pDockContext)
        pBar->m_pDockContext->m_ptMRUFloatPos = point;
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    pBar->DelayShow(bShow);
    if (CFrameWnd* floating = FloatingFrameOf(pBar)) {
        bool anyShown = pBar->m_pDockBar->GetDockedVisibleCount() > 0;
        floating->ShowWindow(anyShown ? SW_SHOWNA : SW_HIDE);
        floating->RecalcLayout();
    }
    if (bDelay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

void CFrameWnd::DestroyFloatingBars()
{
    std::vector<HWND> frames;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        CControlBar* bar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (CFrameWnd* floating = FloatingFrameOf(bar))
            frames.push_back(floating->m_hWnd);
    }
    for (HWND frame : frames)
        if (::IsWindow(frame))
            ::DestroyWindow(frame);
}

// Floating bars live outside the frame's children, where the idle update does not look.
void CFrameWnd::UpdateFloatingBars(BOOL bDisableIfNoHndler)
{
    std::vector<HWND> bars;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        CControlBar* bar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (bar->m_hWnd && bar->IsFloating())
            bars.push_back(bar->m_hWnd);
    }
    for (HWND bar : bars)
        if (::IsWindow(bar))
            ::SendMessage(bar, WM_IDLEUPDATECMDUI, (WPARAM)bDisableIfNoHndler, 0);
}

// One section per bar ("<profile>-Bar<n>") and a summary with their count.
void CFrameWnd::SaveBarState(LPCSTR lpszProfileName) const
{
    CWinApp* app = AfxGetApp();
    if (!app || !lpszProfileName)
        return;
    int index = 0;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
        CControlBar* bar = (CControlBar*)m_listControlBars.GetNext(pos);
        if (!bar->m_hWnd || bar->IsDockBar() || bar->GetDlgCtrlID() == 0)
            continue;
        CString section;
        section.Format("%s-Bar%d", lpszProfileName, index++);
        app->WriteProfileInt(section, "BarID", bar->GetDlgCtrlID());
        app->WriteProfileInt(section, "Visible", bar->IsVisible() ? 1 : 0);
        app->WriteProfileInt(section, "Floating", bar->IsFloating() ? 1 : 0);
        int dockID = 0, row = 0, column = 0;
        if (bar->IsFloating()) {
            CRect frame;
            bar->m_pDockBar->GetParent()->GetWindowRect(&frame);
            app->WriteProfileInt(section, "XPos", frame.left);
            app->WriteProfileInt(section, "YPos", frame.top);
        } else if (bar->m_pDockBar) {
            dockID = bar->m_pDockBar->GetDlgCtrlID();
            bar->m_pDockBar->FindBar(bar, &row, &column);
        }
        app->WriteProfileInt(section, "DockBarID", dockID);
        app->WriteProfileInt(section, "Row", row);
        app->WriteProfileInt(section, "Column", column);
        app->WriteProfileInt(section, "Style", (int)bar->GetBarStyle());
        if (bar->m_pDockContext) {
            app->WriteProfileInt(section, "MRUDockID", (int)bar->m_pDockContext->m_uMRUDockID);
            app->WriteProfileInt(section, "MRUFloatXPos", bar->m_pDockContext->m_ptMRUFloatPos.x);
            app->WriteProfileInt(section, "MRUFloatYPos", bar->m_pDockContext->m_ptMRUFloatPos.y);
        }
    }
    CString summary;
    summary.Format("%s-Summary", lpszProfileName);
    app->WriteProfileInt(summary, "Bars", index);
}

void CFrameWnd::LoadBarState(LPCSTR lpszProfileName)
{
    CWinApp* app = AfxGetApp();
    if (!app || !lpszProfileName)
        return;
    CString summary;
    summary.Format("%s-Summary", lpszProfileName);
    int count = (int)app->GetProfileInt(summary, "Bars", 0);
    if (count <= 0)
        return;
    count = std::min(count, 256);  // the store is outside data

    struct Docked {
        UINT dock;
        int row, column;
        CControlBar* bar;
    };
    std::vector<Docked> docked;
    std::vector<std::pair<CControlBar*, BOOL>> shown;
    for (int i = 0; i < count; ++i) {
        CString section;
        section.Format("%s-Bar%d", lpszProfileName, i);
        CControlBar* bar = GetControlBar(app->GetProfileInt(section, "BarID", 0));
        if (!bar || bar->IsDockBar())
            continue;
        if (bar->m_pDockContext) {
            bar->m_pDockContext->m_uMRUDockID = app->GetProfileInt(section, "MRUDockID", 0);
            bar->m_pDockContext->m_ptMRUFloatPos.x = (int)app->GetProfileInt(section, "MRUFloatXPos", 0);
            bar->m_pDockContext->m_ptMRUFloatPos.y = (int)app->GetProfileInt(section, "MRUFloatYPos", 0);
        }
        // The store is outside data: a bar goes only where its own docking style lets it.
        if (app->GetProfileInt(section, "Floating", 0)) {
            CPoint at((int)app->GetProfileInt(section, "XPos", 0), (int)app->GetProfileInt(section, "YPos", 0));
            if (MayFloat(bar))
                FloatControlBar(bar, at, bar->GetBarStyle() & CBRS_ALIGN_ANY);
        } else {
            UINT dock = app->GetProfileInt(section, "DockBarID", 0);
            if (dynamic_cast<CDockBar*>(GetControlBar(dock)) && (bar->m_dwDockStyle & SideOfDockBar(dock))) {
                docked.push_back({dock, (int)app->GetProfileInt(section, "Row", 0),
                                  (int)app->GetProfileInt(section, "Column", 0), bar});
                DetachBar(bar);
            }
        }
        shown.emplace_back(bar, app->GetProfileInt(section, "Visible", 1) != 0);
    }
    // Rows fill in order, so each bar finds the bars before it in place.
    std::sort(docked.begin(), docked.end(), [](const Docked& a, const Docked& b) {
        return std::tie(a.dock, a.row, a.column) < std::tie(b.dock, b.row, b.column);
    });
    int lastRow = -1;
    UINT lastDock = 0;
    int placedRow = -1;
    for (const Docked& d : docked) {
        CDockBar* dock = dynamic_cast<CDockBar*>(GetControlBar(d.dock));
        if (d.dock != lastDock) {
            lastDock = d.dock;
            lastRow = -1;
            placedRow = -1;
        }
        if (d.row != lastRow) {
            lastRow = d.row;
            ++placedRow;
        }
        MoveBarInto(d.bar, dock);
        // Saved rows are counted among the restored bars only.
        int rows = 0;
        for (INT_PTR i = 0; i < dock->m_arrBars.GetSize(); ++i)
            rows += dock->m_arrBars[i] == nullptr;
        dock->DockControlBarAt(d.bar, std::min(placedRow, rows), d.column);
    }
    for (auto& [bar, visible] : shown)
        ShowControlBar(bar, visible, TRUE);
    RecalcLayout();
}
