#include "album/AlbumTables.h"

#include "framework/ODBCQuery.h"
#include "framework/VXApp.h"
#include "framework/VXUtil.h"

// The application class brings the user database's login; until the program has one, the
// login is the data source's default with no user.
#if __has_include("shell/MainApp.h")
#include "shell/MainApp.h"
#define ALBUM_HAS_MAIN_APP 1
#endif

#include <cstdlib>
#include <cstring>

namespace {

const char kLikeEscape = '|';

struct WaitingAlbum {
    int nId;
    int nParent;
    CString strName;
};

int ToInt(const char* text)
{
    return text ? (int)std::strtol(text, nullptr, 10) : 0;
}

CString Format1(const char* format, int a)
{
    CString text;
    text.Format(format, a);
    return text;
}

HTREEITEM InsertAlbumItem(CTreeCtrl& tree, HTREEITEM parent, const WaitingAlbum& album, int image)
{
    HTREEITEM item = tree.InsertItem(album.strName, image, image, parent, TVI_LAST);
    if (item == nullptr)
        return nullptr;
    tree.SetItemData(item, (DWORD_PTR)album.nId);
    if (parent != TVI_ROOT)
        tree.Expand(parent, TVE_EXPAND);
    return item;
}

HTREEITEM FindParentItem(CTreeCtrl& tree, int parent)
{
    if (parent == 0)
        return TVI_ROOT;
    return SearchTreeItemByData(&tree, TVI_ROOT, (DWORD_PTR)parent);
}

// One pass over the waiting rows: places those whose parent is in the tree now.
bool PlaceWaiting(CTreeCtrl& tree, std::vector<WaitingAlbum>& waiting, int image)
{
    bool placed = false;
    std::vector<WaitingAlbum> still;
    for (const WaitingAlbum& album : waiting) {
        HTREEITEM parent = FindParentItem(tree, album.nParent);
        if (parent && InsertAlbumItem(tree, parent, album, image))
            placed = true;
        else
            still.push_back(album);
    }
    waiting.swap(still);
    return placed;
}

// The first waiting row whose parent is not waiting too; the first row when all are (a cycle).
size_t FirstOrphan(const std::vector<WaitingAlbum>& waiting)
{
    for (size_t i = 0; i < waiting.size(); ++i) {
        bool parentWaits = false;
        for (const WaitingAlbum& other : waiting)
            parentWaits = parentWaits || other.nId == waiting[i].nParent;
        if (!parentWaits)
            return i;
    }
    return 0;
}

}  // namespace

std::unique_ptr<CODBCQuery> CAlbumTables::OpenUserQuery()
{
#ifdef ALBUM_HAS_MAIN_APP
    std::unique_ptr<CODBCQuery> query(
        new CODBCQuery(theApp.m_strUserDSN, theApp.m_strUserUID, theApp.m_strUserPWD, 1));
#else
    std::unique_ptr<CODBCQuery> query(new CODBCQuery("MivoUser", "", "", 1));
#endif
    query->InitQuery();
    return query;
}

COLORREF CAlbumTables::BrowserBackground()
{
#ifdef ALBUM_HAS_MAIN_APP
    return theApp.m_clrBrowserBk;
#else
    return ::GetSysColor(COLOR_3DFACE);
#endif
}

CString CAlbumTables::DataFolder()
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    CString folder = app ? app->m_strDataDir : CString();
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\')
        folder += '\\';
    return folder;
}

CString CAlbumTables::StoredForm(CString text)
{
    text.Replace('\'', '\x1E');
    return text;
}

CString CAlbumTables::ExactPathFilter(const char* column, const CString& path)
{
    return CString(column) + " = '" + StoredForm(path) + "'";
}

CString CAlbumTables::FolderKey(const CString& folder)
{
    // No CP949 trail byte is a backslash, so trimming bytes never splits a character.
    CString key = folder;
    key.TrimRight('\\');
    if (key.IsEmpty())
        return key;
    return key + '\\';
}

CString CAlbumTables::FolderPrefixFilter(const char* column, const CString& folderKey)
{
    // %, _ and | are never CP949 trail bytes either.
    CString stored = StoredForm(folderKey);
    CString escaped;
    for (int i = 0; i < stored.GetLength(); ++i) {
        char c = stored[i];
        if (c == '%' || c == '_' || c == kLikeEscape)
            escaped += kLikeEscape;
        escaped += c;
    }
    CString filter;
    filter.Format("%s like '%s%%' escape '%c'", column, (LPCSTR)escaped, kLikeEscape);
    return filter;
}

