#include "album/DlgConsoleBrowse.h"

#include "album/AlbumDetailStore.h"
#include "album/AlbumTables.h"
#include "shell/DlgMediaPlayerBar.h"
#include "album/ConsoleBrowserLink.h"
#include "album/DlgConsoleSubEXIF.h"
#include "album/DlgConsoleSubPreview.h"
#include "album/ThumbnailCache.h"
#include "controls/ShellFunctions.h"
#include "controls/VXMenu.h"
#include "dialogs/DlgUserInputBox.h"
#include "framework/ODBCQuery.h"
#include "framework/VXUtil.h"
#include "resource.h"
#include "shell/MainApp.h"

#include <cstring>
#include <set>

namespace {

const int kMinBelow = 172;
const UINT kBrowserFrame = 260;
const char kSplitterEntry[] = "ConsoleSplitterY";
const char kFolderEntry[] = "MainFrmDirTreePath";

BOOL IsFolderOnDisk(const CString& path)
{
    DWORD attributes = ::GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL FileOnDisk(const CString& path)
{
    return ::GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

// A folder name the file system takes as one new entry below its parent.
BOOL IsValidFolderName(const CString& name)
{
    if (name.IsEmpty() || name == "." || name == "..")
        return FALSE;
    return name.FindOneOf("\\/:*?\"<>|") < 0;
}

CString WithoutBackslash(CString path)
{
    while (path.GetLength() > 1 && path.Right(1) == "\\")
        path = path.Left(path.GetLength() - 1);
    return path;
}

// Paths of rows inside the folder whose files are gone.
std::set<CString> MissingFilesIn(const char* table, const char* pathColumn, const std::vector<const char*>& keys,
                                 const char* keyFormat, const CString& folder)
{
    std::set<CString> missing;
    std::unique_ptr<CODBCQuery> query = CAlbumTables::OpenUserQuery();
    for (const CAlbumTables::FolderRow& row :
         CAlbumTables::RowsInFolder(*query, table, pathColumn, keys, keyFormat, CAlbumTables::FolderKey(folder)))
        if (!FileOnDisk(row.strPath))
            missing.insert(row.strPath);
    return missing;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgConsoleBrowse, CDlgConsolePane)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_TREE_ITEM_DROPPED, OnTreeItemDropped)
    ON_NOTIFY(TVN_SELCHANGED, IDC_CONSOLE_DIRTREE, OnTreeSelChanged)
    ON_NOTIFY(NM_RCLICK, IDC_CONSOLE_DIRTREE, OnTreeRClick)
    ON_NOTIFY(NM_CLICK, IDC_CONSOLE_DIRTREE, OnTreeClick)
    ON_COMMAND(ID_CONSOLE_OPEN, OnOpenBrowser)
    ON_COMMAND(ID_CONSOLE_UNCHECK_ALL, OnUncheckAll)
    ON_COMMAND(ID_CONSOLE_PASTE, OnPasteFiles)
    ON_COMMAND(ID_CONSOLE_NEW, OnNewFolder)
    ON_COMMAND(ID_CONSOLE_RENAME, OnRenameFolder)
    ON_COMMAND(ID_CONSOLE_DELETE, OnDeleteFolder)
    ON_COMMAND(ID_CONSOLE_REFRESH, OnRefresh)
    ON_COMMAND(ID_CONSOLE_SHOW_CHECKBOXES, OnShowCheckboxes)
    ON_BN_CLICKED(IDC_CONSOLE_TAB_PREVIEW, OnTabPreview)
    ON_BN_CLICKED(IDC_CONSOLE_TAB_EXIF, OnTabExif)
    ON_BN_CLICKED(IDC_CONSOLE_TAB_MUSIC, OnTabMusic)
END_MESSAGE_MAP()

CDlgConsoleBrowse::CDlgConsoleBrowse(CWnd* pParent)
    : CDlgConsolePane(IDD_CONSOLE_BROWSE, pParent),
      m_pPreview(nullptr),
      m_pExif(nullptr),
      m_pMusicPane(nullptr),
      m_hContextItem(nullptr),
      m_bTreeInit(0),
      m_pidlDesktop(nullptr),
      m_pidlMyComputer(nullptr),
      m_pidlNetwork(nullptr)
{
    m_nIconID = IDR_MAINFRAME;
}

CDlgConsoleBrowse::~CDlgConsoleBrowse()
{
    for (ITEMIDLIST* pidl : {m_pidlDesktop, m_pidlMyComputer, m_pidlNetwork})
        if (pidl)
            SHFree1(pidl);
}

CString CDlgConsoleBrowse::WithBackslash(CString path)
{
    if (!path.IsEmpty() && path.Right(1) != "\\")
        path += "\\";
    return path;
}

BOOL CDlgConsoleBrowse::OnInitDialog()
{
    CDlgConsolePane::OnInitDialog();
    m_wndTree.SubclassDlgItem(IDC_CONSOLE_DIRTREE, this);
    m_wndTree.SetParentWindow(this);
    m_wndTree.SetBkColor(CAlbumTables::BrowserBackground());
    SetupLowerHalf(IDC_CONSOLE_DIRTREE, kMinBelow, IDC_CONSOLE_TAB_MUSIC, "MP3,CD음악 듣기");
    m_btnTabs[2].SetIcon(IDI_CONSOLE_MUSIC);
    MakeSubPanes();
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    if (app)
        m_strCurFolder = app->LoadProfileString(ProfileSection(), kFolderEntry);
    RestoreSplitter(kSplitterEntry);
    m_pidlDesktop = SHCreateSpecialPIDL(CSIDL_DESKTOP);
    m_pidlMyComputer = SHCreateSpecialPIDL(CSIDL_DRIVES);
    m_pidlNetwork = SHCreateSpecialPIDL(CSIDL_NETWORK);
    return TRUE;
}

void CDlgConsoleBrowse::MakeSubPanes()
{
    m_pPreview = new CDlgConsoleSubPreview(this);
    m_pExif = new CDlgConsoleSubEXIF(this);
    m_pPreview->Create(IDD_CONSOLE_SUB_PREVIEW, this);
    m_pExif->Create(IDD_CONSOLE_SUB_EXIF, this);
    // The music tab's page is the player bar; the child list owns it like the other pages.
    CDlgMediaPlayerBar* player = new CDlgMediaPlayerBar(this);
    player->Create(IDD_MEDIAPLAYER_BAR, this);
    m_pMusicPane = player;
    m_pPreview->ShowWindow(SW_SHOW);
    AddChildDialog(m_pPreview);
    AddChildDialog(m_pExif);
    AddChildDialog(m_pMusicPane);
    PlaceTabsAndSubPanes();
}

// ---- the tree ----

void CDlgConsoleBrowse::InitDirTree()
{
    if (m_bTreeInit)
        return;
    m_wndTree.Initialize(0);
    m_bTreeInit = 1;
    CRect client;
    GetClientRect(&client);
    if (!client.IsRectEmpty() && !theApp.m_bClosing)
        LayoutPane(client.Width(), client.Height(), TRUE, nullptr);
    if (!m_strCurFolder.IsEmpty())
        m_wndTree.SetPathByStr(m_strCurFolder);
}

CString CDlgConsoleBrowse::GetSelectedFolder()
{
    HTREEITEM item = m_wndTree.GetSafeHwnd() ? m_wndTree.GetSelectedItem() : nullptr;
    return item ? m_wndTree.GetFullPath(item) : CString();
}

BOOL CDlgConsoleBrowse::IsSpecialItem(HTREEITEM item)
{
    ITreeNode* node = item ? m_wndTree.NodeOf(item) : nullptr;
    if (!node)
        return FALSE;
    const ITEMIDLIST* full = node->GetFullIDL();
    unsigned size = SHGetIDLSize(full);
    for (const ITEMIDLIST* special : {m_pidlDesktop, m_pidlMyComputer, m_pidlNetwork}) {
        if (special && size == SHGetIDLSize(special) && std::memcmp(full, special, size) == 0)
            return TRUE;
    }
    return FALSE;
}

BOOL CDlgConsoleBrowse::IsProtectedFolder(HTREEITEM item, const CString& path)
{
    if (!item || IsSpecialItem(item) || !m_wndTree.IsDir(item))
        return TRUE;
    CString key = WithBackslash(path);
    // "\", "C:\" and the like: the namespace's own items and drive roots.
    if (key.GetLength() <= 3)
        return TRUE;
    char home[MAX_PATH] = "";
    if (m_pidlDesktop && SHGetPathFromIDList(m_pidlDesktop, home)) {
        // The home folder and every folder that holds it.
        CString homeKey = WithBackslash(home);
        if (homeKey.GetLength() >= key.GetLength() && homeKey.Left(key.GetLength()).CompareNoCase(key) == 0)
            return TRUE;
    }
    return FALSE;
}

void CDlgConsoleBrowse::OnTreeSelChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bTreeInit)
        return;
    HTREEITEM item = m_wndTree.GetSelectedItem();
    if (!item || IsSpecialItem(item) || !m_wndTree.IsDir(item))
        return;
    m_strCurFolder = m_wndTree.GetFullPath(item);
    OpenFolderInBrowser(m_strCurFolder);
}

