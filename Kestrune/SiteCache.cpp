#include "SiteCache.h"

#include "framework/VXHttp.h"
#include "framework/WDBCQuery.h"

#include <cstring>

namespace {

// A column of the current row; missing columns of a short row read as empty.
CString Column(CWDBCQuery& query, int column)
{
    const char* value = query.ColumnValue(column, 1);
    return value ? CString(value) : CString();
}

}  // namespace

void CSiteCache::ReadNotice(CWDBCQuery& query, CString& notice)
{
    query.SetDBProc("SP_MIVO_ORDER_NOTICE");
    query.RunQuery();
    while (query.FetchNextRow())
        notice += Column(query, 0) + "\r\n";
}

int CSiteCache::ReadSites(CWDBCQuery& query, CSiteTable& sites)
{
    query.ResetQuery();
    query.SetDBProc("SP_MIVO_SITE_LIST");
    query.RunQuery();
    int kept = 0;
    while (query.FetchNextRow()) {
        CString row[CSiteTable::COLUMN_COUNT];
        for (int c = 0; c < CSiteTable::COLUMN_COUNT; ++c)
            row[c] = Column(query, c);
        if (row[CSiteTable::COL_HIDDEN] == "Y" || row[CSiteTable::COL_HIDDEN] == "y")
            continue;
        sites.AddRow(row);
        ++kept;
    }
    return kept;
}

CString CSiteCache::FileTimeText(const CString& path)
{
    CFileStatus status;
    if (path.IsEmpty() || !CFile::GetStatus(path, status))
        return CString();
    return status.m_mtime.Format("%Y-%m-%d %H:%M:%S");
}

BOOL CSiteCache::IsBareFileName(const CString& name)
{
    if (name.IsEmpty() || name == "." || name == "..")
        return FALSE;
    // Trail bytes of double-byte characters are never one of these.
    return name.FindOneOf("\\/:") < 0 ? TRUE : FALSE;
}

BOOL CSiteCache::IsProgramFileName(const CString& name)
{
    return IsBareFileName(name) && name.GetLength() > 4 && name.Right(4).CompareNoCase(".exe") == 0;
}

CString CSiteCache::PicturePath(const CSiteTable& sites, int i, const CString& dataDir)
{
    if (i < 0 || i >= sites.GetSiteCount() || !IsBareFileName(sites.m_arrPictureFile[i]))
        return CString();
    CString path;
    path.Format("%sTemp\\%s", (LPCSTR)dataDir, (LPCSTR)sites.m_arrPictureFile[i]);
    return path;
}

CString CSiteCache::ProgramPath(const CSiteTable& sites, int i, const CString& dataDir)
{
    if (i < 0 || i >= sites.GetSiteCount() || !IsProgramFileName(sites.m_arrSiteUrl[i]))
        return CString();
    CString path;
    path.Format("%s%s", (LPCSTR)dataDir, (LPCSTR)sites.m_arrSiteUrl[i]);
    return path;
}

void CSiteCache::RefreshFiles(const CSiteTable& sites, const CString& server, const CString& dataDir,
                              HWND progressWnd)
{
    for (int i = 0; i < sites.GetSiteCount(); ++i) {
        if (sites.IsOwnSite(i)) {
            CString program = ProgramPath(sites, i, dataDir);
            if (!program.IsEmpty())
                RefreshFile(program, sites.m_arrUpdateTime[i], server, sites.m_arrProgramPath[i], progressWnd);
        }
        CString picture = PicturePath(sites, i, dataDir);
        if (!picture.IsEmpty())
            RefreshFile(picture, sites.m_arrUpdateTime[i], server, sites.m_arrPicturePath[i], progressWnd);
    }
}

void CSiteCache::RefreshFile(const CString& localPath, const CString& updateTime, const CString& server,
                             const CString& object, HWND progressWnd)
{
    // Plain text order, as the server's time stamps are written.
    if (strcmp(updateTime, FileTimeText(localPath)) <= 0)
        return;
    CWaitCursor wait;
    CVXHttp http;
    http.SetTargetWindow(progressWnd);
    http.m_strHost = server;
    http.m_nPort = kWebPort;
    http.m_strObject = object;
    http.MakeInternetSession();
    http.MakeHttpConnection();
    http.DownloadHttpFile(localPath);
}
