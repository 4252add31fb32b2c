#include "album/DlgConsoleBrowse.h"

#include "browser/DlgImgBrowser.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CDlgConsoleBrowse, CVXDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CDlgConsoleBrowse::CDlgConsoleBrowse(CWnd* pParent)
    : CVXDialog(IDD_CONSOLE_BROWSE, pParent), m_bTreeInit(0), m_bMusicTab(FALSE)
{
    m_bChild = TRUE;
    m_nIconID = IDR_MAINFRAME;
}

BOOL CDlgConsoleBrowse::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    m_wndTree.SubclassDlgItem(IDC_CONSOLE_DIRTREE, this);
    m_wndTree.SetParentWindow(this);
    return TRUE;
}

void CDlgConsoleBrowse::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (m_wndTree.GetSafeHwnd())
        m_wndTree.MoveWindow(0, 0, cx, cy);
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
    if (CDlgImgBrowser* browser = CDlgImgBrowser::OpenLayer(IDR_MAINFRAME))
        browser->ListFolder(folder, FALSE);
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

void CDlgConsoleBrowse::UpdateNavigatorRect(CRect) {}
