// CThumbnailCache: the one access path to ThumbImages, the small JPEG thumbnails of image files.
// Thumbnail bytes pass through one temporary file, "<data folder>Temp\MivoCache.jpg"; every
// load, store and copy holds a process-wide lock on it, and a load hands the lock to the caller
// until the caller has decoded the file.
#pragma once

#include "mfc.h"

#include <memory>
#include <mutex>
#include <vector>

class CImageObject;
class CODBCQuery;

// The cache file's path while the file stays held for the caller; empty for a miss. Decode the
// file before letting it go, and never with a progress window of another thread: that thread
// may be waiting for the same lock.
class CThumbnailCacheHold {
public:
    CThumbnailCacheHold() = default;
    CThumbnailCacheHold(std::unique_lock<std::recursive_mutex> lock, const CString& path);

    explicit operator bool() const { return !m_strPath.IsEmpty(); }
    // Null for a miss.
    const char* GetPath() const { return m_strPath.IsEmpty() ? nullptr : (LPCSTR)m_strPath; }
    void Release();

private:
    std::unique_lock<std::recursive_mutex> m_lock;
    CString m_strPath;
};

class CThumbnailCache {
public:
    enum { THUMB_WIDTH = 140, THUMB_HEIGHT = 105 };

    CThumbnailCache();
    virtual ~CThumbnailCache();
    CThumbnailCache(const CThumbnailCache&) = delete;
    CThumbnailCache& operator=(const CThumbnailCache&) = delete;

    // fileTime is the file's modification time "%Y-%m-%d %H:%M". A hit writes the stored
    // thumbnail to the cache file; a file newer than its thumbnail drops the row and misses.
    CThumbnailCacheHold LoadCachedThumbnail(CString path, CString fileTime);
    // 1 when a copy fitted into 140 x 105 (never enlarged) is stored for the path, one row per
    // path; 0 for an empty path or a picture without pixels, storing nothing.
    int StoreThumbnail(CString path, CImageObject* image);
    // 1 when the source had a thumbnail and it is now stored for the target too; else 0.
    int CopyEntry(CString source, CString target);
    int DeleteByPath(CString path);
    // Rows inside the folder only: C:\Photo never reaches C:\PhotoOld or C:\photo.
    int DeleteFolder(CString folder);
    int RenamePath(CString oldPath, CString newPath);
    int MoveFolder(CString oldFolder, CString newFolder);
    int DeleteAll();

    std::unique_ptr<CODBCQuery> m_pQuery;
    CString m_strCacheFile;

private:
    // Updates the path's row or inserts one numbered Max(ThumbNo)+1.
    int StoreBytes(const CString& path, const std::vector<BYTE>& bytes);
    // The BLOB of the current row, empty when it has none or an implausible length.
    std::vector<BYTE> ReadThumbImage();
};
