#include "framework/ODBCQuery.h"

#include "mivo/Trace.h"
#include "mivo/codepage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const int kSmallBlob = 32768;
const int kMediumBlobLimit = 1048576;
const int kLargeChunk = 327680;

bool succeeded(SQLRETURN rc)
{
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

// The driver speaks UTF-8; the program speaks CP949.
std::string toDriver(const CString& text)
{
    return mivo::ToUtf8(text);
}

CString fromDriver(const char* utf8)
{
    std::string ansi = mivo::ToAnsi(utf8 ? utf8 : "");
    return CString(ansi.c_str(), (int)ansi.size());
}

// A driver buffer may end inside a UTF-8 sequence when the value was cut.
size_t completeUtf8Length(const char* s, size_t len)
{
    size_t i = len;
    int back = 0;
    while (i > 0 && back < 4 && ((unsigned char)s[i - 1] & 0xC0) == 0x80) {
        --i;
        ++back;
    }
    if (i == 0)
        return len;
    unsigned char lead = (unsigned char)s[i - 1];
    int need = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (lead >= 0xC0 && need != back)
        return i - 1;
    return len;
}

int driverBufferSize(int capacity)
{
    // Two CP949 bytes of Hangul are three UTF-8 bytes.
    return capacity * 2 + 2;
}

CString firstWord(const CString& upper, int& position)
{
    int i = 0;
    while (i < upper.GetLength() && (upper[i] == ' ' || upper[i] == '\t' || upper[i] == '\r' || upper[i] == '\n'))
        ++i;
    int start = i;
    while (i < upper.GetLength() && upper[i] >= 'A' && upper[i] <= 'Z')
        ++i;
    position = start;
    return upper.Mid(start, i - start);
}

CString quoted(CString value)
{
    // Apostrophes left in a value (convert flag off) would end the literal.
    value.Replace("'", "''");
    return "'" + value + "'";
}

}  // namespace

namespace {

void showConnectionFailure(const CString& text)
{
    ::MessageBox(nullptr, text, nullptr, MB_OK | MB_ICONERROR);
}

void sendProgress(CWnd* pWnd, int nPercent)
{
    ::SendMessage(pWnd->GetSafeHwnd(), WM_DB_PROGRESS, (WPARAM)nPercent, 1);
}

}  // namespace

CODBCQuery::CODBCQuery()
{
    construct();
}

CODBCQuery::CODBCQuery(CString strDSN, CString strUID, CString strPWD, int nAutoCommit)
{
    construct();
    m_strDSN = strDSN;
    m_strUID = strUID;
    m_strPWD = strPWD;
    m_nAutoCommit = nAutoCommit;
}

void CODBCQuery::construct()
{
    m_pProgressWnd = nullptr;
    m_hEnv = SQL_NULL_HENV;
    m_hDbc = SQL_NULL_HDBC;
    m_hStmt = SQL_NULL_HSTMT;
    m_nRetCode = SQL_SUCCESS;
    m_nAutoCommit = 1;
    m_nResultCols = 0;
    m_nRefCount = 0;
    for (int i = 0; i < MAX_COLUMNS; ++i) {
        m_nCapacity[i] = DEFAULT_CAPACITY;
        m_pData[i] = (char*)std::calloc(DEFAULT_CAPACITY + 1, 1);
        m_pDriverData[i] = (char*)std::calloc(driverBufferSize(DEFAULT_CAPACITY), 1);
        m_nIndicator[i] = 0;
        m_bBound[i] = false;
    }
}

CODBCQuery::~CODBCQuery()
{
    CloseQuery();
}

void CODBCQuery::freeBuffers()
{
    for (int i = 0; i < MAX_COLUMNS; ++i) {
        std::free(m_pData[i]);
        std::free(m_pDriverData[i]);
        m_pData[i] = nullptr;
        m_pDriverData[i] = nullptr;
        m_bBound[i] = false;
    }
    m_nResultCols = 0;
}

void CODBCQuery::SetODBC(CString strDSN, CString strUID, CString strPWD)
{
    m_strDSN = strDSN;
    m_strUID = strUID;
    m_strPWD = strPWD;
}

