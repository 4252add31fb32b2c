#include "browser/DlgImgBrowser.h"

#include "album/DlgConsoleAlbum.h"
#include "album/DlgConsoleBrowse.h"
#include "browser/BrowserShell.h"
#include "browser/ImgBrowserDetailView.h"
#include "browser/MivoImgBrowserView.h"
#include "framework/VXUtil.h"
#include "image/ImageMessages.h"
#include "image/ImageObject.h"
#include "mivo/Trace.h"
#include "mivo/paths.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"

#include "resource.h"
#include "editor/OwnedSlot.h"

#include <sys/stat.h>
#include <ctime>
#include <string>

namespace {

const char kGridProfileEntry[] = "Grid_PhotoList";
const DWORD kGridStyleBits = 0x103A;
const UINT kViewId = 0xE900;
const int kCursorHand = 128;

struct ColumnDef {
    const char* title;
    int width;
    int align;  // 0 left, 1 right, 2 centred
};
const ColumnDef kColumns[] = {
    {"No", 70, 2}, {"파일", 100, 0}, {"제목", 150, 0}, {"Size(W x H)", 80, 0},
    {"KB", 80, 1}, {"날짜", 100, 2}, {"폴더", 100, 0},
};
const COLORREF kGridColours[] = {0xC0C0C0, 0xA00000, 0x808000, 0x008000, 0x606060};

// The file-system status of a program path; false when it cannot be read.
bool StatPath(const CString& path, struct stat& st)
{
    std::string posix;
    return mivo::ToPosixPath(path, posix) && ::stat(posix.c_str(), &st) == 0;
}

CString LocalTime(time_t when, const char* format)
{
    struct tm local;
    localtime_r(&when, &local);
    char text[32];
    strftime(text, sizeof(text), format, &local);
    return text;
}

// The last component of a path ('\' or '/' end components).
CString LastComponent(const CString& path)
{
    int cut = -1;
    for (int i = 0; i < path.GetLength(); i++) {
        char c = path[i];
        if ((unsigned char)c >= 0x81 && i + 1 < path.GetLength()) {
            i++;  // a double-byte character; its trail byte may look like a backslash
            continue;
        }
        if (c == '\\' || c == '/')
            cut = i;
    }
    return path.Mid(cut + 1);
}

}  // namespace

IMPLEMENT_DYNAMIC(CDlgImgBrowser, CVXDialog)

BEGIN_MESSAGE_MAP(CDlgImgBrowser, CVXDialog)
    ON_BN_CLICKED(IDC_BROWSER_THUMBS, OnShowThumbnails)
    ON_BN_CLICKED(IDC_BROWSER_LIST, OnShowPhotoList)
    ON_BN_CLICKED(IDC_BROWSER_DETAIL, OnShowDetail)
    ON_CBN_SELENDOK(IDC_BROWSER_LOCATION, OnLocationSelected)
    ON_NOTIFY(RVN_ITEMCLICK, IDC_BROWSER_GRID, OnRowClicked)
    ON_NOTIFY(RVN_ITEMSTATECHANGED, IDC_BROWSER_GRID, OnRowSelected)
    ON_NOTIFY(RVN_ENDITEMEDIT, IDC_BROWSER_GRID, OnTitleEdited)
    ON_NOTIFY(RVN_BEGINITEMEDIT, IDC_BROWSER_GRID, OnGridReplyZero)
    ON_NOTIFY(RVN_DRAWROW, IDC_BROWSER_GRID, OnGridReplyZero)
    ON_NOTIFY(RVN_EDITKILLFOCUS, IDC_BROWSER_GRID, OnGridReplyOne)
    ON_MESSAGE(WM_IMAGE_PROGRESS, OnImageProgress)
    ON_MESSAGE(WM_IMAGE_DONE, OnImageDone)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgImgBrowser::CDlgImgBrowser(CWnd* pParent, UINT nIDTemplate)
    : CVXDialog(nIDTemplate ? nIDTemplate : IDD_IMG_BROWSER_POPUP, pParent),
      m_nItemCount(0),
      m_nFolderCount(0),
      m_nMode(MODE_FOLDER),
      m_nAlbumID(-1),
      m_bMultiFolder(FALSE),
      m_bListFilled(FALSE),
      m_nCurRow(-1),
      m_pThumbView(nullptr),
      m_pDetailView(nullptr),
      m_pPreviewImage(nullptr),
      m_pBrowsePane(nullptr),
      m_pAlbumPane(nullptr)
{
    m_nIconID = IDR_MAINFRAME;
}

