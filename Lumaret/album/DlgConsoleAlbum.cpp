#include "album/DlgConsoleAlbum.h"

#include "album/AlbumTables.h"
#include "album/ConsoleBrowserLink.h"
#include "album/DlgConsoleSubAlbum.h"
#include "album/DlgConsoleSubEXIF.h"
#include "album/DlgConsoleSubPreview.h"
#include "controls/VXMenu.h"
#include "dialogs/DlgUserInputBox.h"
#include "framework/VXUtil.h"
#include "resource.h"
#include "shell/MainApp.h"

#include <vector>

namespace {

const int kMinBelow = 150;
const UINT kBrowserFrame = 128;
const char kSplitterEntry[] = "AlbumSplitterY";
const char kRecentEntry[] = "RecentAlbumID";

}  // namespace

BEGIN_MESSAGE_MAP(CDlgConsoleAlbum, CDlgConsolePane)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_TREE_ITEM_DROPPED, OnTreeItemDropped)
    ON_NOTIFY(TVN_SELCHANGED, IDC_ALBUM_TREE, OnTreeSelChanged)
    ON_NOTIFY(NM_RCLICK, IDC_ALBUM_TREE, OnTreeRClick)
    ON_COMMAND(ID_CONSOLE_OPEN, OnOpenBrowser)
    ON_COMMAND(ID_CONSOLE_PASTE, OnPasteToAlbum)
    ON_COMMAND(ID_CONSOLE_NEW, OnNewAlbum)
    ON_COMMAND(ID_CONSOLE_DELETE, OnDeleteAlbum)
    ON_COMMAND(ID_CONSOLE_REFRESH, OnRefresh)
    ON_COMMAND(ID_CONSOLE_RENAME, OnRenameAlbum)
    ON_BN_CLICKED(IDC_CONSOLE_SEARCH, OnSearch)
    ON_BN_CLICKED(IDC_CONSOLE_TAB_PREVIEW, OnTabPreview)
    ON_BN_CLICKED(IDC_CONSOLE_TAB_EXIF, OnTabExif)
    ON_BN_CLICKED(IDC_CONSOLE_TAB_ALBUMINFO, OnTabAlbumInfo)
END_MESSAGE_MAP()

CDlgConsoleAlbum::CDlgConsoleAlbum(CWnd* pParent)
    : CDlgConsolePane(IDD_CONSOLE_ALBUM, pParent),
      m_pPreview(nullptr),
      m_pExif(nullptr),
      m_pAlbumInfo(nullptr),
      m_nSelectAlbumID(0),
      m_bTreeLoaded(0),
      m_hContextItem(TVI_ROOT),
      m_nContextAlbumID(-1)
{
    m_nIconID = IDR_MAINFRAME;
}

CDlgConsoleAlbum::~CDlgConsoleAlbum() = default;

void CDlgConsoleAlbum::DoDataExchange(CDataExchange* pDX)
{
    CDlgConsolePane::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ALBUM_TREE, m_treeAlbum);
    DDX_Control(pDX, IDC_CONSOLE_SEARCH, m_btnSearch);
    DDX_Text(pDX, IDC_CONSOLE_KEYWORD, m_strKeyword);
}

BOOL CDlgConsoleAlbum::OnInitDialog()
{
    CDlgConsolePane::OnInitDialog();
    m_treeAlbum.SetBkColor(CAlbumTables::BrowserBackground());

    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    m_btnSearch.SetColors(0xFFFFFF, CCheckButton::kKeep, face, CCheckButton::kKeep, CCheckButton::kKeep,
                          CCheckButton::kKeep, 1);
    m_btnSearch.SetIcon(IDI_CONSOLE_SEARCH);
    m_btnSearch.SetBtnCursor(IDC_HAND_POINTER);
    m_btnSearch.SetTooltipText("검색어로 앨범사진 찾기");

    SetupLowerHalf(IDC_ALBUM_TREE, kMinBelow, IDC_CONSOLE_TAB_ALBUMINFO, "앨범정보관리");

    m_imageList.Create(IDB_ALBUM_TREE, 16, 1, RGB(255, 255, 255));
    // By handle: the wrapper's null test of its own object warns for a member list.
    m_treeAlbum.SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)m_imageList.m_hImageList);
    m_treeAlbum.SetNotifyWnd(this);
    m_treeAlbum.RegisterDropTarget();

    MakeSubPanes();
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    m_nSelectAlbumID = app ? app->LoadProfileInt(ProfileSection(), kRecentEntry) : 0;
    RestoreSplitter(kSplitterEntry);
    return TRUE;
}