void CDlgConsoleBrowse::OnRefresh()
{
    m_wndTree.Initialize(1);
    if (!m_strCurFolder.IsEmpty())
        m_wndTree.SetPathByStr(m_strCurFolder);
}

LRESULT CDlgConsoleBrowse::OnTreeItemDropped(WPARAM wParam, LPARAM lParam)
{
    const CString* oldPath = reinterpret_cast<const CString*>(wParam);
    const CString* newPath = reinterpret_cast<const CString*>(lParam);
    if (oldPath && newPath) {
        CThumbnailCache().RenamePath(*oldPath, *newPath);
        CAlbumDetailStore().RenamePath(*oldPath, *newPath);
    }
    return 1;
}

// ---- the browser ----

void CDlgConsoleBrowse::OpenFolderInBrowser(CString folder)
{
    CConsoleBrowserLink& browser = CConsoleBrowserLink::Get();
    if (browser.Open(kBrowserFrame))
        browser.ListFolder(folder, 0);
}

void CDlgConsoleBrowse::OnOpenBrowser()
{
    if (!m_bTreeInit)
        return;
    if (GetSelectedFolder() == m_strContextPath)
        OpenFolderInBrowser(m_strContextPath);
    else
        m_wndTree.SetPathByStr(m_strContextPath);
}

