// The thumbnail view's file clipboard (cut, copy, paste of paths) and the dragged photo list.
#include "browser/MivoImgBrowserView.h"

#include "album/AlbumDetailStore.h"
#include "album/AlbumTables.h"
#include "album/ThumbnailCache.h"
#include "browser/DlgImgBrowser.h"
#include "framework/ODBCQuery.h"
#include "shell/MainApp.h"

#include <cstring>
#include <memory>

namespace {

CString FileNameOf(const CString& path)
{
    char drive[_MAX_DRIVE], dir[_MAX_DIR], name[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(path, drive, dir, name, ext);
    return CString(name) + ext;
}

}  // namespace

BOOL CMivoImgBrowserView::IsOpenInEditor(const CString& path) const
{
    for (int i = 0; i < m_arrEditorViews.GetSize(); i++) {
        auto* view = static_cast<CView*>(m_arrEditorViews[i]);
        CDocument* doc = view ? view->GetDocument() : nullptr;
        if (doc && path.CompareNoCase(doc->GetPathName()) == 0)
            return TRUE;
    }
    return FALSE;
}

static void FillClipboard(CMivoImgBrowserView& view, UINT move)
{
    CDlgImgBrowser& b = *view.m_pBrowser;
    theApp.m_arrClipPaths.RemoveAll();
    theApp.m_arrClipKinds.RemoveAll();
    theApp.m_arrClipMove.RemoveAll();
    for (int i : view.Selection()) {
        if (view.IsOpenInEditor(b.m_arrPath[i]))
            continue;
        UINT kind = b.m_nMode != CDlgImgBrowser::MODE_FOLDER ? b.m_arrAlbumID[i] + CAlbumTables::KIND_ALBUM_BASE
                                                             : (b.m_arrIsFolder[i] ? 1u : 0u);
        theApp.m_arrClipPaths.Add(b.m_arrPath[i]);
        theApp.m_arrClipKinds.Add(kind);
        theApp.m_arrClipMove.Add(move);
    }
}

void CMivoImgBrowserView::Cut()
{
    if (m_pBrowser && !Selection().empty())
        FillClipboard(*this, 1);
}

void CMivoImgBrowserView::Copy()
{
    if (m_pBrowser && !Selection().empty())
        FillClipboard(*this, 0);
}

void CMivoImgBrowserView::Paste()
{
    if (!m_pBrowser || theApp.m_arrClipPaths.GetSize() == 0)
        return;
    if (m_pBrowser->m_nMode == CDlgImgBrowser::MODE_FOLDER && !m_pBrowser->m_bMultiFolder)
        PasteIntoFolder();
    else if (m_pBrowser->m_nMode == CDlgImgBrowser::MODE_ALBUM)
        PasteIntoAlbum();
}

void CMivoImgBrowserView::PasteIntoFolder()
{
    CDlgImgBrowser& b = *m_pBrowser;
    const CString target = b.m_strLocation;
    int pasted = 0;
    BOOL moved = FALSE;
    StopThumbnailThread();
    {
        CWaitCursor wait;
        for (int e = 0; e < theApp.m_arrClipPaths.GetSize(); e++) {
            if (theApp.m_arrClipKinds[e] == CAlbumTables::KIND_FOLDER)
                continue;
            CString source = theApp.m_arrClipPaths[e];
            CString newPath = target + FileNameOf(source);
            if (newPath == source)
                continue;
            BOOL done;
            if (theApp.m_arrClipMove[e]) {
                moved = TRUE;
                done = ::MoveFileA(source, newPath);
                if (done) {
                    CThumbnailCache().RenamePath(source, newPath);
                    CAlbumDetailStore().RenamePath(source, newPath);
                }
            } else {
                done = ::CopyFileA(source, newPath, TRUE);
                if (done)
                    CThumbnailCache().CopyEntry(source, newPath);
            }
            if (!done)
                continue;
            int index = b.AddItem(newPath, 0, -1, -1);
            b.m_arrSelected[index] = 1;
            pasted++;
        }
    }
    CString message;
    if (pasted > 0)
        message.Format(moved ? "%d 파일을 \r%s 폴더로 \r이동했습니다." : "%d 파일을 \r%s 폴더로 \r복사했습니다.", pasted,
                       (LPCSTR)target);
    else
        message = "파일 이동(복사)이 이루어지지 않았습니다.";
    AfxMessageBox(message, MB_OK);
    // The loader goes on with what it had not reached, and the new files.
    StartThumbnailThread();
}

void CMivoImgBrowserView::PasteIntoAlbum()
{
    CDlgImgBrowser& b = *m_pBrowser;
    const int album = b.m_nAlbumID;
    StopThumbnailThread();
    {
        CWaitCursor wait;
        std::unique_ptr<CODBCQuery> query = CAlbumTables::OpenUserQuery();
        int seq = CAlbumTables::NextSeq(*query, album);
        for (int e = 0; e < theApp.m_arrClipPaths.GetSize(); e++) {
            int kind = (int)theApp.m_arrClipKinds[e];
            BOOL move = theApp.m_arrClipMove[e] != 0;
            if (kind == CAlbumTables::KIND_FOLDER)
                continue;
            // A photo cut from this very album stays where it is.
            if (kind == album + CAlbumTables::KIND_ALBUM_BASE && move)
                continue;
            CString path = theApp.m_arrClipPaths[e];
            query->ResetQuery();
            query->SetNumberColumn("AlbumID", album, 0);
            query->SetNumberColumn("Seq", seq, 0);
            query->SetStringColumn(CString("PathName"), path, 1);
            BOOL inserted = query->RunStructQuery("Insert Into AlbumDetail ");
            int index = b.AddItem(path, 0, album, seq);
            b.m_arrSelected[index] = 1;
            seq++;
            // A photo leaves its source album only once its new row is stored.
            if (inserted && kind >= CAlbumTables::KIND_ALBUM_BASE && move) {
                query->ResetQuery();
                CString filter;
                filter.Format("AlbumID = %d and %s", kind - CAlbumTables::KIND_ALBUM_BASE,
                              (LPCSTR)CAlbumTables::ExactPathFilter("PathName", path));
                query->SetFilter(filter);
                query->RunStructQuery("Delete From AlbumDetail ");
            }
        }
        query->Commit();
        query->CloseQuery();
    }
    StartThumbnailThread();
}

CString CMivoImgBrowserView::DragText()
{
    CString text;
    if (!m_pBrowser)
        return text;
    CDlgImgBrowser& b = *m_pBrowser;
    std::vector<int> selected = Selection();
    auto entry = [&](int i, UINT kind) {
        CString line;
        line.Format("%u\t%s\r", kind, (LPCSTR)b.m_arrPath[i]);
        text += line;
    };
    if (!b.IsItem(m_nFocus))
        return text;
    if (!b.m_arrSelected[m_nFocus] || selected.size() < 2) {
        entry(m_nFocus, b.m_arrIsFolder[m_nFocus] ? 1u : 0u);
        return text;
    }
    for (int i : selected) {
        if (IsOpenInEditor(b.m_arrPath[i]))
            continue;
        entry(i, b.m_nMode != CDlgImgBrowser::MODE_FOLDER ? b.m_arrAlbumID[i] + CAlbumTables::KIND_ALBUM_BASE
                                                          : (b.m_arrIsFolder[i] ? 1u : 0u));
    }
    return text;
}

void CMivoImgBrowserView::StartDrag()
{
    CString text = DragText();
    m_bOverThumb = FALSE;
    m_bDragArmed = FALSE;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, (SIZE_T)text.GetLength() + 1);
    if (!block)
        return;
    if (char* bytes = static_cast<char*>(::GlobalLock(block))) {
        memcpy(bytes, (LPCSTR)text, (size_t)text.GetLength() + 1);
        ::GlobalUnlock(block);
    }
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, block);
    source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
}