int CODBCQuery::InitQuery()
{
    if (m_hStmt != SQL_NULL_HSTMT)
        return 1;
    m_nRetCode = SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_hEnv);
    if (m_nRetCode != SQL_SUCCESS) {
        m_hEnv = SQL_NULL_HENV;
        return 0;
    }
    m_nRetCode = SQLSetEnvAttr(m_hEnv, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
    if (m_nRetCode == SQL_SUCCESS)
        m_nRetCode = SQLAllocHandle(SQL_HANDLE_DBC, m_hEnv, &m_hDbc);
    if (m_nRetCode != SQL_SUCCESS) {
        m_hDbc = SQL_NULL_HDBC;
        CloseQuery();
        return 0;
    }
    if (m_nAutoCommit == 0)
        SQLSetConnectAttr(m_hDbc, SQL_ATTR_AUTOCOMMIT, (SQLPOINTER)SQL_AUTOCOMMIT_OFF, 0);

    std::string dsn = toDriver(m_strDSN), uid = toDriver(m_strUID), pwd = toDriver(m_strPWD);
    MIVO_TRACE(kTraceOdbc, "SQLConnect(%s, %s)", dsn.c_str(), uid.c_str());
    m_nRetCode = SQLConnect(m_hDbc, (SQLCHAR*)dsn.c_str(), SQL_NTS, (SQLCHAR*)uid.c_str(), SQL_NTS,
                            (SQLCHAR*)pwd.c_str(), SQL_NTS);
    if (!succeeded(m_nRetCode)) {
        MIVO_WARN(kTraceOdbc, "SQLConnect(%s) failed: %d", dsn.c_str(), (int)m_nRetCode);
        SQLFreeHandle(SQL_HANDLE_DBC, m_hDbc);
        m_hDbc = SQL_NULL_HDBC;
        SQLFreeHandle(SQL_HANDLE_ENV, m_hEnv);
        m_hEnv = SQL_NULL_HENV;
        showConnectionFailure("DB Connection Failed ( DSN: " + m_strDSN + ", UID: " + m_strUID + ")");
        return 0;
    }
    m_nRetCode = SQLAllocHandle(SQL_HANDLE_STMT, m_hDbc, &m_hStmt);
    if (m_nRetCode != SQL_SUCCESS) {
        m_hStmt = SQL_NULL_HSTMT;
        SQLDisconnect(m_hDbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_hDbc);
        m_hDbc = SQL_NULL_HDBC;
        SQLFreeHandle(SQL_HANDLE_ENV, m_hEnv);
        m_hEnv = SQL_NULL_HENV;
        return 0;
    }
    clearLists();
    return 1;
}

void CODBCQuery::clearLists()
{
    m_arrKinds.clear();
    m_arrNames.clear();
    m_arrValues.clear();
    m_strFilter.Empty();
    m_strOrder.Empty();
    m_arrRefColumns.clear();
    m_arrRefQueries.clear();
    for (int i = 0; i < MAX_REFS; ++i) {
        m_arrRefCodes[i].clear();
        m_arrRefNames[i].clear();
    }
    m_nRefCount = 0;
    m_arrBlobData.clear();
    m_arrBlobLengths.clear();
}

void CODBCQuery::closeCursor()
{
    if (m_hStmt == SQL_NULL_HSTMT)
        return;
    SQLFreeStmt(m_hStmt, SQL_CLOSE);
    SQLFreeStmt(m_hStmt, SQL_UNBIND);
    SQLFreeStmt(m_hStmt, SQL_RESET_PARAMS);
}

int CODBCQuery::ResetQuery()
{
    closeCursor();
    clearLists();
    return 1;
}

void CODBCQuery::Commit()
{
    if (m_hDbc != SQL_NULL_HDBC)
        m_nRetCode = SQLEndTran(SQL_HANDLE_DBC, m_hDbc, SQL_COMMIT);
}

void CODBCQuery::RollBack()
{
    if (m_hDbc != SQL_NULL_HDBC)
        m_nRetCode = SQLEndTran(SQL_HANDLE_DBC, m_hDbc, SQL_ROLLBACK);
}

