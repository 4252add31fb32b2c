// CBDB over Berkeley DB's C++ interface, used without exceptions: every call's result lands in m_nStatus.
#include "framework/BDB.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"

#include <db_cxx.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kCompressTempName[] = "VXcompress.tmp";

int ClampColumnCount(int n) { return n < 0 ? 0 : n > CBDB::MAX_COLUMNS ? CBDB::MAX_COLUMNS : n; }

DBTYPE ToDbType(int nType)
{
    switch (nType) {
    case 2: return DB_HASH;
    case 3: return DB_RECNO;
    case 4: return DB_QUEUE;
    default: return DB_BTREE;
    }
}

std::string DirectoryOf(const std::string& posixPath)
{
    size_t slash = posixPath.rfind('/');
    return slash == std::string::npos ? std::string(".") : posixPath.substr(0, slash + 1);
}

void TrimTrailingBlanks(char* text)
{
    size_t len = strlen(text);
    while (len > 0 && text[len - 1] == ' ') text[--len] = 0;
}

// Cuts `len` bytes of record text at the column widths into `out` (blanks at the end of each removed).
std::vector<std::string> CutText(const char* text, size_t len, const int* widths, int count)
{
    std::vector<std::string> out(count);
    size_t pos = 0;
    for (int i = 0; i < count; ++i) {
        size_t take = 0;
        while (take < (size_t)widths[i] && pos + take < len && text[pos + take] != 0) ++take;
        std::string col(text + pos, take);
        while (!col.empty() && col.back() == ' ') col.pop_back();
        out[i] = col;
        pos += take;
    }
    return out;
}

// A Dbt whose memory Berkeley DB grows as needed; freed with the object.
class ReallocThang : public Dbt {
public:
    ReallocThang() { set_flags(DB_DBT_REALLOC); }
    explicit ReallocThang(const std::string& bytes)
    {
        set_flags(DB_DBT_REALLOC);
        void* p = malloc(bytes.size() + 1);
        if (p) {
            memcpy(p, bytes.data(), bytes.size());
            set_data(p);
            set_size((u_int32_t)bytes.size());
        }
    }
    ~ReallocThang() { free(get_data()); }
    ReallocThang(const ReallocThang&) = delete;
    ReallocThang& operator=(const ReallocThang&) = delete;
};

// A cursor of its own, closed on every way out.
class ScopedCursor {
public:
    explicit ScopedCursor(Db* db)
    {
        if (db && db->cursor(nullptr, &m_cursor, 0) != 0) m_cursor = nullptr;
    }
    ~ScopedCursor()
    {
        if (m_cursor) m_cursor->close();
    }
    Dbc* get() const { return m_cursor; }

private:
    Dbc* m_cursor = nullptr;
};

}  // namespace

CBDB::CBDB(LPCSTR pszFileName, BOOL bAllowDup, BOOL bCreateNew, int nKeyColumns, int nDataColumns, int nKeyBufSize,
           int nDataBufSize)
    : m_nStatus(0),
      m_bAllowDup(bAllowDup),
      m_bCreateNew(bCreateNew),
      m_nPageSize(1024),
      m_nCacheSize(262144),
      m_nKeyBufSize(nKeyBufSize > 0 ? nKeyBufSize : 1),
      m_nDataBufSize(nDataBufSize > 0 ? nDataBufSize : 1),
      m_bCursorOpen(FALSE),
      m_bDBOpen(FALSE),
      m_bFirstStepDone(TRUE),
      m_nDBType(1),
      m_pCursor(nullptr),
      m_nKeyColumns(ClampColumnCount(nKeyColumns)),
      m_nDataColumns(ClampColumnCount(nDataColumns)),
      m_bReadOnly(FALSE),
      m_bExactMatch(FALSE)
{
    const char* name = pszFileName ? pszFileName : "";
    size_t len = mivo::CutToCharBoundary(name, strlen(name), sizeof m_szFileName - 1);
    memcpy(m_szFileName, name, len);
    m_szFileName[len] = 0;
    strcpy(m_szErrPrefix, "VantrelSoft");
    // One spare byte past each buffer's capacity keeps a read record terminated.
    m_pKeyBuf = new char[m_nKeyBufSize + 1]();
    m_pDataBuf = new char[m_nDataBufSize + 1]();
    m_pKeyThang = std::make_unique<Dbt>();
    m_pDataThang = std::make_unique<Dbt>();
    m_key.nCount = m_nKeyColumns;
    m_data.nCount = m_nDataColumns;
}

