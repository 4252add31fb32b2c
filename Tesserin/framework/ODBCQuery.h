// CODBCQuery: one ODBC connection and statement on a local database.
// Columns are listed with their values, turned into INSERT, UPDATE, DELETE
// or SELECT text, run, and the result handed out row by row as text.
#pragma once

#include "mfc.h"

#include "win32/sqlodbc.h"

#include <vector>

class CWnd;
class CVXComboBox;
class CVXEdit;

#define WM_DB_PROGRESS 0x6D5

class AFX_EXT_CLASS CODBCQuery {
public:
    enum { MAX_COLUMNS = 256, MAX_REFS = 8, DEFAULT_CAPACITY = 256 };
    enum ColumnKind { KIND_TEXT = 0, KIND_NUMBER = 1, KIND_BLOB = 2, KIND_FUNCTION = 4 };

    CODBCQuery();
    CODBCQuery(CString strDSN, CString strUID, CString strPWD, int nAutoCommit = 1);
    virtual ~CODBCQuery();

    void SetODBC(CString strDSN, CString strUID, CString strPWD);
    int InitQuery();
    int ResetQuery();
    void Commit();
    void RollBack();
    int CloseQuery();

    void SetStringColumn(const char* pszName, char* pszValue, int nConvert = 1);
    void SetStringColumn(const char* pszName, const char* pszValue, int nConvert = 1);
    void SetStringColumn(CString strName, CString strValue, int nConvert = 1);
    void SetCompactDateColumn(CString strName, CString strDate);
    void SetNumberColumn(const char* pszName, double dValue, int nDecimals = 0);
    void SetNumberColumn(CString strName, double dValue, int nDecimals = 0);
    void SetStringColumnFromVXCombo(CString strName, CVXComboBox* pCombo);
    void SetCompactDateColumnFromVXEdit(CString strName, CVXEdit* pEdit);
    void SetNumberColumnFromVXEdit(CString strName, CVXEdit* pEdit);
    void SetFunctionColumn(CString strName, CString strExpression);
    void SetBLOBColumn(CString strName, void* pData, int nLength);
    void SetFilter(const char* pszFilter);
    void SetFilter(CString strFilter);
    void SetRefColumn(CString strColumn, CString strQuery);
    void SetDataBufSize(int nIndex, int nSize);
    void SetDataBufSize(CString strName, int nSize);

    void MakeStructQuery(const char* pszHead);
    int RunStructQuery(const char* pszHead);
    int RunQuery();
    int FetchNextRow();

    char* ColumnValue(int nIndex, int nConvert = 1);
    char* ColumnValue(const char* pszName, int nConvert = 1);
    char* ColumnValueDate(int nIndex);
    char* ColumnValueDate(const char* pszName);
    char* ColumnValueLongDate(int nIndex);
    char* ColumnValueLongDate(const char* pszName);
    char* ColumnValueLongMonth(int nIndex);
    char* ColumnValueLongMonth(const char* pszName);
    // The column's code replaced in place by the combo box's name for it, cut to the buffer.
    char* ColumnValueNameInVXCombo(int nIndex, CVXComboBox* pCombo);
    char* ColumnValueNameInVXCombo(const char* pszName, CVXComboBox* pCombo);
    void ColumnValueNumberToVXEdit(int nIndex, CVXEdit* pEdit);
    void ColumnValueNumberToVXEdit(const char* pszName, CVXEdit* pEdit);
    char* GetRefData(const char* pszColumn, int nConvert = 1);
    void PrepareRefData();
    int GetBLOBColumnLen(const char* pszName);
    int GetColumnValueBLOB(const char* pszName, BYTE* pBuffer, int nLength);
    int GetResultColumnCount() const { return m_nResultCols; }

    static void ConvertFromQuoatationWhenSave(char* pszText, BYTE byReplace = 0x1E);
    static void ConvertToQuoatationWhenRtrv(char* pszText, BYTE byReplace = 0x1E);
    void ProcessLogMessages(SQLSMALLINT nHandleType, SQLHANDLE hHandle, const char* pszMessage, int nFlag);

    CString m_strQuery;
    CString m_strFilter;
    CString m_strOrder;
    CWnd* m_pProgressWnd;

private:
    void construct();
    void freeBuffers();
    void clearLists();
    void closeCursor();
    int findResultColumn(const char* pszName) const;
    void appendColumn(const CString& name, const CString& value, UINT kind);
    // Binds the result columns as text; listed BLOB columns stay unbound when asked.
    void bindResultColumns(bool leaveBlobsUnbound);
    void convertFetchedRow();
    void sendBlobParameters(SQLRETURN& rc);
    void notifyProgress(long long remaining, long long total);
    SQLRETURN execDirect(const CString& statement);
    SQLRETURN prepare(const CString& statement);
    static int chunkSizeFor(long long length);

    SQLHENV m_hEnv;
    SQLHDBC m_hDbc;
    SQLHSTMT m_hStmt;
    SQLSMALLINT m_nRetCode;
    int m_nAutoCommit;

    // Text as the program sees it (CP949), and the driver's UTF-8 buffers behind it.
    char* m_pData[MAX_COLUMNS];
    char* m_pDriverData[MAX_COLUMNS];
    SQLLEN m_nIndicator[MAX_COLUMNS];
    int m_nCapacity[MAX_COLUMNS];
    bool m_bBound[MAX_COLUMNS];

    CString m_strDSN;
    CString m_strUID;
    CString m_strPWD;

    int m_nResultCols;
    CString m_strResultNames[MAX_COLUMNS];

    std::vector<UINT> m_arrKinds;
    std::vector<CString> m_arrNames;
    std::vector<CString> m_arrValues;

    std::vector<CString> m_arrRefColumns;
    std::vector<CString> m_arrRefQueries;
    std::vector<CString> m_arrRefCodes[MAX_REFS];
    std::vector<CString> m_arrRefNames[MAX_REFS];
    int m_nRefCount;

    std::vector<const void*> m_arrBlobData;
    std::vector<UINT> m_arrBlobLengths;
};
