#include "album/DlgConsoleBrowse.h"

#include "resource.h"
#include "shell/DlgMediaPlayerBar.h"

namespace {

// Until the pane has its tabs, the player sits below the tree at this height.
const int kPlayerBarHeight = 300;

}  // namespace

BEGIN_MESSAGE_MAP(CDlgConsoleBrowse, CVXDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CDlgConsoleBrowse::CDlgConsoleBrowse(CWnd* pParent)
    : CVXDialog(IDD_CONSOLE_BROWSE, pParent), m_bTreeInit(0), m_bMusicTab(FALSE)
{
    m_bChild = TRUE;
    m_nIconID = IDR_MAINFRAME;
}

CDlgConsoleBrowse::~CDlgConsoleBrowse() = default;

BOOL CDlgConsoleBrowse::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_wndTree.SubclassDlgItem(IDC_CONSOLE_DIRTREE, this);
    m_wndTree.SetParentWindow(this);
    m_pPlayerBar = std::make_unique<CDlgMediaPlayerBar>(this);
    if (m_pPlayerBar->Create(IDD_MEDIAPLAYER_BAR, this))
        m_pPlayerBar->ShowWindow(SW_SHOW);
    else
        m_pPlayerBar.reset();
    return TRUE;
}

void CDlgConsoleBrowse::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    // The player is left where it is while the player window borrows it.
    bool bar = m_pPlayerBar && m_pPlayerBar->GetSafeHwnd() && m_pPlayerBar->GetParent() == this;
    int treeHeight = bar ? std::max(cy - kPlayerBarHeight, cy / 2) : cy;
    if (m_wndTree.GetSafeHwnd())
        m_wndTree.MoveWindow(0, 0, cx, treeHeight);
    if (bar)
        m_pPlayerBar->MoveWindow(0, treeHeight, cx, cy - treeHeight);
}

void CDlgConsoleBrowse::InitDirTree()
{
    if (m_bTreeInit)
        return;
    m_wndTree.Initialize(0);
    m_bTreeInit = 1;
    if (!m_strCurFolder.IsEmpty())
        m_wndTree.SetPathByStr(m_strCurFolder);
}

CString CDlgConsoleBrowse::GetSelectedFolder()
{
    HTREEITEM item = m_wndTree.GetSafeHwnd() ? m_wndTree.GetSelectedItem() : nullptr;
    return item ? m_wndTree.GetFullPath(item) : CString();
}

void CDlgConsoleBrowse::OpenFolderInBrowser(CString folder)
{
    m_strCurFolder = folder;
}

int CDlgConsoleBrowse::ShowImageInSubPanes()
{
    return 1;
}

void CDlgConsoleBrowse::ShowMusicTab()
{
    m_bMusicTab = TRUE;
}

void CDlgConsoleBrowse::SetPreviewDetailView(CImgDetailView*) {}