CBDB::~CBDB()
{
    if (m_bCursorOpen) CloseCursor();
    if (m_bDBOpen) CloseDB();
    m_pDb.reset();
    FreeColumns(m_key);
    FreeColumns(m_data);
    delete[] m_pKeyBuf;
    delete[] m_pDataBuf;
}

void CBDB::SetCacheSize(int nBytes) { m_nCacheSize = nBytes; }

void CBDB::SetDBType(LPCSTR pszType)
{
    if (!pszType) return;
    if (strcmp(pszType, "BTREE") == 0) m_nDBType = 1;
    else if (strcmp(pszType, "HASH") == 0) m_nDBType = 2;
    else if (strcmp(pszType, "RECNO") == 0) m_nDBType = 3;
    else if (strcmp(pszType, "QUEUE") == 0) m_nDBType = 4;
}

void CBDB::SetReadOnly(BOOL bReadOnly) { m_bReadOnly = bReadOnly; }

// Empty when the name has no place in the file system.
std::string CBDB::PosixFileName() const
{
    std::string path;
    if (!m_szFileName[0] || !mivo::ToPosixPath(m_szFileName, path)) return std::string();
    return path;
}

std::unique_ptr<Db> CBDB::NewDbHandle() const
{
    auto db = std::make_unique<Db>(nullptr, DB_CXX_NO_EXCEPTIONS);
    db->set_error_stream(&std::cerr);
    db->set_errpfx(m_szErrPrefix);
    db->set_pagesize((u_int32_t)m_nPageSize);
    db->set_cachesize(0, (u_int32_t)m_nCacheSize, 1);
    if (m_bAllowDup) db->set_flags(DB_DUP);
    return db;
}

BOOL CBDB::IsSound(const char* pszPath)
{
    // verify consumes the handle whatever it finds; only the object is left to free
    m_nStatus = NewDbHandle()->verify(pszPath, nullptr, nullptr, 0);
    return m_nStatus == 0;
}

BOOL CBDB::TryOpen(const char* pszPath, unsigned int nFlags)
{
    std::unique_ptr<Db> db = NewDbHandle();
    m_nStatus = db->open(nullptr, pszPath, nullptr, ToDbType(m_nDBType), nFlags, 0644);
    if (m_nStatus != 0) {
        db->close(0);
        return FALSE;
    }
    m_pDb = std::move(db);
    return TRUE;
}

int CBDB::OpenDB()
{
    if (m_bDBOpen) return 1;
    std::string path = PosixFileName();
    // No name, or a folder's name: nothing to open (never a file in the root folder by accident).
    size_t len = strlen(m_szFileName);
    bool namesFolder = len == 0 || m_szFileName[len - 1] == '\\' || m_szFileName[len - 1] == '/';
    if (namesFolder || path.empty() || path.back() == '/') {
        m_nStatus = ENOENT;
        return 0;
    }
    struct stat st;
    if (stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            m_nStatus = EISDIR;
            return 0;
        }
        // A damaged file is left closed and untouched: reading it could stop the library for good.
        if (st.st_size > 0 && !m_bCreateNew && !IsSound(path.c_str())) return 0;
    }
    unsigned int flags = m_bCreateNew  ? DB_CREATE | DB_TRUNCATE | DB_THREAD
                         : m_bReadOnly ? DB_RDONLY | DB_THREAD
                                       : DB_CREATE | DB_THREAD;
    if (!TryOpen(path.c_str(), flags)) {
        // A damaged file stays as it is: only a missing one is created.
        if (m_nStatus != ENOENT || !TryOpen(path.c_str(), DB_CREATE | DB_THREAD)) return 0;
    }
    m_pKeyThang->set_data(m_pKeyBuf);
    m_pKeyThang->set_ulen((u_int32_t)m_nKeyBufSize);
    m_pKeyThang->set_flags(DB_DBT_USERMEM);
    m_pDataThang->set_data(m_pDataBuf);
    m_pDataThang->set_ulen((u_int32_t)m_nDataBufSize);
    m_pDataThang->set_flags(DB_DBT_USERMEM);
    m_bDBOpen = TRUE;
    return 1;
}

