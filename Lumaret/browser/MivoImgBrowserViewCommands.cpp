// The thumbnail view's context menu and the commands that hand its selection to the program.
#include "browser/MivoImgBrowserView.h"

#include "album/AlbumDetailStore.h"
#include "album/AlbumTables.h"
#include "album/DlgConsoleBrowse.h"
#include "album/DlgImgBrowseFilter.h"
#include "album/DlgImgBrowseFrame.h"
#include "album/DesktopWallpaper.h"
#include "album/DlgAlbumSelect.h"
#include "album/DlgRenameFile.h"
#include "album/ThumbnailCache.h"
#include "browser/BrowserShell.h"
#include "browser/DlgImgBrowseResize.h"
#include "browser/DlgImgSlideShow.h"
#include "browser/DlgImgBrowser.h"
#include "calendar/DlgImgAppCalendar.h"
#include "controls/VXMenu.h"
#include "editor/ImgEditView.h"
#include "framework/ODBCQuery.h"
#include "framework/VXUtil.h"
#include "image/ImageMessages.h"
#include "image/ImageObject.h"
#include "mivo/Trace.h"
#include "shell/MainApp.h"
#include "shell/MainFrame.h"

#include "resource.h"
#include "editor/OwnedSlot.h"

#include <memory>

namespace {

const UINT kMenuToolbar = IDR_MENUIMAGES;
// The edit loader's report for an entry it could not load.
const LPARAM kEditLoadFailed = 1;

// Greys a command wherever it stands in the menu or its sub-menus.
void Grey(CMenu* menu, UINT id)
{
    if (!menu)
        return;
    menu->EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    for (int i = 0; i < (int)menu->GetMenuItemCount(); i++)
        if (CMenu* sub = menu->GetSubMenu(i))
            Grey(sub, id);
}

}  // namespace

BEGIN_MESSAGE_MAP(CMivoImgBrowserView, CScrollView)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IMAGE_PROGRESS, OnImageProgress)
    ON_MESSAGE(WM_IMAGE_DONE, OnImageDone)
    ON_COMMAND(ID_BROWSER_SLIDESHOW, OnSlideShow)
    ON_COMMAND(ID_BROWSER_EDIT, OnEdit)
    ON_COMMAND(ID_BROWSER_DETAIL, OnDetail)
    ON_COMMAND(ID_BROWSER_LINKED_PROGRAM, OnLinkedProgram)
    ON_COMMAND_RANGE(ID_BROWSER_WALLPAPER_CENTER, ID_BROWSER_WALLPAPER_STRETCH, OnWallpaper)
    ON_COMMAND(ID_BROWSER_ADD_TO_ALBUM, OnAddToAlbum)
    ON_COMMAND(ID_BROWSER_RENAME, OnRename)
    ON_COMMAND(ID_BROWSER_CALENDAR, OnMakeCalendar)
    ON_COMMAND(ID_BROWSER_REMOVE, OnRemove)
    ON_COMMAND(ID_BROWSER_FILTER, OnBatchFilter)
    ON_COMMAND(ID_BROWSER_RESIZE, OnBatchResize)
    ON_COMMAND(ID_BROWSER_FRAME, OnBatchFrame)
    ON_COMMAND(ID_EDIT_CUT, OnCut)
    ON_COMMAND(ID_EDIT_COPY, OnCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnPaste)
    ON_COMMAND(ID_BROWSER_EXCLUDE, OnExclude)
    ON_COMMAND(ID_BROWSER_SELECT_ALL, OnSelectAll)
    ON_COMMAND(ID_BROWSER_REFRESH, OnRefresh)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateSelection)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateSelection)
    ON_UPDATE_COMMAND_UI_RANGE(ID_BROWSER_WALLPAPER_CENTER, ID_BROWSER_WALLPAPER_STRETCH, OnUpdateOneSelected)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdatePaste)
    ON_COMMAND(ID_BROWSER_PRINT, OnPrintPictures)
    ON_UPDATE_COMMAND_UI(ID_BROWSER_PRINT, OnUpdateSelection)
    ON_UPDATE_COMMAND_UI(ID_BROWSER_CALENDAR, OnUpdateOneSelected)
    ON_UPDATE_COMMAND_UI(ID_BROWSER_RESIZE, OnUpdateSelection)
    ON_UPDATE_COMMAND_UI(ID_BROWSER_FILTER, OnUpdateSelection)
    ON_UPDATE_COMMAND_UI(ID_BROWSER_FRAME, OnUpdateSelection)
    ON_COMMAND(ID_BROWSER_CART, OnAddToCart)
    ON_UPDATE_COMMAND_UI(ID_BROWSER_CART, OnUpdateSelection)