int CDlgConsoleBrowse::ShowImageInSubPanes()
{
    if (m_pExif)
        m_pExif->ShowExif(m_strCurPath);
    if (m_pPreview) {
        m_pPreview->m_strPath = m_strCurPath;
        m_pPreview->StartPreviewLoad();
    }
    return 1;
}

void CDlgConsoleBrowse::SetPreviewDetailView(CImgDetailView* pView)
{
    if (m_pPreview)
        m_pPreview->SetNavView(pView);
}

// ---- check boxes ----

void CDlgConsoleBrowse::OnShowCheckboxes()
{
    if (!(m_wndTree.GetStyle() & TVS_CHECKBOXES))
        m_wndTree.ModifyStyle(0, TVS_CHECKBOXES);
    m_wndTree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

BOOL CDlgConsoleBrowse::UntickFolder(const CString& path, const CString& selected)
{
    INT_PTR index = -1;
    for (INT_PTR i = 0; i < m_arrCheckedFolders.GetSize(); i++)
        if (m_arrCheckedFolders[i] == path)
            index = i;
    if (index < 0)
        return FALSE;  // never ticked here: nothing to take away
    CConsoleBrowserLink& browser = CConsoleBrowserLink::Get();
    if (browser.IsOpen() && path != selected)
        browser.RemoveFolderImages(path);
    m_arrCheckedFolders.RemoveAt(index);
    return TRUE;
}

void CDlgConsoleBrowse::OnTreeClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint point;
    ::GetCursorPos(&point);
    m_wndTree.ScreenToClient(&point);
    UINT flags = 0;
    HTREEITEM item = m_wndTree.HitTest(point, &flags);
    if (!item || !(flags & TVHT_ONITEMSTATEICON))
        return;
    CString path = WithBackslash(m_wndTree.GetFullPath(item));
    if (!m_wndTree.GetCheck(item)) {
        // About to be ticked: the selection lists it, then it joins the list (once).
        m_wndTree.SelectItem(item);
        for (INT_PTR i = 0; i < m_arrCheckedFolders.GetSize(); i++)
            if (m_arrCheckedFolders[i] == path)
                return;
        m_arrCheckedFolders.Add(path);
        return;
    }
    CConsoleBrowserLink& browser = CConsoleBrowserLink::Get();
    BOOL restart = browser.IsOpen() && item != m_wndTree.GetSelectedItem();
    if (restart)
        browser.StopThumbnailThread();
    UntickFolder(path, restart ? CString() : path);
    if (restart)
        browser.StartThumbnailThread();
}