int CBDB::CloseDB()
{
    if (m_bCursorOpen) CloseCursor();
    if (m_pDb) {
        m_nStatus = m_pDb->close(0);
        m_pDb.reset();
    }
    m_bDBOpen = FALSE;
    return 1;
}

// ---- columns ----

void CBDB::Prepare(Columns& cols, const int* widths, int nBufSize)
{
    FreeColumns(cols);
    for (int i = 0; i < cols.nCount; ++i) {
        int w = widths[i] < 0 ? 0 : widths[i] > nBufSize ? nBufSize : widths[i];
        cols.nWidth[i] = w;
        cols.bPad[i] = TRUE;
        cols.pText[i] = new char[w + 1]();
    }
}

void CBDB::FreeColumns(Columns& cols)
{
    for (int i = 0; i < MAX_COLUMNS; ++i) {
        delete[] cols.pText[i];
        cols.pText[i] = nullptr;
    }
}

void CBDB::PrepareKey(int w0, int w1, int w2, int w3, int w4, int w5, int w6, int w7, int w8, int w9, int w10,
                      int w11, int w12, int w13, int w14, int w15, int w16, int w17, int w18, int w19, int w20,
                      int w21, int w22, int w23, int w24, int w25, int w26, int w27, int w28, int w29, int w30,
                      int w31)
{
    const int widths[MAX_COLUMNS] = {w0,  w1,  w2,  w3,  w4,  w5,  w6,  w7,  w8,  w9,  w10,
                                     w11, w12, w13, w14, w15, w16, w17, w18, w19, w20, w21,
                                     w22, w23, w24, w25, w26, w27, w28, w29, w30, w31};
    Prepare(m_key, widths, m_nKeyBufSize);
}

void CBDB::PrepareData(int w0, int w1, int w2, int w3, int w4, int w5, int w6, int w7, int w8, int w9, int w10,
                       int w11, int w12, int w13, int w14, int w15, int w16, int w17, int w18, int w19, int w20,
                       int w21, int w22, int w23, int w24, int w25, int w26, int w27, int w28, int w29, int w30,
                       int w31)
{
    const int widths[MAX_COLUMNS] = {w0,  w1,  w2,  w3,  w4,  w5,  w6,  w7,  w8,  w9,  w10,
                                     w11, w12, w13, w14, w15, w16, w17, w18, w19, w20, w21,
                                     w22, w23, w24, w25, w26, w27, w28, w29, w30, w31};
    Prepare(m_data, widths, m_nDataBufSize);
}

// Text longer than the column is cut to its width, never inside a double-byte character.
void CBDB::SetColumnString(Columns& cols, int nCol, LPCSTR pszText, BOOL bPad)
{
    if (nCol < 0 || nCol >= cols.nCount || !cols.pText[nCol]) return;
    const char* text = pszText ? pszText : "";
    size_t len = mivo::CutToCharBoundary(text, strlen(text), (size_t)cols.nWidth[nCol]);
    memcpy(cols.pText[nCol], text, len);
    cols.pText[nCol][len] = 0;
    cols.bPad[nCol] = bPad ? TRUE : FALSE;
}