BOOL CAlbumTables::IsInFolder(const CString& path, const CString& folderKey)
{
    int length = folderKey.GetLength();
    return length > 0 && path.GetLength() > length &&
           std::memcmp((LPCSTR)path, (LPCSTR)folderKey, (size_t)length) == 0;
}

CString CAlbumTables::MovedPath(const CString& path, const CString& oldKey, const CString& newKey)
{
    return newKey + path.Mid(oldKey.GetLength());
}

std::vector<CAlbumTables::FolderRow> CAlbumTables::RowsInFolder(CODBCQuery& query, const char* table,
                                                                 const char* pathColumn,
                                                                 const std::vector<const char*>& keyColumns,
                                                                 const char* keyFormat, const CString& folderKey)
{
    std::vector<FolderRow> rows;
    query.ResetQuery();
    for (const char* column : keyColumns)
        query.SetStringColumn(CString(column), CString(), 0);
    query.SetStringColumn(CString(pathColumn), CString(), 0);
    query.SetDataBufSize(CString(pathColumn), LONGEST_PATH);
    query.SetFilter(FolderPrefixFilter(pathColumn, folderKey));
    if (!query.RunStructQuery(CString("Select from ") + table))
        return rows;
    int pathIndex = (int)keyColumns.size();
    while (query.FetchNextRow()) {
        FolderRow row;
        row.strPath = query.ColumnValue(pathIndex, 1);
        if (!IsInFolder(row.strPath, folderKey))
            continue;
        // Keys are numbers; anything else in them would not name the row.
        CString first = query.ColumnValue(0, 0), second = pathIndex > 1 ? query.ColumnValue(1, 0) : "";
        row.strKeyFilter.Format(keyFormat, (int)std::strtol(first, nullptr, 10), (int)std::strtol(second, nullptr, 10));
        rows.push_back(row);
    }
    return rows;
}

void CAlbumTables::DeleteRowsInFolder(CODBCQuery& query, const char* table, const char* pathColumn,
                                      const std::vector<const char*>& keyColumns, const char* keyFormat,
                                      const CString& folder)
{
    CString key = FolderKey(folder);
    if (key.IsEmpty())
        return;
    for (const FolderRow& row : RowsInFolder(query, table, pathColumn, keyColumns, keyFormat, key)) {
        query.ResetQuery();
        query.SetFilter(row.strKeyFilter);
        query.RunStructQuery(CString("Delete from ") + table);
    }
}

void CAlbumTables::MoveRowsInFolder(CODBCQuery& query, const char* table, const char* pathColumn,
                                    const std::vector<const char*>& keyColumns, const char* keyFormat,
                                    const CString& oldFolder, const CString& newFolder)
{
    CString oldKey = FolderKey(oldFolder), newKey = FolderKey(newFolder);
    if (oldKey.IsEmpty() || newKey.IsEmpty())
        return;
    for (const FolderRow& row : RowsInFolder(query, table, pathColumn, keyColumns, keyFormat, oldKey)) {
        query.ResetQuery();
        query.SetStringColumn(CString(pathColumn), MovedPath(row.strPath, oldKey, newKey), 1);
        query.SetFilter(row.strKeyFilter);
        query.RunStructQuery(CString("Update ") + table);
    }
}

int CAlbumTables::NextKey(CODBCQuery& query, const char* table, const char* column, const CString& filter)
{
    query.ResetQuery();
    query.SetFunctionColumn(CString("Max(") + column + ")+1", "");
    if (!filter.IsEmpty())
        query.SetFilter(filter);
    int next = 0;
    if (query.RunStructQuery(CString("Select from ") + table) && query.FetchNextRow())
        next = ToInt(query.ColumnValue(0, 0));
    return next > 0 ? next : 1;
}

int CAlbumTables::NextAlbumID(CODBCQuery& query)
{
    return NextKey(query, "AlbumMaster", "AlbumID", "");
}

int CAlbumTables::NextSeq(CODBCQuery& query, int albumId)
{
    return NextKey(query, "AlbumDetail", "Seq", Format1("AlbumID = %d", albumId));
}

int CAlbumTables::NewAlbum(const CString& name, int parent)
{
    std::unique_ptr<CODBCQuery> query = OpenUserQuery();
    int id = NextAlbumID(*query);
    query->ResetQuery();
    query->SetNumberColumn("AlbumID", id, 0);
    query->SetStringColumn(CString("AlbumName"), name, 1);
    query->SetNumberColumn("Parent", parent, 0);
    if (!query->RunStructQuery("Insert Into AlbumMaster"))
        return 0;
    query->Commit();
    return id;
}