int CODBCQuery::CloseQuery()
{
    if (m_hStmt != SQL_NULL_HSTMT) {
        closeCursor();
        SQLFreeHandle(SQL_HANDLE_STMT, m_hStmt);
        m_hStmt = SQL_NULL_HSTMT;
    }
    if (m_hDbc != SQL_NULL_HDBC) {
        SQLDisconnect(m_hDbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_hDbc);
        m_hDbc = SQL_NULL_HDBC;
    }
    if (m_hEnv != SQL_NULL_HENV) {
        SQLFreeHandle(SQL_HANDLE_ENV, m_hEnv);
        m_hEnv = SQL_NULL_HENV;
    }
    freeBuffers();
    return 1;
}

void CODBCQuery::appendColumn(const CString& name, const CString& value, UINT kind)
{
    m_arrKinds.push_back(kind);
    m_arrNames.push_back(name);
    m_arrValues.push_back(value);
}

void CODBCQuery::SetStringColumn(const char* pszName, char* pszValue, int nConvert)
{
    if (nConvert && pszValue)
        ConvertFromQuoatationWhenSave(pszValue);
    appendColumn(pszName, pszValue ? pszValue : "", KIND_TEXT);
}

void CODBCQuery::SetStringColumn(const char* pszName, const char* pszValue, int nConvert)
{
    SetStringColumn(CString(pszName), CString(pszValue), nConvert);
}

void CODBCQuery::SetStringColumn(CString strName, CString strValue, int nConvert)
{
    if (nConvert)
        strValue.Replace('\'', '\x1E');
    appendColumn(strName, strValue, KIND_TEXT);
}

void CODBCQuery::SetCompactDateColumn(CString strName, CString strDate)
{
    strDate.Remove('-');
    appendColumn(strName, strDate, KIND_TEXT);
}

void CODBCQuery::SetNumberColumn(CString strName, double dValue, int nDecimals)
{
    CString format, value;
    format.Format("%%%d.%df", 15 - nDecimals, nDecimals);
    value.Format(format, dValue);
    appendColumn(strName, value, KIND_NUMBER);
}

void CODBCQuery::SetNumberColumn(const char* pszName, double dValue, int nDecimals)
{
    SetNumberColumn(CString(pszName), dValue, nDecimals);
}

void CODBCQuery::SetFunctionColumn(CString strName, CString strExpression)
{
    appendColumn(strName, strExpression, KIND_FUNCTION);
}

void CODBCQuery::SetBLOBColumn(CString strName, void* pData, int nLength)
{
    appendColumn(strName, "", KIND_BLOB);
    // Every listed BLOB of an insert or update becomes a parameter, an empty one too;
    // a negative length only names a result column of a select.
    if (nLength >= 0) {
        m_arrBlobData.push_back(pData);
        m_arrBlobLengths.push_back((UINT)nLength);
    }
}

void CODBCQuery::SetFilter(const char* pszFilter)
{
    m_strFilter = pszFilter;
}

void CODBCQuery::SetFilter(CString strFilter)
{
    m_strFilter = strFilter;
}

void CODBCQuery::SetRefColumn(CString strColumn, CString strQuery)
{
    if (m_nRefCount >= MAX_REFS)
        return;
    m_arrRefColumns.push_back(strColumn);
    m_arrRefQueries.push_back(strQuery);
    ++m_nRefCount;
}

void CODBCQuery::SetDataBufSize(int nIndex, int nSize)
{
    if (nIndex < 0 || nIndex >= MAX_COLUMNS || nSize <= 0 || m_pData[nIndex] == nullptr)
        return;
    char* data = (char*)std::calloc((size_t)nSize + 1, 1);
    char* driver = (char*)std::calloc((size_t)driverBufferSize(nSize), 1);
    if (data == nullptr || driver == nullptr) {
        std::free(data);
        std::free(driver);
        return;
    }
    std::free(m_pData[nIndex]);
    std::free(m_pDriverData[nIndex]);
    m_pData[nIndex] = data;
    m_pDriverData[nIndex] = driver;
    m_nCapacity[nIndex] = nSize;
}

void CODBCQuery::SetDataBufSize(CString strName, int nSize)
{
    for (size_t i = 0; i < m_arrNames.size(); ++i)
        if (m_arrNames[i] == strName) {
            SetDataBufSize((int)i, nSize);
            return;
        }
}

