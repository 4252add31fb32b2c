// CAlbumDetailStore: keeps AlbumDetail in step with the file system after a file or folder is
// renamed, moved or deleted. Made on the stack for one operation; holds its connection until then.
#pragma once

#include "mfc.h"

#include <memory>

class CODBCQuery;

class CAlbumDetailStore {
public:
    CAlbumDetailStore();
    virtual ~CAlbumDetailStore();
    CAlbumDetailStore(const CAlbumDetailStore&) = delete;
    CAlbumDetailStore& operator=(const CAlbumDetailStore&) = delete;

    // Every operation answers 1; a failed statement leaves the table as it was.
    int DeleteByPath(CString path);
    int RenamePath(CString oldPath, CString newPath);
    // Rows inside the folder only: C:\Photo never reaches C:\PhotoOld or C:\photo.
    int DeleteFolder(CString folder);
    int MoveFolder(CString oldFolder, CString newFolder);

    std::unique_ptr<CODBCQuery> m_pQuery;
};