void CDlgConsoleBrowse::OnUncheckAll()
{
    CString selected = WithBackslash(GetSelectedFolder());
    CConsoleBrowserLink& browser = CConsoleBrowserLink::Get();
    BOOL open = browser.IsOpen();
    if (open)
        browser.StopThumbnailThread();
    while (m_arrCheckedFolders.GetSize() > 0) {
        CString path = m_arrCheckedFolders[m_arrCheckedFolders.GetSize() - 1];
        if (HTREEITEM item = m_wndTree.GetItemFromPath(path, nullptr))
            m_wndTree.SetCheck(item, FALSE);
        UntickFolder(path, selected);
    }
    if (open)
        browser.StartThumbnailThread();
}

// ---- the menu ----

BOOL CDlgConsoleBrowse::TargetItemAt(CPoint point)
{
    HTREEITEM item = m_wndTree.HitTest(point);
    if (!item)
        return FALSE;
    m_hContextItem = item;
    m_strContextPath = WithBackslash(m_wndTree.GetFullPath(item));
    m_strContextName = m_wndTree.GetItemText(item);
    return TRUE;
}

CMenu* CDlgConsoleBrowse::BuildContextMenu(CVXMenu& menu)
{
    if (!menu.LoadMenu(IDR_DIRBROWSE_MENU))
        return nullptr;
    menu.LoadToolbar(IDR_MENUIMAGES);
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return nullptr;
    auto grey = [popup](UINT id) { popup->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED); };
    if (m_arrCheckedFolders.GetSize() == 0)
        grey(ID_CONSOLE_UNCHECK_ALL);
    if (theApp.m_arrClipPaths.GetSize() == 0)
        grey(ID_CONSOLE_PASTE);
    if (m_wndTree.GetStyle() & TVS_CHECKBOXES)
        grey(ID_CONSOLE_SHOW_CHECKBOXES);
    // Deleting or renaming these would take the user's whole tree (and every row under it).
    if (IsProtectedFolder(m_hContextItem, m_strContextPath)) {
        grey(ID_CONSOLE_RENAME);
        grey(ID_CONSOLE_DELETE);
    }
    if (!IsFolderOnDisk(m_strContextPath)) {
        grey(ID_CONSOLE_NEW);
        grey(ID_CONSOLE_PASTE);
    }
    return popup;
}

void CDlgConsoleBrowse::OnTreeRClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CPoint screen;
    ::GetCursorPos(&screen);
    CPoint client = screen;
    m_wndTree.ScreenToClient(&client);
    if (!TargetItemAt(client))
        return;
    CVXMenu menu;
    if (CMenu* popup = BuildContextMenu(menu))
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

// ---- folder commands ----

void CDlgConsoleBrowse::OnNewFolder()
{
    if (!m_hContextItem || !m_wndTree.IsDir(m_hContextItem) || !IsFolderOnDisk(m_strContextPath))
        return;
    CString parent = m_strContextPath;
    char name[kUserInputBufferSize] = "";
    if (!GetUserInput("새 폴더이름을 입력하십시요.", name) || !IsValidFolderName(name))
        return;
    CString path = parent + name;
    ::CreateDirectory(path, nullptr);
    OnRefresh();
    m_wndTree.SetPathByStr(path);
}

void CDlgConsoleBrowse::OnRenameFolder()
{
    if (IsProtectedFolder(m_hContextItem, m_strContextPath))
        return;
    CString oldPath = WithoutBackslash(m_strContextPath);
    CString parent = oldPath.Left(oldPath.ReverseFind('\\'));
    char name[kUserInputBufferSize] = "";
    if (!GetUserInput("폴더이름을 입력하십시요.", name) || !IsValidFolderName(name))
        return;
    CString newPath = parent + "\\" + name;
    if (!::MoveFile(oldPath, newPath))
        return;
    // The rows follow first, so the folder opened by the new selection finds them.
    CThumbnailCache().MoveFolder(oldPath, newPath);
    CAlbumDetailStore().MoveFolder(oldPath, newPath);
    OnRefresh();
    m_wndTree.SetPathByStr(newPath);
}