void CODBCQuery::MakeStructQuery(const char* pszHead)
{
    CString head(pszHead);
    head.MakeUpper();
    int position = 0;
    CString verb = firstWord(head, position);

    CString names;
    for (size_t i = 0; i < m_arrNames.size(); ++i)
        names += (i ? "," : "") + m_arrNames[i];

    if (verb == "INSERT") {
        CString values;
        for (size_t i = 0; i < m_arrNames.size(); ++i) {
            if (i)
                values += ",";
            UINT kind = m_arrKinds[i];
            if (kind == KIND_TEXT)
                values += quoted(m_arrValues[i]);
            else if (kind == KIND_BLOB)
                values += "?";
            else
                values += m_arrValues[i];
        }
        m_strQuery = head + " (" + names + ") Values (" + values + ")";
    } else if (verb == "UPDATE") {
        CString sets;
        for (size_t i = 0; i < m_arrNames.size(); ++i) {
            if (i)
                sets += ",";
            UINT kind = m_arrKinds[i];
            if (kind == KIND_TEXT)
                sets += m_arrNames[i] + " = " + quoted(m_arrValues[i]);
            else if (kind == KIND_BLOB)
                sets += m_arrNames[i] + " = ? ";
            else
                sets += m_arrNames[i] + " = " + m_arrValues[i];
        }
        m_strQuery = head + " set " + sets;
        if (!m_strFilter.IsEmpty())
            m_strQuery += " where " + m_strFilter;
    } else if (verb == "DELETE") {
        m_strQuery = head + " ";
        if (!m_strFilter.IsEmpty())
            m_strQuery += " where " + m_strFilter;
    } else if (verb == "SELECT") {
        int end = position + 6;
        m_strQuery = head.Left(end) + " " + names + head.Mid(end);
        if (!m_strFilter.IsEmpty())
            m_strQuery += " where " + m_strFilter;
        m_strQuery += " " + m_strOrder;
    }
}

int CODBCQuery::RunStructQuery(const char* pszHead)
{
    MakeStructQuery(pszHead);
    return RunQuery();
}

SQLRETURN CODBCQuery::prepare(const CString& statement)
{
    std::string text = toDriver(statement);
    MIVO_TRACE(kTraceOdbc, "SQLPrepare(%s)", text.c_str());
    return SQLPrepare(m_hStmt, (SQLCHAR*)text.c_str(), SQL_NTS);
}

SQLRETURN CODBCQuery::execDirect(const CString& statement)
{
    std::string text = toDriver(statement);
    MIVO_TRACE(kTraceOdbc, "SQLExecDirect(%s)", text.c_str());
    return SQLExecDirect(m_hStmt, (SQLCHAR*)text.c_str(), SQL_NTS);
}

int CODBCQuery::chunkSizeFor(long long length)
{
    if (length <= kSmallBlob)
        return (int)length;
    if (length <= kMediumBlobLimit)
        return kSmallBlob;
    return kLargeChunk;
}

void CODBCQuery::notifyProgress(long long remaining, long long total)
{
    if (m_pProgressWnd == nullptr || total <= 0)
        return;
    sendProgress(m_pProgressWnd, (int)(100 - remaining * 100 / total));
}

void CODBCQuery::sendBlobParameters(SQLRETURN& rc)
{
    // Each BLOB bound for execution carries its list position + 1 as token.
    while (rc == SQL_NEED_DATA) {
        SQLPOINTER token = nullptr;
        rc = SQLParamData(m_hStmt, &token);
        size_t index = (size_t)token - 1;
        if (rc != SQL_NEED_DATA || index >= m_arrBlobData.size())
            break;
        const BYTE* data = (const BYTE*)m_arrBlobData[index];
        long long length = m_arrBlobLengths[index];
        int chunk = chunkSizeFor(length);
        long long remaining = length;
        while (remaining > 0) {
            long long n = remaining < chunk ? remaining : chunk;
            SQLRETURN put = SQLPutData(m_hStmt, (SQLPOINTER)(data + (length - remaining)), (SQLLEN)n);
            if (!succeeded(put))
                break;
            remaining -= n;
            notifyProgress(remaining, length);
        }
    }
}

