// CTemplateTables: every statement the program runs on the decoration template tables (FrameImgs,
// MaskImgs, PatternImgs) and the unpacking of their pictures into the "Temp" folder. The template
// editors write through it; the editor's frame, mask and pattern dialogs and the batch frame dialog
// read through it, so all of them agree on columns, conversions and file names.
#pragma once

#include "mfc.h"

#include <memory>
#include <vector>

class CODBCQuery;

// The three families; frames have two pictures (corner piece, edge piece), the others one.
enum TemplateFamily { TEMPLATE_FRAME = 0, TEMPLATE_MASK = 1, TEMPLATE_PATTERN = 2 };

// One template row without its pictures. Masks and patterns use picture slot 0 only, and
// nWidth2 (the edge piece's width) belongs to frames.
struct TemplateInfo {
    int nKey = -1;
    CString strName;
    CString strDate;
    int nWidth = 0;
    int nHeight = 0;
    int nWidth2 = 0;
    CString strMemo;
    CString strFileType[2];
    CString strRegUser;
};

// A picture a save stores: the whole file at strPath becomes the BLOB, strFileType its extension.
struct TemplatePictureFile {
    CString strPath;
    CString strFileType;
};

// What opening a row did with one of its pictures.
struct TemplateUnpacked {
    enum State {
        WRITTEN,      // the BLOB is in strPath
        EMPTY,        // no bytes stored: nothing written, strPath names whatever an earlier opening left
        NOT_WRITTEN,  // the file could not be written: strPath is empty, so no older file is loaded
        BAD_TYPE      // the extension is not a bare one: strPath is empty, nothing written
    };
    State nState = EMPTY;
    CString strPath;
};

class CTemplateTables {
public:
    // A stored picture longer than this is not one of ours: it is neither read nor unpacked.
    enum { LARGEST_PICTURE = 64 * 1024 * 1024 };
    // Memo and name columns are read through buffers this large.
    enum { LONGEST_TEXT = 4096 };

    static int PictureCount(TemplateFamily family);
    static const char* TableName(TemplateFamily family);
    static const char* KeyColumn(TemplateFamily family);

    // A connected query on the template database, auto-commit on. A failed connection has been
    // reported by the query itself; its statements then fail.
    static std::unique_ptr<CODBCQuery> OpenTemplateQuery();

    // Every row ordered by its key, pictures left out; empty when the table cannot be read.
    static std::vector<TemplateInfo> List(TemplateFamily family);
    // "Max(key)+1" over the table; no row, an empty table or 0 gives 1.
    static int NextKey(CODBCQuery& query, TemplateFamily family);
    // Reads the row with that key and unpacks its pictures (one per slot, PictureCount of them)
    // into the Temp folder. 0 when no row came; info and pictures are then untouched.
    static int Load(TemplateFamily family, int key, TemplateInfo& info, TemplateUnpacked pictures[2]);
    // Stores a new row under the next key with today's date and "User". Every picture slot must
    // be given and readable. Returns the new key (also in info.nKey, the date in info.strDate), or
    // 0 when nothing was stored.
    static int Insert(TemplateFamily family, TemplateInfo& info, const TemplatePictureFile* pictures[2]);
    // Rewrites the row info.nKey with today's date and "User"; a picture slot given (not null)
    // replaces its extension and BLOB, the others keep theirs. A picture that cannot be read stops
    // the save before the statement. 1 when the row was written.
    static int Update(TemplateFamily family, TemplateInfo& info, const TemplatePictureFile* pictures[2]);
    // 1 when the row was removed.
    static int Delete(TemplateFamily family, int key);

    // The Temp file of a picture slot: "%sTemp\\TmplFrame1%d.%s" and so on; empty when the
    // extension would make it another path.
    static CString TempFileName(TemplateFamily family, int slot, int key, const CString& fileType);
    // Whether a stored extension may become part of a file name: no separator, "..", colon or
    // control byte, and short.
    static BOOL IsBareFileType(const CString& fileType);
    // The day of a save, "%Y-%m-%d" in local time.
    static CString Today();
    // The whole file, for a BLOB: false (and nothing) when it cannot be read, is empty or too long.
    static bool ReadPictureFile(const CString& path, std::vector<BYTE>& bytes);
};