void CDlgConsoleBrowse::OnDeleteFolder()
{
    if (IsProtectedFolder(m_hContextItem, m_strContextPath))
        return;
    CString question;
    question.Format("%s 폴더및 하위의 모든 내용을 삭제하시겠습니까? \r\n(삭제된 자료는 되돌릴 수 없습니다.)",
                    (LPCSTR)m_strContextName);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CWaitCursor wait;
    EraseFolder(m_strContextPath);
    if (IsFolderOnDisk(m_strContextPath)) {
        // Only part of it went: only the rows of files that are gone go with them.
        std::set<CString> gone = MissingFilesIn("ThumbImages", "ImgPath", {"ThumbNo"}, "ThumbNo = %d", m_strContextPath);
        std::set<CString> goneDetails =
            MissingFilesIn("AlbumDetail", "PathName", {"AlbumID", "Seq"}, "AlbumID = %d and Seq = %d", m_strContextPath);
        CThumbnailCache cache;
        for (const CString& path : gone)
            cache.DeleteByPath(path);
        CAlbumDetailStore details;
        for (const CString& path : goneDetails)
            details.DeleteByPath(path);
        return;
    }
    CThumbnailCache().DeleteFolder(m_strContextPath);
    CAlbumDetailStore().DeleteFolder(m_strContextPath);
    if (HTREEITEM parent = m_wndTree.GetParentItem(m_hContextItem))
        m_wndTree.SelectItem(parent);
    m_wndTree.DeleteItem(m_hContextItem);
    m_hContextItem = nullptr;
}

void CDlgConsoleBrowse::OnPasteFiles()
{
    if (!m_hContextItem || !IsFolderOnDisk(m_strContextPath))
        return;
    CString folder = m_strContextPath;
    int count = 0;
    BOOL moved = FALSE;
    {
        CWaitCursor wait;
        for (INT_PTR i = 0; i < theApp.m_arrClipPaths.GetSize(); i++) {
            int kind = i < theApp.m_arrClipKinds.GetSize() ? (int)theApp.m_arrClipKinds[i] : 0;
            BOOL move = i < theApp.m_arrClipMove.GetSize() && theApp.m_arrClipMove[i] == 1;
            CString source = theApp.m_arrClipPaths[i];
            if (kind == CAlbumTables::KIND_FOLDER || source.GetLength() >= MAX_PATH)
                continue;
            char name[MAX_PATH] = "";
            DivideFilePathAndName(source, nullptr, name, nullptr);
            CString target = folder + name;
            if (target == source)
                continue;
            if (move) {
                moved = TRUE;
                if (!::MoveFile(source, target))
                    continue;
                count++;
                CThumbnailCache().RenamePath(source, target);
                CAlbumDetailStore().RenamePath(source, target);
            } else {
                if (!::CopyFile(source, target, TRUE))
                    continue;
                count++;
                CThumbnailCache().CopyEntry(source, target);
            }
        }
    }
    if (count == 0) {
        AfxMessageBox("파일 이동(복사)이 이루어지지 않았습니다.");
    } else {
        CString text;
        text.Format(moved ? "%d 파일을 \r%s 폴더로 \r이동했습니다." : "%d 파일을 \r%s 폴더로 \r복사했습니다.", count,
                    (LPCSTR)folder);
        if (CConsoleBrowserLink::Get().IsOpen())
            CConsoleBrowserLink::Get().ListFolder(folder, 1);
        AfxMessageBox(text, MB_OK);
    }
    m_wndTree.SelectItem(m_hContextItem);
}

// ---- tabs, layout, end ----

void CDlgConsoleBrowse::OnTabPreview()
{
    ShowTab(0);
}

void CDlgConsoleBrowse::OnTabExif()
{
    ShowTab(1);
}

void CDlgConsoleBrowse::OnTabMusic()
{
    ShowMusicTab();
}

void CDlgConsoleBrowse::ShowMusicTab()
{
    ShowTab(2);
}

void CDlgConsoleBrowse::OnSize(UINT nType, int cx, int cy)
{
    CDlgConsolePane::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || theApp.m_bClosing || !m_wndTree.GetSafeHwnd())
        return;
    LayoutPane(cx, cy, m_bTreeInit, nullptr);
}

void CDlgConsoleBrowse::OnDestroy()
{
    CDlgConsolePane::OnDestroy();
    m_pPreview = nullptr;
    m_pExif = nullptr;
    m_pMusicPane = nullptr;
    SaveSplitter(kSplitterEntry);
    m_wndSplitter.Unbind();
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    if (m_bTreeInit && app)
        app->SaveProfileString(ProfileSection(), kFolderEntry, m_strCurFolder);
    m_wndTree.DeleteAllItems(1);
}

CDlgMediaPlayerBar* CDlgConsoleBrowse::GetPlayerBar() const
{
    return dynamic_cast<CDlgMediaPlayerBar*>(m_pMusicPane);
}