END_MESSAGE_MAP()

// --- Context menu --------------------------------------------------------------------------

CMenu* CMivoImgBrowserView::BuildContextMenu(CVXMenu& menu, int clicked)
{
    if (!m_pBrowser || !menu.LoadMenu(IDR_BROWSER_MENU))
        return nullptr;
    UINT toolbars[] = {kMenuToolbar};
    menu.LoadToolbars(toolbars, 1);
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return nullptr;
    CDlgImgBrowser& b = *m_pBrowser;
    m_nSelCount = (int)Selection().size();
    const BOOL none = m_nSelCount == 0, notOne = m_nSelCount != 1;
    const BOOL folderListing = b.m_nMode == CDlgImgBrowser::MODE_FOLDER;
    if (!folderListing) {
        if (CVXMenu* vx = dynamic_cast<CVXMenu*>(popup))
            vx->SetMenuText(ID_BROWSER_REMOVE, "앨범에서 제거", MF_BYCOMMAND);
        else
            popup->ModifyMenu(ID_BROWSER_REMOVE, MF_BYCOMMAND | MF_STRING, ID_BROWSER_REMOVE, "앨범에서 제거");
    }
    // "자세히 보기" and the linked program act on the file the pane shows: only when that is
    // the item right-clicked.
    CString paneFile = b.PaneFile();
    BOOL paneShowsClicked = b.IsItem(clicked) && !paneFile.IsEmpty() && b.m_arrPath[clicked] == paneFile;
    struct Rule {
        UINT id;
        BOOL grey;
    } rules[] = {
        {ID_BROWSER_SLIDESHOW, none},
        {ID_BROWSER_EDIT, none},
        {ID_BROWSER_DETAIL, !paneShowsClicked},
        {ID_BROWSER_LINKED_PROGRAM, !paneShowsClicked},
        {ID_BROWSER_WALLPAPER_CENTER, notOne},
        {ID_BROWSER_WALLPAPER_TILE, notOne},
        {ID_BROWSER_WALLPAPER_STRETCH, notOne},
        {ID_BROWSER_ADD_TO_ALBUM, !folderListing || none},
        {ID_BROWSER_RENAME, !(folderListing && m_nSelCount == 1)},
        {ID_BROWSER_CALENDAR, notOne},
        {ID_BROWSER_REMOVE, none},
        {ID_EDIT_CUT, none},
        {ID_EDIT_COPY, none},
        {ID_EDIT_PASTE, theApp.m_arrClipPaths.GetSize() == 0 || b.m_nMode == CDlgImgBrowser::MODE_SEARCH},
        {ID_BROWSER_EXCLUDE, none},
        {ID_BROWSER_FILTER, none},
        {ID_BROWSER_RESIZE, none},
        {ID_BROWSER_FRAME, none},
        {ID_BROWSER_PRINT, none},
        {ID_BROWSER_CART, none},
    };
    for (const Rule& rule : rules)
        if (rule.grey)
            Grey(popup, rule.id);
    return popup;
}

void CMivoImgBrowserView::ShowContextMenu(int clicked)
{
    m_nClickedItem = clicked;
    CVXMenu menu;
    CMenu* popup = BuildContextMenu(menu, clicked);
    if (!popup)
        return;
    CPoint screen;
    ::GetCursorPos(&screen);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

void CMivoImgBrowserView::OnUpdateSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!Selection().empty());
}

void CMivoImgBrowserView::OnUpdateOneSelected(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(Selection().size() == 1);
}

void CMivoImgBrowserView::OnUpdatePaste(CCmdUI* pCmdUI)
{
    BOOL listing = m_pBrowser && ((m_pBrowser->m_nMode == CDlgImgBrowser::MODE_FOLDER && !m_pBrowser->m_bMultiFolder) ||
                                  m_pBrowser->m_nMode == CDlgImgBrowser::MODE_ALBUM);
    pCmdUI->Enable(theApp.m_arrClipPaths.GetSize() > 0 && listing);
}

// --- Commands ------------------------------------------------------------------------------

