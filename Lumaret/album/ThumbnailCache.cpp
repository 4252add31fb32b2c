#include "album/ThumbnailCache.h"

#include "album/AlbumTables.h"
#include "framework/ODBCQuery.h"
#include "image/ImageObject.h"
#include "shell/WholeFile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// A thumbnail of 140 x 105 is a few kilobytes; a longer BLOB is not one of ours.
const int kLargestThumbnail = 8 * 1024 * 1024;

std::recursive_mutex& CacheFileLock()
{
    static std::recursive_mutex lock;
    return lock;
}

CString Stamp()
{
    return CTime::GetCurrentTime().Format("%Y-%m-%d %H:%M");
}

CString ThumbFilter(int thumbNo)
{
    CString filter;
    filter.Format("ThumbNo = %d", thumbNo);
    return filter;
}

// A copy inside 140 x 105 keeping the proportions, computed exactly (a per-mille ratio would
// give 139 x 104 for 1600 x 1200); a picture that fits is copied unchanged, never enlarged.
CImageObject* FittedCopy(CImageObject& image)
{
    long long width = image.GetWidth(), height = image.GetHeight();
    if (width <= 0 || height <= 0)
        return nullptr;
    if (width <= CThumbnailCache::THUMB_WIDTH && height <= CThumbnailCache::THUMB_HEIGHT)
        return image.DuplicateImgObj();
    long long newWidth = CThumbnailCache::THUMB_WIDTH, newHeight = CThumbnailCache::THUMB_HEIGHT;
    if (width * CThumbnailCache::THUMB_HEIGHT >= height * CThumbnailCache::THUMB_WIDTH)
        newHeight = std::max(1LL, height * CThumbnailCache::THUMB_WIDTH / width);
    else
        newWidth = std::max(1LL, width * CThumbnailCache::THUMB_HEIGHT / height);
    return image.Resample((long)newWidth, (long)newHeight, 3);
}

}  // namespace

CThumbnailCacheHold::CThumbnailCacheHold(std::unique_lock<std::recursive_mutex> lock, const CString& path)
    : m_lock(std::move(lock)), m_strPath(path)
{
}

void CThumbnailCacheHold::Release()
{
    m_strPath.Empty();
    if (m_lock.owns_lock())
        m_lock.unlock();
}

CThumbnailCache::CThumbnailCache() : m_pQuery(CAlbumTables::OpenUserQuery())
{
    m_strCacheFile.Format("%sTemp\\MivoCache.jpg", (LPCSTR)CAlbumTables::DataFolder());
}

CThumbnailCache::~CThumbnailCache()
{
    if (m_pQuery) {
        m_pQuery->Commit();
        m_pQuery->CloseQuery();
    }
}

std::vector<BYTE> CThumbnailCache::ReadThumbImage()
{
    std::vector<BYTE> bytes;
    int length = m_pQuery->GetBLOBColumnLen("ThumbImage");
    if (length <= 0 || length > kLargestThumbnail)
        return bytes;
    bytes.resize((size_t)length);
    if (!m_pQuery->GetColumnValueBLOB("ThumbImage", bytes.data(), length))
        bytes.clear();
    return bytes;
}

CThumbnailCacheHold CThumbnailCache::LoadCachedThumbnail(CString path, CString fileTime)
{
    std::unique_lock<std::recursive_mutex> lock(CacheFileLock());
    m_pQuery->ResetQuery();
    m_pQuery->SetStringColumn(CString("ThumbNo"), CString(), 0);
    m_pQuery->SetStringColumn(CString("RegDate"), CString(), 0);
    m_pQuery->SetBLOBColumn("ThumbImage", nullptr, -1);
    m_pQuery->SetFilter(CAlbumTables::ExactPathFilter("ImgPath", path));
    if (!m_pQuery->RunStructQuery("Select from ThumbImages") || !m_pQuery->FetchNextRow())
        return CThumbnailCacheHold();
    CString stored = m_pQuery->ColumnValue(1, 0);
    if (std::strcmp(fileTime, stored) > 0) {
        DeleteByPath(path);
        return CThumbnailCacheHold();
    }
    std::vector<BYTE> bytes = ReadThumbImage();
    m_pQuery->ResetQuery();
    if (bytes.empty() || !WriteWholeFile(m_strCacheFile, bytes))
        return CThumbnailCacheHold();
    return CThumbnailCacheHold(std::move(lock), m_strCacheFile);
}

