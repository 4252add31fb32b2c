#include "album/AlbumDetailStore.h"

#include "album/AlbumTables.h"
#include "framework/ODBCQuery.h"


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

int CAlbumDetailStore::DeleteFolder(CString folder)
{
    CAlbumTables::DeleteRowsInFolder(*m_pQuery, "AlbumDetail", "PathName", {"AlbumID", "Seq"},
                                     "AlbumID = %d and Seq = %d", folder);
    return 1;
}

int CAlbumDetailStore::MoveFolder(CString oldFolder, CString newFolder)
{
    CAlbumTables::MoveRowsInFolder(*m_pQuery, "AlbumDetail", "PathName", {"AlbumID", "Seq"},
                                   "AlbumID = %d and Seq = %d", oldFolder, newFolder);
    return 1;
}