void CMivoImgBrowserView::OnSlideShow()
{
    std::vector<int> selected = Selection();
    if (!m_pBrowser || !m_pBrowser->IsItem(m_nFocus))
        OpenSlideShow(-1, FALSE);
    else
        OpenSlideShow(m_nFocus, selected.size() > 1);
}

void CMivoImgBrowserView::OpenSlideShow(int start, BOOL selectedOnly)
{
    // A listing without files has nothing to show.
    auto show = std::make_unique<CDlgImgSlideShow>();
    if (!show->TakeItems(this, start, selectedOnly))
        return;
    if (show->Open())
        show.release();
}

void CMivoImgBrowserView::OnEdit()
{
    if (!m_pBrowser)
        return;
    std::vector<int> selected = Selection();
    if (selected.empty())
        return;
    CMainFrame* frame = browser_shell::MainFrame();
    if (selected.size() == 1) {
        if (frame)
            frame->OpenImageEditor(m_pBrowser->m_arrPath[selected[0]], "");
        return;
    }
    // A new command waits for the last one's loads and drops what it had not handed over.
    m_editLoader.Join();
    FreeEditImages();
    m_arrEditorViews.RemoveAll();
    GetDocViewList("ImgEdit", &m_arrEditorViews);
    m_nEditNext = 0;
    for (int i : selected) {
        const CString& path = m_pBrowser->m_arrPath[i];
        m_arrEditPaths.Add(path);
        if (IsOpenInEditor(path)) {
            if (frame)
                frame->OpenImageEditor(path, "");
            m_arrEditImages.Add(nullptr);
        } else {
            m_arrEditImages.Add(new CImageObject(this));
        }
    }
    m_editLoader.Start(EditImageLoadThread, this);
}

// Loads the entries recorded by the command, one completion report per entry, in order.
UINT CMivoImgBrowserView::EditImageLoadThread(LPVOID param)
{
    auto* view = static_cast<CMivoImgBrowserView*>(param);
    for (int k = 0; k < view->m_arrEditPaths.GetSize(); k++) {
        auto* image = static_cast<CImageObject*>(view->m_arrEditImages[k]);
        if (!image) {
            ::SendMessage(view->m_hWnd, WM_IMAGE_DONE, 100, 0);
            continue;
        }
        // The image reports its own completion; a failed load is reported here instead.
        if (!image->LoadImageFromFile(view->m_arrEditPaths[k], TRUE) || !image->IsLoaded())
            ::SendMessage(view->m_hWnd, WM_IMAGE_DONE, 100, kEditLoadFailed);
    }
    return 0;
}

LRESULT CMivoImgBrowserView::OnImageDone(WPARAM, LPARAM lParam)
{
    int k = m_nEditNext;
    if (k < 0 || k >= m_arrEditImages.GetSize())
        return 0;
    m_nEditNext = k + 1;
    std::unique_ptr<CImageObject> image(static_cast<CImageObject*>(m_arrEditImages[k]));
    if (!image)
        return 0;
    m_arrEditImages[k] = nullptr;
    if (lParam == kEditLoadFailed)
        return 0;
    CMainFrame* frame = browser_shell::MainFrame();
    CImgEditView* editor = frame ? frame->OpenImageEditor("", "") : nullptr;
    if (!editor)
        return 0;
    image->SetParent(editor);
    owned_slot::Replace(editor->m_pImage, std::move(image));
    editor->m_strPathName = m_arrEditPaths[k];
    editor->OnImageLoaded(100, 0);
    editor->Invalidate();
    return 0;
}

void CMivoImgBrowserView::OnDetail()
{
    if (m_pBrowser)
        m_pBrowser->ShowDetail();
}

void CMivoImgBrowserView::OnLinkedProgram()
{
    if (!m_pBrowser)
        return;
    if (theApp.m_strLinkPrg.IsEmpty()) {
        AfxMessageBox("외부 프로그램이 지정되지 않았습니다.\r\n메인 메뉴의 [보기]->[환경관리] 에서 외부편집기를 "
                      "지정하십시요.");
        return;
    }
    // Quoted, so a path with blanks stays one argument.
    CString file = m_pBrowser->PaneFile();
    CString argument = file.IsEmpty() ? CString() : "\"" + file + "\"";
    ::ShellExecuteA(m_hWnd, "open", theApp.m_strLinkPrg, argument, nullptr, SW_SHOW);
}

