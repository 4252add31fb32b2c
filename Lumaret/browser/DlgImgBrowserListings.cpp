// The browser's listings (a folder, an album, a keyword search) and the photo-list grid.
#include "browser/DlgImgBrowser.h"

#include "album/AlbumTables.h"
#include "album/DlgConsoleBrowse.h"
#include "browser/MivoImgBrowserView.h"
#include "framework/ODBCQuery.h"
#include "mivo/Trace.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <set>

namespace {

// Albums are nested only a few deep; a longer walk is a damaged table.
const int kLongestAlbumWalk = 1000;

bool IsListedImage(const CString& path)
{
    CString ext = path.Right(4);
    return ext.CompareNoCase(".JPG") == 0 || ext.CompareNoCase(".BMP") == 0 || ext.CompareNoCase(".GIF") == 0;
}

// The drive and directory part of a path, with its trailing backslash.
CString DirectoryOf(const CString& path)
{
    int cut = -1;
    for (int i = 0; i < path.GetLength(); i++) {
        unsigned char c = (unsigned char)path[i];
        if (c >= 0x81 && i + 1 < path.GetLength()) {
            i++;
            continue;
        }
        if (c == '\\' || c == '/')
            cut = i;
    }
    return path.Left(cut + 1);
}

bool Contains(const CStringArray* list, const CString& text)
{
    if (!list)
        return false;
    for (int i = 0; i < list->GetSize(); i++)
        if (list->GetAt(i) == text)
            return true;
    return false;
}

int ToInt(const char* text)
{
    return text ? (int)std::strtol(text, nullptr, 10) : 0;
}

}  // namespace

void CDlgImgBrowser::SelectLocation(const CString& text, const CString& code)
{
    if (!::IsWindow(m_wndLocation.GetSafeHwnd()))
        return;
    int found = m_wndLocation.FindStringExact(-1, text);
    if (found < 0)
        found = m_wndLocation.AddStringCode(text, code);
    m_wndLocation.SetCurSel(found);
}

void CDlgImgBrowser::ListFolder(CString path, BOOL force)
{
    CString dir = DirectoryOf(path);
    if (dir == m_strLocation && !force)
        return;
    m_strLocation = dir;
    SelectLocation(dir, "0");
    m_nMode = MODE_FOLDER;
    m_nAlbumID = -1;
    StopThumbnailThread();
    LinkPreviews(TRUE, FALSE);

    CStringArray* checked = CheckedFolders();
    m_bMultiFolder = checked && checked->GetSize() > 0 && checked->GetAt(0) != dir;
    for (int i = m_nItemCount - 1; i >= 0; i--)
        if (!Contains(checked, DirectoryOf(m_arrPath[i])))
            RemoveItem(i);
    if (Contains(checked, dir)) {
        m_bListFilled = FALSE;
        StartThumbnailThread();
        return;
    }

    CString pattern;
    pattern.Format(dir.Right(1) == "\\" ? "%s*.*" : "%s\\*.*", (LPCSTR)dir);
    WIN32_FIND_DATA found;
    HANDLE search = ::FindFirstFile(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    {
        CWaitCursor wait;
        do {
            CString name = found.cFileName;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (name.Right(1) == "." && name.Right(2) != "..")
                    continue;
                AddItem(dir + name, 1, -1, -1);
            } else if (IsListedImage(name)) {
                AddItem(dir + name, 0, -1, -1);
            }
        } while (::FindNextFile(search, &found));
        ::FindClose(search);
    }
    ShowThumbnails();
    m_bListFilled = FALSE;
    StartThumbnailThread();
}

CString CDlgImgBrowser::AlbumPath(int albumId)
{
    std::unique_ptr<CODBCQuery> query = CAlbumTables::OpenUserQuery();
    CString path;
    std::set<int> seen;
    int id = albumId;
    while ((int)seen.size() < kLongestAlbumWalk && seen.insert(id).second) {
        query->ResetQuery();
        query->SetStringColumn(CString("AlbumID"), CString(), 0);
        query->SetStringColumn(CString("AlbumName"), CString(), 0);
        query->SetStringColumn(CString("Parent"), CString(), 0);
        query->SetDataBufSize(CString("AlbumName"), CAlbumTables::LONGEST_PATH);
        CString filter;
        filter.Format("AlbumID = %d", id);
        query->SetFilter(filter);
        if (!query->RunStructQuery("Select From AlbumMaster ") || !query->FetchNextRow())
            break;
        CString name = query->ColumnValue(1, 1);
        int parent = ToInt(query->ColumnValue(2, 0));
        path = "->" + name + path;
        if (parent == 0)
            break;
        id = parent;
    }
    return path.Mid(2);
}