CDlgImgBrowser::~CDlgImgBrowser()
{
    JoinPreviewLoad();
    FreeThumbnails();
    owned_slot::Free(m_pPreviewImage);
}

void CDlgImgBrowser::DoDataExchange(CDataExchange* pDX)
{
    CVXDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BROWSER_GRID, m_wndGrid);
    DDX_Control(pDX, IDC_BROWSER_THUMBS, m_btnThumbs);
    DDX_Control(pDX, IDC_BROWSER_LIST, m_btnList);
    DDX_Control(pDX, IDC_BROWSER_DETAIL, m_btnDetail);
    DDX_Control(pDX, IDC_BROWSER_LOCATION, m_wndLocation);
    DDX_CBString(pDX, IDC_BROWSER_LOCATION, m_strLocation);
}

BOOL CDlgImgBrowser::OnInitDialog()
{
    CVXDialog::OnInitDialog();
    SetUpButtons();
    m_wndLocation.ApplyBackColors(::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOW));
    m_wndLocation.SetComboBoxTextColor(0x008000);
    SetUpGrid();
    if (CMainFrame* frame = browser_shell::MainFrame()) {
        m_pBrowsePane = frame->m_pBrowsePane;
        m_pAlbumPane = frame->m_pAlbumPane;
    }
    CreateViews();
    return TRUE;
}

void CDlgImgBrowser::SetUpButtons()
{
    struct {
        CCheckButton* button;
        int icon;
        int checked;
    } buttons[] = {
        {&m_btnThumbs, IDI_BROWSER_THUMBS, 1},
        {&m_btnDetail, IDI_BROWSER_DETAIL, 0},
        {&m_btnList, IDI_BROWSER_LIST, 0},
    };
    for (auto& b : buttons) {
        b.button->SetColors(0xDCDCDC, CCheckButton::kKeep, ::GetSysColor(COLOR_BTNFACE), CCheckButton::kKeep,
                            0xA0A0A0, CCheckButton::kKeep, 1);
        b.button->SetIcon(b.icon);
        b.button->SetNormalBorder(TRUE);
        b.button->SetBtnCursor(kCursorHand);
        b.button->SetCheck(b.checked);
    }
}

void CDlgImgBrowser::SetUpGrid()
{
    for (int i = 0; i < (int)(sizeof(kGridColours) / sizeof(kGridColours[0])); i++)
        m_wndGrid.InsertColor(i, kGridColours[i]);
    for (int i = 0; i < (int)(sizeof(kColumns) / sizeof(kColumns[0])); i++) {
        _RVSUBITEM sub;
        sub.nMask = 0x4000 + kColumns[i].align;
        sub.iWidth = kColumns[i].width;
        sub.lpszText = kColumns[i].title;
        m_wndGrid.DefineSubItem(i, &sub);
    }
    if (!m_wndGrid.GetVXProfile(theApp.m_strAppKey, kGridProfileEntry)) {
        for (int i = 0; i < (int)(sizeof(kColumns) / sizeof(kColumns[0])); i++)
            m_wndGrid.ActivateSubItem(i, i);
    }
    m_wndGrid.ModifyStyle(0, kGridStyleBits);
    if (m_ilGrid.Create(IDB_ALBUM_TREE, 16, 1, RGB(255, 255, 255)))
        m_wndGrid.SetImageList(&m_ilGrid);
    m_wndGrid.SetBkColor(theApp.m_clrBrowserBk);
}

