// CBDB: a table of fixed-width text records in a Berkeley DB file.
// A record's key and data are each made of columns; every column is text of a fixed width,
// written blank-padded (or unpadded) and read back by cutting at the widths.
#pragma once

#include <memory>

#include "mfc.h"

class Db;
class Dbc;
class Dbt;

class AFX_EXT_CLASS CBDB {
public:
    enum { MAX_COLUMNS = 32 };

    CBDB(LPCSTR pszFileName, BOOL bAllowDup, BOOL bCreateNew, int nKeyColumns, int nDataColumns,
         int nKeyBufSize, int nDataBufSize);
    virtual ~CBDB();

    CBDB(const CBDB&) = delete;
    CBDB& operator=(const CBDB&) = delete;

    // Settings for the next OpenDB.
    void SetCacheSize(int nBytes);
    void SetDBType(LPCSTR pszType);
    void SetReadOnly(BOOL bReadOnly);

    // 1 when the file is open; 0 when it could not be opened (the store then stays closed).
    int OpenDB();
    int CloseDB();
    BOOL IsDBOpen() const { return m_bDBOpen; }
    int GetStatus() const { return m_nStatus; }

    void PrepareKey(int w0, int w1 = 0, int w2 = 0, int w3 = 0, int w4 = 0, int w5 = 0, int w6 = 0, int w7 = 0,
                    int w8 = 0, int w9 = 0, int w10 = 0, int w11 = 0, int w12 = 0, int w13 = 0, int w14 = 0,
                    int w15 = 0, int w16 = 0, int w17 = 0, int w18 = 0, int w19 = 0, int w20 = 0, int w21 = 0,
                    int w22 = 0, int w23 = 0, int w24 = 0, int w25 = 0, int w26 = 0, int w27 = 0, int w28 = 0,
                    int w29 = 0, int w30 = 0, int w31 = 0);
    void PrepareData(int w0, int w1 = 0, int w2 = 0, int w3 = 0, int w4 = 0, int w5 = 0, int w6 = 0, int w7 = 0,
                     int w8 = 0, int w9 = 0, int w10 = 0, int w11 = 0, int w12 = 0, int w13 = 0, int w14 = 0,
                     int w15 = 0, int w16 = 0, int w17 = 0, int w18 = 0, int w19 = 0, int w20 = 0, int w21 = 0,
                     int w22 = 0, int w23 = 0, int w24 = 0, int w25 = 0, int w26 = 0, int w27 = 0, int w28 = 0,
                     int w29 = 0, int w30 = 0, int w31 = 0);

    int OpenCursor();
    void CloseCursor();
    int Commit();
    int TruncateDB();
    int CompressDB();

    void InitKeyData();
    void InitRowBuffer();

    void SetKeyColumnString(int nCol, LPCSTR pszText, BOOL bPad = TRUE);
    void SetKeyColumnString(int nCol, const CString& strText, BOOL bPad = TRUE);
    void SetKeyColumnInt(int nCol, int nValue);
    void AddKeyColumnInt(int nCol, int nAmount);
    void SetDataColumnString(int nCol, LPCSTR pszText, BOOL bPad = TRUE);
    void SetDataColumnString(int nCol, const CString& strText, BOOL bPad = TRUE);
    void SetDataColumnInt(int nCol, int nValue);
    void AddDataColumnInt(int nCol, int nAmount);

    CString GetKeyColumnString(int nCol) const;
    CString GetDataColumnString(int nCol) const;
    int GetKeyColumnInt(int nCol) const;
    int GetDataColumnInt(int nCol) const;
    int GetKeyColumnCount() const { return m_nKeyColumns; }
    int GetDataColumnCount() const { return m_nDataColumns; }

    int Write();
    char* GetData();
    int Delete();
    int DeleteCurrent();

    int Start();
    int StartLastKey(int nFirstCol);
    int GetNext();
    int GetPrev();

    int GetRowCount();
    int FindCountMaxMinInt(int nPrefixCols, BOOL bKeyColumn, int nCol, int* pMax, int* pMin);

    void GetFileName(LPSTR pszName, int nBufSize = MAX_PATH) const;
    int GetDBSizeInKB() const;

protected:
    struct Columns {
        int nCount = 0;
        int nWidth[MAX_COLUMNS] = {};
        BOOL bPad[MAX_COLUMNS] = {};
        char* pText[MAX_COLUMNS] = {};
    };

    void Prepare(Columns& cols, const int* widths, int nBufSize);
    static void FreeColumns(Columns& cols);
    static void SetColumnString(Columns& cols, int nCol, LPCSTR pszText, BOOL bPad);
    static void SetColumnInt(Columns& cols, int nCol, int nValue);
    static CString GetColumnString(const Columns& cols, int nCol);
    static int GetColumnInt(const Columns& cols, int nCol);

    int Compose(const Columns& cols, int nColumns, char* pBuf, int nBufSize) const;
    void ComposeKey();
    void ComposeData();
    void CutRecord();
    void TerminateBuffers();

    BOOL IsSound(const char* pszPath);
    BOOL TryOpen(const char* pszPath, unsigned int nFlags);
    std::unique_ptr<Db> NewDbHandle() const;
    BOOL EnsureCursor();
    int StepCursor(unsigned int nFlag);
    int Position();
    std::string PosixFileName() const;

    int m_nStatus;
    char* m_pKeyBuf;
    char* m_pDataBuf;
    std::unique_ptr<Db> m_pDb;
    char m_szFileName[256];
    BOOL m_bAllowDup;
    BOOL m_bCreateNew;
    char m_szErrPrefix[32];
    int m_nPageSize;
    int m_nCacheSize;
    int m_nKeyBufSize;
    int m_nDataBufSize;
    BOOL m_bCursorOpen;
    BOOL m_bDBOpen;
    BOOL m_bFirstStepDone;
    int m_nDBType;
    Dbc* m_pCursor;
    std::unique_ptr<Dbt> m_pKeyThang;
    std::unique_ptr<Dbt> m_pDataThang;
    Columns m_key;
    Columns m_data;
    int m_nKeyColumns;
    int m_nDataColumns;
    BOOL m_bReadOnly;
    BOOL m_bExactMatch;
};