int CODBCQuery::RunQuery()
{
    if (m_hStmt == SQL_NULL_HSTMT)
        return 0;
    PrepareRefData();
    m_nResultCols = 0;
    for (int i = 0; i < MAX_COLUMNS; ++i) {
        m_nIndicator[i] = 0;
        m_bBound[i] = false;
    }
    closeCursor();

    m_nRetCode = prepare(m_strQuery);
    if (!succeeded(m_nRetCode)) {
        ProcessLogMessages(SQL_HANDLE_STMT, m_hStmt, "SQLPrepare() Failed\n\n", 1);
        closeCursor();
        return 0;
    }

    static BYTE emptyBlob = 0;
    std::vector<SQLLEN> lengths(m_arrBlobData.size());
    for (size_t i = 0; i < m_arrBlobData.size(); ++i) {
        SQLULEN size = m_arrBlobLengths[i];
        bool empty = size == 0 || m_arrBlobData[i] == nullptr;
        lengths[i] = empty ? 0 : SQL_DATA_AT_EXEC;
        SQLPOINTER value = empty ? (SQLPOINTER)&emptyBlob : (SQLPOINTER)(i + 1);
        SQLBindParameter(m_hStmt, (SQLUSMALLINT)(i + 1), SQL_PARAM_INPUT, SQL_C_BINARY, SQL_LONGVARBINARY,
                         empty ? 1 : size, 0, value, (SQLLEN)size, &lengths[i]);
    }

    SQLRETURN rc = SQLExecute(m_hStmt);
    sendBlobParameters(rc);
    m_nRetCode = rc;
    MIVO_TRACE(kTraceOdbc, "SQLExecute with %zu blobs: %d", m_arrBlobData.size(), (int)rc);

    if (succeeded(rc)) {
        // The Access driver answered an update or delete that touched no row with
        // "no data"; callers rely on that to fall back to an insert.
        int position = 0;
        CString upper(m_strQuery);
        upper.MakeUpper();
        CString verb = firstWord(upper, position);
        SQLLEN rows = -1;
        if ((verb == "UPDATE" || verb == "DELETE") && succeeded(SQLRowCount(m_hStmt, &rows)) && rows == 0)
            rc = SQL_NO_DATA;
    }
    if (!succeeded(rc)) {
        m_nRetCode = rc;
        if (rc != SQL_NO_DATA)
            ProcessLogMessages(SQL_HANDLE_STMT, m_hStmt, "SQLExecute() Failed\n\n", 1);
        closeCursor();
        return 0;
    }

    SQLSMALLINT columns = 0;
    SQLNumResultCols(m_hStmt, &columns);
    if (columns > MAX_COLUMNS)
        columns = MAX_COLUMNS;
    if (columns <= 0) {
        closeCursor();
        return 1;
    }
    m_nResultCols = columns;
    bindResultColumns(true);
    return 1;
}

void CODBCQuery::bindResultColumns(bool leaveBlobsUnbound)
{
    for (int i = 0; i < m_nResultCols; ++i) {
        SQLCHAR name[257] = {0};
        SQLSMALLINT nameLength = 0, type = 0, decimals = 0, nullable = 0;
        SQLULEN size = 0;
        SQLDescribeCol(m_hStmt, (SQLUSMALLINT)(i + 1), name, sizeof name, &nameLength, &type, &size, &decimals,
                       &nullable);
        m_strResultNames[i] = fromDriver((const char*)name);
        bool blob = leaveBlobsUnbound && (size_t)i < m_arrKinds.size() && m_arrKinds[i] == KIND_BLOB;
        m_bBound[i] = false;
        if (blob)
            continue;
        SQLRETURN rc = SQLBindCol(m_hStmt, (SQLUSMALLINT)(i + 1), SQL_C_CHAR, m_pDriverData[i],
                                  driverBufferSize(m_nCapacity[i]), &m_nIndicator[i]);
        m_bBound[i] = succeeded(rc);
    }
}

void CODBCQuery::convertFetchedRow()
{
    for (int i = 0; i < m_nResultCols; ++i) {
        if (!m_bBound[i])
            continue;
        char* out = m_pData[i];
        if (m_nIndicator[i] == SQL_NULL_DATA) {
            out[0] = 0;
            continue;
        }
        const char* in = m_pDriverData[i];
        size_t length = completeUtf8Length(in, strnlen(in, (size_t)driverBufferSize(m_nCapacity[i])));
        std::string ansi = mivo::ToAnsi(std::string(in, length));
        size_t keep = mivo::CutToCharBoundary(ansi.data(), ansi.size(), (size_t)(m_nCapacity[i] - 1));
        std::memcpy(out, ansi.data(), keep);
        out[keep] = 0;
    }
}