// Zero-padded to the full width, a minus sign in front of the zeros.
void CBDB::SetColumnInt(Columns& cols, int nCol, int nValue)
{
    if (nCol < 0 || nCol >= cols.nCount || !cols.pText[nCol]) return;
    int width = cols.nWidth[nCol];
    std::vector<char> text((size_t)width + 16);
    snprintf(text.data(), text.size(), "%0*d", width, nValue);
    memcpy(cols.pText[nCol], text.data(), (size_t)width);  // a value wider than the column keeps its front
    cols.pText[nCol][width] = 0;
}

CString CBDB::GetColumnString(const Columns& cols, int nCol)
{
    if (nCol < 0 || nCol >= cols.nCount || !cols.pText[nCol]) return CString();
    return CString(cols.pText[nCol]);
}

int CBDB::GetColumnInt(const Columns& cols, int nCol)
{
    if (nCol < 0 || nCol >= cols.nCount || !cols.pText[nCol]) return 0;
    return atoi(cols.pText[nCol]);
}

void CBDB::SetKeyColumnString(int nCol, LPCSTR pszText, BOOL bPad) { SetColumnString(m_key, nCol, pszText, bPad); }
void CBDB::SetKeyColumnString(int nCol, const CString& strText, BOOL bPad)
{
    SetColumnString(m_key, nCol, strText, bPad);
}
void CBDB::SetKeyColumnInt(int nCol, int nValue) { SetColumnInt(m_key, nCol, nValue); }
void CBDB::AddKeyColumnInt(int nCol, int nAmount) { SetColumnInt(m_key, nCol, GetColumnInt(m_key, nCol) + nAmount); }
void CBDB::SetDataColumnString(int nCol, LPCSTR pszText, BOOL bPad)
{
    SetColumnString(m_data, nCol, pszText, bPad);
}
void CBDB::SetDataColumnString(int nCol, const CString& strText, BOOL bPad)
{
    SetColumnString(m_data, nCol, strText, bPad);
}
void CBDB::SetDataColumnInt(int nCol, int nValue) { SetColumnInt(m_data, nCol, nValue); }
void CBDB::AddDataColumnInt(int nCol, int nAmount)
{
    SetColumnInt(m_data, nCol, GetColumnInt(m_data, nCol) + nAmount);
}

CString CBDB::GetKeyColumnString(int nCol) const { return GetColumnString(m_key, nCol); }
CString CBDB::GetDataColumnString(int nCol) const { return GetColumnString(m_data, nCol); }
int CBDB::GetKeyColumnInt(int nCol) const { return GetColumnInt(m_key, nCol); }
int CBDB::GetDataColumnInt(int nCol) const { return GetColumnInt(m_data, nCol); }

void CBDB::InitKeyData()
{
    memset(m_pKeyBuf, 0, (size_t)m_nKeyBufSize + 1);
    memset(m_pDataBuf, 0, (size_t)m_nDataBufSize + 1);
}

void CBDB::InitRowBuffer()
{
    for (Columns* cols : {&m_key, &m_data})
        for (int i = 0; i < cols->nCount; ++i)
            if (cols->pText[i]) cols->pText[i][0] = 0;
}

// ---- record text ----

// The first nColumns columns, each padded with blanks to its width or unpadded, into pBuf
// (at most nBufSize - 1 bytes, never ending inside a double-byte character). Returns the length.
int CBDB::Compose(const Columns& cols, int nColumns, char* pBuf, int nBufSize) const
{
    std::string text;
    for (int i = 0; i < nColumns && i < cols.nCount; ++i) {
        const char* col = cols.pText[i] ? cols.pText[i] : "";
        text += col;
        if (cols.bPad[i] && (int)strlen(col) < cols.nWidth[i]) text.append(cols.nWidth[i] - strlen(col), ' ');
    }
    size_t len = mivo::CutToCharBoundary(text.c_str(), text.size(), (size_t)(nBufSize > 0 ? nBufSize - 1 : 0));
    memcpy(pBuf, text.c_str(), len);
    pBuf[len] = 0;
    return (int)len;
}