void CDlgImgBrowser::CreateViews()
{
    CRect empty(0, 0, 0, 0);
    m_pThumbView = static_cast<CMivoImgBrowserView*>(RUNTIME_CLASS(CMivoImgBrowserView)->CreateObject());
    m_pDetailView = static_cast<CImgBrowserDetailView*>(RUNTIME_CLASS(CImgBrowserDetailView)->CreateObject());
    CView* views[] = {m_pThumbView, m_pDetailView};
    for (CView* view : views) {
        CCreateContext context;
        context.m_pNewViewClass = view->GetRuntimeClass();
        // A view that failed to create has deleted itself.
        if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, empty, this, kViewId, &context)) {
            MIVO_WARN(kTraceLumaret, "a browser view could not be created");
            if (view == m_pThumbView)
                m_pThumbView = nullptr;
            else
                m_pDetailView = nullptr;
            continue;
        }
        view->ModifyStyleEx(WS_EX_CLIENTEDGE, 0);
    }
    if (m_pThumbView) {
        m_pThumbView->m_pBrowser = this;
        m_pThumbView->SetBackColor(theApp.m_clrBrowserBk);
        m_pThumbView->SendMessage(WM_INITIALUPDATE);
    }
    if (m_pDetailView) {
        m_pDetailView->m_pBrowser = this;
        m_pDetailView->SendMessage(WM_INITIALUPDATE);
    }
    if (!m_bChild) {
        if (m_pThumbView)
            m_pThumbView->m_bActivateOnClick = FALSE;
        if (m_pDetailView)
            m_pDetailView->m_bActivateOnClick = FALSE;
    }
    CRect grid;
    m_wndGrid.GetWindowRect(&grid);
    ScreenToClient(&grid);
    if (m_pDetailView)
        m_pDetailView->ShowWindow(SW_HIDE);
    if (m_pThumbView)
        m_pThumbView->MoveWindow(&grid);
    if (m_pDetailView)
        m_pDetailView->MoveWindow(&grid);
    m_wndGrid.ShowWindow(SW_HIDE);
    if (m_pThumbView)
        m_pThumbView->ShowWindow(SW_SHOW);
}

CDlgImgBrowser* CDlgImgBrowser::OpenLayer(UINT frameResourceId)
{
    CMainFrame* frame = browser_shell::MainFrame();
    if (!frame)
        return nullptr;
    CDialog* page = OpenLayerViewFromDlg("이미지 브라우저", new CDlgImgBrowser, IDD_IMG_BROWSER, frameResourceId,
                                         frame->m_hWndMDIClient, frame, TRUE, 1);
    return dynamic_cast<CDlgImgBrowser*>(page);
}

// --- Layout and painting -------------------------------------------------------------------

void CDlgImgBrowser::OnSize(UINT nType, int cx, int cy)
{
    CVXDialog::OnSize(nType, cx, cy);
    if (cx == 0 || cy == 0 || browser_shell::IsClosing() || !::IsWindow(m_wndGrid.GetSafeHwnd()))
        return;
    CRect grid;
    m_wndGrid.GetWindowRect(&grid);
    ScreenToClient(&grid);
    CRect place(grid.left, grid.top, cx - grid.left, cy - grid.left);
    m_wndGrid.MoveWindow(&place);
    if (m_pThumbView)
        m_pThumbView->MoveWindow(&place);
    if (m_pDetailView)
        m_pDetailView->MoveWindow(&place);
    if (::IsWindow(m_wndLocation.GetSafeHwnd())) {
        CRect combo;
        m_wndLocation.GetWindowRect(&combo);
        ScreenToClient(&combo);
        m_wndLocation.SetWindowPos(nullptr, 0, 0, cx - grid.left - combo.left, combo.Height(),
                                   SWP_NOMOVE | SWP_NOZORDER);
    }
}

BOOL CDlgImgBrowser::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CRgn all, spared;
    all.CreateRectRgnIndirect(&client);
    if (::IsWindow(m_wndGrid.GetSafeHwnd())) {
        CRect grid;
        m_wndGrid.GetWindowRect(&grid);
        ScreenToClient(&grid);
        spared.CreateRectRgnIndirect(&grid);
        all.CombineRgn(&all, &spared, RGN_DIFF);
    }
    CBrush face(::GetSysColor(COLOR_BTNFACE));
    pDC->FillRgn(&all, &face);
    return FALSE;
}

void CDlgImgBrowser::OnDestroy()
{
    // The workers read the item list and report here: they end before anything goes.
    StopThumbnailThread();
    JoinPreviewLoad();
    CVXDialog::OnDestroy();
    if (::IsWindow(m_wndGrid.GetSafeHwnd()))
        m_wndGrid.WriteVXProfile(theApp.m_strAppKey, kGridProfileEntry);
}

// --- The item list -------------------------------------------------------------------------

