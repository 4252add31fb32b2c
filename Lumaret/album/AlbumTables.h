// CAlbumTables: every statement the program runs on the album tables (AlbumMaster, AlbumDetail)
// and the path filters shared with the thumbnail cache. Callers never build these texts: the
// album pane, the picker, the tree's drop, the browser's paste and commands all come here.
#pragma once

#include "mfc.h"

#include <memory>
#include <vector>

class CODBCQuery;

// One photo of a dragged or copied list: the kind (0 a file of a folder listing, 1 a folder,
// 100 + AlbumID a photo taken from that album) and its full path.
struct AlbumEntry {
    int nKind;
    CString strPath;
};

class CAlbumTables {
public:
    enum { KIND_FILE = 0, KIND_FOLDER = 1, KIND_ALBUM_BASE = 100 };
    // Path columns are read through buffers this large, so no stored path is ever cut.
    enum { LONGEST_PATH = 4096 };

    // A connected query on the user database, auto-commit on. A failed connection has been
    // reported by the query itself; its statements then fail.
    static std::unique_ptr<CODBCQuery> OpenUserQuery();
    // The data folder, ending in a backslash.
    static CString DataFolder();
    // The background of the browser, the panes and the album trees.
    static COLORREF BrowserBackground();

    // --- Path filters. Stored text has apostrophes as 0x1E, so filters use that form too.
    static CString StoredForm(CString text);
    // "<column> = '<path>'".
    static CString ExactPathFilter(const char* column, const CString& path);
    // The folder with exactly one closing backslash; empty for an empty folder.
    static CString FolderKey(const CString& folder);
    // "<column> like '<key>%' escape '|'" with %, _ and | of the key escaped. LIKE ignores ASCII
    // case: rows it selects are checked with IsInFolder before anything is changed.
    static CString FolderPrefixFilter(const char* column, const CString& folderKey);
    // Whether path lies inside the folder key, compared byte for byte.
    static BOOL IsInFolder(const CString& path, const CString& folderKey);
    // The path moved from one folder key to another; the caller checked IsInFolder.
    static CString MovedPath(const CString& path, const CString& oldKey, const CString& newKey);

    // A row found inside a folder: the filter that names it alone, and its path.
    struct FolderRow {
        CString strKeyFilter;
        CString strPath;
    };
    // The rows of table whose pathColumn lies inside the folder key, byte for byte; keyFormat
    // ("ThumbNo = %s", "AlbumID = %s and Seq = %s") names each row by the key columns.
    static std::vector<FolderRow> RowsInFolder(CODBCQuery& query, const char* table, const char* pathColumn,
                                               const std::vector<const char*>& keyColumns, const char* keyFormat,
                                               const CString& folderKey);
    // Deletes, or moves to newFolder, the rows of table inside oldFolder; empty folders change nothing.
    static void DeleteRowsInFolder(CODBCQuery& query, const char* table, const char* pathColumn,
                                   const std::vector<const char*>& keyColumns, const char* keyFormat,
                                   const CString& folder);
    static void MoveRowsInFolder(CODBCQuery& query, const char* table, const char* pathColumn,
                                 const std::vector<const char*>& keyColumns, const char* keyFormat,
                                 const CString& oldFolder, const CString& newFolder);

    // "Max(column)+1" of a table under an optional filter; no row or 0 gives 1.
    static int NextKey(CODBCQuery& query, const char* table, const char* column, const CString& filter);
    static int NextAlbumID(CODBCQuery& query);
    static int NextSeq(CODBCQuery& query, int albumId);

    // --- AlbumMaster
    // The new album's number, 0 when it was not stored.
    static int NewAlbum(const CString& name, int parent);
    static int RenameAlbum(int albumId, const CString& name);
    static int MoveAlbum(int albumId, int newParent);
    // The album row, then (only when that went) its photos; sub-albums keep their rows.
    static int DeleteAlbum(int albumId);

    // --- AlbumDetail
    // Adds the entries to the target album with running Seq numbers. Folders are skipped, and so
    // are photos taken from the target itself; a photo taken from another album leaves it, once
    // its new row is stored. Answers how many rows were added; nothing for target 0 (the root).
    static int AddToAlbum(int target, const std::vector<AlbumEntry>& entries);

    // Fills the tree with the albums (item data = AlbumID, image and selected image `image`).
    // Rows whose parent comes later are placed in later passes; what never finds its parent
    // (orphans, cycles) goes to the top level, first waiting row first.
    static void LoadTree(CTreeCtrl& tree, int image);
};