void CDlgImgBrowser::ListAlbum(int albumId, BOOL force)
{
    if (albumId == m_nAlbumID && !force)
        return;
    m_nAlbumID = albumId;
    m_nMode = MODE_ALBUM;
    LinkPreviews(FALSE, TRUE);
    m_strLocation.Empty();
    StopThumbnailThread();
    if (::IsWindow(m_hWnd))
        UpdateData(FALSE);
    ClearItems();

    CString location = "[앨범]" + AlbumPath(albumId);
    CString code;
    code.Format("%d", albumId + ALBUM_CODE_BASE);
    SelectLocation(location, code);

    std::unique_ptr<CODBCQuery> query = CAlbumTables::OpenUserQuery();
    query->ResetQuery();
    for (const char* column : {"AlbumID", "Seq", "Title", "PathName"})
        query->SetStringColumn(CString(column), CString(), 0);
    query->SetDataBufSize(CString("Title"), CAlbumTables::LONGEST_PATH);
    query->SetDataBufSize(CString("PathName"), CAlbumTables::LONGEST_PATH);
    CString filter;
    filter.Format("AlbumID = %d", albumId);
    query->SetFilter(filter);
    query->m_strOrder = "order by Seq";
    if (query->RunStructQuery("Select From AlbumDetail ")) {
        while (query->FetchNextRow()) {
            CString path = query->ColumnValue(3, 1);
            if (IsListedImage(path))
                AddItem(path, 0, ToInt(query->ColumnValue(0, 0)), ToInt(query->ColumnValue(1, 0)));
        }
    }
    ShowThumbnails();
    m_bListFilled = FALSE;
    StartThumbnailThread();
}

void CDlgImgBrowser::SearchAlbums(CString keyword)
{
    m_nMode = MODE_SEARCH;
    LinkPreviews(FALSE, TRUE);
    m_strLocation.Empty();
    m_nAlbumID = -1;
    StopThumbnailThread();
    if (::IsWindow(m_hWnd))
        UpdateData(FALSE);
    {
        CWaitCursor wait;
        ClearItems();
        // Stored text keeps apostrophes as 0x1E: the keyword is looked for in that form.
        CString key = CAlbumTables::StoredForm(keyword);
        CString filter;
        filter.Format(" (Title like '%%%s%%' or TargetList like '%%%s%%' or Process like '%%%s%%' or PhotoDesc "
                      "like '%%%s%%')",
                      (LPCSTR)key, (LPCSTR)key, (LPCSTR)key, (LPCSTR)key);
        std::unique_ptr<CODBCQuery> query = CAlbumTables::OpenUserQuery();
        query->ResetQuery();
        for (const char* column : {"AlbumID", "Seq", "PathName", "Title"})
            query->SetStringColumn(CString(column), CString(), 0);
        query->SetDataBufSize(CString("Title"), CAlbumTables::LONGEST_PATH);
        query->SetDataBufSize(CString("PathName"), CAlbumTables::LONGEST_PATH);
        query->SetFilter(filter);
        query->m_strOrder = "order by AlbumID,Seq";
        if (query->RunStructQuery("Select From AlbumDetail ")) {
            while (query->FetchNextRow()) {
                CString path = query->ColumnValue(2, 1);
                if (!IsListedImage(path))
                    continue;
                AddItem(path, 0, ToInt(query->ColumnValue(0, 0)), ToInt(query->ColumnValue(1, 0)));
                m_arrTitle.Add(query->ColumnValue(3, 1));
            }
        }
    }
    ShowThumbnails();
    m_bListFilled = FALSE;
    StartThumbnailThread();
}

