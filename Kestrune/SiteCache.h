// Reading the notice and the site list from the web database, and keeping the
// local copies of the sites' pictures and of the maker's ordering program up to
// date. Used by the main dialog before it is first shown.
#pragma once

#include "SiteTable.h"

class CWDBCQuery;

class CSiteCache {
public:
    // The web database and the files are reached on the server's plain HTTP port.
    static constexpr int kWebPort = 80;

    // Appends each row's first column and "\r\n" to `notice` (the procedure is run here).
    static void ReadNotice(CWDBCQuery& query, CString& notice);
    // Resets the query, runs the site list and adds every row not hidden to
    // `sites`; the number of rows kept.
    static int ReadSites(CWDBCQuery& query, CSiteTable& sites);

    // The local modification time of a file as "%Y-%m-%d %H:%M:%S", or "" when it does not exist.
    static CString FileTimeText(const CString& path);
    // Whether a server-given name may become a file name in our folders: not empty,
    // not "." or "..", no folder separator or drive colon.
    static BOOL IsBareFileName(const CString& name);
    // A bare name ending in ".exe" (any case): the only names the ordering program is kept under.
    static BOOL IsProgramFileName(const CString& name);
    // Where site i's picture and program are kept ("" when its names are not usable).
    static CString PicturePath(const CSiteTable& sites, int i, const CString& dataDir);
    static CString ProgramPath(const CSiteTable& sites, int i, const CString& dataDir);

    // Downloads what is newer on the server than the local copy (the update time
    // compared as text with the file's time): the own site's program, then every
    // site's picture. Results are not examined: a failed download leaves the old file.
    static void RefreshFiles(const CSiteTable& sites, const CString& server, const CString& dataDir,
                             HWND progressWnd);

private:
    static void RefreshFile(const CString& localPath, const CString& updateTime, const CString& server,
                            const CString& object, HWND progressWnd);
};