int CODBCQuery::FetchNextRow()
{
    if (m_hStmt == SQL_NULL_HSTMT || m_nResultCols == 0)
        return 0;
    for (int i = 0; i < m_nResultCols; ++i) {
        if (!m_bBound[i])
            continue;
        std::memset(m_pData[i], 0, (size_t)m_nCapacity[i] + 1);
        std::memset(m_pDriverData[i], 0, (size_t)driverBufferSize(m_nCapacity[i]));
    }
    m_nRetCode = SQLFetch(m_hStmt);
    MIVO_TRACE(kTraceOdbc, "SQLFetch: %d", (int)m_nRetCode);
    if (!succeeded(m_nRetCode))
        return 0;
    convertFetchedRow();
    return 1;
}

int CODBCQuery::findResultColumn(const char* pszName) const
{
    if (pszName == nullptr)
        return -1;
    for (int i = 0; i < m_nResultCols; ++i)
        if (std::strcmp(m_strResultNames[i], pszName) == 0)
            return i;
    return -1;
}

char* CODBCQuery::ColumnValue(int nIndex, int nConvert)
{
    if (nIndex < 0 || nIndex >= m_nResultCols || m_pData[nIndex] == nullptr)
        return nullptr;
    if (nConvert)
        ConvertToQuoatationWhenRtrv(m_pData[nIndex]);
    return m_pData[nIndex];
}

char* CODBCQuery::ColumnValue(const char* pszName, int nConvert)
{
    int index = findResultColumn(pszName);
    return index < 0 ? nullptr : ColumnValue(index, nConvert);
}

char* CODBCQuery::ColumnValueDate(int nIndex)
{
    char* value = ColumnValue(nIndex, 0);
    if (value && std::strlen(value) > 10)
        value[10] = 0;
    return value;
}

char* CODBCQuery::ColumnValueDate(const char* pszName)
{
    return ColumnValueDate(findResultColumn(pszName));
}

namespace {

// Inserts "-" after the 4th and 6th characters, bounded by the buffer's capacity.
void expandCompactDate(char* value, int capacity, size_t maxLength)
{
    std::string in(value);
    std::string out;
    for (size_t i = 0; i < in.size() && out.size() < maxLength; ++i) {
        if (i == 4 || i == 6)
            out += '-';
        if (out.size() < maxLength)
            out += in[i];
    }
    size_t keep = out.size() < (size_t)capacity ? out.size() : (size_t)capacity;
    std::memcpy(value, out.data(), keep);
    value[keep] = 0;
}

}  // namespace

char* CODBCQuery::ColumnValueLongDate(int nIndex)
{
    char* value = ColumnValue(nIndex, 0);
    if (value)
        expandCompactDate(value, m_nCapacity[nIndex], 10);
    return value;
}

char* CODBCQuery::ColumnValueLongDate(const char* pszName)
{
    return ColumnValueLongDate(findResultColumn(pszName));
}

char* CODBCQuery::ColumnValueLongMonth(int nIndex)
{
    char* value = ColumnValue(nIndex, 0);
    if (value)
        expandCompactDate(value, m_nCapacity[nIndex], 7);
    return value;
}

char* CODBCQuery::ColumnValueLongMonth(const char* pszName)
{
    return ColumnValueLongMonth(findResultColumn(pszName));
}

void CODBCQuery::PrepareRefData()
{
    if (m_hStmt == SQL_NULL_HSTMT)
        return;
    for (int r = 0; r < m_nRefCount; ++r) {
        m_arrRefCodes[r].clear();
        m_arrRefNames[r].clear();
        for (int i = 0; i < MAX_COLUMNS; ++i)
            m_nIndicator[i] = 0;
        closeCursor();
        if (!succeeded(execDirect(m_arrRefQueries[r]))) {
            ProcessLogMessages(SQL_HANDLE_STMT, m_hStmt, "SQLExecute() Failed\n\n", 1);
            closeCursor();
            continue;
        }
        SQLSMALLINT columns = 0;
        SQLNumResultCols(m_hStmt, &columns);
        m_nResultCols = columns > (SQLSMALLINT)MAX_COLUMNS ? (int)MAX_COLUMNS : (int)columns;
        bindResultColumns(false);  // lookups bind every column as text
        while (FetchNextRow()) {
            m_arrRefCodes[r].push_back(m_nResultCols > 0 ? m_pData[0] : "");
            m_arrRefNames[r].push_back(m_nResultCols > 1 ? m_pData[1] : "");
        }
        m_nResultCols = 0;
        closeCursor();
    }
}