void CBDB::ComposeKey()
{
    int len = Compose(m_key, m_key.nCount, m_pKeyBuf, m_nKeyBufSize);
    m_pKeyThang->set_size((u_int32_t)len + 1);
}

void CBDB::ComposeData()
{
    int len = Compose(m_data, m_data.nCount, m_pDataBuf, m_nDataBufSize);
    m_pDataThang->set_size((u_int32_t)len + 1);
}

// A read record need not end in a zero (another program may have written it): end it at its size.
void CBDB::TerminateBuffers()
{
    u_int32_t k = m_pKeyThang->get_size(), d = m_pDataThang->get_size();
    m_pKeyBuf[k < (u_int32_t)m_nKeyBufSize ? k : (u_int32_t)m_nKeyBufSize] = 0;
    m_pDataBuf[d < (u_int32_t)m_nDataBufSize ? d : (u_int32_t)m_nDataBufSize] = 0;
}

void CBDB::CutRecord()
{
    TerminateBuffers();
    for (int pass = 0; pass < 2; ++pass) {
        Columns& cols = pass == 0 ? m_key : m_data;
        const char* text = pass == 0 ? m_pKeyBuf : m_pDataBuf;
        std::vector<std::string> parts = CutText(text, strlen(text), cols.nWidth, cols.nCount);
        for (int i = 0; i < cols.nCount; ++i) {
            if (!cols.pText[i]) continue;
            memcpy(cols.pText[i], parts[i].c_str(), parts[i].size() + 1);
            TrimTrailingBlanks(cols.pText[i]);
        }
    }
}

// ---- single records ----

int CBDB::Write()
{
    if (!m_bDBOpen) return m_nStatus = EINVAL;
    ComposeKey();
    ComposeData();
    m_nStatus = m_pDb->put(nullptr, m_pKeyThang.get(), m_pDataThang.get(), 0);
    return m_nStatus;
}

char* CBDB::GetData()
{
    m_pDataBuf[0] = 0;
    if (!m_bDBOpen) {
        m_nStatus = EINVAL;
        return nullptr;
    }
    ComposeKey();
    m_pDataThang->set_size(0);
    m_nStatus = m_pDb->get(nullptr, m_pKeyThang.get(), m_pDataThang.get(), 0);
    if (m_nStatus != 0) {
        m_pDataBuf[0] = 0;
        return nullptr;
    }
    CutRecord();
    return m_pDataBuf;
}

int CBDB::Delete()
{
    if (!m_bDBOpen) return m_nStatus = EINVAL;
    ComposeKey();
    m_nStatus = m_pDb->del(nullptr, m_pKeyThang.get(), 0);
    return m_nStatus;
}

int CBDB::DeleteCurrent()
{
    if (!m_bCursorOpen) return m_nStatus = EINVAL;
    m_nStatus = m_pCursor->del(0);
    return m_nStatus;
}

int CBDB::Commit()
{
    if (!m_bDBOpen) return m_nStatus = EINVAL;
    m_nStatus = m_pDb->sync(0);
    return m_nStatus;
}

// Berkeley DB refuses to empty a database with open cursors, so ours is closed around the call.
int CBDB::TruncateDB()
{
    if (!m_bDBOpen) {
        m_nStatus = EINVAL;
        return 0;
    }
    BOOL hadCursor = m_bCursorOpen;
    if (hadCursor) CloseCursor();
    u_int32_t removed = 0;
    m_nStatus = m_pDb->truncate(nullptr, &removed, 0);
    int status = m_nStatus;
    if (hadCursor) OpenCursor();
    m_nStatus = status;
    return status == 0 ? 1 : 0;
}

// ---- cursor walks ----

int CBDB::OpenCursor()
{
    if (m_bCursorOpen) return 1;
    if (!m_bDBOpen) {
        m_nStatus = EINVAL;
        return 0;
    }
    m_nStatus = m_pDb->cursor(nullptr, &m_pCursor, 0);
    if (m_nStatus != 0) {
        m_pCursor = nullptr;
        return 0;
    }
    m_bCursorOpen = TRUE;
    return 1;
}

