#include "album/AlbumDetailStore.h"

#include "album/AlbumTables.h"
#include "framework/ODBCQuery.h"

#include <cstdlib>

namespace {

CString RowFilter(int albumId, int seq)
{
    CString filter;
    filter.Format("AlbumID = %d and Seq = %d", albumId, seq);
    return filter;
}

}  // namespace

CAlbumDetailStore::CAlbumDetailStore() : m_pQuery(CAlbumTables::OpenUserQuery())
{
}

CAlbumDetailStore::~CAlbumDetailStore()
{
    if (m_pQuery) {
        m_pQuery->Commit();
        m_pQuery->CloseQuery();
    }
}

int CAlbumDetailStore::DeleteByPath(CString path)
{
    m_pQuery->ResetQuery();
    m_pQuery->SetFilter(CAlbumTables::ExactPathFilter("PathName", path));
    m_pQuery->RunStructQuery("Delete from AlbumDetail");
    return 1;
}

int CAlbumDetailStore::RenamePath(CString oldPath, CString newPath)
{
    m_pQuery->ResetQuery();
    m_pQuery->SetStringColumn(CString("PathName"), newPath, 1);
    m_pQuery->SetFilter(CAlbumTables::ExactPathFilter("PathName", oldPath));
    m_pQuery->RunStructQuery("Update AlbumDetail");
    return 1;
}

std::vector<CAlbumDetailStore::Row> CAlbumDetailStore::RowsInFolder(const CString& folderKey)
{
    std::vector<Row> rows;
    m_pQuery->ResetQuery();
    m_pQuery->SetStringColumn(CString("AlbumID"), CString(), 0);
    m_pQuery->SetStringColumn(CString("Seq"), CString(), 0);
    m_pQuery->SetStringColumn(CString("PathName"), CString(), 0);
    m_pQuery->SetDataBufSize(CString("PathName"), CAlbumTables::LONGEST_PATH);
    m_pQuery->SetFilter(CAlbumTables::FolderPrefixFilter("PathName", folderKey));
    if (!m_pQuery->RunStructQuery("Select from AlbumDetail"))
        return rows;
    while (m_pQuery->FetchNextRow()) {
        Row row;
        row.nAlbumID = (int)std::strtol(m_pQuery->ColumnValue(0, 0), nullptr, 10);
        row.nSeq = (int)std::strtol(m_pQuery->ColumnValue(1, 0), nullptr, 10);
        row.strPath = m_pQuery->ColumnValue(2, 1);
        if (CAlbumTables::IsInFolder(row.strPath, folderKey))
            rows.push_back(row);
    }
    return rows;
}

int CAlbumDetailStore::DeleteFolder(CString folder)
{
    CString key = CAlbumTables::FolderKey(folder);
    if (key.IsEmpty())
        return 1;
    for (const Row& row : RowsInFolder(key)) {
        m_pQuery->ResetQuery();
        m_pQuery->SetFilter(RowFilter(row.nAlbumID, row.nSeq));
        m_pQuery->RunStructQuery("Delete from AlbumDetail");
    }
    return 1;
}

int CAlbumDetailStore::MoveFolder(CString oldFolder, CString newFolder)
{
    CString oldKey = CAlbumTables::FolderKey(oldFolder);
    CString newKey = CAlbumTables::FolderKey(newFolder);
    if (oldKey.IsEmpty() || newKey.IsEmpty())
        return 1;
    for (const Row& row : RowsInFolder(oldKey)) {
        m_pQuery->ResetQuery();
        m_pQuery->SetStringColumn(CString("PathName"), CAlbumTables::MovedPath(row.strPath, oldKey, newKey), 1);
        m_pQuery->SetFilter(RowFilter(row.nAlbumID, row.nSeq));
        m_pQuery->RunStructQuery("Update AlbumDetail");
    }
    return 1;
}