void CMivoImgBrowserView::OnWallpaper(UINT nID)
{
    std::vector<int> selected = Selection();
    if (!m_pBrowser || selected.size() != 1)
        return;
    CWaitCursor wait;
    CDesktopWallpaper wallpaper;
    if (!wallpaper.PrepareFromFile(m_pBrowser->m_arrPath[selected[0]]))
        return;
    if (nID == ID_BROWSER_WALLPAPER_CENTER)
        wallpaper.ApplyCentered();
    else if (nID == ID_BROWSER_WALLPAPER_TILE)
        wallpaper.ApplyTiled();
    else
        wallpaper.ApplyStretched();
}

void CMivoImgBrowserView::OnAddToAlbum()
{
    std::vector<int> selected = Selection();
    if (!m_pBrowser || selected.empty())
        return;
    CDlgAlbumSelect picker(this);
    if (picker.DoModal() != IDOK)
        return;
    int added = 0;
    {
        CWaitCursor wait;
        std::vector<AlbumEntry> entries;
        for (int i : selected)
            entries.push_back(AlbumEntry{CAlbumTables::KIND_FILE, m_pBrowser->m_arrPath[i]});
        added = CAlbumTables::AddToAlbum(picker.m_nSelAlbumID, entries);
    }
    CString message;
    message.Format("%d 이미지가 앨범에 추가되었습니다.", added);
    AfxMessageBox(message);
}

void CMivoImgBrowserView::OnRename()
{
    std::vector<int> selected = Selection();
    if (!m_pBrowser || m_pBrowser->m_nMode != CDlgImgBrowser::MODE_FOLDER || selected.size() != 1)
        return;
    // The one selected file, whichever item the mouse last touched.
    int item = selected[0];
    CDlgRenameFile dialog(this);
    dialog.m_strPath = m_pBrowser->m_arrPath[item];
    if (dialog.DoModal() != IDOK)
        return;
    StopThumbnailThread();
    char dir[_MAX_PATH], name[_MAX_PATH], ext[_MAX_EXT];
    DivideFilePathAndName(dialog.m_strNewPath, dir, name, ext);
    m_pBrowser->m_arrPath[item] = dialog.m_strNewPath;
    m_pBrowser->m_arrName[item] = name;
    m_pBrowser->m_bListFilled = FALSE;
    InvalidateFrame(item, TRUE);
    StartThumbnailThread();
}

void CMivoImgBrowserView::OnMakeCalendar()
{
    std::vector<int> selected = Selection();
    if (!m_pBrowser || selected.size() != 1)
        return;
    CDlgImgAppCalendar dialog(nullptr);
    dialog.m_bFromFile = 1;
    dialog.m_strSrcPath = m_pBrowser->m_arrPath[selected[0]];
    dialog.DoModal();
}

void CMivoImgBrowserView::OnBatchFilter()
{
    CDlgImgBrowseFilter dlg;
    RunBatchDialog(dlg);
}

void CMivoImgBrowserView::OnBatchResize()
{
    CDlgImgBrowseResize dlg;
    RunBatchDialog(dlg);
}

void CMivoImgBrowserView::OnBatchFrame()
{
    CDlgImgBrowseFrame dlg;
    RunBatchDialog(dlg);
}

void CMivoImgBrowserView::RunBatchDialog(CDlgImgBatch& dlg)
{
    if (!m_pBrowser)
        return;
    CDlgImgBrowser& b = *m_pBrowser;
    for (int item : Selection()) {
        dlg.m_arrSrcPath.Add(b.m_arrPath[item]);
        dlg.m_arrSrcName.Add(b.m_arrName[item]);
        dlg.m_arrDstName.Add("");
        dlg.m_arrDstPath.Add("");
    }
    dlg.DoModal();
    if (!dlg.m_bChanged)
        return;
    if (!dlg.m_bSameFolder) {
        if (b.BrowsePane())
            b.BrowsePane()->m_wndTree.SetPathByStr(dlg.m_strFolder);
        return;
    }
    for (int i = 0; i < (int)b.m_arrSelected.GetSize(); i++)
        b.m_arrSelected[i] = 0;
    m_nSelCount = 0;
    if (b.m_nMode == CDlgImgBrowser::MODE_FOLDER)
        b.ListFolder(b.m_strLocation, TRUE);
    else if (b.m_nMode == CDlgImgBrowser::MODE_ALBUM)
        b.ListAlbum(b.m_nAlbumID, TRUE);
}