int CDlgImgBrowser::AddItem(CString path, int isFolder, int albumId, int seq)
{
    struct stat st;
    bool found = StatPath(path, st);
    int index;
    if (!isFolder) {
        index = m_nItemCount;
        m_arrPath.Add(path);
        m_arrName.Add(LastComponent(path));
        m_arrLabel.Add("");
        m_arrDate.Add(found ? LocalTime(st.st_mtime, "%Y-%m-%d %H:%M") : CString("파일 없음!"));
        m_arrSizeKB.Add(found ? (UINT)((unsigned long long)st.st_size >> 10) : 0);
        m_arrIsFolder.Add(0);
        m_arrAlbumID.Add((UINT)albumId);
        m_arrSeq.Add((UINT)seq);
    } else {
        index = m_nFolderCount;
        CString dir = path.Left(path.GetLength() - LastComponent(path).GetLength());
        if (dir.Right(1) == "\\" || dir.Right(1) == "/")
            dir = dir.Left(dir.GetLength() - 1);
        m_arrPath.InsertAt(index, path);
        m_arrName.InsertAt(index, LastComponent(path));
        m_arrLabel.InsertAt(index, LastComponent(dir));
        m_arrDate.InsertAt(index, found ? LocalTime(st.st_mtime, "%Y-%m-%d") : CString("폴더 없음"));
        m_arrSizeKB.InsertAt(index, (UINT)0);
        m_arrIsFolder.InsertAt(index, (UINT)1);
        // At the folder's own index, so a folder added after files keeps its key beside it.
        m_arrAlbumID.InsertAt(index, (UINT)albumId);
        m_arrSeq.InsertAt(index, (UINT)seq);
        m_nFolderCount++;
    }
    m_arrWidth.InsertAt(index, (UINT)0);
    m_arrHeight.InsertAt(index, (UINT)0);
    m_arrThumbDone.InsertAt(index, (UINT)0);
    m_arrSelected.InsertAt(index, (UINT)0);
    m_arrThumb.InsertAt(index, (void*)nullptr);
    m_nItemCount++;
    return index;
}

BOOL CDlgImgBrowser::IsParentEntry(int index) const
{
    return IsItem(index) && m_arrIsFolder[index] && m_arrName[index] == "..";
}

void CDlgImgBrowser::RemoveEntry(int index)
{
    std::lock_guard<std::mutex> hold(m_itemLock);
    delete static_cast<CImageObject*>(m_arrThumb[index]);
    CStringArray* texts[] = {&m_arrPath, &m_arrName, &m_arrLabel, &m_arrDate};
    for (CStringArray* a : texts)
        a->RemoveAt(index);
    CUIntArray* numbers[] = {&m_arrWidth,    &m_arrHeight, &m_arrSizeKB,    &m_arrIsFolder,
                             &m_arrAlbumID, &m_arrSeq,    &m_arrThumbDone, &m_arrSelected};
    bool folder = m_arrIsFolder[index] != 0;
    for (CUIntArray* a : numbers)
        a->RemoveAt(index);
    m_arrThumb.RemoveAt(index);
    if (index < m_arrTitle.GetSize())
        m_arrTitle.RemoveAt(index);
    m_nItemCount--;
    if (folder)
        m_nFolderCount--;
}

void CDlgImgBrowser::RemoveItem(int index)
{
    if (!IsItem(index))
        AfxThrowInvalidArgException();
    RemoveEntry(index);
    m_bListFilled = FALSE;
}

void CDlgImgBrowser::FreeThumbnails()
{
    std::lock_guard<std::mutex> hold(m_itemLock);
    for (int i = 0; i < m_arrThumb.GetSize(); i++) {
        delete static_cast<CImageObject*>(m_arrThumb[i]);
        m_arrThumb[i] = nullptr;
    }
}

void CDlgImgBrowser::ClearItems()
{
    FreeThumbnails();
    {
        std::lock_guard<std::mutex> hold(m_itemLock);
        CStringArray* texts[] = {&m_arrPath, &m_arrName, &m_arrLabel, &m_arrDate, &m_arrTitle};
        for (CStringArray* a : texts)
            a->RemoveAll();
        CUIntArray* numbers[] = {&m_arrWidth,    &m_arrHeight, &m_arrSizeKB,    &m_arrIsFolder,
                                 &m_arrAlbumID, &m_arrSeq,    &m_arrThumbDone, &m_arrSelected};
        for (CUIntArray* a : numbers)
            a->RemoveAll();
        m_arrThumb.RemoveAll();
        m_nItemCount = 0;
        m_nFolderCount = 0;
    }
    if (m_pThumbView && ::IsWindow(m_pThumbView->GetSafeHwnd()))
        m_pThumbView->Invalidate();
    if (::IsWindow(m_wndGrid.GetSafeHwnd()))
        m_wndGrid.DeleteAllItems();
}