void CBDB::CloseCursor()
{
    if (!m_bCursorOpen) return;
    m_pCursor->close();
    m_pCursor = nullptr;
    m_bCursorOpen = FALSE;
}

BOOL CBDB::EnsureCursor()
{
    if (m_bCursorOpen) return TRUE;
    if (!m_bDBOpen) {
        m_nStatus = EINVAL;
        return FALSE;
    }
    return OpenCursor();
}

// Exact read of the composed key, then the cursor on the first key not below it.
int CBDB::Position()
{
    ComposeKey();
    m_pDataThang->set_size(0);
    m_bExactMatch = m_pDb->get(nullptr, m_pKeyThang.get(), m_pDataThang.get(), 0) == 0;
    ComposeKey();
    m_nStatus = m_pCursor->get(m_pKeyThang.get(), m_pDataThang.get(), DB_SET_RANGE);
    if (m_nStatus == 0) TerminateBuffers();
    return m_nStatus;
}

int CBDB::Start()
{
    if (!EnsureCursor()) return m_nStatus;
    Position();
    m_bFirstStepDone = FALSE;
    return m_nStatus;
}

int CBDB::StartLastKey(int nFirstCol)
{
    if (!EnsureCursor()) return m_nStatus;
    for (int i = nFirstCol < 0 ? 0 : nFirstCol; i < m_key.nCount; ++i) {
        if (!m_key.pText[i]) continue;
        memset(m_key.pText[i], 0xFF, (size_t)m_key.nWidth[i]);
        m_key.pText[i][m_key.nWidth[i]] = 0;
    }
    Position();
    m_bFirstStepDone = m_bExactMatch ? FALSE : TRUE;
    return m_nStatus;
}

int CBDB::StepCursor(unsigned int nFlag)
{
    m_bFirstStepDone = TRUE;
    m_nStatus = m_pCursor->get(m_pKeyThang.get(), m_pDataThang.get(), nFlag);
    if (m_nStatus == 0) CutRecord();
    return m_nStatus;
}

int CBDB::GetNext()
{
    if (!EnsureCursor()) return m_nStatus;
    if (!m_bFirstStepDone) {
        m_bFirstStepDone = TRUE;
        if (m_nStatus == 0) CutRecord();
        return m_nStatus;
    }
    return StepCursor(DB_NEXT);
}

int CBDB::GetPrev()
{
    if (!EnsureCursor()) return m_nStatus;
    if (m_nStatus != 0) return StepCursor(DB_LAST);
    if (!m_bFirstStepDone && m_bExactMatch) {
        m_bFirstStepDone = TRUE;
        CutRecord();
        return m_nStatus;
    }
    return StepCursor(DB_PREV);
}

// ---- counting ----

int CBDB::GetRowCount()
{
    if (!m_bDBOpen) return 0;
    ScopedCursor cursor(m_pDb.get());
    if (!cursor.get()) return 0;
    ReallocThang key, data;
    int count = 0;
    for (int ret = cursor.get()->get(&key, &data, DB_FIRST); ret == 0; ret = cursor.get()->get(&key, &data, DB_NEXT))
        ++count;
    return count;
}

