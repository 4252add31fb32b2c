#include "album/DlgConsolePane.h"

#include "framework/VXApp.h"
#include "resource.h"

namespace {

const int kMinAbove = 100;
// Room a filled tree always leaves below it for the tabs and a sub pane.
const int kLowerRoom = 150;
const int kSearchGap = 3;
// Sub panes sit inside the area, below the tab buttons.
const int kPaneLeft = 2, kPaneTop = 24, kPaneRight = 3, kPaneBottom = 2;
const int kTabLeft = 2;

const UINT kTabIds[] = {IDC_CONSOLE_TAB_PREVIEW, IDC_CONSOLE_TAB_EXIF};

}  // namespace

BEGIN_MESSAGE_MAP(CDlgConsolePane, CVXDialog)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SPLITTER_MOVED, OnSplitterMoved)
END_MESSAGE_MAP()

CDlgConsolePane::CDlgConsolePane(UINT nIDTemplate, CWnd* pParent)
    : CVXDialog(nIDTemplate, pParent), m_nSplitterY(0), m_nTreeId(0), m_nShownTab(0)
{
    m_bChild = TRUE;
}

CDlgConsolePane::~CDlgConsolePane() = default;

CString CDlgConsolePane::ProfileSection()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    return app ? app->m_strAppKey : CString();
}

CRect CDlgConsolePane::ChildRect(UINT id)
{
    CRect rect;
    if (CWnd* child = GetDlgItem(id)) {
        child->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    return rect;
}

void CDlgConsolePane::SetupLowerHalf(UINT treeId, int minBelow, UINT thirdTabId, const char* thirdTooltip)
{
    m_nTreeId = treeId;
    m_wndSplitter.BindWithControl(this, IDC_CONSOLE_SPLITTER);
    m_wndSplitter.SetMinHeight(kMinAbove, minBelow);
    m_wndSplitter.AttachAsAbovePane(treeId);
    m_wndSplitter.AttachAsBelowPane(IDC_CONSOLE_SUBAREA);

    const UINT ids[] = {kTabIds[0], kTabIds[1], thirdTabId};
    const char* tooltips[] = {"이미지보기", "디지탈카메라 촬영데이타(EXIF) 보기", thirdTooltip};
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    for (int i = 0; i < 3; i++) {
        CCheckButton& tab = m_btnTabs[i];
        tab.SubclassDlgItem(ids[i], this);
        tab.SetColors(0xDCDCDC, CCheckButton::kKeep, face, CCheckButton::kKeep, 0xA0A0A0, CCheckButton::kKeep, 1);
        tab.SetNormalBorder(TRUE);
        tab.SetBtnCursor(IDC_HAND_POINTER);
        tab.SetTooltipText(tooltips[i]);
    }
    m_btnTabs[0].SetCheck(1);
}

void CDlgConsolePane::RestoreSplitter(const char* entry)
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    m_nSplitterY = app ? app->LoadProfileInt(ProfileSection(), entry) : 0;
    if (m_nSplitterY <= 0)
        return;
    CRect bar = ChildRect(IDC_CONSOLE_SPLITTER);
    m_wndSplitter.MoveWindow(bar.left, m_nSplitterY, bar.Width(), bar.Height());
    m_wndSplitter.RecalcLayout();
    PlaceTabsAndSubPanes();
}

void CDlgConsolePane::SaveSplitter(const char* entry)
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    if (app && m_wndSplitter.GetSafeHwnd())
        app->SaveProfileInt(ProfileSection(), entry, ChildRect(IDC_CONSOLE_SPLITTER).top);
}

void CDlgConsolePane::LayoutPane(int cx, int cy, BOOL treeFilled, CWnd* searchButton)
{
    CRect bar = ChildRect(IDC_CONSOLE_SPLITTER);
    int m = bar.left;
    int top = bar.top;
    if (treeFilled && top > cy - kLowerRoom)
        top = cy - kLowerRoom;
    m_wndSplitter.MoveWindow(m, top, cx - 2 * m, bar.Height());
    m_wndSplitter.RecalcLayout();

    CRect tree = ChildRect(m_nTreeId);
    GetDlgItem(m_nTreeId)->MoveWindow(tree.left, tree.top, cx - 2 * m, tree.Height());
    CRect area = ChildRect(IDC_CONSOLE_SUBAREA);
    GetDlgItem(IDC_CONSOLE_SUBAREA)->MoveWindow(area.left, area.top, cx - 2 * m, (cy - m) - area.top);
    PlaceTabsAndSubPanes();
    if (searchButton) {
        CRect search;
        searchButton->GetWindowRect(&search);
        ScreenToClient(&search);
        searchButton->MoveWindow(search.left, search.top, (cx - m - kSearchGap) - search.left, search.Height());
    }
    Invalidate();
}

void CDlgConsolePane::PlaceTabsAndSubPanes()
{
    CRect area = ChildRect(IDC_CONSOLE_SUBAREA);
    if (!m_btnTabs[0].GetSafeHwnd())
        return;
    CRect first = ChildRect(IDC_CONSOLE_TAB_PREVIEW);
    int w = first.Width(), h = first.Height();
    for (int i = 0; i < 3; i++)
        m_btnTabs[i].MoveWindow(area.left + kTabLeft + i * (w + 1), area.top, w, h);
    CRect pane(area.left + kPaneLeft, area.top + kPaneTop, area.right - kPaneRight, area.bottom - kPaneBottom);
    for (INT_PTR i = 0; i < m_arrChildDlgs.GetSize(); i++) {
        CWnd* child = m_arrChildDlgs[i];
        if (child && child->GetSafeHwnd())
            child->MoveWindow(&pane);
    }
}

void CDlgConsolePane::ShowTab(int index)
{
    for (int i = 0; i < 3; i++)
        if (m_btnTabs[i].GetSafeHwnd())
            m_btnTabs[i].SetCheck(i == index ? 1 : 0);
    m_nShownTab = index;
    ShowChildWnds(index, -1);
}

LRESULT CDlgConsolePane::OnSplitterMoved(WPARAM, LPARAM lParam)
{
    if ((UINT)lParam != IDC_CONSOLE_SPLITTER)
        return 0;
    PlaceTabsAndSubPanes();
    Invalidate();  // the margins the tree or the area left
    return 1;
}

BOOL CDlgConsolePane::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
    return TRUE;
}