void CDlgConsoleAlbum::MakeSubPanes()
{
    m_pPreview = new CDlgConsoleSubPreview(this);
    m_pExif = new CDlgConsoleSubEXIF(this);
    m_pAlbumInfo = new CDlgConsoleSubAlbum(this);
    m_pPreview->Create(IDD_CONSOLE_SUB_PREVIEW, this);
    m_pExif->Create(IDD_CONSOLE_SUB_EXIF, this);
    m_pAlbumInfo->Create(IDD_CONSOLE_SUB_ALBUM, this);
    m_pPreview->ShowWindow(SW_SHOW);
    AddChildDialog(m_pPreview);
    AddChildDialog(m_pExif);
    AddChildDialog(m_pAlbumInfo);
    PlaceTabsAndSubPanes();
}

BOOL CDlgConsoleAlbum::PreTranslateMessage(MSG* pMsg)
{
    CWnd* keyword = GetDlgItem(IDC_CONSOLE_KEYWORD);
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && keyword && pMsg->hwnd == keyword->m_hWnd) {
        OnSearch();
        return TRUE;
    }
    return CDlgConsolePane::PreTranslateMessage(pMsg);
}

// ---- the tree ----

void CDlgConsoleAlbum::LoadAlbumTree()
{
    if (m_bTreeLoaded || !m_treeAlbum.GetSafeHwnd())
        return;
    UpdateData(TRUE);
    CWaitCursor wait;
    CAlbumTables::LoadTree(m_treeAlbum, ALBUM_TREE_IMAGE);
    m_treeAlbum.SetRedraw(TRUE);
    m_treeAlbum.Invalidate();
    if (m_nSelectAlbumID != 0) {
        // Armed first, so that the selection opens the album.
        m_bTreeLoaded = 1;
        if (HTREEITEM item = SearchTreeItemByData(&m_treeAlbum, TVI_ROOT, (DWORD_PTR)m_nSelectAlbumID))
            m_treeAlbum.SelectItem(item);
    }
    m_bTreeLoaded = 1;
    // A filled tree leaves room for the sub panes at once, not only at the next size change.
    CRect client;
    GetClientRect(&client);
    if (!client.IsRectEmpty() && !theApp.m_bClosing)
        LayoutPane(client.Width(), client.Height(), TRUE, &m_btnSearch);
}

int CDlgConsoleAlbum::GetSelectedAlbumID()
{
    HTREEITEM item = m_treeAlbum.GetSafeHwnd() ? m_treeAlbum.GetSelectedItem() : nullptr;
    return item ? (int)m_treeAlbum.GetItemData(item) : -1;
}

void CDlgConsoleAlbum::OnRefresh()
{
    m_bTreeLoaded = 0;
    HTREEITEM selected = m_treeAlbum.GetSelectedItem();
    m_nSelectAlbumID = selected ? (int)m_treeAlbum.GetItemData(selected) : 0;
    LoadAlbumTree();
}

void CDlgConsoleAlbum::OnTreeSelChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM item = m_treeAlbum.GetSelectedItem();
    if (m_bTreeLoaded && item)
        OpenAlbumInBrowser((int)m_treeAlbum.GetItemData(item));
}

LRESULT CDlgConsoleAlbum::OnTreeItemDropped(WPARAM wParam, LPARAM lParam)
{
    CAlbumTables::MoveAlbum((int)wParam, (int)lParam);
    return 1;
}