void CDlgImgBrowser::StopThumbnailThread()
{
    if (m_pThumbView)
        m_pThumbView->StopThumbnailThread();
}

void CDlgImgBrowser::StartThumbnailThread()
{
    if (m_pThumbView)
        m_pThumbView->StartThumbnailThread();
}

// --- Panes ---------------------------------------------------------------------------------

CStringArray* CDlgImgBrowser::CheckedFolders() const
{
    return m_pBrowsePane ? &m_pBrowsePane->m_arrCheckedFolders : nullptr;
}

CString CDlgImgBrowser::PaneFile() const
{
    if (m_nMode == MODE_FOLDER)
        return m_pBrowsePane ? m_pBrowsePane->m_strCurPath : CString();
    if (m_nMode == MODE_ALBUM)
        return m_pAlbumPane ? m_pAlbumPane->m_strCurPath : CString();
    return CString();
}

void CDlgImgBrowser::LinkPreviews(BOOL folderPane, BOOL albumPane)
{
    if (m_pBrowsePane)
        m_pBrowsePane->SetPreviewDetailView(folderPane ? m_pDetailView : nullptr);
    if (m_pAlbumPane)
        m_pAlbumPane->SetPreviewDetailView(albumPane ? m_pDetailView : nullptr);
}

// --- View switches -------------------------------------------------------------------------

void CDlgImgBrowser::CheckViewButtons(BOOL thumbs, BOOL list, BOOL detail)
{
    if (::IsWindow(m_btnThumbs.GetSafeHwnd())) {
        m_btnThumbs.SetCheck(thumbs);
        m_btnList.SetCheck(list);
        m_btnDetail.SetCheck(detail);
    }
}

void CDlgImgBrowser::OnShowThumbnails()
{
    ShowThumbnails();
}

void CDlgImgBrowser::OnShowPhotoList()
{
    ShowPhotoList();
}

void CDlgImgBrowser::OnShowDetail()
{
    ShowDetail();
}

void CDlgImgBrowser::ShowThumbnails()
{
    CheckViewButtons(TRUE, FALSE, FALSE);
    if (!m_pThumbView)
        return;
    m_pThumbView->ShowWindow(SW_SHOW);
    if (m_pDetailView)
        m_pDetailView->ShowWindow(SW_HIDE);
    m_wndGrid.ShowWindow(SW_HIDE);
    browser_shell::ActivateView(m_pThumbView);
}

void CDlgImgBrowser::ShowPhotoList()
{
    CheckViewButtons(FALSE, TRUE, FALSE);
    FillPhotoList();
    if (m_pThumbView)
        m_pThumbView->ShowWindow(SW_HIDE);
    if (m_pDetailView)
        m_pDetailView->ShowWindow(SW_HIDE);
    m_wndGrid.ShowWindow(SW_SHOW);
}

void CDlgImgBrowser::ShowDetail()
{
    CheckViewButtons(FALSE, FALSE, TRUE);
    if (m_pThumbView)
        m_pThumbView->ShowWindow(SW_HIDE);
    m_wndGrid.ShowWindow(SW_HIDE);
    if (!m_pDetailView)
        return;
    m_pDetailView->ShowWindow(SW_SHOW);
    browser_shell::ActivateView(m_pDetailView);
    UpdateData(TRUE);
    CString path = PaneFile();
    if (path != m_strPreviewPath && !theApp.m_bBrowserLoading)
        StartPreviewLoad(path);
}

// --- Preview loading -----------------------------------------------------------------------

void CDlgImgBrowser::StartPreviewLoad(const CString& path)
{
    JoinPreviewLoad();
    if (m_pDetailView) {
        m_pDetailView->m_pImgObj = nullptr;
        m_pDetailView->Invalidate();
    }
    owned_slot::Free(m_pPreviewImage);
    m_strPreviewPath = path;
    if (path.IsEmpty())
        return;
    // Set here rather than by the worker, so a second request cannot slip in before it runs.
    theApp.m_bBrowserLoading = 1;
    m_pPreviewImage = new CImageObject(this);
    if (!m_previewWorker.Start(BrowserPreviewLoadThread, this))
        theApp.m_bBrowserLoading = 0;
}