int CThumbnailCache::StoreThumbnail(CString path, CImageObject* image)
{
    if (path.IsEmpty() || image == nullptr || !image->IsLoaded())
        return 0;
    std::lock_guard<std::recursive_mutex> lock(CacheFileLock());
    std::unique_ptr<CImageObject> thumb(FittedCopy(*image));
    if (!thumb || !thumb->IsLoaded())
        return 0;
    // A failed save must not leave the last picture's bytes to be stored under this path. Gone
    // first, the file is also not replaced by a rename, which ext4 flushes to disk.
    ::DeleteFile(m_strCacheFile);
    std::vector<BYTE> bytes;
    if (!thumb->Save(m_strCacheFile) || !ReadWholeFile(m_strCacheFile, kLargestThumbnail, bytes))
        return 0;
    return StoreBytes(path, bytes);
}

int CThumbnailCache::CopyEntry(CString source, CString target)
{
    if (target.IsEmpty())
        return 0;
    std::lock_guard<std::recursive_mutex> lock(CacheFileLock());
    m_pQuery->ResetQuery();
    m_pQuery->SetStringColumn(CString("ThumbNo"), CString(), 0);
    m_pQuery->SetBLOBColumn("ThumbImage", nullptr, -1);
    m_pQuery->SetFilter(CAlbumTables::ExactPathFilter("ImgPath", source));
    if (!m_pQuery->RunStructQuery("Select from ThumbImages") || !m_pQuery->FetchNextRow())
        return 0;
    std::vector<BYTE> bytes = ReadThumbImage();
    m_pQuery->ResetQuery();
    if (bytes.empty())
        return 0;
    WriteWholeFile(m_strCacheFile, bytes);
    return StoreBytes(target, bytes);
}

int CThumbnailCache::StoreBytes(const CString& path, const std::vector<BYTE>& bytes)
{
    CString stamp = Stamp();
    m_pQuery->ResetQuery();
    m_pQuery->SetStringColumn(CString("ThumbNo"), CString(), 0);
    m_pQuery->SetFilter(CAlbumTables::ExactPathFilter("ImgPath", path));
    int thumbNo = 0;
    if (m_pQuery->RunStructQuery("Select from ThumbImages") && m_pQuery->FetchNextRow())
        thumbNo = (int)std::strtol(m_pQuery->ColumnValue(0, 0), nullptr, 10);

    bool update = thumbNo > 0;
    if (!update)
        thumbNo = CAlbumTables::NextKey(*m_pQuery, "ThumbImages", "ThumbNo", CString());
    m_pQuery->ResetQuery();
    if (!update)
        m_pQuery->SetNumberColumn("ThumbNo", thumbNo, 0);
    m_pQuery->SetStringColumn(CString("ImgPath"), path, 1);
    m_pQuery->SetStringColumn(CString("RegDate"), stamp, 1);
    m_pQuery->SetBLOBColumn("ThumbImage", (void*)bytes.data(), (int)bytes.size());
    if (update) {
        m_pQuery->SetFilter(ThumbFilter(thumbNo));
        m_pQuery->RunStructQuery("Update ThumbImages");
    } else {
        m_pQuery->RunStructQuery("Insert Into ThumbImages");
    }
    m_pQuery->ResetQuery();
    return 1;
}

int CThumbnailCache::DeleteByPath(CString path)
{
    m_pQuery->ResetQuery();
    m_pQuery->SetFilter(CAlbumTables::ExactPathFilter("ImgPath", path));
    m_pQuery->RunStructQuery("Delete from ThumbImages");
    return 1;
}

int CThumbnailCache::RenamePath(CString oldPath, CString newPath)
{
    m_pQuery->ResetQuery();
    m_pQuery->SetStringColumn(CString("ImgPath"), newPath, 1);
    m_pQuery->SetFilter(CAlbumTables::ExactPathFilter("ImgPath", oldPath));
    m_pQuery->RunStructQuery("Update ThumbImages");
    return 1;
}

int CThumbnailCache::DeleteAll()
{
    m_pQuery->ResetQuery();
    m_pQuery->RunStructQuery("Delete from ThumbImages");
    return 1;
}

int CThumbnailCache::DeleteFolder(CString folder)
{
    CAlbumTables::DeleteRowsInFolder(*m_pQuery, "ThumbImages", "ImgPath", {"ThumbNo"}, "ThumbNo = %d", folder);
    return 1;
}

int CThumbnailCache::MoveFolder(CString oldFolder, CString newFolder)
{
    CAlbumTables::MoveRowsInFolder(*m_pQuery, "ThumbImages", "ImgPath", {"ThumbNo"}, "ThumbNo = %d", oldFolder,
                                   newFolder);
    return 1;
}