int CAlbumTables::RenameAlbum(int albumId, const CString& name)
{
    std::unique_ptr<CODBCQuery> query = OpenUserQuery();
    query->ResetQuery();
    query->SetStringColumn(CString("AlbumName"), name, 1);
    query->SetFilter(Format1("AlbumID = %d", albumId));
    if (!query->RunStructQuery("Update AlbumMaster"))
        return 0;
    query->Commit();
    return 1;
}

int CAlbumTables::MoveAlbum(int albumId, int newParent)
{
    // Neither the root nor an album under itself: the tree would lose the branch.
    if (albumId <= 0 || albumId == newParent)
        return 0;
    std::unique_ptr<CODBCQuery> query = OpenUserQuery();
    query->ResetQuery();
    query->SetNumberColumn("Parent", newParent, 0);
    query->SetFilter(Format1("AlbumID = %d", albumId));
    if (!query->RunStructQuery("Update AlbumMaster"))
        return 0;
    query->Commit();
    return 1;
}

int CAlbumTables::DeleteAlbum(int albumId)
{
    // The root row holds the whole tree together.
    if (albumId <= 0)
        return 0;
    std::unique_ptr<CODBCQuery> query = OpenUserQuery();
    query->ResetQuery();
    query->SetFilter(Format1("AlbumID = %d", albumId));
    if (!query->RunStructQuery("Delete From AlbumMaster"))
        return 0;
    query->ResetQuery();
    query->SetFilter(Format1("AlbumID = %d", albumId));
    query->RunStructQuery("Delete From AlbumDetail");
    query->Commit();
    return 1;
}

int CAlbumTables::AddToAlbum(int target, const std::vector<AlbumEntry>& entries)
{
    if (target <= 0)
        return 0;
    std::unique_ptr<CODBCQuery> query = OpenUserQuery();
    int seq = NextSeq(*query, target);
    int added = 0;
    for (const AlbumEntry& entry : entries) {
        if (entry.nKind == KIND_FOLDER || entry.strPath.IsEmpty())
            continue;
        int source = entry.nKind >= KIND_ALBUM_BASE ? entry.nKind - KIND_ALBUM_BASE : -1;
        // Moving a photo into the album it came from would insert it and then delete both rows.
        if (source == target)
            continue;
        query->ResetQuery();
        query->SetNumberColumn("AlbumID", target, 0);
        query->SetNumberColumn("Seq", seq, 0);
        query->SetStringColumn(CString("PathName"), entry.strPath, 1);
        if (!query->RunStructQuery("Insert Into AlbumDetail "))
            continue;
        ++seq;
        ++added;
        if (source < 0)
            continue;
        query->ResetQuery();
        CString filter;
        filter.Format("AlbumID = %d and %s", source, (LPCSTR)ExactPathFilter("PathName", entry.strPath));
        query->SetFilter(filter);
        query->RunStructQuery("Delete From AlbumDetail ");
    }
    query->Commit();
    return added;
}

void CAlbumTables::LoadTree(CTreeCtrl& tree, int image)
{
    tree.SetRedraw(FALSE);
    tree.DeleteAllItems();

    std::unique_ptr<CODBCQuery> query = OpenUserQuery();
    query->ResetQuery();
    query->SetStringColumn(CString("AlbumID"), CString(), 0);
    query->SetStringColumn(CString("AlbumName"), CString(), 0);
    query->SetStringColumn(CString("Parent"), CString(), 0);
    query->SetDataBufSize(CString("AlbumName"), LONGEST_PATH);
    query->SetFilter("AlbumID <> 0");
    query->m_strOrder = "order by Parent,AlbumID";

    std::vector<WaitingAlbum> waiting;
    CString previousParent;
    HTREEITEM parentItem = nullptr;
    bool first = true;
    if (query->RunStructQuery("Select From AlbumMaster ")) {
        while (query->FetchNextRow()) {
            WaitingAlbum album;
            album.nId = ToInt(query->ColumnValue(0, 0));
            album.strName = query->ColumnValue(1, 1);
            CString parentText = query->ColumnValue(2, 0);
            album.nParent = ToInt(parentText);
            if (first || parentText != previousParent)
                parentItem = FindParentItem(tree, album.nParent);
            first = false;
            previousParent = parentText;
            if (parentItem == nullptr || !InsertAlbumItem(tree, parentItem, album, image))
                waiting.push_back(album);
        }
    }

    while (!waiting.empty()) {
        if (PlaceWaiting(tree, waiting, image))
            continue;
        // Nothing found a parent in a whole pass: an orphan goes to the top level (its own
        // sub-albums follow in the next pass), or, in a cycle, the first row of it.
        size_t top = FirstOrphan(waiting);
        InsertAlbumItem(tree, TVI_ROOT, waiting[top], image);
        waiting.erase(waiting.begin() + (long)top);
    }
    tree.SetRedraw(TRUE);
}