char* CODBCQuery::GetRefData(const char* pszColumn, int nConvert)
{
    for (int r = 0; r < m_nRefCount; ++r) {
        if (m_arrRefColumns[r] != pszColumn)
            continue;
        char* code = ColumnValue(pszColumn, nConvert);
        if (code == nullptr)
            return nullptr;
        for (size_t k = 0; k < m_arrRefCodes[r].size(); ++k)
            if (m_arrRefCodes[r][k] == code)
                return (char*)(LPCSTR)m_arrRefNames[r][k];
        return nullptr;
    }
    return nullptr;
}

int CODBCQuery::GetBLOBColumnLen(const char* pszName)
{
    int index = findResultColumn(pszName);
    if (index < 0)
        return -1;
    BYTE probe = 0;
    SQLLEN length = 0;
    SQLRETURN rc = SQLGetData(m_hStmt, (SQLUSMALLINT)(index + 1), SQL_C_BINARY, &probe, 0, &length);
    if (!succeeded(rc) || length == SQL_NULL_DATA)
        return 0;
    if (length == SQL_NO_TOTAL || length < 0)
        return -1;
    return length > INT_MAX ? INT_MAX : (int)length;
}

int CODBCQuery::GetColumnValueBLOB(const char* pszName, BYTE* pBuffer, int nLength)
{
    int index = findResultColumn(pszName);
    if (index < 0 || pBuffer == nullptr)
        return 0;
    long long length = nLength > 0 ? nLength : 0;
    int chunk = chunkSizeFor(length);
    long long remaining = length;
    while (remaining > 0) {
        // The last chunk never runs past what is left of the caller's buffer.
        long long n = remaining < chunk ? remaining : chunk;
        SQLLEN got = 0;
        SQLRETURN rc = SQLGetData(m_hStmt, (SQLUSMALLINT)(index + 1), SQL_C_BINARY, pBuffer + (length - remaining),
                                  (SQLLEN)n, &got);
        if (rc == SQL_NO_DATA)
            break;
        if (!succeeded(rc))
            return 0;
        remaining -= n;
        notifyProgress(remaining, length);
    }
    return 1;
}

void CODBCQuery::ConvertFromQuoatationWhenSave(char* pszText, BYTE byReplace)
{
    if (pszText == nullptr)
        return;
    for (char* p = pszText; *p; ++p)
        if (*p == '\'')
            *p = (char)byReplace;
}

void CODBCQuery::ConvertToQuoatationWhenRtrv(char* pszText, BYTE byReplace)
{
    if (pszText == nullptr)
        return;
    for (char* p = pszText; *p; ++p)
        if ((BYTE)*p == byReplace)
            *p = '\'';
}

void CODBCQuery::ProcessLogMessages(SQLSMALLINT nHandleType, SQLHANDLE hHandle, const char* pszMessage, int)
{
    std::fputs(pszMessage ? pszMessage : "", stdout);
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6] = {0};
        SQLINTEGER native = 0;
        SQLCHAR text[1024] = {0};
        SQLSMALLINT textLength = 0;
        SQLRETURN rc = SQLGetDiagRec(nHandleType, hHandle, record, state, &native, text, sizeof text, &textLength);
        if (!succeeded(rc))
            break;
        CString formatted;
        formatted.Format("State\t\t:%s\r\nNative\t\t:%d\r\nError:%d\t\t:%s\r\nQuery\t\t:%s", (const char*)state,
                         (int)native, (int)textLength, (const char*)text, (LPCSTR)m_strQuery);
        const char* what = pszMessage ? pszMessage : "";
        MIVO_WARN(kTraceOdbc, "%.*s: state %s, native %d: %s", (int)std::strcspn(what, "\r\n"), what,
                  (const char*)state, (int)native, (const char*)text);
    }
}