// ---- the browser ----

BOOL CDlgConsoleAlbum::OpenBrowserLayer()
{
    return CConsoleBrowserLink::Get().Open(kBrowserFrame);
}

void CDlgConsoleAlbum::OpenAlbumInBrowser(int albumId)
{
    if (OpenBrowserLayer())
        CConsoleBrowserLink::Get().ListAlbum(albumId, 0);
}

void CDlgConsoleAlbum::OnOpenBrowser()
{
    if (!m_bTreeLoaded || m_hContextItem == TVI_ROOT || !m_hContextItem)
        return;
    if (m_treeAlbum.GetSelectedItem() != m_hContextItem)
        m_treeAlbum.SelectItem(m_hContextItem);
    else
        OpenAlbumInBrowser((int)m_treeAlbum.GetItemData(m_hContextItem));
}

void CDlgConsoleAlbum::OnSearch()
{
    UpdateData(TRUE);
    if (m_strKeyword.IsEmpty())
        return;
    if (OpenBrowserLayer())
        CConsoleBrowserLink::Get().SearchAlbums(m_strKeyword);
}

int CDlgConsoleAlbum::ShowImageInSubPanes(int albumId, int seq)
{
    if (m_pExif)
        m_pExif->ShowExif(m_strCurPath);
    if (m_pPreview) {
        m_pPreview->m_strPath = m_strCurPath;
        m_pPreview->StartPreviewLoad();
    }
    if (m_pAlbumInfo) {
        m_pAlbumInfo->m_nAlbumID = albumId;
        m_pAlbumInfo->m_nSeq = seq;
        m_pAlbumInfo->LoadDetails();
    }
    return 1;
}

void CDlgConsoleAlbum::SetPreviewDetailView(CImgDetailView* pView)
{
    if (m_pPreview)
        m_pPreview->SetNavView(pView);
}

// ---- the menu and its commands ----

void CDlgConsoleAlbum::TargetItemAt(CPoint point)
{
    HTREEITEM item = m_treeAlbum.HitTest(point);
    m_hContextItem = item ? item : TVI_ROOT;
    m_nContextAlbumID = item ? (int)m_treeAlbum.GetItemData(item) : 0;
}

CMenu* CDlgConsoleAlbum::BuildContextMenu(CVXMenu& menu)
{
    if (!menu.LoadMenu(IDR_ALBUM_MENU))
        return nullptr;
    menu.LoadToolbar(IDR_MENUIMAGES);
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return nullptr;
    if (theApp.m_arrClipPaths.GetSize() == 0)
        popup->EnableMenuItem(ID_CONSOLE_PASTE, MF_BYCOMMAND | MF_GRAYED);
    if (m_nContextAlbumID == 0) {
        for (UINT id : {ID_CONSOLE_OPEN, ID_CONSOLE_PASTE, ID_CONSOLE_DELETE, ID_CONSOLE_RENAME})
            popup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    }
    return popup;
}

void CDlgConsoleAlbum::OnTreeRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint screen;
    ::GetCursorPos(&screen);
    CPoint client = screen;
    m_treeAlbum.ScreenToClient(&client);
    TargetItemAt(client);
    CVXMenu menu;
    if (CMenu* popup = BuildContextMenu(menu))
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CDlgConsoleAlbum::OnNewAlbum()
{
    char name[kUserInputBufferSize] = "";
    if (!GetUserInput("새 앨범이름을 입력하십시요.", name))
        return;
    CWaitCursor wait;
    int parent = m_nContextAlbumID > 0 ? m_nContextAlbumID : 0;
    int id = CAlbumTables::NewAlbum(name, parent);
    if (id == 0)
        return;
    HTREEITEM under = parent ? m_hContextItem : TVI_ROOT;
    HTREEITEM item = m_treeAlbum.InsertItem(name, ALBUM_TREE_IMAGE, ALBUM_TREE_IMAGE, under, TVI_LAST);
    if (!item)
        return;
    m_treeAlbum.SetItemData(item, (DWORD_PTR)id);
    m_treeAlbum.SelectItem(item);
}