UINT CDlgImgBrowser::BrowserPreviewLoadThread(LPVOID param)
{
    auto* self = static_cast<CDlgImgBrowser*>(param);
    self->m_pPreviewImage->LoadImageFromFile(self->m_strPreviewPath, 1);
    theApp.m_bBrowserLoading = 0;
    return 0;
}

void CDlgImgBrowser::JoinPreviewLoad()
{
    m_previewWorker.Join();
}

LRESULT CDlgImgBrowser::OnImageProgress(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        browser_shell::SetProgress((int)wParam);
    return 0;
}

LRESULT CDlgImgBrowser::OnImageDone(WPARAM, LPARAM)
{
    browser_shell::SetProgress(0);
    if (m_pDetailView && ::IsWindow(m_pDetailView->GetSafeHwnd())) {
        m_pDetailView->m_pImgObj = m_pPreviewImage;
        m_pDetailView->FitImageToView();
        m_pDetailView->UpdateStatusText();
        m_pDetailView->RebuildScrollSizes();
        m_pDetailView->SetNavigationRect();
        m_pDetailView->Invalidate();
    }
    return 0;
}

// --- Location combo and grid notifications -------------------------------------------------

void CDlgImgBrowser::OnLocationSelected()
{
    int sel = m_wndLocation.GetCurSel();
    if (sel >= 0) {
        LPCSTR codeText = m_wndLocation.GetMatchCode(sel);
        int code = codeText ? atoi(codeText) : -1;
        CString text;
        m_wndLocation.GetLBText(sel, text);
        if (code == 0) {
            browser_shell::ShowFolderGroup(kFolderBrowse);
            if (m_pBrowsePane)
                m_pBrowsePane->m_wndTree.SetPathByStr(text);
        } else if (code >= ALBUM_CODE_BASE) {
            browser_shell::ShowFolderGroup(kFolderAlbum);
            if (m_pAlbumPane && ::IsWindow(m_pAlbumPane->m_treeAlbum.GetSafeHwnd())) {
                CTreeCtrl* tree = &m_pAlbumPane->m_treeAlbum;
                HTREEITEM item = SearchTreeItemByData(tree, tree->GetRootItem(), (DWORD_PTR)(code - ALBUM_CODE_BASE));
                if (item)
                    tree->SendMessage(TVM_SELECTITEM, TVGN_CARET, (LPARAM)item);
            }
        }
    }
    if (m_pThumbView)
        m_pThumbView->SetFocus();
}

int CDlgImgBrowser::ItemOfRow(int row)
{
    int index = atoi(m_wndGrid.GetItemText(row, 0));
    if (!IsItem(index))
        AfxThrowInvalidArgException();
    return index;
}

void CDlgImgBrowser::OnRowClicked(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* record = reinterpret_cast<_NMREPORTVIEW*>(pNMHDR);
    *pResult = 0;
    if (record->iItem < 0 || record->iSubItem < 0)
        return;
    m_nCurRow = record->iItem;
    BOOL editable = record->iSubItem == 2 && (m_nMode == MODE_ALBUM || m_nMode == MODE_SEARCH);
    m_wndGrid.ModifyStyle(editable ? 0 : RVS_FOCUSSUBITEMS, editable ? RVS_FOCUSSUBITEMS : 0);
}

void CDlgImgBrowser::OnRowSelected(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* record = reinterpret_cast<_NMREPORTVIEW*>(pNMHDR);
    *pResult = 1;
    if (record->iItem < 0 || record->nState != 3)
        return;
    m_nCurRow = record->iItem;
    int index = ItemOfRow(record->iItem);
    CMainFrame::OpenImageInPane(m_wndGrid.GetItemText(record->iItem, 6), m_nMode, (int)m_arrAlbumID[index],
                                (int)m_arrSeq[index]);
}

void CDlgImgBrowser::OnGridReplyZero(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CDlgImgBrowser::OnGridReplyOne(NMHDR*, LRESULT* pResult)
{
    *pResult = 1;
}