void CMivoImgBrowserView::OnRemove()
{
    if (!m_pBrowser || Selection().empty())
        return;
    CDlgImgBrowser& b = *m_pBrowser;
    const BOOL folderListing = b.m_nMode == CDlgImgBrowser::MODE_FOLDER;
    const char* question = folderListing ? "해당 파일(들)을 삭제하시겠습니까?"
                                         : "해당 파일(들)을 앨범에서 제거하시겠습니까?  \r\n(이미지 파일은 삭제되지 않습니다.)";
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    StopThumbnailThread();
    int removed = 0;
    std::unique_ptr<CODBCQuery> query;
    if (!folderListing)
        query = CAlbumTables::OpenUserQuery();
    for (int i = b.m_nItemCount - 1; i >= 0; i--) {
        if (!b.m_arrSelected[i] || b.m_arrIsFolder[i] || IsOpenInEditor(b.m_arrPath[i]))
            continue;
        CString path = b.m_arrPath[i];
        if (folderListing) {
            if (!::DeleteFileA(path))
                continue;
            CThumbnailCache().DeleteByPath(path);
            CAlbumDetailStore().DeleteByPath(path);
        } else {
            query->ResetQuery();
            CString filter;
            filter.Format("AlbumID = %d and %s", (int)b.m_arrAlbumID[i],
                          (LPCSTR)CAlbumTables::ExactPathFilter("PathName", path));
            query->SetFilter(filter);
            if (!query->RunStructQuery("Delete From AlbumDetail "))
                continue;
        }
        b.RemoveItem(i);
        removed++;
    }
    if (query && removed > 0) {
        query->Commit();
        query->CloseQuery();
    }
    if (!b.IsItem(m_nFocus))
        m_nFocus = -1;
    if (removed > 0)
        Invalidate(TRUE);
    StartThumbnailThread();
}

void CMivoImgBrowserView::OnCut()
{
    Cut();
}

void CMivoImgBrowserView::OnCopy()
{
    Copy();
}

void CMivoImgBrowserView::OnPaste()
{
    Paste();
}

void CMivoImgBrowserView::OnExclude()
{
    if (!m_pBrowser)
        return;
    StopThumbnailThread();
    for (int i = m_pBrowser->m_nItemCount - 1; i >= 0; i--)
        if (m_pBrowser->m_arrSelected[i])
            m_pBrowser->RemoveItem(i);
    if (!m_pBrowser->IsItem(m_nFocus))
        m_nFocus = -1;
    StartThumbnailThread();
    RecalcScrollSizes();
    Invalidate(TRUE);
    UpdateStatusText();
}

void CMivoImgBrowserView::OnSelectAll()
{
    if (!m_pBrowser)
        return;
    for (int i = 0; i < m_pBrowser->m_nItemCount; i++)
        if (!m_pBrowser->m_arrIsFolder[i])
            m_pBrowser->m_arrSelected[i] = 1;
    Invalidate(TRUE);
    UpdateStatusText();
}

void CMivoImgBrowserView::RelistOrNothing()
{
    if (m_pBrowser->m_nMode == CDlgImgBrowser::MODE_FOLDER)
        m_pBrowser->ListFolder(m_pBrowser->m_strLocation, TRUE);
    else if (m_pBrowser->m_nMode == CDlgImgBrowser::MODE_ALBUM)
        m_pBrowser->ListAlbum(m_pBrowser->m_nAlbumID, TRUE);
}

void CMivoImgBrowserView::OnRefresh()
{
    if (!m_pBrowser)
        return;
    std::vector<int> selected = Selection();
    if (selected.empty()) {
        RelistOrNothing();
        return;
    }
    StopThumbnailThread();
    CDlgImgBrowser& b = *m_pBrowser;
    for (int i : selected) {
        {
            std::lock_guard<std::mutex> hold(b.ItemLock());
            if (!b.m_arrThumb[i])
                continue;
            delete static_cast<CImageObject*>(b.m_arrThumb[i]);
            b.m_arrThumb[i] = nullptr;
            b.m_arrThumbDone[i] = 0;
        }
        CThumbnailCache().DeleteByPath(b.m_arrPath[i]);
    }
    StartThumbnailThread();
}