int CBDB::FindCountMaxMinInt(int nPrefixCols, BOOL bKeyColumn, int nCol, int* pMax, int* pMin)
{
    if (pMax) *pMax = 0;
    if (pMin) *pMin = 0;
    if (!m_bDBOpen) return 0;
    int prefixCols = nPrefixCols < 0 ? 0 : nPrefixCols > m_key.nCount ? m_key.nCount : nPrefixCols;
    std::vector<char> buf((size_t)m_nKeyBufSize + 1);
    std::string prefix(buf.data(), (size_t)Compose(m_key, prefixCols, buf.data(), m_nKeyBufSize));

    ScopedCursor cursor(m_pDb.get());
    if (!cursor.get()) return 0;
    ReallocThang key(prefix), data;
    int ret = cursor.get()->get(&key, &data, prefix.empty() ? DB_FIRST : DB_SET_RANGE);
    const Columns& valueCols = bKeyColumn ? m_key : m_data;
    int count = 0, largest = 0, smallest = 0;
    for (; ret == 0; ret = cursor.get()->get(&key, &data, DB_NEXT)) {
        std::vector<std::string> keyParts =
            CutText((const char*)key.get_data(), key.get_size(), m_key.nWidth, m_key.nCount);
        std::string own;
        for (int i = 0; i < prefixCols; ++i) {
            own += keyParts[i];
            if (m_key.bPad[i] && (int)keyParts[i].size() < m_key.nWidth[i])
                own.append(m_key.nWidth[i] - keyParts[i].size(), ' ');
        }
        if (own.compare(prefix) > 0) break;
        ++count;
        if (nCol < 0 || nCol >= valueCols.nCount) continue;
        std::vector<std::string> valueParts =
            bKeyColumn ? keyParts
                       : CutText((const char*)data.get_data(), data.get_size(), m_data.nWidth, m_data.nCount);
        int value = atoi(valueParts[nCol].c_str());
        largest = count == 1 || value > largest ? value : largest;
        smallest = count == 1 || value < smallest ? value : smallest;
    }
    if (nCol >= 0) {
        if (pMax) *pMax = largest;
        if (pMin) *pMin = smallest;
    }
    return count;
}

// ---- the file ----

// Copies every record into an empty temporary file beside the database, then puts it in the
// original's place by rename. On any failure the original stays as it was and open.
int CBDB::CompressDB()
{
    if (!m_bDBOpen) {
        m_nStatus = EINVAL;
        return 0;
    }
    BOOL hadCursor = m_bCursorOpen;
    Commit();
    std::string path = PosixFileName();
    std::string temp = DirectoryOf(path) + kCompressTempName;
    unlink(temp.c_str());  // a leftover from an interrupted run is never reused

    std::unique_ptr<Db> copy = NewDbHandle();
    int ret = copy->open(nullptr, temp.c_str(), nullptr, ToDbType(m_nDBType), DB_CREATE | DB_EXCL | DB_THREAD, 0644);
    if (ret == 0) {
        ScopedCursor cursor(m_pDb.get());
        ReallocThang key, data;
        ret = cursor.get() ? cursor.get()->get(&key, &data, DB_FIRST) : EINVAL;
        while (ret == 0) {
            ret = copy->put(nullptr, &key, &data, 0);
            if (ret == 0) ret = cursor.get()->get(&key, &data, DB_NEXT);
        }
        if (ret == DB_NOTFOUND) ret = 0;
        if (ret == 0) ret = copy->sync(0);
    }
    int closed = copy->close(0);
    copy.reset();
    if (ret == 0) ret = closed;
    if (ret != 0) {
        if (ret != EEXIST) unlink(temp.c_str());
        m_nStatus = ret;
        return 0;
    }

    CloseDB();
    int renamed = rename(temp.c_str(), path.c_str()) == 0 ? 0 : errno;
    if (renamed != 0) unlink(temp.c_str());
    OpenDB();
    if (hadCursor) OpenCursor();
    if (renamed != 0) {
        m_nStatus = renamed;
        return 0;
    }
    return m_bDBOpen ? 1 : 0;
}

void CBDB::GetFileName(LPSTR pszName, int nBufSize) const
{
    if (!pszName || nBufSize <= 0) return;
    const char* name = m_szFileName;
    for (const char* p = m_szFileName; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    size_t len = mivo::CutToCharBoundary(name, strlen(name), (size_t)nBufSize - 1);
    memcpy(pszName, name, len);
    pszName[len] = 0;
}

int CBDB::GetDBSizeInKB() const
{
    struct stat st;
    if (stat(PosixFileName().c_str(), &st) != 0) return 0;
    return (int)(st.st_size / 1024);
}