void CDlgConsoleAlbum::OnRenameAlbum()
{
    if (m_nContextAlbumID <= 0 || !m_hContextItem || m_hContextItem == TVI_ROOT)
        return;
    char name[kUserInputBufferSize] = "";
    if (!GetUserInput("앨범의 새 이름을 입력하십시요.", name))
        return;
    if (CAlbumTables::RenameAlbum(m_nContextAlbumID, name))
        m_treeAlbum.SetItemText(m_hContextItem, name);
}

void CDlgConsoleAlbum::OnDeleteAlbum()
{
    if (m_nContextAlbumID <= 0 || !m_hContextItem || m_hContextItem == TVI_ROOT)
        return;
    CString question;
    question.Format("[ %s ] 앨범의 내용을 삭제하시겠습니까? \r\n(이미지 파일은 삭제되지 않습니다.)",
                    (LPCSTR)m_treeAlbum.GetItemText(m_hContextItem));
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CWaitCursor wait;
    if (!CAlbumTables::DeleteAlbum(m_nContextAlbumID))
        return;
    if (HTREEITEM parent = m_treeAlbum.GetParentItem(m_hContextItem))
        m_treeAlbum.SelectItem(parent);
    m_treeAlbum.DeleteItem(m_hContextItem);
    m_hContextItem = TVI_ROOT;
    m_nContextAlbumID = 0;
}

void CDlgConsoleAlbum::OnPasteToAlbum()
{
    if (!m_hContextItem || m_hContextItem == TVI_ROOT)
        return;
    int target = (int)m_treeAlbum.GetItemData(m_hContextItem);
    std::vector<AlbumEntry> entries;
    for (INT_PTR i = 0; i < theApp.m_arrClipPaths.GetSize(); i++) {
        int kind = i < theApp.m_arrClipKinds.GetSize() ? (int)theApp.m_arrClipKinds[i] : 0;
        BOOL move = i < theApp.m_arrClipMove.GetSize() && theApp.m_arrClipMove[i] == 1;
        // A photo copied from an album stays there: it enters the target as a plain file.
        if (kind >= CAlbumTables::KIND_ALBUM_BASE && !move)
            kind = CAlbumTables::KIND_FILE;
        entries.push_back({kind, theApp.m_arrClipPaths[i]});
    }
    {
        CWaitCursor wait;
        CAlbumTables::AddToAlbum(target, entries);
    }
    m_treeAlbum.SelectItem(m_hContextItem);
    if (CConsoleBrowserLink::Get().IsOpen())
        CConsoleBrowserLink::Get().ListAlbum(target, 1);
}

// ---- tabs, layout, end ----

void CDlgConsoleAlbum::OnTabPreview()
{
    ShowTab(0);
}

void CDlgConsoleAlbum::OnTabExif()
{
    ShowTab(1);
}

void CDlgConsoleAlbum::OnTabAlbumInfo()
{
    ShowTab(2);
}

void CDlgConsoleAlbum::OnSize(UINT nType, int cx, int cy)
{
    CDlgConsolePane::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || theApp.m_bClosing || !m_treeAlbum.GetSafeHwnd())
        return;
    LayoutPane(cx, cy, m_bTreeLoaded, &m_btnSearch);
}

void CDlgConsoleAlbum::OnDestroy()
{
    CDlgConsolePane::OnDestroy();
    m_pPreview = nullptr;
    m_pExif = nullptr;
    m_pAlbumInfo = nullptr;
    SaveSplitter(kSplitterEntry);
    m_wndSplitter.Unbind();
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    if (m_bTreeLoaded && app) {
        HTREEITEM selected = m_treeAlbum.GetSelectedItem();
        app->SaveProfileInt(ProfileSection(), kRecentEntry, selected ? (int)m_treeAlbum.GetItemData(selected) : 0);
    }
}