// Titles of the photos of the listed folder or album, by exact path (the first row of a path wins).
std::map<CString, CString> CDlgImgBrowser::ReadTitles()
{
    std::map<CString, CString> titles;
    std::unique_ptr<CODBCQuery> query = CAlbumTables::OpenUserQuery();
    query->ResetQuery();
    query->SetStringColumn(CString("PathName"), CString(), 0);
    query->SetStringColumn(CString("Title"), CString(), 0);
    query->SetDataBufSize(CString("PathName"), CAlbumTables::LONGEST_PATH);
    query->SetDataBufSize(CString("Title"), CAlbumTables::LONGEST_PATH);
    CString filter;
    if (m_nMode == MODE_FOLDER) {
        filter = CAlbumTables::FolderPrefixFilter("PathName", CAlbumTables::FolderKey(m_strLocation));
    } else {
        filter.Format("AlbumID = %d", m_nAlbumID);
    }
    query->SetFilter(filter);
    if (query->RunStructQuery("Select From AlbumDetail ")) {
        while (query->FetchNextRow())
            titles.emplace(CString(query->ColumnValue(0, 1)), CString(query->ColumnValue(1, 1)));
    }
    return titles;
}

void CDlgImgBrowser::FillPhotoList()
{
    if (m_bListFilled || !::IsWindow(m_wndGrid.GetSafeHwnd()))
        return;
    std::unique_ptr<CWaitCursor> wait;
    std::map<CString, CString> titles;
    if (m_nMode == MODE_FOLDER || m_nMode == MODE_ALBUM) {
        wait.reset(new CWaitCursor);
        titles = ReadTitles();
    }
    m_wndGrid.SetRedraw(FALSE);
    m_wndGrid.DeleteAllItems();
    for (int i = 0; i < m_nItemCount; i++) {
        CString number;
        number.Format("%d", i);
        int row = m_wndGrid.InsertItem(m_wndGrid.GetItemCount(), number);
        if (row < 0)
            continue;
        m_wndGrid.SetItemValue(row, 0, (double)i);
        m_wndGrid.SetItemData(row, m_nMode == MODE_FOLDER ? (DWORD_PTR)i : (DWORD_PTR)m_arrSeq[i]);
        CString title = " ";
        if (m_nMode == MODE_SEARCH) {
            if (i < m_arrTitle.GetSize())
                title += m_arrTitle[i];
        } else {
            auto found = titles.find(m_arrPath[i]);
            if (found != titles.end())
                title += found->second;
        }
        CString size;
        size.Format("%4d x %4d", (int)m_arrWidth[i], (int)m_arrHeight[i]);
        m_wndGrid.SetItemText(row, 1, m_arrName[i], 1);
        m_wndGrid.SetItemText(row, 2, title, 2);
        m_wndGrid.SetItemText(row, 3, size, 4);
        m_wndGrid.SetItemValue(row, 4, (double)m_arrSizeKB[i], 0, 4);
        m_wndGrid.SetItemText(row, 5, m_arrDate[i], 3);
        m_wndGrid.SetItemText(row, 6, m_arrPath[i], 4);
    }
    m_wndGrid.SetRedraw(TRUE);
    m_bListFilled = TRUE;
}

void CDlgImgBrowser::OnTitleEdited(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* edit = reinterpret_cast<_NMRVITEMEDIT*>(pNMHDR);
    *pResult = 0;
    // Escape gives the edit up.
    if (edit->nKey == VK_ESCAPE || edit->iItem < 0 || !edit->lpszText)
        return;
    int index = ItemOfRow(edit->iItem);
    // The cell shows the title after one blank: that blank is the grid's, not the title's.
    CString title = edit->lpszText;
    if (title.Left(1) == " ")
        title = title.Mid(1);
    std::unique_ptr<CODBCQuery> query = CAlbumTables::OpenUserQuery();
    query->ResetQuery();
    query->SetStringColumn(CString("Title"), title, 1);
    CString filter;
    filter.Format("AlbumID = %d and Seq = %d", (int)m_arrAlbumID[index], (int)m_arrSeq[index]);
    query->SetFilter(filter);
    if (!query->RunStructQuery("Update AlbumDetail"))
        MIVO_WARN(kTraceLumaret, "the title of album %d photo %d was not stored", (int)m_arrAlbumID[index],
                  (int)m_arrSeq[index]);
    query->Commit();
}
